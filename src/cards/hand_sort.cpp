#include "cards/hand_sort.h"

#include <utility>

namespace cards {
namespace {

// A card with the slot it came from, so that the sort reports where each card went.
struct Moving {
    CardValue card;
    std::int8_t from;
};

using Slots = std::array<Moving, MaxHandCards>;

Slots Tag(std::span<const CardValue> cards) {
    CheckHandSize(cards.size());
    Slots slots{};
    for (std::size_t k = 0; k < cards.size(); ++k) slots[k] = {cards[k], std::int8_t(k)};
    return slots;
}

SlotMoves Store(const Slots& slots, std::span<CardValue> cards, std::int16_t markedAceCount) {
    SlotMoves moves;
    moves.markedAceCount = markedAceCount;
    for (std::size_t k = 0; k < cards.size(); ++k) {
        cards[k] = slots[k].card;
        moves.from[k] = slots[k].from;
    }
    return moves;
}

// The plain exchange sort of the hand, highest key first: thirteen cards need no more, and equal
// keys (which only a bad deal gives) end in the same slots as they always have.
template <typename Key>
void ExchangeSort(Slots& slots, std::size_t n, Key key) {
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (key(slots[i].card) < key(slots[j].card)) std::swap(slots[i], slots[j]);
        }
    }
}

// The two aces of the marked colour, by their low twelve bits: rank 14 and the suit.
bool IsAceOfColour(CardValue card, int colourMask) {
    const int low = card % 4096;
    switch (colourMask) {
        case SuitDiamonds:
        case SuitHearts:
            return low == 0xE01 || low == 0xE04;
        case SuitClubs:
        case SuitSpades:
            return low == 0xE02 || low == 0xE08;
        default:
            return false;
    }
}

// Moves the aces found (in slots a < b) to slots 0 and 1. In a hand in rank order the two aces of
// one colour lie at most one card apart; that card takes the second ace's slot.
std::int16_t MoveMarkedAcesToFront(Slots& slots, std::size_t n, int colourMask) {
    std::array<std::size_t, 2> found{};
    std::size_t count = 0;
    for (std::size_t k = 0; k < n && count < 2; ++k) {
        if (IsAceOfColour(slots[k].card, colourMask)) found[count++] = k;
    }
    if (count == 1) {
        const Moving ace = slots[found[0]];
        for (std::size_t k = found[0]; k > 0; --k) slots[k] = slots[k - 1];
        slots[0] = ace;
    } else if (count == 2) {
        const auto [a, b] = found;
        const Moving first = slots[a];
        const Moving second = slots[b];
        if (b != a + 1) slots[b] = slots[a + 1];
        for (std::size_t k = a; k > 0; --k) slots[k + 1] = slots[k - 1];
        slots[0] = first;
        slots[1] = second;
    }
    return std::int16_t(count);
}

}  // namespace

SlotMoves SortByRank(std::span<CardValue> cards, int colourMask) {
    Slots slots = Tag(cards);
    ExchangeSort(slots, cards.size(), [](CardValue card) { return card % 65536; });
    const std::int16_t marked = MoveMarkedAcesToFront(slots, cards.size(), colourMask);
    return Store(slots, cards, marked);
}

SlotMoves SortByGroup(std::span<CardValue> cards) {
    Slots slots = Tag(cards);
    ExchangeSort(slots, cards.size(), [](CardValue card) { return card & 0xFFFFFF; });
    return Store(slots, cards, 0);
}

void ClearServerBitsOfCountingRanks(std::span<CardValue> cards) {
    for (CardValue& card : cards) {
        const int rank = CardRank(card);
        if (rank == RankKing || rank == 10 || rank == 5) card &= ~0x000F0000;
    }
}

}  // namespace cards
