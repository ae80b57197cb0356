#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/scheduler.h"

using platform::Millis;
using platform::Scheduler;
using platform::Timer;

namespace {

struct Fired {
    Millis at;
    std::string name;
    bool operator==(const Fired&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fired& f) { return os << f.name << "@" << f.at; }

class VirtualTimers : public ::testing::Test {
protected:
    Scheduler scheduler{Scheduler::Mode::Virtual};
    std::vector<Fired> log;

    void record(Timer& timer, std::string name) {
        timer.onTimer = [this, name] { log.push_back({scheduler.now(), name}); };
    }
};

TEST_F(VirtualTimers, FireInTimeOrderWithTiesInArmingOrder) {
    Timer a(scheduler), b(scheduler);
    record(a, "a");
    record(b, "b");
    a.setInterval(50);
    b.setInterval(100);
    scheduler.advance(200);
    EXPECT_EQ(log, (std::vector<Fired>{
                       {50, "a"}, {100, "a"}, {100, "b"}, {150, "a"}, {200, "a"}, {200, "b"}}));
}

TEST_F(VirtualTimers, IntervalBelowResolutionRunsAtSixteenAndZeroNeverFires) {
    struct Case {
        int interval;
        std::vector<Millis> expected;
    };
    for (const Case& c : {Case{1, {16, 32, 48}}, Case{16, {16, 32, 48}}, Case{17, {17, 34}},
                          Case{0, {}}}) {
        Scheduler s(Scheduler::Mode::Virtual);
        Timer t(s);
        std::vector<Millis> at;
        t.onTimer = [&] { at.push_back(s.now()); };
        t.setInterval(c.interval);
        s.advance(50);
        EXPECT_EQ(at, c.expected) << "interval " << c.interval;
    }
}

TEST_F(VirtualTimers, EnablingOrChangingIntervalStartsAFreshPeriod) {
    Timer t(scheduler);
    record(t, "t");
    t.setInterval(100);
    scheduler.advance(60);
    t.setInterval(100);  // same value still restarts the count
    scheduler.advance(60);
    EXPECT_TRUE(log.empty());
    scheduler.advance(40);
    EXPECT_EQ(log, (std::vector<Fired>{{160, "t"}}));

    t.setEnabled(false);
    scheduler.advance(500);
    t.setEnabled(true);
    scheduler.advance(99);
    EXPECT_EQ(log.size(), 1u);
    scheduler.advance(1);
    EXPECT_EQ(log.back(), (Fired{760, "t"}));
}

TEST_F(VirtualTimers, EnablingAnEnabledTimerKeepsItsPeriod) {
    Timer t(scheduler);
    record(t, "t");
    t.setInterval(100);
    scheduler.advance(60);
    t.setEnabled(true);
    scheduler.advance(40);
    EXPECT_EQ(log, (std::vector<Fired>{{100, "t"}}));
}

TEST_F(VirtualTimers, IntervalOutOfRangeIsARuntimeFailure) {
    Timer t(scheduler);
    EXPECT_THROW(t.setInterval(-1), platform::RuntimeFailure);
    EXPECT_THROW(t.setInterval(65536), platform::RuntimeFailure);
    t.setInterval(65535);
    EXPECT_EQ(t.interval(), 65535);
}

TEST_F(VirtualTimers, WaitInsideAHandlerLetsOtherTimersAndPostedEventsRun) {
    Timer slow(scheduler), fast(scheduler);
    record(fast, "fast");
    slow.setInterval(100);
    slow.onTimer = [&] {
        slow.setEnabled(false);
        log.push_back({scheduler.now(), "wait-begins"});
        scheduler.post([&] { log.push_back({scheduler.now(), "posted"}); });
        scheduler.waitFor(50);
        log.push_back({scheduler.now(), "wait-ends"});
    };
    fast.setInterval(30);
    scheduler.advance(150);
    EXPECT_EQ(log, (std::vector<Fired>{{30, "fast"},
                                       {60, "fast"},
                                       {90, "fast"},
                                       {100, "wait-begins"},
                                       {100, "posted"},
                                       {120, "fast"},
                                       {150, "fast"},
                                       {150, "wait-ends"}}));
}

TEST_F(VirtualTimers, ATimerIsNotReenteredWhileItsHandlerWaits) {
    Timer t(scheduler);
    int depth = 0, maxDepth = 0, runs = 0;
    t.setInterval(50);
    t.onTimer = [&] {
        ++runs;
        maxDepth = std::max(maxDepth, ++depth);
        scheduler.waitFor(175);  // spans three of its own periods
        --depth;
    };
    scheduler.advance(400);
    EXPECT_EQ(maxDepth, 1);
    // Ticks due while it ran are dropped, not queued: 50 (to 225), 250 (to 425).
    EXPECT_EQ(runs, 2);
}

TEST_F(VirtualTimers, AHandlerMayDestroyItsOwnTimer) {
    auto t = std::make_unique<Timer>(scheduler);
    int runs = 0;
    t->setInterval(20);
    t->onTimer = [&] {
        ++runs;
        t.reset();
    };
    scheduler.advance(100);
    EXPECT_EQ(runs, 1);
}

TEST_F(VirtualTimers, SleepBlocksEventsAndALateTimerFiresOnce) {
    Timer t(scheduler);
    record(t, "t");
    t.setInterval(50);
    scheduler.post([&] { log.push_back({scheduler.now(), "posted"}); });
    scheduler.sleepFor(2000);
    EXPECT_TRUE(log.empty());
    scheduler.processPendingEvents();
    EXPECT_EQ(log, (std::vector<Fired>{{2000, "posted"}, {2000, "t"}}));
}

TEST_F(VirtualTimers, WaitUntilStopsWhenTheConditionHoldsOrTheTimeRunsOut) {
    Timer t(scheduler);
    int ticks = 0;
    t.setInterval(100);
    t.onTimer = [&] { ++ticks; };
    EXPECT_TRUE(scheduler.waitUntil([&] { return ticks == 3; }, 30000));
    EXPECT_EQ(scheduler.now(), 300);
    EXPECT_FALSE(scheduler.waitUntil([] { return false; }, 1000));
    EXPECT_EQ(scheduler.now(), 1300);
}

}  // namespace
