#include "cards/table_frames.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {
namespace {

[[noreturn]] void BadFrame(const std::string& what) {
    platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, what);
}

void CheckSuitAndRank(int suit, int rank, std::size_t card) {
    if (!IsSuitMask(suit)) {
        BadFrame("card " + std::to_string(card) + " has no single suit: " + std::to_string(suit));
    }
    if (!IsCardRank(rank)) {
        BadFrame("card " + std::to_string(card) + " has no rank: " + std::to_string(rank));
    }
}

}  // namespace

CardList<CardValue> DecodeDealtCards(const state::Frame& message, int start, int count) {
    if (start < 0 || count < 0 || start + count > MaxHandCards) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "a batch of " + std::to_string(count) + " cards from slot " +
                           std::to_string(start) + " does not fit the 13 slots");
    }
    CardList<CardValue> batch;
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        const std::size_t at = DealCardsByte + 4 * i;
        const auto id = state::FrameFields::u8(message, at + 3);
        if (id > MaxCardId) {
            platform::fail(platform::RuntimeFailure::Kind::Overflow,
                           "card " + std::to_string(i) + " has the id " + std::to_string(id));
        }
        const CardValue card = CardValueFromWire(std::span<const std::uint8_t, 4>(&message[at], 4));
        CheckSuitAndRank(CardSuit(card), CardRank(card), i);
        batch.items[i] = card;
    }
    batch.count = std::size_t(count);
    return batch;
}

OtherSeatPlay DecodeOtherSeatPlay(const state::Frame& message, int playedBefore) {
    const int n = state::FrameFields::u8(message, TurnCardCountByte);
    const int left = MaxHandCards - playedBefore;
    if (playedBefore < 0 || n > left) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "a play of " + std::to_string(n) + " cards after " +
                           std::to_string(playedBefore) + " played");
    }
    OtherSeatPlay play;
    play.pattern = CheckPatternType(state::FrameFields::u8(message, TurnPatternByte));
    for (std::size_t j = 0; j < std::size_t(n); ++j) {
        const std::size_t at = TurnCardsByte + 4 * j;
        const TableCard card{std::int16_t(state::FrameFields::u8(message, at) & 15),
                             std::int16_t(state::FrameFields::u8(message, at + 1))};
        CheckSuitAndRank(card.suit, card.rank, j);
        play.cards.items[j] = card;
    }
    play.cards.count = std::size_t(n);
    return play;
}

}  // namespace cards
