// A player sits down: the seat found from the own flag, the seat panel, the score heads, the
// props plug-in's copy, the video link, the wealth multiplier, the full table and the voices.
#include "dispatch/seating.h"

#include <gtest/gtest.h>

#include "connection/hall_link.h"
#include "seating_fixture.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "table/wealth_label.h"

namespace dispatch_test {
namespace {

using support::BuildPlayerInfo;

struct SeatCase {
    const char* name;
    std::uint8_t ownSeat;     // byte 6 of the first frame
    std::uint8_t playerSeat;  // byte 226
    int relative;
};

class RelativeSeats : public SeatingTest, public ::testing::WithParamInterface<SeatCase> {};

TEST_P(RelativeSeats, TheFirstFrameFixesTheOwnSeatAndPlacesEachPlayer) {
    const SeatCase& p = GetParam();
    seat(Seated(p.ownSeat, p.playerSeat, "player"));
    EXPECT_EQ(c.s.custom[0].seat, p.ownSeat & 15);
    EXPECT_EQ(c.s.custom[p.relative].name, QStringLiteral("player"));
    EXPECT_EQ(form().Nid[p.relative].caption(), QStringLiteral("[会] player-nick"));
    if (p.relative != 0) {
        EXPECT_EQ(c.s.custom[p.relative].seat, p.playerSeat & 15);
    }
    // A later frame never changes the own flag.
    seat(Seated(8, 1, "other"));
    EXPECT_EQ(c.s.custom[0].seat, p.ownSeat & 15);
}

INSTANTIATE_TEST_SUITE_P(Seating, RelativeSeats,
                         ::testing::Values(SeatCase{"Own1Player1IsLocal", 1, 1, 0},
                                           SeatCase{"Own1Player2IsLeft", 1, 2, 1},
                                           SeatCase{"Own1Player4IsOpposite", 1, 4, 2},
                                           SeatCase{"Own1Player8IsRight", 1, 8, 3},
                                           SeatCase{"Own2Player1IsRight", 2, 1, 3},
                                           SeatCase{"Own2Player8IsOpposite", 2, 8, 2},
                                           SeatCase{"Own4Player1IsOpposite", 4, 1, 2},
                                           SeatCase{"Own4Player8IsLeft", 4, 8, 1},
                                           SeatCase{"Own8Player1IsLeft", 8, 1, 1},
                                           SeatCase{"Own8Player4IsRight", 8, 4, 3},
                                           SeatCase{"HighNibbleIgnored", 0x12, 0x24, 1},
                                           SeatCase{"NoPlayerBitCountsAsTheFirst", 2, 0, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FaceCase {
    const char* name;
    const char* face;
    int wealthLevel;
    int index;
};

class AvatarFaces : public ::testing::TestWithParam<FaceCase> {};

TEST_P(AvatarFaces, GiveTheAvatarIndex) {
    const FaceCase& p = GetParam();
    EXPECT_EQ(dispatch::AvatarIndex(QString::fromLatin1(p.face), p.wealthLevel), p.index);
}

INSTANTIATE_TEST_SUITE_P(Seating, AvatarFaces,
                         ::testing::Values(FaceCase{"M1", "m1", 0, 0}, FaceCase{"M10", "m10", 0, 9},
                                           FaceCase{"W1", "w1", 0, 10},
                                           FaceCase{"W10", "w10", 0, 19},
                                           FaceCase{"M11IsTheFirstMale", "m11", 0, 0},
                                           FaceCase{"W99IsTheFirstFemale", "w99", 0, 10},
                                           FaceCase{"W0IsTheLastMale", "w0", 0, 9},
                                           FaceCase{"UpperCaseWIsMale", "W3", 0, 2},
                                           FaceCase{"LongCodeKeepsTheWealthLevel", "m1234", 2, 2},
                                           FaceCase{"LoneWKeepsTheWealthLevelPlusTen", "w", 1, 11},
                                           FaceCase{"M0IsOutOfRange", "m0", 0, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AvatarFaces, ANonDigitAfterTheSexLetterFails) {
    EXPECT_THROW(dispatch::AvatarIndex(QStringLiteral("mx"), 0), platform::RuntimeFailure);
    EXPECT_THROW(dispatch::AvatarIndex(QStringLiteral("m1x"), 0), platform::RuntimeFailure);
}

struct GoldCase {
    const char* name;
    std::uint64_t gold;
    int badge;
};

class ReadyBadges : public SeatingTest, public ::testing::WithParamInterface<GoldCase> {};

TEST_P(ReadyBadges, ShowTheWealthLevelOfTheGold) {
    auto fields = Seated(1, 2, "left", GetParam().gold);
    fields.ready = 1;
    seat(fields);
    EXPECT_TRUE(form().OK[1].visible());
    EXPECT_TRUE(ShowsResource(form().OK[1].picture(), GetParam().badge));
}

INSTANTIATE_TEST_SUITE_P(Seating, ReadyBadges,
                         ::testing::Values(GoldCase{"Gold0", 0, 280},
                                           GoldCase{"Gold19999", 19999, 280},
                                           GoldCase{"Gold20000", 20000, 281},
                                           GoldCase{"Gold59999", 59999, 281},
                                           GoldCase{"Gold60000", 60000, 282}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SeatingTest, FillsTheSeatPanelTheScoreHeadsAndTheAvatars) {
    auto fields = Seated(1, 4, "across", 12345);
    fields.face = "w2";
    fields.tag = "";
    seat(fields);
    EXPECT_EQ(form().Nid[2].caption(), QStringLiteral("[] across-nick"));
    EXPECT_EQ(form().Cash[2].caption(), QStringLiteral("12345金币"));
    EXPECT_EQ(form().Level[2].caption(), QStringLiteral("新手"));
    EXPECT_TRUE(ShowsResource(form().Tou[2].picture(), 251));
    EXPECT_TRUE(ShowsResource(c.Score->Tou[2].picture(), 251));
    EXPECT_TRUE(ShowsResource(c.Hero->Tou[2].picture(), 251));
    EXPECT_EQ(c.Score->ID[2].caption(), QStringLiteral("across-nick"));
    EXPECT_EQ(c.Hero->ID[2].caption(), QStringLiteral("across-nick"));
    EXPECT_EQ(c.s.g_aScoreHeads[2].avatarIndex, QStringLiteral("11"));
    EXPECT_EQ(c.s.g_aScoreHeads[2].nickname, QStringLiteral("across-nick"));
    EXPECT_EQ(c.s.Player_num, 1);
    EXPECT_EQ(c.s.ID_num, 1);
}

TEST_F(SeatingTest, ReadyZeroLeavesAShownBadgeAndTheLocalFrameFreesTheReadyButton) {
    c.s.g_aAnNiuState[2] = true;
    auto fields = Seated(1, 2, "left");
    fields.ready = 1;
    seat(fields);
    fields.ready = 0;
    seat(fields);
    EXPECT_TRUE(form().OK[1].visible());
    EXPECT_TRUE(c.s.g_aAnNiuState[2]);
    seat(Seated(1, 1, "me"));
    EXPECT_FALSE(c.s.g_aAnNiuState[2]);
}

TEST_F(SeatingTest, APlayerArrivingTwiceCountsTwiceAndOverwritesTheSeat) {
    seat(Seated(1, 2, "left", 100));
    seat(Seated(1, 2, "left", 200));
    EXPECT_EQ(c.s.Player_num, 2);
    EXPECT_EQ(c.s.ID_num, 2);
    EXPECT_EQ(form().Cash[1].caption(), QStringLiteral("200金币"));
}

TEST_F(SeatingTest, TheFourthPlayerPreparesTheTableAndRestoresTheWindow) {
    form().setWindowState(forms::WindowState::Minimized);
    harness.desktop.clearRecords(harness.hall);
    seatFour();
    EXPECT_EQ(form().windowState(), forms::WindowState::Normal);
    // The restored window minimises the hall as well, as every restore of the table does.
    ASSERT_FALSE(hallCommands().empty());
    for (const auto command : hallCommands()) {
        EXPECT_EQ(command, platform::SystemCommand::Minimise);
    }
    EXPECT_TRUE(c.s.Inited);
    ASSERT_EQ(form().Sysmsg[0].listCount(), 1);
    EXPECT_EQ(form().Sysmsg[0].list(0), QStringLiteral("游戏将在15秒内开始"));
    // The preparation resets the arrivals, so this frame hands out no voices.
    EXPECT_EQ(c.s.ID_num, 0);
    EXPECT_TRUE(c.s.g_aPlayerInfo[1].voiceCode.isEmpty());
}

TEST_F(SeatingTest, AfterAHandWasDealtTheFourthPlayerLeavesTheWindowAlone) {
    c.s.g_bHandStarted = true;
    form().setWindowState(forms::WindowState::Minimized);
    harness.desktop.clearRecords(harness.hall);
    seatFour();
    EXPECT_EQ(form().windowState(), forms::WindowState::Minimized);
    EXPECT_TRUE(hallCommands().empty());
    EXPECT_TRUE(c.s.Inited);  // the full table is still prepared
}

TEST_F(SeatingTest, FourArrivalsWithoutAResetHandOutDistinctVoicesPerSex) {
    c.s.Inited = true;
    const std::uint8_t sexes[] = {1, 1, 0, 2};
    for (int i = 0; i < 4; ++i) {
        auto fields = Seated(1, std::uint8_t(1 << i), "p" + std::to_string(i));
        fields.sex = sexes[i];
        fields.voiceCode = "keep";
        fields.voiceId = "99";
        seat(fields);
    }
    const auto& info = c.s.g_aPlayerInfo;
    EXPECT_EQ(c.s.ID_num, 5);
    EXPECT_EQ(info[0].voiceCode, QStringLiteral("27"));
    EXPECT_EQ(info[1].voiceCode, QStringLiteral("27"));
    EXPECT_NE(info[0].voiceId, info[1].voiceId);
    EXPECT_EQ(info[0].voiceSlot, 3);
    EXPECT_EQ(info[2].voiceSlot, 2);
    EXPECT_TRUE(QStringList({"10", "20", "30", "40"}).contains(info[2].voiceId));
    EXPECT_EQ(info[3].voiceCode, QStringLiteral("keep"));  // sex 2 keeps the frame's voice
    EXPECT_EQ(info[3].voiceId, QStringLiteral("99"));
    int males = 0;
    for (bool taken : c.s.g_aMaleVoiceTaken) males += taken;
    EXPECT_EQ(males, 2);
}

struct MultiplierCase {
    const char* name;
    std::array<std::int32_t, 4> entries;
    std::int32_t smallest;
};

class MinWealth : public SeatingTest, public ::testing::WithParamInterface<MultiplierCase> {};

TEST_P(MinWealth, IsTheSmallestPositiveEntry) {
    c.s.g_aSeatBeishu = GetParam().entries;
    EXPECT_EQ(table::MinWealthMultiplier(c), GetParam().smallest);
}

INSTANTIATE_TEST_SUITE_P(Seating, MinWealth,
                         ::testing::Values(MultiplierCase{"Middle", {0, 3, 2, 0}, 2},
                                           MultiplierCase{"First", {5, 0, 0, 7}, 5},
                                           MultiplierCase{"None", {0, 0, 0, 0}, 0},
                                           MultiplierCase{"NegativeIgnored", {-4, 0, 9, 0}, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SeatingTest, TheWealthMultiplierShowsTheSmallestSeatsOrHidesForAZero) {
    c.s.g_aSeatBeishu = {0, 0, 2, 0};
    auto fields = Seated(1, 2, "left");
    fields.wealth = 3;
    seat(fields);
    EXPECT_EQ(c.s.beishu, 3);
    EXPECT_EQ(c.s.g_aSeatBeishu[1], 3);
    EXPECT_EQ(form().lbwealth.caption(), QStringLiteral("2"));
    EXPECT_TRUE(form().lbwealth.visible());
    EXPECT_TRUE(form().Imgwealth.visible());
    EXPECT_TRUE(form().lbfont[1].visible());

    fields.wealth = 0;
    seat(fields);
    EXPECT_EQ(c.s.beishu, 0);
    EXPECT_FALSE(form().lbwealth.visible());
    EXPECT_FALSE(form().Imgwealth.visible());
    EXPECT_EQ(c.s.g_aSeatBeishu[1], 3);  // kept until the seat is left
}

struct PlacementCase {
    const char* name;
    float scale;
    std::int32_t value;
    float fontSize, left, top;
};

class WealthLabel : public SeatingTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(WealthLabel, TakesTheFontAndPlaceOfItsWidthAndScale) {
    const PlacementCase& p = GetParam();
    c.s.g_fScaleX = c.s.g_fScaleY = p.scale;
    table::ShowWealthMultiplier(c, p.value);
    EXPECT_EQ(form().lbwealth.fontSize(), p.fontSize);
    EXPECT_FLOAT_EQ(form().lbwealth.left(), p.left * p.scale);
    EXPECT_FLOAT_EQ(form().lbwealth.top(), p.top * p.scale);
}

INSTANTIATE_TEST_SUITE_P(Seating, WealthLabel,
                         ::testing::Values(PlacementCase{"Full99", 1.0f, 99, 18, 62, 505},
                                           PlacementCase{"Full100", 1.0f, 100, 13, 58, 507},
                                           PlacementCase{"Reduced99", 0.78125f, 99, 18, 74, 491},
                                           PlacementCase{"Reduced100", 0.78125f, 100, 13, 72, 497}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SeatingTest, TheLoadedPluginGetsThePlayerAndTheAvatarMakesWayForIt) {
    auto& plugin = loadPropPlugin();
    c.s.g_nPropAllowed = 1;
    seat(Seated(1, 2, "left", 500));
    EXPECT_EQ(plugin.clearedSeats, std::vector<std::int16_t>{1});
    ASSERT_EQ(plugin.users.size(), 1u);
    EXPECT_EQ(plugin.users[0].account, QStringLiteral("left"));
    EXPECT_EQ(plugin.users[0].nickname, QStringLiteral("left-nick"));
    EXPECT_EQ(plugin.users[0].seatFlag, 2);
    EXPECT_EQ(plugin.users[0].seat, 1);
    EXPECT_EQ(plugin.users[0].face, QStringLiteral("m3"));
    EXPECT_FALSE(form().Tou[1].visible());
    EXPECT_FALSE(form().Tou[1].enabled());

    // A player without gold is not handed over.
    seat(Seated(1, 4, "across", 0));
    EXPECT_EQ(plugin.users.size(), 1u);
    EXPECT_TRUE(form().Tou[2].visible());
}

TEST_F(SeatingTest, APluginThatRefusesThePlayerIsShutDown) {
    auto& plugin = loadPropPlugin();
    plugin.acceptUsers = false;
    c.s.g_nPropAllowed = 1;
    seat(Seated(1, 2, "left", 500));
    EXPECT_EQ(plugin.exits, std::vector<std::int16_t>{0});
    EXPECT_EQ(c.s.g_nPropState, -1);
}

TEST_F(SeatingTest, ARoomWithoutPropsMarksThePluginUnavailable) {
    c.s.g_nPropAllowed = 1;
    auto fields = Seated(1, 2, "left");
    fields.noProps = 1;
    seat(fields);
    EXPECT_EQ(c.s.g_nPropState, -1);
}

TEST_F(SeatingTest, WithoutACameraTheLocalPlayersFrameSaysSo) {
    seat(Seated(1, 1, "me"));
    EXPECT_FALSE(c.s.g_bLocalVideoOk);
    EXPECT_EQ(form().Sysmsg[0].list(form().Sysmsg[0].listCount() - 1),
              QStringLiteral("您没有视频设备或您的视频源正在使用。"));
}

struct VideoCase {
    const char* name;
    std::array<const char*, 3> users;
    std::array<std::int16_t, 3> states;
    std::int16_t slotCount;
    int requestedSlot;  // 0: none
};

class VideoLink : public SeatingTest, public ::testing::WithParamInterface<VideoCase> {};

TEST_P(VideoLink, AsksForTheArrivingPlayersVideoInTheChosenSlot) {
    const VideoCase& p = GetParam();
    auto relay = std::make_unique<ScriptedRelay>();
    ScriptedRelay& scripted = *relay;
    for (int k = 1; k <= 3; ++k) {
        scripted.users[std::size_t(k)] = QString::fromLatin1(p.users[std::size_t(k - 1)]);
        scripted.states[std::size_t(k)] = p.states[std::size_t(k - 1)];
    }
    scripted.SlotCount = p.slotCount;
    form().P2PSocket1 = std::move(relay);
    c.s.g_bVideoRequested = true;
    seat(Seated(1, 4, "across"));  // relative seat 2
    if (p.requestedSlot == 0) {
        EXPECT_TRUE(scripted.requests.empty());
        return;
    }
    ASSERT_EQ(scripted.requests.size(), 1u);
    EXPECT_EQ(scripted.requests[0].slot, p.requestedSlot);
    EXPECT_EQ(scripted.requests[0].user, QStringLiteral("across"));
}

INSTANTIATE_TEST_SUITE_P(
    Seating, VideoLink,
    ::testing::Values(VideoCase{"HighestFreeSlot", {"", "x", ""}, {0, 12, 0}, 3, 3},
                      VideoCase{"SlotHoldingThePlayerWins", {"", "across", ""}, {0, 5, 0}, 3, 2},
                      VideoCase{
                          "ConnectedHolderIsNotAskedAgain", {"across", "", ""}, {12, 0, 0}, 3, 0},
                      VideoCase{"NoFreeSlotKeepsTheSeatsOwn", {"a", "b", "c"}, {5, 5, 5}, 3, 2},
                      VideoCase{"SlotBeyondTheCountIsNotAsked", {"a", "b", "c"}, {5, 5, 5}, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SeatingTest, MalformedProfilesFailOnlyTheirFrame) {
    // A counter past the signed range: the profile stops there, nothing after it is shown.
    auto overflow = Seated(1, 2, "left", 500);
    overflow.wins = 0x80000000u;
    harness.desktop.clearRecords(harness.hall);
    seat(overflow);
    EXPECT_EQ(hallCommands(),
              std::vector<platform::SystemCommand>{platform::SystemCommand::Restore});
    EXPECT_EQ(c.s.custom[1].name, QStringLiteral("left"));
    EXPECT_TRUE(form().Nid[1].caption().isEmpty());

    // A face without an avatar number: the labels stay empty.
    auto badFace = Seated(1, 4, "across");
    badFace.face = "mx";
    seat(badFace);
    EXPECT_TRUE(form().Nid[2].caption().isEmpty());
    badFace.face = "m0";
    seat(badFace);
    EXPECT_TRUE(form().Nid[2].caption().isEmpty());

    // A wealth multiplier past the signed range keeps the one before.
    auto good = Seated(1, 8, "right");
    good.wealth = 7;
    seat(good);
    ASSERT_EQ(c.s.beishu, 7);
    state::Frame frame = BuildPlayerInfo(good);
    frame[237] = 0x80;
    dispatch(frame);
    EXPECT_EQ(c.s.beishu, 7);
    EXPECT_EQ(form().lbwealth.caption(), QStringLiteral("7"));
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

}  // namespace
}  // namespace dispatch_test
