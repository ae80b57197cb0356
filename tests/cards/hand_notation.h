#pragma once

#include <cctype>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "card_notation.h"
#include "cards/hand_slots.h"
#include "cards/play_comparison.h"

// Hands and plays to beat for the tests of the hand routines, in the notation of card_notation.h.
namespace hand_notation {

// A card as the tests write it: rank and suit letter, "A*h" for a marked ace.
inline std::string Name(std::int32_t card) {
    static constexpr const char* kRanks[] = {"?", "?",  "?", "3", "4", "5", "6", "7", "8",
                                             "9", "10", "J", "Q", "K", "A", "2", "A*"};
    const int rank = (card >> 8) & 0xFF;
    const int suit = card & 0xF;
    std::string name = rank <= 16 ? kRanks[rank] : "?";
    switch (suit) {
        case card_notation::kSpades:
            return name + "s";
        case card_notation::kHearts:
            return name + "h";
        case card_notation::kClubs:
            return name + "c";
        case card_notation::kDiamonds:
            return name + "d";
        default:
            return name + "?";
    }
}

// The cards of `slots`, in slot order, separated by blanks; "" for none.
inline std::string Names(std::span<const std::int32_t> hand, const cards::SlotSet& slots) {
    std::string names;
    for (std::size_t k = 0; k < hand.size(); ++k) {
        if (!slots[k]) continue;
        if (!names.empty()) names += ' ';
        names += Name(hand[k]);
    }
    return names;
}

inline std::string Names(std::span<const std::int32_t> hand) {
    return Names(hand, cards::SlotSet().set());
}

// The play on the table as the dispatcher records it: rank × 256 + suit of each card in the
// order announced.
inline cards::PlayToBeat Former(cards::PatternType type, std::string_view notation) {
    cards::PlayToBeat former;
    former.formerType = type;
    const auto played = card_notation::Hand(notation);
    former.formerNum = static_cast<std::int16_t>(played.size());
    for (std::size_t k = 0; k < played.size(); ++k) former.g_aFormerCards[k] = played[k] % 65536;
    return former;
}

// Names fit for a parameterised test's name: letters, digits and underscores only.
inline std::string TestName(std::string_view text) {
    std::string name;
    for (const char ch : text) {
        name += (std::isalnum(static_cast<unsigned char>(ch)) != 0) ? ch : '_';
    }
    return name;
}

}  // namespace hand_notation
