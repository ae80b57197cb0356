#include "server/scoring.h"

#include <algorithm>

namespace tableserver {
namespace {

int Stakes(int place) {
    switch (place) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 3:
            return -1;
        case 4:
            return -2;
        default:
            return -1;  // gave up
    }
}

}  // namespace

SeatScore ScoreSeat(const Seat& seat, std::int32_t baseGold, std::uint16_t multiplier) {
    const int stakes = Stakes(seat.place);
    SeatScore score;
    score.won = stakes > 0;
    score.amount = std::uint64_t(std::abs(stakes)) * std::uint64_t(baseGold) * multiplier;
    if (score.won) {
        score.paid = score.amount;
        score.goldAfter = seat.gold + score.paid;
    } else {
        score.paid = std::min(score.amount, seat.gold);
        score.capped = score.paid < score.amount;
        score.goldAfter = seat.gold - score.paid;
    }
    score.level = std::uint8_t(std::clamp<std::uint64_t>(1 + score.goldAfter / 5000, 1, 40));
    return score;
}

state::Frame BuildResult(const Seat& seat, const SeatScore& score, std::int32_t baseGold) {
    const std::uint8_t sign = score.won ? 1 : 2;
    return wire::BuildHandResult({.seat = seat.flag,
                                  .baseGold = baseGold,
                                  .currency = 1,
                                  .cardsHeld = CardWords(seat.hand),
                                  .place = std::uint8_t(seat.place),
                                  .totalSign = std::uint8_t(score.won ? 1 : 0),
                                  .totalAmount = score.paid,
                                  .finalSign = std::uint8_t(score.won ? 1 : 0),
                                  .finalAmount = score.paid,
                                  .level = score.level,
                                  .mengXuan = std::uint8_t(seat.declaredXuan ? 1 : 0),
                                  .mengChuai = std::uint8_t(seat.declaredChuai ? 1 : 0),
                                  .subtotalSign = sign,
                                  .subtotalAmount = score.amount,
                                  .capped = std::uint8_t(score.capped ? 1 : 0)});
}

}  // namespace tableserver
