#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime/scheduler.h"

using platform::ProgramEnd;
using platform::RuntimeFailure;
using platform::Scheduler;
using platform::Timer;

namespace {

TEST(ProgramEnd, LeavesThreeLevelsOfNestedWaitsAndReachesTheTest) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    Timer outer(scheduler), middle(scheduler), inner(scheduler), bystander(scheduler);
    std::vector<std::string> trace;
    auto nest = [&](Timer& t, const std::string& name, int interval, auto body) {
        t.setInterval(interval);
        t.onTimer = [&, name, body] {
            t.setEnabled(false);
            trace.push_back(name + " in");
            body();
            trace.push_back(name + " out");  // must never run
        };
    };
    nest(outer, "outer", 10, [&] { scheduler.waitFor(1000); });
    nest(middle, "middle", 20, [&] { scheduler.waitFor(1000); });
    nest(inner, "inner", 30, [&] {
        scheduler.waitFor(5);
        platform::endProgram(3);
    });
    bystander.setInterval(40);
    bystander.onTimer = [&] { trace.push_back("bystander"); };

    try {
        scheduler.advance(5000);
        FAIL() << "program end did not reach the test";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
    EXPECT_EQ(trace, (std::vector<std::string>{"outer in", "middle in", "inner in"}));
    EXPECT_TRUE(scheduler.hasEnded());
    // Nothing runs once the program has ended.
    EXPECT_THROW(scheduler.processPendingEvents(), ProgramEnd);
    EXPECT_EQ(trace.size(), 3u);
}

TEST(ProgramEnd, PassesThroughAFailureHandlerThatCatchesFailures) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    Timer t(scheduler);
    std::vector<std::string> trace;
    t.setInterval(50);
    t.onTimer = [&] {
        t.setEnabled(false);
        try {
            throw RuntimeFailure(RuntimeFailure::Kind::Overflow, "Overflow");
        } catch (const RuntimeFailure&) {
            trace.push_back("failure caught");
        }
        try {
            scheduler.post([] { platform::endProgram(); });
            scheduler.waitFor(100);
            trace.push_back("after wait");
        } catch (const RuntimeFailure&) {
            trace.push_back("end caught as failure");
        } catch (const std::exception&) {
            trace.push_back("end caught as std::exception");
        }
    };
    EXPECT_THROW(scheduler.advance(200), ProgramEnd);
    EXPECT_EQ(trace, (std::vector<std::string>{"failure caught"}));
}

TEST(ProgramEnd, AnUncaughtFailureDropsOnlyItsOwnEvent) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    std::vector<std::string> trace;
    scheduler.post([&] {
        trace.push_back("first");
        throw RuntimeFailure(RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    });
    scheduler.post([&] { trace.push_back("second"); });
    scheduler.processPendingEvents();
    EXPECT_EQ(trace, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(scheduler.unhandledFailureCount(), 1);
    EXPECT_EQ(scheduler.lastUnhandledFailure(), "Subscript out of range");
}

// A fuzz target keeps one client for many inputs: once it forgets an end, the events the end
// left queued and the timers still enabled run again, and a later end ends again.
TEST(ProgramEnd, AForgottenEndLetsTheSchedulerRunOn) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    Timer ticker(scheduler);
    std::vector<std::string> trace;
    ticker.setInterval(100);
    ticker.onTimer = [&] { trace.push_back("tick"); };
    scheduler.post([] { platform::endProgram(); });
    scheduler.post([&] { trace.push_back("left queued"); });
    EXPECT_THROW(scheduler.processPendingEvents(), ProgramEnd);
    EXPECT_THROW(scheduler.dispatch([&] { trace.push_back("after the end"); }), ProgramEnd);

    scheduler.forgetEnd();
    EXPECT_FALSE(scheduler.hasEnded());
    scheduler.advance(100);
    EXPECT_EQ(trace, (std::vector<std::string>{"left queued", "tick"}));
    scheduler.post([] { platform::endProgram(4); });
    EXPECT_THROW(scheduler.processPendingEvents(), ProgramEnd);
    EXPECT_EQ(scheduler.programEnd()->exitCode, 4);
}

}  // namespace
