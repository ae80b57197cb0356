// Gold changes for the local player (91) and for another player by account (92): the edge cases
// as a table, on a table whose four seats are taken.
#include <gtest/gtest.h>

#include <functional>

#include "dispatch/player_info.h"
#include "hand_table.h"

namespace dispatch_test {
namespace {

using support::BuildGoldChange;

struct GoldCase {
    const char* name;
    std::function<void(state::SharedState&)> setUp;
    std::function<state::Frame()> frame;
    std::array<double, 4> gold;  // every seat's gold afterwards
    int labelSeat;               // the seat whose label is checked (-1: none changed)
    const char16_t* label;
};

constexpr double Start = 1000;

state::Frame ForAccount(const std::string& account, std::uint64_t amount, bool loss = false) {
    return BuildGoldChange({.loss = loss, .amount = amount, .account = account});
}
state::Frame Own(std::uint64_t amount, bool loss = false) {
    return BuildGoldChange({.loss = loss, .amount = amount});
}
void Nothing(state::SharedState&) {}

class GoldChanges : public ::testing::TestWithParam<GoldCase> {};

TEST_P(GoldChanges, ChangeOnlyTheNamedSeat) {
    const GoldCase& k = GetParam();
    HandTable table;
    k.setUp(table.c.s);
    table.dispatch(k.frame());
    ASSERT_FALSE(table.hallRestored());
    for (int s = 0; s < 4; ++s) {
        EXPECT_DOUBLE_EQ(table.c.s.g_aPlayerInfo[std::size_t(s)].gold, k.gold[std::size_t(s)]) << s;
        if (s == k.labelSeat) {
            EXPECT_EQ(table.form.Cash[s].caption(), QString::fromUtf16(k.label)) << s;
        } else {
            EXPECT_EQ(table.form.Cash[s].caption(), QStringLiteral("1000金币")) << s;
        }
    }
}

const std::string kSeventeen = "abcdefghijklmnopq";

INSTANTIATE_TEST_SUITE_P(
    Frame, GoldChanges,
    ::testing::Values(GoldCase{"OwnGain",
                               Nothing,
                               [] { return Own(250); },
                               {1250, Start, Start, Start},
                               0,
                               u"1250金币"},
                      GoldCase{"OwnLossBelowZeroStopsAtZero",
                               Nothing,
                               [] { return Own(5000, true); },
                               {0, Start, Start, Start},
                               0,
                               u"0金币"},
                      GoldCase{"ZeroLossRewritesTheLabel",
                               [](auto& s) { s.g_aPlayerInfo[0].gold = 7; },
                               [] { return Own(0, true); },
                               {7, Start, Start, Start},
                               0,
                               u"7金币"},
                      GoldCase{"AmountAboveTwoTo53IsRounded",
                               [](auto& s) { s.g_aPlayerInfo[0].gold = 0; },
                               [] { return Own((std::uint64_t(1) << 53) + 1); },
                               {9007199254740992.0, Start, Start, Start},
                               0,
                               u"9007199254740992金币"},
                      GoldCase{"OtherSeatByAccount",
                               Nothing,
                               [] { return ForAccount("top03", 40, true); },
                               {Start, Start, 960, Start},
                               2,
                               u"960金币"},
                      GoldCase{"OwnAccountIsNeverSearched",
                               Nothing,
                               [] { return ForAccount("me01", 40); },
                               {Start, Start, Start, Start},
                               -1,
                               u""},
                      GoldCase{"UnknownAccount",
                               Nothing,
                               [] { return ForAccount("nobody", 40); },
                               {Start, Start, Start, Start},
                               -1,
                               u""},
                      GoldCase{"SameAccountTwiceTakesTheLowestSeat",
                               [](auto& s) {
                                   s.g_aPlayerInfo[3].account = QStringLiteral("top03");
                                   s.custom[3].name = QStringLiteral("top03");
                               },
                               [] { return ForAccount("top03", 1); },
                               {Start, Start, 1001, Start},
                               2,
                               u"1001金币"},
                      GoldCase{"SeventeenByteAccountIsTakenWhole",
                               [](auto& s) {
                                   s.g_aPlayerInfo[1].account =
                                       QString::fromLatin1(kSeventeen.c_str());
                                   s.custom[1].name = s.g_aPlayerInfo[1].account;
                               },
                               [] { return ForAccount(kSeventeen, 3); },
                               {Start, 1003, Start, Start},
                               1,
                               u"1003金币"},
                      GoldCase{"EmptyAccountNamesNobody",
                               [](auto& s) { s.g_aPlayerInfo[3].account.clear(); },
                               [] {
                                   state::Frame f = ForAccount("x", 5);
                                   f[25] = 0;
                                   return f;
                               },
                               {Start, Start, Start, Start},
                               -1,
                               u""},
                      GoldCase{"ALeftSeatIsNoOnesAnyMore",
                               [](auto& s) { s.custom[1].name.clear(); },
                               [] { return ForAccount("left02", 5); },
                               {Start, Start, Start, Start},
                               -1,
                               u""}),
    [](const auto& info) { return std::string(info.param.name); });

// An account with bytes of 0x80 and more reaches its seat: the frame's account is read the way
// the player record reads it.
TEST(GoldChangeAccounts, HighBytesCompareTheSameWay) {
    HandTable table;
    state::Frame info = support::BuildPlayerInfo({.account = "\xb0\xa1x"});
    state::PlayerInfo record;
    dispatch::DecodePlayerInfo(record, info);
    table.c.s.g_aPlayerInfo[3].account = record.account;
    table.c.s.custom[3].name = record.account;
    table.dispatch(ForAccount("\xb0\xa1x", 10));
    EXPECT_DOUBLE_EQ(table.c.s.g_aPlayerInfo[3].gold, 1010);
}

}  // namespace
}  // namespace dispatch_test
