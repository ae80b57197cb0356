#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>

#include "platform/runtime/environment.h"
#include "platform/runtime/message_box.h"
#include "platform/runtime/random.h"
#include "platform/runtime/scheduler.h"
#include "platform/runtime/single_instance.h"

using namespace platform;

namespace {

std::filesystem::path testFolder(const std::string& name) {
    const char* base = std::getenv("KORVASH_TEST_TMP");
    auto dir = (base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
               ("runtime-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(SingleInstance, ASecondCopyIsRefusedUntilTheFirstGoes) {
    const auto dir = testFolder("lock");
    auto first = std::make_unique<SingleInstanceLock>(dir, "korvash");
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(SingleInstanceLock(dir, "korvash").acquired());
    first.reset();
    EXPECT_TRUE(SingleInstanceLock(dir, "korvash").acquired());
}

TEST(Environment, CommandLineIsEverythingAfterTheProgramName) {
    EXPECT_EQ(joinCommandLine({}), "");
    EXPECT_EQ(joinCommandLine({"a$b$", "c$"}), "a$b$ c$");
    const auto env = Environment::fromProcess({"/x/korvash", "user$pw$"});
    EXPECT_EQ(env.commandLine, "user$pw$");
    EXPECT_TRUE(std::filesystem::is_directory(env.programFolder));
}

TEST(Random, TheSameSeedRepeatsTheSameDraws) {
    Random a(7), b(7);
    for (int i = 0; i < 100; ++i) {
        const float x = a.next();
        EXPECT_EQ(x, b.next());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
    }
}

TEST(ScriptedMessageBoxes, RecordAndAnswerWhileEventsRun) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    ScriptedMessageBoxes boxes(&scheduler);
    bool eventRan = false;
    scheduler.post([&] { eventRan = true; });
    boxes.answerNext(MessageAnswer::Cancel);
    EXPECT_EQ(boxes.show("确定退出？", "警告", MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_TRUE(eventRan);
    EXPECT_EQ(boxes.show("Korvash已经运行！", "警告"), MessageAnswer::Ok);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].title, "警告");
    EXPECT_EQ(boxes.shown()[1].text, "Korvash已经运行！");
}

TEST(VirtualIo, ADescriptorBecomingReadableRunsItsWatchWithoutMovingTime) {
    Scheduler scheduler(Scheduler::Mode::Virtual);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string got;
    FdWatch watch(scheduler, fds[0], [&](bool readable, bool) {
        char buf[16];
        if (readable) got.append(buf, ::read(fds[0], buf, sizeof buf));
    });
    watch.setInterest(true, false);
    ASSERT_EQ(::write(fds[1], "abc", 3), 3);
    EXPECT_TRUE(scheduler.pumpRealIo([&] { return got == "abc"; }));
    EXPECT_EQ(scheduler.now(), 0);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(RealMode, TimersWaitsAndProgramEndRunInQtsLoop) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    Scheduler scheduler(Scheduler::Mode::Real);
    Timer t(scheduler);
    int ticks = 0;
    t.setInterval(20);
    t.onTimer = [&] { ++ticks; };
    const auto start = scheduler.now();
    scheduler.waitFor(120);
    EXPECT_GE(scheduler.now() - start, 120);
    EXPECT_GE(ticks, 2);

    Timer ender(scheduler);
    ender.setInterval(30);
    ender.onTimer = [&] {
        scheduler.waitFor(10);
        platform::endProgram(4);
    };
    EXPECT_EQ(scheduler.run(), 4);
}

}  // namespace
