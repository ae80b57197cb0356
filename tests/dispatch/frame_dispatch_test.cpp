#include <gtest/gtest.h>

#include <set>

#include "dispatch_fixture.h"
#include "platform/runtime/failure.h"

namespace dispatch_test {
namespace {

using platform::SystemCommand;
using support::BuildChat;
using support::BuildServerFrame;
using support::Token;

// Types the table handles itself; every other type belongs to the props plug-in.
const std::set<int> kHandledTypes = {1, 2, 3, 4, 5, 6, 9, 16, 18, 19, 20, 21, 22, 23, 29, 91, 92};

// Sub-code 1 makes the login and reconnect answers accepting, so that no type ends the program.
state::Frame frameOfType(int type, Token token = {}) {
    return BuildServerFrame({.type = std::uint8_t(type), .subCode = 1, .token = token});
}

using FrameDispatch = DispatchTest;

TEST_F(FrameDispatch, EveryTypeButTheReconnectAnswerKeepsItsToken) {
    for (int type = 0; type < 256; ++type) {
        SCOPED_TRACE(type);
        c.s.g_aServerToken = {0x11, 0x22};
        dispatch(frameOfType(type, {std::uint8_t(type), 0xEE}));
        const Token expected = type == 29 ? Token{0x11, 0x22} : Token{std::uint8_t(type), 0xEE};
        EXPECT_EQ(c.s.g_aServerToken, expected);
    }
}

TEST_F(FrameDispatch, AReconnectAnswerLeavesTheTokenAndTheNextFrameReplacesIt) {
    dispatch(frameOfType(7, {0x01, 0x02}));
    dispatch(support::BuildReconnectReply({.reconnectResult = 1, .token = {0xAB, 0xCD}}));
    EXPECT_EQ(c.s.g_aServerToken, (Token{0x01, 0x02}));
    dispatch(frameOfType(23, {0x03, 0x04}));
    EXPECT_EQ(c.s.g_aServerToken, (Token{0x03, 0x04}));
}

TEST_F(FrameDispatch, OnlyTypesWithoutAHandlerReachTheLoadedPlugin) {
    std::set<int> reached;
    for (int type = 0; type < 256; ++type) {
        // A fresh plug-in for each type: some handlers (the table closing) unload it.
        auto& plugin = loadPropPlugin(1);
        dispatch(frameOfType(type));
        if (!plugin.received.empty()) reached.insert(type);
    }
    for (int type = 0; type < 256; ++type) {
        EXPECT_EQ(reached.count(type) == 1, kHandledTypes.count(type) == 0) << "type " << type;
    }
}

TEST_F(FrameDispatch, PluginFramesAreHandedOverWholeOnlyWhileThePluginIsLoaded) {
    struct Case {
        std::int16_t propState;
        bool reaches;
    };
    for (const Case& when : {Case{-1, false}, Case{0, false}, Case{1, true}, Case{2, true}}) {
        for (const int type : {0, 7, 44, 45, 46, 255}) {
            SCOPED_TRACE(testing::Message() << "state " << when.propState << " type " << type);
            auto& plugin = loadPropPlugin(when.propState);
            state::Frame frame = frameOfType(type, {0x5A, 0xA5});
            frame[100] = 0x42;
            dispatch(frame);
            EXPECT_EQ(c.s.g_aServerToken, (Token{0x5A, 0xA5}));
            if (when.reaches) {
                ASSERT_EQ(plugin.received.size(), 1u);
                EXPECT_EQ(plugin.received[0], frame);
            } else {
                EXPECT_TRUE(plugin.received.empty());
            }
        }
    }
    EXPECT_TRUE(hallCommands().empty());
}

TEST_F(FrameDispatch, ChatFramesMarkedForThePluginGoOnlyToThePlugin) {
    struct Case {
        std::uint32_t propMarker;
        std::int16_t propState;
        bool reachesPlugin;
    };
    const Case cases[] = {
        {272, 1, true},         {260, 2, true},         {272, 0, false},
        {260, -1, false},       {271, 1, false},        {0, 1, false},
        {0x7FFFFFFF, 1, false}, {0x01000110, 1, false},  // only the whole number counts, not its
                                                         // low bytes
    };
    for (const Case& when : cases) {
        SCOPED_TRACE(testing::Message()
                     << "marker " << when.propMarker << " state " << when.propState);
        auto& plugin = loadPropPlugin(when.propState);
        dispatch(BuildChat({.text = "hello", .propMarker = when.propMarker}));
        EXPECT_EQ(plugin.received.size(), when.reachesPlugin ? 1u : 0u);
    }
    EXPECT_TRUE(hallCommands().empty());
}

TEST_F(FrameDispatch, AChatMarkerOutOfTheSignedRangeFailsTheFrameAndRestoresTheHall) {
    auto& plugin = loadPropPlugin(1);
    dispatch(BuildChat({.text = "hello", .propMarker = 0x80000110, .token = {7, 8}}));
    EXPECT_TRUE(plugin.received.empty());
    EXPECT_EQ(hallCommands(), std::vector<SystemCommand>{SystemCommand::Restore});
    EXPECT_EQ(c.s.g_aServerToken, (Token{7, 8}));  // kept before the handling failed
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

TEST_F(FrameDispatch, APropScoreMarksTheScorePendingOnlyWhenThePluginTakesIt) {
    for (const std::int16_t propState : {-1, 0}) {
        for (const bool pendingBefore : {false, true}) {
            loadPropPlugin(propState);
            c.s.g_bPropScorePending = pendingBefore;
            dispatch(frameOfType(46));
            EXPECT_EQ(c.s.g_bPropScorePending, pendingBefore) << "state " << propState;
        }
    }
    auto& plugin = loadPropPlugin(2);
    c.s.g_bPropScorePending = false;
    bool pendingWhenHandedOver = false;
    plugin.onRecMsg = [&] { pendingWhenHandedOver = c.s.g_bPropScorePending; };
    dispatch(frameOfType(46));
    EXPECT_TRUE(pendingWhenHandedOver);
}

// The failure guard.

TEST_F(FrameDispatch, AFailingHandlerKeepsWhatItChangedAndDropsTheRestOfTheFrame) {
    auto& plugin = loadPropPlugin(1);
    plugin.onRecMsg = [] {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "plug-in failed");
    };
    dispatch(frameOfType(46));
    EXPECT_TRUE(c.s.g_bPropScorePending);
    EXPECT_EQ(hallCommands(), std::vector<SystemCommand>{SystemCommand::Restore});
    EXPECT_FALSE(harness.scheduler.hasEnded());
    // The next frame is handled normally.
    plugin.onRecMsg = nullptr;
    dispatch(frameOfType(44));
    EXPECT_EQ(plugin.received.size(), 2u);
}

TEST_F(FrameDispatch, AFailureWithTheHallWindowGoneEndsTheProgram) {
    auto& plugin = loadPropPlugin(1);
    plugin.onRecMsg = [] { platform::fail(platform::RuntimeFailure::Kind::Overflow, "Overflow"); };
    harness.desktop.closeWindow(harness.hall);
    EXPECT_THROW(dispatch(frameOfType(7)), platform::ProgramEnd);
}

TEST_F(FrameDispatch, AFailureWhileTheHallCaptionIsBlankIsDroppedQuietly) {
    auto& plugin = loadPropPlugin(1);
    plugin.onRecMsg = [] { platform::fail(platform::RuntimeFailure::Kind::Overflow, "Overflow"); };
    c.s.g_sHallCaption = QStringLiteral("  ");
    EXPECT_NO_THROW(dispatch(frameOfType(7)));
    EXPECT_TRUE(hallCommands().empty());
}

TEST_F(FrameDispatch, TheEndOfTheProgramPassesThroughTheGuard) {
    auto& plugin = loadPropPlugin(1);
    plugin.onRecMsg = [] { platform::endProgram(3); };
    try {
        dispatch(frameOfType(7));
        FAIL() << "the end of the program was swallowed";
    } catch (const platform::ProgramEnd& end) {
        EXPECT_EQ(end.exitCode, 3);
    }
    EXPECT_TRUE(hallCommands().empty());
}

TEST_F(FrameDispatch, APluginStateWithoutAPluginObjectFailsTheFrameInsteadOfCrashing) {
    c.g_oPropDll.reset();
    c.s.g_nPropState = 1;
    dispatch(frameOfType(45));
    EXPECT_EQ(hallCommands(), std::vector<SystemCommand>{SystemCommand::Restore});
}

}  // namespace
}  // namespace dispatch_test
