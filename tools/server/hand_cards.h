#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cards/card_value.h"
#include "cards/pattern_type.h"
#include "cards/play_comparison.h"

// Cards as the table server holds them, and plays checked and found with the client's own card
// rules, so that the server refuses exactly what the client's rules refuse.
namespace tableserver {

struct Card {
    std::uint8_t suit = 0;  // one-bit mask
    std::uint8_t rank = 0;  // 3..15, 16 once marked
    std::uint8_t id = 0;    // 0..51, what the client sends back

    cards::CardValue value() const { return cards::CardValue(suit | rank << 8 | id << 24); }
    bool operator==(const Card&) const = default;
};
using Hand = std::vector<Card>;

// A play as announced: its kind and its cards in the order of the analysed ranks, so the first
// is the deciding card, as the client records the play to beat.
struct Play {
    cards::PatternType pattern = cards::PatternType::PatternInvalid;
    std::vector<Card> cards;
};

// Four shuffled hands of thirteen cards from the 52-card deck.
std::array<Hand, 4> DealHands(std::mt19937& rng);

// The two suits of the marked colour: the suit mask and its partner of the same colour.
bool InMarkedColour(std::uint8_t suit, std::uint8_t colourMask);
// Gives the aces of the marked colour rank 16 in a hand.
void MarkAces(Hand& hand, std::uint8_t colourMask);

// Sorted by rank, then suit, for a stable hand order.
void SortHand(Hand& hand);

// The play to beat as the client's comparison reads it; an empty optional means leading.
cards::PlayToBeat ToBeat(const std::optional<Play>& last);

// Checks `chosen` (cards of the hand) as a play against `last`: the play in announced order,
// or a reason why it is no legal play.
struct PlayCheck {
    std::optional<Play> play;
    std::string refusal;
};
PlayCheck CheckPlay(const std::vector<Card>& chosen, const std::optional<Play>& last);

// Every legal play from the hand that may follow `last` (or lead when it is empty), found
// among the hand's groups of one rank, its ace groups and its runs.
std::vector<Play> LegalPlays(const Hand& hand, const std::optional<Play>& last);

// Removes the play's cards from the hand.
void RemoveCards(Hand& hand, const std::vector<Card>& played);

std::vector<std::int32_t> CardWords(const std::vector<Card>& cards);

}  // namespace tableserver
