// The settlement sheet and a seat's result as plain data, against the lines the game shows.
#include <gtest/gtest.h>

#include <cmath>

#include "settlement/settlement_record.h"
#include "settlement/settlement_sheet.h"

namespace settlement {
namespace {

HandResult Win(double amount, std::uint8_t place = 1) {
    HandResult r;
    r.place = place;
    r.totalSign = 1;
    r.totalAmount = amount;
    r.finalSign = 1;
    r.finalAmount = amount;
    return r;
}

HandResult Loss(double amount, std::uint8_t place = 4) {
    HandResult r;
    r.place = place;
    r.totalSign = 0;
    r.totalAmount = amount;
    r.finalSign = 0;
    r.finalAmount = amount;
    return r;
}

SheetInput Hand(std::array<HandResult, 4> results, std::array<int, 4> columns = {0, 1, 2, 3}) {
    SheetInput in;
    for (std::size_t i = 0; i < 4; ++i) in.frames[i] = {results[i], columns[i]};
    for (std::size_t k = 0; k < 4; ++k) in.startGold[k] = QStringLiteral("1000金币");
    in.frames[3].result.baseGold = 50;
    in.note = QStringLiteral("好牌");
    return in;
}

const QString E;  // an empty line
const QString B = QStringLiteral(" ");

TEST(SettlementSheet, AWinnerAndALoserColumnLineByLine) {
    HandResult winner = Win(300);
    winner.mengXuan = 1;
    winner.bonusX2[4] = 1;
    winner.capped = 1;
    const Sheet sheet = BuildSheet(Hand({winner, Loss(100, 2), Loss(100, 3), Loss(100)}));
    const QStringList expectedWinner = {"初始：1000金币",
                                        "房间底金：50金币",
                                        "第一名",
                                        E,
                                        "梦宣： × 4",
                                        E,
                                        E,
                                        E,
                                        E,
                                        E,
                                        "包打：  × 2",
                                        E,
                                        "封顶",
                                        "总分：300金币",
                                        "-----------",
                                        E,
                                        "好牌",
                                        E,
                                        "最终分：300金币"};
    EXPECT_EQ(sheet.lines[0], expectedWinner);
    const QStringList expectedLoser = {"初始：1000金币",
                                       "房间底金：50金币",
                                       "第二名",
                                       E,
                                       B,
                                       E,
                                       E,
                                       E,
                                       E,
                                       E,
                                       E,
                                       E,
                                       E,
                                       "总分：- 100金币",
                                       "-----------",
                                       E,
                                       E,
                                       E,
                                       "最终分：- 100金币"};
    EXPECT_EQ(sheet.lines[1], expectedLoser);
    EXPECT_EQ(sheet.lines[4], QStringList{"最终分：300金币"});
    EXPECT_EQ(sheet.lines[5], QStringList{"最终分：- 100金币"});
    EXPECT_EQ(sheet.baseGold, 50);
}

struct LineCase {
    const char* name;
    HandResult result;
    std::int32_t beishu;
    int line;  // from the end of column 0
    QString expected;
};

class SheetLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(SheetLines, ShowTheLinesTheFrameAsksFor) {
    const LineCase& t = GetParam();
    SheetInput in = Hand({t.result, Loss(1), Loss(1), Loss(1)});
    in.beishu = t.beishu;
    in.beishuText = QStringLiteral("3");
    const Sheet sheet = BuildSheet(in);
    const QStringList& column = sheet.lines[0];
    EXPECT_EQ(column[column.size() - 1 - t.line], t.expected);
}

HandResult With(HandResult r, void (*change)(HandResult&)) {
    change(r);
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    , SheetLines,
    ::testing::Values(
        LineCase{"TotalSignOneWithZero", With(Win(0), [](HandResult& r) { r.finalAmount = 5; }), 0,
                 5, "总分：0金币"},
        LineCase{"TotalSignZeroWithZero", Loss(0), 0, 5, "总分： 0金币"},
        LineCase{"TotalSignZeroWith250", Loss(250), 0, 5, "总分：- 250金币"},
        LineCase{"Capped", With(Loss(5), [](HandResult& r) { r.capped = 1; }), 0, 6, "封顶"},
        LineCase{"FinalSignTwoShowsALoss", With(Win(70), [](HandResult& r) { r.finalSign = 2; }), 0,
                 0, "最终分：- 70金币"},
        LineCase{"LostNothing", Loss(0), 0, 0, "最终分： 0金币"},
        LineCase{"WonNothing", Win(0), 0, 0, "最终分：0金币"},
        LineCase{"AmountOf10To15InExponentForm", Win(1e15), 0, 0, "最终分：1E+15金币"},
        LineCase{"TwoTo53PlusOneShowsAsTwoTo53", Win(std::pow(2.0, 53) + 1), 0, 0,
                 "最终分：9.00719925474099E+15金币"},
        LineCase{"JustBelow10To15InDigits", Win(999999999999999), 0, 0,
                 "最终分：999999999999999金币"},
        LineCase{"SubtotalPlus",
                 With(Win(9),
                      [](HandResult& r) {
                          r.subtotalSign = 1;
                          r.subtotalAmount = 3;
                      }),
                 2, 8, "小计：+3金币"},
        LineCase{"SubtotalMinus",
                 With(Win(9),
                      [](HandResult& r) {
                          r.subtotalSign = 2;
                          r.subtotalAmount = 3;
                      }),
                 2, 8, "小计：-3金币"},
        LineCase{"SubtotalZeroHasNoAmount",
                 With(Win(9),
                      [](HandResult& r) {
                          r.subtotalSign = 0;
                          r.subtotalAmount = 3;
                      }),
                 2, 8, "小计：0"},
        LineCase{"WealthLine", Win(9), 2, 7, "财富加倍 ×3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettlementSheet, ColumnsFollowTheSeatsAndTheLastFrameGivesBaseGoldAndNote) {
    // Frames for relative seats 2, 0, 3, 1 in that order; a second frame for seat 2 leaves
    // seat 1 with its header only, padded with blanks.
    SheetInput in = Hand({Win(10, 1), Loss(20, 2), Loss(30, 3), Win(40, 1)}, {2, 0, 3, 2});
    in.frames[3].result.baseGold = 70;
    const Sheet sheet = BuildSheet(in);
    EXPECT_EQ(sheet.lines[0][2], "第二名");
    EXPECT_EQ(sheet.lines[3][2], "第三名");
    EXPECT_EQ(sheet.lines[2].count("第一名"), 2);
    EXPECT_EQ(sheet.lines[1][1], "房间底金：70金币");
    ASSERT_EQ(sheet.lines[1].size(), 22);
    for (qsizetype i = 2; i < 22; ++i) EXPECT_EQ(sheet.lines[1][i], B);
    EXPECT_TRUE(sheet.lines[5].isEmpty());
    EXPECT_EQ(sheet.lines[6], (QStringList{"最终分：10金币", "最终分：40金币"}));
}

TEST(SettlementSheet, PropsLinesTakeTheirColoursAndEndOnOneRow) {
    SheetInput in = Hand({Win(10), Loss(500), Win(10), Loss(10)});
    in.scoreLines[1] = QStringLiteral("宝箱奖励00000255|再来一次");
    in.scoreLines[2] = QStringLiteral("0065280");
    in.scoreLines[3] = QStringLiteral("坏颜色abcdefgh");
    in.prizeAmount = {5, 20, 7, 0};
    const Sheet sheet = BuildSheet(in);
    EXPECT_EQ(sheet.lines[1].mid(2, 3), (QStringList{"宝箱奖励", "再来一次", E}));
    EXPECT_EQ(sheet.colour[1], 255u);
    // A seven-character piece stays whole and is still read as a colour.
    EXPECT_EQ(sheet.lines[2].mid(2, 3), (QStringList{"0065280", E, E}));
    EXPECT_EQ(sheet.colour[2], 65280u);
    // Eight characters that are no number are dropped and keep the last good colour.
    EXPECT_EQ(sheet.lines[3][2], "坏颜色");
    EXPECT_EQ(sheet.colour[3], 65280u);
    EXPECT_EQ(sheet.colour[0], 0u);
    // Every props block ends on the same row; the places follow.
    EXPECT_EQ(sheet.lines[0].mid(2, 3), (QStringList{E, E, E}));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(sheet.lines[k][5], k % 2 ? "第四名" : "第一名") << k;
    // A seat with an amount but no lines keeps its amount: nothing taken.
    EXPECT_EQ(sheet.propsTaken, (std::array<bool, 4>{false, true, true, true}));
    // A loser's prize lessens the loss.
    EXPECT_EQ(sheet.lines[5].back(), "最终分：- 480金币");
    EXPECT_EQ(sheet.signedFinal[1], -480);
    EXPECT_EQ(sheet.lines[6].back(), "最终分：17金币");
    EXPECT_EQ(sheet.lines[4].back(), "最终分：10金币");
}

TEST(SettlementSheet, AWealthMultiplierAddsTwoLinesToEveryColumn) {
    SheetInput in = Hand({Win(1), Loss(1), Loss(1), Loss(1)});
    const Sheet without = BuildSheet(in);
    in.beishu = 2;
    const Sheet with = BuildSheet(in);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(with.lines[k].size(), without.lines[k].size() + 2);
}

TEST(SettlementSheet, TheNoteShowsUpToItsFirstNul) {
    SheetInput in = Hand({Win(1), Loss(1), Loss(1), Loss(1)});
    in.note = QStringLiteral("恭喜") + QChar(0) + QStringLiteral("x");
    EXPECT_EQ(BuildSheet(in).lines[0].at(BuildSheet(in).lines[0].size() - 3), "恭喜");
}

struct ColourCase {
    const char* name;
    const char* piece;
    std::optional<std::int32_t> colour;
};
class PieceColours : public ::testing::TestWithParam<ColourCase> {};
TEST_P(PieceColours, ReadTheLastEightCharacters) {
    EXPECT_EQ(PieceColour(QString::fromUtf8(GetParam().piece)), GetParam().colour);
}
INSTANTIATE_TEST_SUITE_P(, PieceColours,
                         ::testing::Values(ColourCase{"Digits", "text00065280", 65280},
                                           ColourCase{"LeadingBlanks", "text   65280", 65280},
                                           ColourCase{"Signed", "text-0000001", -1},
                                           ColourCase{"PlusSign", "text+0000255", 255},
                                           ColourCase{"Letters", "text0000ff00", std::nullopt},
                                           ColourCase{"Blanks", "text        ", std::nullopt},
                                           ColourCase{"ShortPieceWhole", "123", 123},
                                           ColourCase{"Empty", "", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TallyCase {
    const char* name;
    std::uint8_t finalSign;
    double s;
    SeatTally expected;
};
class SeatTallies : public ::testing::TestWithParam<TallyCase> {};
TEST_P(SeatTallies, FollowTheSignByte) {
    HandResult r;
    r.finalSign = GetParam().finalSign;
    const SeatTally after = ApplyResult({100, 3, 4}, r, GetParam().s);
    EXPECT_EQ(after.gold, GetParam().expected.gold);
    EXPECT_EQ(after.wins, GetParam().expected.wins);
    EXPECT_EQ(after.losses, GetParam().expected.losses);
}
INSTANTIATE_TEST_SUITE_P(
    , SeatTallies,
    ::testing::Values(TallyCase{"Win", 1, 50, {150, 4, 4}}, TallyCase{"Loss", 0, -50, {50, 3, 5}},
                      TallyCase{"LossBeyondTheGold", 0, -500, {0, 3, 5}},
                      TallyCase{"LossLessenedByAPrize", 0, 20, {120, 3, 5}},
                      TallyCase{"OtherSignChangesNothing", 2, -50, {100, 3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SeatResult, HistoryLinesLevelsAndGoldLabels) {
    EXPECT_EQ(HistoryLine(520), "520");
    EXPECT_EQ(HistoryLine(-480), "-480");
    EXPECT_EQ(HistoryLine(0), "0");
    EXPECT_EQ(FormatAmount(-1e15), "-1E+15");
    const std::vector<std::pair<int, const char*>> levels = {
        {1, "第一级"},    {9, "第九级"},      {10, "第十级"},     {11, "第十一级"},
        {20, "第二十级"}, {21, "第二十一级"}, {39, "第三十九级"}, {40, "第四十级"}};
    for (const auto& [level, title] : levels) EXPECT_EQ(LevelTitle(std::uint8_t(level)), title);
    EXPECT_FALSE(LevelTitle(0));
    EXPECT_FALSE(LevelTitle(41));
    EXPECT_EQ(GoldLabel(1500, 1), "1500金币");
    EXPECT_EQ(GoldLabel(1500, 2), "1500金条");
}

}  // namespace
}  // namespace settlement
