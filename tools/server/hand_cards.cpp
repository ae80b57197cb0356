#include "server/hand_cards.h"

#include <algorithm>
#include <map>

#include "cards/play_analysis.h"
#include "platform/runtime/failure.h"

namespace tableserver {
namespace {

constexpr std::array<std::uint8_t, 4> kSuits = {1, 2, 4, 8};

std::map<int, std::vector<Card>> ByRank(const Hand& hand) {
    std::map<int, std::vector<Card>> groups;
    for (const Card& card : hand) groups[card.rank].push_back(card);
    return groups;
}

// Candidate selections: every group of one rank, the plain and marked aces together, and every
// run over the rank order the rules know ("2" below the 3, the ace or a marked ace on top) of
// one or two cards a rank. The rules decide which of them are plays.
std::vector<std::vector<Card>> Candidates(const Hand& hand) {
    const auto groups = ByRank(hand);
    std::vector<std::vector<Card>> found;
    for (const auto& [rank, cards] : groups) {
        for (std::size_t k = 1; k <= cards.size(); ++k)
            found.emplace_back(cards.begin(), cards.begin() + k);
    }
    const auto aces = groups.find(cards::RankAce);
    const auto marked = groups.find(cards::RankMarkedAce);
    if (aces != groups.end() && marked != groups.end()) {
        for (std::size_t a = 1; a <= aces->second.size(); ++a) {
            for (std::size_t m = 1; m <= marked->second.size(); ++m) {
                std::vector<Card> mix(aces->second.begin(), aces->second.begin() + a);
                mix.insert(mix.end(), marked->second.begin(), marked->second.begin() + m);
                found.push_back(std::move(mix));
            }
        }
    }
    for (const int top : {cards::RankAce, cards::RankMarkedAce}) {
        std::vector<int> order = {cards::RankTwo};
        for (int r = cards::RankLowest; r <= cards::RankKing; ++r) order.push_back(r);
        order.push_back(top);
        for (std::size_t g = 1; g <= 2; ++g) {
            for (std::size_t from = 0; from < order.size(); ++from) {
                std::vector<Card> run;
                for (std::size_t to = from; to < order.size(); ++to) {
                    const auto it = groups.find(order[to]);
                    if (it == groups.end() || it->second.size() < g) break;
                    run.insert(run.end(), it->second.begin(), it->second.begin() + g);
                    if (to > from) found.push_back(run);
                }
            }
        }
    }
    return found;
}

}  // namespace

std::array<Hand, 4> DealHands(std::mt19937& rng) {
    Hand deck;
    for (std::size_t s = 0; s < kSuits.size(); ++s) {
        for (int rank = cards::RankLowest; rank <= cards::RankTwo; ++rank) {
            deck.push_back({kSuits[s], std::uint8_t(rank), std::uint8_t(deck.size())});
        }
    }
    std::shuffle(deck.begin(), deck.end(), rng);
    std::array<Hand, 4> hands;
    for (std::size_t i = 0; i < deck.size(); ++i) hands[i / 13].push_back(deck[i]);
    return hands;
}

bool InMarkedColour(std::uint8_t suit, std::uint8_t colourMask) {
    const bool red = colourMask == cards::SuitDiamonds || colourMask == cards::SuitHearts;
    return red ? (suit == cards::SuitDiamonds || suit == cards::SuitHearts)
               : (suit == cards::SuitClubs || suit == cards::SuitSpades);
}

void MarkAces(Hand& hand, std::uint8_t colourMask) {
    for (Card& card : hand) {
        if (card.rank == cards::RankAce && InMarkedColour(card.suit, colourMask)) {
            card.rank = cards::RankMarkedAce;
        }
    }
}

void SortHand(Hand& hand) {
    std::sort(hand.begin(), hand.end(), [](const Card& a, const Card& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.suit < b.suit;
    });
}

cards::PlayToBeat ToBeat(const std::optional<Play>& last) {
    cards::PlayToBeat former;
    if (!last) return former;
    former.formerType = last->pattern;
    former.formerNum = std::int16_t(last->cards.size());
    for (std::size_t i = 0; i < last->cards.size(); ++i) {
        former.g_aFormerCards[i] = last->cards[i].rank * 256 + last->cards[i].suit;
    }
    return former;
}

PlayCheck CheckPlay(const std::vector<Card>& chosen, const std::optional<Play>& last) {
    if (chosen.empty() || chosen.size() > 13)
        return {{}, "a play of " + std::to_string(chosen.size()) + " cards"};
    const cards::PlayToBeat former = ToBeat(last);
    std::vector<cards::CardValue> values;
    for (const Card& card : chosen) values.push_back(card.value());
    cards::PlayAnalysis analyzed;
    try {
        if (cards::AnalyzeCombination(former.formerType, values, analyzed) ==
            cards::PatternType::PatternInvalid) {
            return {{}, "the cards make no play"};
        }
        if (last && !cards::CanBeat(analyzed, former))
            return {{}, "the play does not beat the last"};
    } catch (const platform::RuntimeFailure& failure) {
        return {{}, std::string("the rules refuse the cards: ") + failure.what()};
    }
    Play play{analyzed.type, {}};
    std::vector<bool> used(chosen.size(), false);
    for (const std::int16_t rank : analyzed.Ranks()) {
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (!used[i] && chosen[i].rank == rank) {
                used[i] = true;
                play.cards.push_back(chosen[i]);
                break;
            }
        }
    }
    if (play.cards.size() != chosen.size()) return {{}, "the analysis does not cover the cards"};
    return {play, {}};
}

std::vector<Play> LegalPlays(const Hand& hand, const std::optional<Play>& last) {
    std::vector<Play> plays;
    for (const auto& selection : Candidates(hand)) {
        if (auto checked = CheckPlay(selection, last); checked.play) plays.push_back(*checked.play);
    }
    return plays;
}

void RemoveCards(Hand& hand, const std::vector<Card>& played) {
    for (const Card& card : played) {
        const auto it = std::find(hand.begin(), hand.end(), card);
        if (it != hand.end()) hand.erase(it);
    }
}

std::vector<std::int32_t> CardWords(const std::vector<Card>& cards) {
    std::vector<std::int32_t> words;
    for (const Card& card : cards) words.push_back(card.value());
    return words;
}

}  // namespace tableserver
