#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "connection/text_helpers.h"
#include "connection/waits.h"
#include "platform/runtime/scheduler.h"

using namespace connection;
using platform::Scheduler;

namespace {

struct RecordingList {
    QStringList items;
    void addItem(const QString& item) { items << item; }
};

TEST(AddWrappedText, SplitsByColumnsWithBlankLedContinuationLines) {
    struct Case {
        QString text;
        int width;
        QStringList lines;
    };
    const QString fortyFive(45, u'x');
    const Case cases[] = {
        {"abcdefghij", 4, {"abcde", " fgh", " ij"}},
        {"abcde", 4, {"abcde"}},
        {"abcdef", 4, {"abcde", " f"}},
        {fortyFive, 44, {fortyFive}},
        {"", 4, {}},
        {QString(QChar(0)) + "abc", 4, {}},
        {QString("ab") + QChar(0) + "cd", 4, {"ab"}},
        // Two columns each: lines close after half as many characters; the second line closes early
        // by the width of the character that closed the first.
        {u"一二三四五六七八"_qs, 4, {u"一二三"_qs, u" 四"_qs, u" 五六"_qs, u" 七八"_qs}},
        {u"ab一cd二ef"_qs, 4, {u"ab一c"_qs, u" d二"_qs, u" ef"_qs}},
    };
    for (const Case& c : cases) {
        RecordingList list;
        AddWrappedText(list, c.text, c.width);
        EXPECT_EQ(list.items, c.lines) << c.text.toStdString();
        EXPECT_EQ(
            list.items.join("").remove(u' '),
            c.text.left(c.text.indexOf(QChar(0)) < 0 ? c.text.size() : c.text.indexOf(QChar(0))))
            << "every character stands in exactly one line";
    }
}

TEST(TextHelpers, PadLeftAndSingleByteCharacters) {
    EXPECT_EQ(PadLeft("7", 12), QString(11, u' ') + "7");
    EXPECT_EQ(PadLeft("abcdefghijklm", 12), "abcdefghijklm");
    EXPECT_EQ(PadLeft(u"金币"_qs, 4), u"  金币"_qs);  // characters, not columns
    for (QChar c : QString("aZ09 ~")) EXPECT_TRUE(IsSingleByteChar(c)) << int(c.unicode());
    for (QChar c : u"中牌，"_qs) EXPECT_FALSE(IsSingleByteChar(c)) << int(c.unicode());
}

TEST(Waits, WaitSecondsAndDelayMsLetATickRunWhileSleepDoesNot) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    platform::Timer tick(scheduler);
    std::vector<platform::Millis> ticks;
    tick.setInterval(50);
    tick.onTimer = [&] { ticks.push_back(scheduler.now()); };

    WaitSeconds(scheduler, 0.4f);
    EXPECT_EQ(scheduler.now(), 401) << "a little more than 0.4 s";
    EXPECT_EQ(ticks.size(), 8u);

    DelayMs(scheduler, 200);
    EXPECT_EQ(scheduler.now(), 601);
    EXPECT_EQ(ticks.size(), 12u);

    SleepSeconds(scheduler, 2.0f);
    EXPECT_EQ(scheduler.now(), 2601);
    EXPECT_EQ(ticks.size(), 12u) << "nothing runs during a sleep";
}

// A wait whose time has already passed at its first look returns without letting anything run;
// any other lets pending events run, and they may change state the waiter sees.
TEST(Waits, RunPendingEventsOnlyWhileTheirTimeHasNotPassed) {
    struct Case {
        const char* name;
        std::function<void(Scheduler&)> wait;
        int arrivals;
        platform::Millis elapsed;
    };
    const Case cases[] = {
        {"DelayMs 1", [](Scheduler& s) { DelayMs(s, 1); }, 1, 1},
        {"DelayMs 0", [](Scheduler& s) { DelayMs(s, 0); }, 0, 0},
        {"DelayMs -5", [](Scheduler& s) { DelayMs(s, -5); }, 0, 0},
        {"WaitSeconds 0", [](Scheduler& s) { WaitSeconds(s, 0.0f); }, 1, 1},
        {"WaitSeconds -1", [](Scheduler& s) { WaitSeconds(s, -1.0f); }, 0, 0},
    };
    for (const Case& c : cases) {
        Scheduler scheduler(Scheduler::Mode::Virtual);
        int arrivals = 0;
        scheduler.post([&] { ++arrivals; });
        c.wait(scheduler);
        EXPECT_EQ(arrivals, c.arrivals) << c.name;
        EXPECT_EQ(scheduler.now(), c.elapsed) << c.name;
    }
}

}  // namespace
