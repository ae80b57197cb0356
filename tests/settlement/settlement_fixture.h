#pragma once

#include <gtest/gtest.h>

#include "dispatch/dispatch_fixture.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"
#include "support/server_frames.h"

namespace settlement_test {

// A loaded client seated at a table (own flag 2, so the seats run 2, 4, 8, 1 from the bottom),
// with the players' gold, the score heads and the hand's gold labels as the seating and the
// deal leave them, and card images for the seats' revealed hands.
class SettlementTest : public dispatch_test::DispatchTest {
  protected:
    static constexpr std::uint8_t kOwnFlag = 2;
    // The SeatFlag of relative seat k.
    static std::uint8_t flagOf(int k) { return std::uint8_t(1 << ((1 + k) % 4)); }

    void SetUp() override {
        c.s.custom[0].seat = kOwnFlag;
        c.soundState.g_bEffectsOn = true;
        for (int k = 0; k < 4; ++k) {
            c.s.g_aPlayerInfo[std::size_t(k)].gold = 1000;
            c.s.g_aScoreHeads[std::size_t(k)] = {QStringLiteral("玩家") + QString::number(k + 1),
                                                 QString::number(k * 5)};
            c.s.g_aStartGold[std::size_t(k)] = QStringLiteral("1000金币");
        }
        for (auto* images : {&form().cardImage1, &form().cardImage2, &form().cardImage3}) {
            for (int j = 1; j < 13; ++j)
                if (!images->exists(j)) images->load(j);
        }
        for (int k = 1; k < 4; ++k) {
            auto& seat = c.s.custom[std::size_t(k)];
            for (std::size_t j = 0; j < 13; ++j) seat.slots[j].image = std::int16_t(j);
            if (!form().Level.exists(k)) form().Level.load(k);
            if (!form().Cash.exists(k)) form().Cash.load(k);
        }
    }

    // A result for relative seat k: a win or a loss of `amount`.
    static support::HandResultFrame result(int k, bool won, std::uint64_t amount) {
        support::HandResultFrame r;
        r.seat = flagOf(k);
        r.baseGold = 100;
        r.place = std::uint8_t(won ? 1 : 4);
        r.totalSign = won ? 1 : 0;
        r.totalAmount = amount;
        r.finalSign = won ? 1 : 0;
        r.finalAmount = amount;
        r.level = std::uint8_t(k + 1);
        r.note = support::gbk(QStringLiteral("恭喜"));
        return r;
    }

    // One hand: seat 0 wins 300, seat 2 wins 100, seats 1 and 3 lose 200.
    void settleWholeHand() {
        dispatch(support::BuildHandResult(result(1, false, 200)));
        dispatch(support::BuildHandResult(result(0, true, 300)));
        dispatch(support::BuildHandResult(result(3, false, 200)));
        dispatch(support::BuildHandResult(result(2, true, 100)));
    }

    settlement::Score& score() { return *c.Score; }
    settlement::Hero& hero() { return *c.Hero; }
};

}  // namespace settlement_test
