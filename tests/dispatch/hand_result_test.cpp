// Result frames through the dispatcher: the first of a hand starts the settlement and the props
// holds, each one stops the clock and takes its note, and with the props plug-in loaded the
// fourth is held for the plug-in's show, copied before the plug-in is told.
#include <gtest/gtest.h>

#include "hand_table.h"
#include "platform/runtime/failure.h"
#include "platform/text/gbk.h"

namespace dispatch_test {
namespace {

using support::BuildHandResult;

state::Frame Result(std::uint8_t seat, std::uint8_t fill = 0) {
    state::Frame frame = BuildHandResult({.seat = seat, .baseGold = 100, .place = 1});
    frame[200] = fill;  // a byte nothing reads, to tell frames apart
    return frame;
}

class HandResults : public ::testing::Test {
  protected:
    HandTable table;
    client::Client& c = table.c;
    client::MainForm& form = table.form;
};

TEST_F(HandResults, TheFirstFrameStartsTheSettlementAndTheHoldsOnce) {
    auto& s = c.s;
    s.g_aHeldPropFrameA[3] = 45;
    s.channels.arm(state::ChannelTurnClock);
    form.Time_Img.setVisible(true);
    form.Number.setVisible(true);
    table.dispatch(Result(1));
    EXPECT_TRUE(s.g_bResultShown);
    EXPECT_TRUE(s.g_bHoldPropFrameA);
    EXPECT_TRUE(s.g_bHoldPropFrameB);
    EXPECT_EQ(s.g_aHeldPropFrameA[3], 0);
    EXPECT_FALSE(s.channels.check[state::ChannelTurnClock]);
    EXPECT_FALSE(form.Time_Img.visible());
    EXPECT_FALSE(form.Number.visible());

    // A frame while the settlement is still under way leaves the holds as they are.
    s.g_bHoldPropFrameA = false;
    s.g_aHeldPropFrameB[3] = 45;
    table.dispatch(Result(2));
    EXPECT_FALSE(s.g_bHoldPropFrameA);
    EXPECT_EQ(s.g_aHeldPropFrameB[3], 45);
}

struct NoteCase {
    const char* name;
    std::vector<std::uint8_t> bytes;  // from byte 226; the rest of 226..246 zero
    QString note;
};

class ResultNotes : public HandResults, public ::testing::WithParamInterface<NoteCase> {};

TEST_P(ResultNotes, AreDecodedAsTheServerWroteThem) {
    state::Frame frame = Result(1);
    std::fill(frame.begin() + 226, frame.begin() + 247, 0);
    std::copy(GetParam().bytes.begin(), GetParam().bytes.end(), frame.begin() + 226);
    table.dispatch(frame);
    EXPECT_EQ(c.s.g_sResultNote, GetParam().note);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

const std::string kTwenty = "ABCDEFGHIJKLMNOPQRST";
const std::string kHan = platform::encodeGbk(QStringLiteral("好"));

INSTANTIATE_TEST_SUITE_P(
    Frame, ResultNotes,
    ::testing::Values(
        NoteCase{"TwentySingleBytesWhole", Bytes(kTwenty), QString::fromLatin1(kTwenty)},
        NoteCase{"TwoLettersThenEighteenNuls", Bytes("OK"),
                 QStringLiteral("OK") + QString(18, QChar(0))},
        NoteCase{"LeadingSpacesGo", Bytes("   hi" + std::string(15, ' ')), QStringLiteral("hi")},
        NoteCase{"DoubleByteCharacter", Bytes("x" + kHan),
                 QStringLiteral("x好") + QString(17, QChar(0))},
        NoteCase{"LeadByteAtTheLastPlaceTakesByte246",
                 [] {
                     auto b = Bytes(std::string(19, 'a'));
                     b.push_back(std::uint8_t(kHan[0]));
                     b.push_back(std::uint8_t(kHan[1]));
                     return b;
                 }(),
                 QString(19, QChar('a')) + QStringLiteral("好")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HandResults, WithoutThePluginAllFourGoStraightToTheSettlement) {
    for (std::uint8_t seat : {1, 2, 4, 8}) table.dispatch(Result(seat));
    EXPECT_FALSE(c.s.g_bResultShown) << "the fourth filled the sheet";
    EXPECT_EQ(c.s.g_nPropHandCount, 0);
    EXPECT_FALSE(c.s.g_bScorePending);
}

TEST_F(HandResults, WithThePluginTheFourthIsHeldForItsShow) {
    RecordingPropDll& plugin = table.loadPropPlugin();
    state::Frame heldWhenTold{};
    plugin.onShowEnd = [&] { heldWhenTold = c.s.g_aHeldResultFrame; };
    for (std::uint8_t seat : {1, 2, 4}) table.dispatch(Result(seat, seat));
    EXPECT_EQ(plugin.showEnds, 0);
    EXPECT_EQ(c.s.g_nPropHandCount, 3);

    const state::Frame fourth = Result(8, 8);
    table.dispatch(fourth);
    EXPECT_EQ(plugin.showEnds, 1);
    EXPECT_EQ(heldWhenTold, fourth) << "the frame is held before the plug-in is told";
    EXPECT_EQ(c.s.g_aHeldResultFrame, fourth);
    EXPECT_TRUE(c.s.g_bScorePending);
    EXPECT_EQ(c.s.g_nPropShowState, 1);
    EXPECT_EQ(c.s.Player_num, 0);
    EXPECT_EQ(c.s.g_nPropHandCount, 0);
    EXPECT_TRUE(c.s.g_bResultShown) << "not settled yet";
}

TEST_F(HandResults, AFailingPluginCannotLeaveAStaleFrameToBeSettled) {
    RecordingPropDll& plugin = table.loadPropPlugin();
    c.s.g_aHeldResultFrame = Result(2, 99);  // what an earlier hand left
    plugin.onShowEnd = [] {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "plug-in call failed");
    };
    for (std::uint8_t seat : {1, 2, 4}) table.dispatch(Result(seat, seat));
    const state::Frame fourth = Result(8, 8);
    table.dispatch(fourth);
    EXPECT_TRUE(table.hallRestored());
    EXPECT_TRUE(c.s.g_bScorePending);
    EXPECT_EQ(c.s.g_aHeldResultFrame, fourth);
}

}  // namespace
}  // namespace dispatch_test
