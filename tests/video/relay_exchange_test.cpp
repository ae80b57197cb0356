// The table's side of the relay exchange against a recording relay and recording panes.
#include "video/relay_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/table_fixture.h"
#include "video/leave_table.h"
#include "video_fakes.h"

namespace {

using table_test::LoadedTable;
using table_test::Screen;
using video_test::RecordingVideo;

class RelayExchange : public ::testing::Test {
  protected:
    LoadedTable table{Screen::Framed1280};
    client::MainForm& form = table.form();
    state::SharedState& s = table.s();
    RecordingVideo video{form};

    void seat(int k, const QString& account) { s.custom[std::size_t(k)].name = account; }
    // A peer `account` connected in `slot` at `state`.
    void connect(int slot, const QString& account, std::int16_t state) {
        video.relay->users[std::size_t(slot)] = account;
        video.relay->states[std::size_t(slot)] = state;
    }
    void arrive(int slot, const QByteArray& frame) {
        form.P2PSocket1->FrameArrival(std::int16_t(slot), frame);
    }
};

struct RequestCase {
    std::string name;
    std::array<QString, 4> accounts;  // seats 1..3
    std::array<QString, 4> slotUsers;
    std::array<std::int16_t, 4> slotStates;
    std::int16_t slotCount;
    std::vector<std::pair<int, QString>> expected;  // (slot, account) in order
};

class InitialRequests : public RelayExchange, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(InitialRequests, AskForTheSeatedPlayersInTheirSlots) {
    const RequestCase& c = GetParam();
    for (int k = 1; k <= 3; ++k) seat(k, c.accounts[std::size_t(k)]);
    for (int slot = 1; slot <= 3; ++slot) {
        connect(slot, c.slotUsers[std::size_t(slot)], c.slotStates[std::size_t(slot)]);
    }
    video.relay->SlotCount = c.slotCount;
    form.P2PSocket1->ServerState(2);
    std::vector<std::pair<int, QString>> asked;
    for (const auto& call : video.relay->callsOf("RequestVideo"))
        asked.push_back({call.slot, call.text});
    EXPECT_EQ(asked, c.expected);
    EXPECT_TRUE(s.g_bRelayLoggedIn);
    EXPECT_TRUE(s.g_bVideoRequested);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, InitialRequests,
    ::testing::Values(RequestCase{"FreeSlotsGiveSeatOneTheHighest",
                                  {"", "a", "b", "c"},
                                  {},
                                  {},
                                  3,
                                  {{3, "a"}, {2, "b"}, {1, "c"}}},
                      RequestCase{"EmptySeatsAreSkipped", {"", "", "b", ""}, {}, {}, 3, {{3, "b"}}},
                      RequestCase{"APlayerNotYetConnectedIsAskedInHisSlot",
                                  {"", "", "b", ""},
                                  {"", "", "b", ""},
                                  {0, 0, 5, 0},
                                  3,
                                  {{2, "b"}}},
                      RequestCase{"AConnectedPlayerIsNotAskedAgain",
                                  {"", "", "b", ""},
                                  {"", "", "b", ""},
                                  {0, 0, 12, 0},
                                  3,
                                  {}},
                      RequestCase{"NoFreeSlotFallsBackOnSlotOne",
                                  {"", "a", "", ""},
                                  {"", "x", "y", "z"},
                                  {0, 3, 3, 3},
                                  3,
                                  {{1, "a"}}},
                      RequestCase{"NoSlotsAskNobody", {"", "a", "b", "c"}, {}, {}, 0, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(RelayExchange, OnlyTheFirstLoginAtTheRelayAsksForVideo) {
    seat(1, "a");
    form.P2PSocket1->ServerState(2);
    form.P2PSocket1->ServerState(2);
    form.P2PSocket1->ServerState(0);
    EXPECT_FALSE(s.g_bRelayLoggedIn);
    form.P2PSocket1->ServerState(2);
    EXPECT_TRUE(s.g_bRelayLoggedIn);
    EXPECT_EQ(video.relay->callsOf("RequestVideo").size(), 1u);
}

struct PeerStateCase {
    std::int16_t state;
    bool sends;
};

class PeerStates : public RelayExchange, public ::testing::WithParamInterface<PeerStateCase> {};

TEST_P(PeerStates, StartSendingOnlyAtFourteenAndFifteen) {
    s.g_aLocalFrame = "local";
    form.ziva1->CaptureMode = 2;
    form.P2PSocket1->PeerState(2, GetParam().state);
    std::vector<std::string> order;
    for (const auto& call : video.relay->calls) order.push_back(call.what);
    if (!GetParam().sends) {
        EXPECT_TRUE(order.empty());
        return;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"SendFormat", "SendMode", "SendFrame"}));
    EXPECT_EQ(video.relay->calls[0].number, form.ziva1->CaptureFormat);
    EXPECT_EQ(video.relay->calls[1].number, 2);
    EXPECT_EQ(video.relay->calls[2].bytes, QByteArray("local"));
    for (const auto& call : video.relay->calls) EXPECT_EQ(call.slot, 2);
}

INSTANTIATE_TEST_SUITE_P(States, PeerStates,
                         ::testing::Values(PeerStateCase{10, false}, PeerStateCase{13, false},
                                           PeerStateCase{14, true}, PeerStateCase{15, true},
                                           PeerStateCase{16, false}),
                         [](const auto& info) {
                             return "State" + std::to_string(info.param.state);
                         });

struct ThrottleCase {
    std::string name;
    std::int16_t state;
    std::vector<int> sentOfFirst66;  // 1-based frame numbers
};

class CapturedFrames : public RelayExchange, public ::testing::WithParamInterface<ThrottleCase> {};

TEST_P(CapturedFrames, GoToEachSlotThroughItsThrottle) {
    connect(2, "b", GetParam().state);
    std::vector<int> sent;
    for (int frame = 1; frame <= 66; ++frame) {
        form.ziva1->FrameCaptured(QByteArray::number(frame));
        const auto sends = video.relay->callsOf("SendFrame");
        if (sends.size() > sent.size()) sent.push_back(sends.back().bytes.toInt());
    }
    EXPECT_EQ(sent, GetParam().sentOfFirst66);
    EXPECT_EQ(s.g_aLocalFrame, QByteArray("66"));
}

std::vector<int> Every66() {
    std::vector<int> all;
    for (int i = 1; i <= 66; ++i) all.push_back(i);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Slot, CapturedFrames,
                         ::testing::Values(ThrottleCase{"NotConnected", 9, {}},
                                           ThrottleCase{"Reduced", 12, {1, 2, 3, 24, 45, 66}},
                                           ThrottleCase{
                                               "StartedReduced", 14, {1, 2, 3, 24, 45, 66}},
                                           ThrottleCase{"FullRate", 15, Every66()}),
                         [](const auto& info) { return info.param.name; });

TEST_F(RelayExchange, ThrottlesAreKeptPerSlotAndUntouchedAtFullRate) {
    connect(1, "a", 12);
    connect(3, "c", 15);
    s.g_aPeerSendCount[3] = 7;
    for (int frame = 1; frame <= 5; ++frame) form.ziva1->FrameCaptured("f");
    EXPECT_EQ(s.g_aPeerSendCount[1], 5);
    EXPECT_EQ(s.g_aPeerSendCount[2], 0);
    EXPECT_EQ(s.g_aPeerSendCount[3], 7);
}

// A socket claiming more than the three slots the counters cover is held to those three.
TEST_F(RelayExchange, ASlotCountAboveThreeSendsToTheFirstThreeOnly) {
    video.relay->SlotCount = 6;
    for (int slot = 1; slot <= 6; ++slot) connect(slot, QString::number(slot), 12);
    form.ziva1->FrameCaptured("f");
    std::vector<int> slots;
    for (const auto& call : video.relay->callsOf("SendFrame")) slots.push_back(call.slot);
    EXPECT_EQ(slots, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.g_aPeerSendCount, (std::array<std::int16_t, 4>{0, 1, 1, 1}));
}

TEST_F(RelayExchange, AFirstFrameOpensThePaneOfTheSlotsSeat) {
    seat(1, "a");
    seat(3, "c");
    connect(2, "c", 15);
    arrive(2, "frame1");
    EXPECT_TRUE(s.g_aPaneOpened[3]);
    EXPECT_TRUE(form.ImgKuang[3].visible());
    EXPECT_TRUE(form.PicLocal[3].visible());
    EXPECT_TRUE(form.vshow1[3].Visible);
    EXPECT_TRUE(form.Timer_Vshow3.enabled());
    EXPECT_EQ(video.panes[3]->raised, 1);
    EXPECT_EQ(video.panes[3]->shown, std::vector<QByteArray>{"frame1"});
    EXPECT_FALSE(form.vshow1[1].Visible);
    arrive(2, "frame2");
    EXPECT_EQ(video.panes[3]->shown, (std::vector<QByteArray>{"frame1", "frame2"}));
    EXPECT_EQ(s.g_aRemoteFrame3, QByteArray("frame2"));
}

TEST_F(RelayExchange, FramesOfUnknownOrUnconnectedPeersAreDropped) {
    seat(1, "a");
    seat(2, "b");
    connect(1, "stranger", 15);
    connect(2, "a", 9);
    connect(3, "b", 9);
    arrive(1, "x");
    arrive(2, "y");
    arrive(3, "z");
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(video.panes[std::size_t(k)]->shown.empty()) << k;
    // Seat 2 keeps even a frame its pane does not show; seat 1 does not.
    EXPECT_EQ(s.g_aRemoteFrame1, QByteArray());
    EXPECT_EQ(s.g_aRemoteFrame2, QByteArray("z"));
}

TEST_F(RelayExchange, AFrameFromAnEmptySlotGoesToTheFirstEmptySeat) {
    seat(1, "a");
    connect(3, "", 15);
    arrive(3, "x");
    EXPECT_TRUE(s.g_aPaneOpened[2]);
    EXPECT_EQ(s.g_aRemoteFrame2, QByteArray("x"));
}

// Closed panes: pane 1 keeps the frame from before the closing, panes 2 and 3 the newest; the
// re-opened panes redraw those 30 ms later.
TEST_F(RelayExchange, ReopeningRedrawsWhatEachClosedPaneKept) {
    for (int k = 1; k <= 3; ++k) {
        seat(k, QString::number(k));
        connect(k, QString::number(k), 15);
        arrive(k, "before");
        s.g_aPaneClosed[std::size_t(k)] = true;
        form.vshow1[k].Visible = false;
        video.panes[std::size_t(k)]->shown.clear();
    }
    for (int k = 1; k <= 3; ++k) arrive(k, "during");
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(video.panes[std::size_t(k)]->shown.empty()) << k;
    for (int k = 1; k <= 3; ++k) form.ImgShow_Click(k);
    table.harness.scheduler.advance(30);
    EXPECT_EQ(video.panes[1]->shown, std::vector<QByteArray>{"before"});
    EXPECT_EQ(video.panes[2]->shown, std::vector<QByteArray>{"during"});
    EXPECT_EQ(video.panes[3]->shown, std::vector<QByteArray>{"during"});
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(s.g_aPaneClosed[std::size_t(k)]);
    // Open again, the next frame is drawn at once and the timers stay stopped.
    arrive(1, "after");
    EXPECT_EQ(video.panes[1]->shown.back(), QByteArray("after"));
    EXPECT_FALSE(form.Timer_Vshow1.enabled());
}

TEST_F(RelayExchange, ARedrawTimerDrawsNothingWhileItsBarIsHidden) {
    s.g_aRemoteFrame2 = "kept";
    form.Timer_Vshow2.setEnabled(true);
    table.harness.scheduler.advance(30);
    EXPECT_TRUE(video.panes[2]->shown.empty());
    EXPECT_FALSE(form.Timer_Vshow2.enabled());
}

TEST_F(RelayExchange, ADepartureEmptiesTheSeatsPane) {
    seat(2, "b");
    connect(1, "b", 12);
    arrive(1, "x");
    form.ziva1->FrameCaptured("f");
    s.g_aPaneClosed[2] = true;
    s.g_aPeerSendCount[2] = 9;
    video::HideSeatPanes(*table.c, 2);
    EXPECT_FALSE(s.g_aPaneOpened[2]);
    EXPECT_FALSE(s.g_aPaneClosed[2]);
    EXPECT_EQ(s.g_aPeerSendCount[2], 0);
    EXPECT_EQ(s.g_aRemoteFrame2, QByteArray());
    EXPECT_FALSE(form.vshow1[2].Visible);
    EXPECT_FALSE(form.PicLocal[2].visible());
    // The slot counter with the seat's number goes, not the slot's.
    EXPECT_EQ(s.g_aPeerSendCount[1], 1);
}

TEST_F(RelayExchange, ThePhotoNoticeGoesToTheSystemMessages) {
    form.Sysmsg[0].clear();
    form.Sysmsg[1].clear();
    form.ShowPhotoSavedNotice();
    EXPECT_EQ(form.Sysmsg[0].list(0), QStringLiteral("照相成功,照片保存在本机相册中。"));
}

}  // namespace
