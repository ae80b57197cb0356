// Over thousands of seeded random deals: whatever the hint or the smart selection raises is a
// play that the comparison says beats the play on the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cards/play_analysis.h"
#include "cards/play_comparison.h"
#include "cards/smart_selection.h"
#include "hand_notation.h"
#include "hint_presses.h"
#include "random_plays.h"

namespace {

using cards::PatternType;

struct Deal {
    std::vector<std::int32_t> hand;
    cards::PlayToBeat former;
};

// A legal play on the table, recorded as announced, and a hand from the rest of the same pack
// that often holds a play of the same shape among random cards.
std::optional<Deal> RandomDeal(std::mt19937& random) {
    random_plays::Deck deck(random);
    const random_plays::Shape shape = random_plays::RandomShape(random);
    const auto played = random_plays::Draw(shape, deck, random);
    deck.Remove(played);
    Deal deal;
    const bool alike = std::uniform_int_distribution<int>(0, 2)(random) != 0;
    deal.hand = random_plays::Draw(alike ? shape : random_plays::RandomShape(random), deck, random);
    if (deal.hand.size() > 13) deal.hand.resize(13);
    deck.Remove(deal.hand);
    const int more = std::uniform_int_distribution<int>(0, 13 - int(deal.hand.size()))(random);
    for (const std::int32_t card : deck.Deal(more)) deal.hand.push_back(card);
    std::shuffle(deal.hand.begin(), deal.hand.end(), random);
    if (deal.hand.empty()) return std::nullopt;
    cards::PlayAnalysis analyzed;
    if (played.empty() || cards::AnalyzeCombination(PatternType::PatternInvalid, played,
                                                    analyzed) == PatternType::PatternInvalid) {
        return std::nullopt;
    }
    deal.former.formerType = analyzed.type;
    deal.former.formerNum = analyzed.rankCount;
    for (int k = 0; k < analyzed.rankCount; ++k) {
        deal.former.g_aFormerCards[std::size_t(k)] = analyzed.ranks[std::size_t(k)] * 256 + 8;
    }
    return deal;
}

// The raised cards, in slot order, as the play button would analyse and compare them.
bool Beats(const Deal& deal, const cards::SlotSet& raised, PatternType* kind) {
    std::vector<std::int32_t> selection;
    for (std::size_t k = 0; k < deal.hand.size(); ++k) {
        if (raised[k]) selection.push_back(deal.hand[k]);
    }
    cards::PlayAnalysis analyzed;
    *kind = cards::AnalyzeCombination(deal.former.formerType, selection, analyzed);
    return *kind != PatternType::PatternInvalid && cards::CanBeat(analyzed, deal.former);
}

std::string Describe(const Deal& deal, const cards::SlotSet& raised) {
    return "hand {" + hand_notation::Names(deal.hand) + "} raised {" +
           hand_notation::Names(deal.hand, raised) + "} against kind " +
           std::to_string(cards::Ordinal(deal.former.formerType)) + " of " +
           std::to_string(deal.former.formerNum) + " from rank " +
           std::to_string(deal.former.g_aFormerCards[0] / 256);
}

TEST(HandProperty, EveryHintBeatsThePlayOnTheTable) {
    std::mt19937 random(20240612);
    std::map<int, int> foundKinds;
    int notFound = 0;
    for (int round = 0; round < 6000; ++round) {
        const auto deal = RandomDeal(random);
        if (!deal) continue;
        cards::HintState hint = hint_presses::Primed(deal->former);
        hint.g_bHintPlayed = round % 3 == 0;
        const int presses = std::uniform_int_distribution<int>(1, 6)(random);
        for (int press = 0; press < presses; ++press) {
            const cards::SlotSet raised = hint_presses::Press(deal->hand, hint, deal->former);
            ASSERT_EQ(hint.g_bHintFound, raised.any()) << Describe(*deal, raised);
            if (!raised.any()) {
                ++notFound;
                break;
            }
            PatternType kind{};
            ASSERT_TRUE(Beats(*deal, raised, &kind))
                << Describe(*deal, raised) << ", press " << press + 1;
            ++foundKinds[cards::Ordinal(kind)];
        }
    }
    // Every kind of hint must have come up often, or the property proves little.
    for (int kind = 1; kind <= 7; ++kind) EXPECT_GE(foundKinds[kind], 50) << "kind " << kind;
    EXPECT_GE(notFound, 200);
}

TEST(HandProperty, EverySmartSelectionBeatsThePlayOnTheTable) {
    std::mt19937 random(20240613);
    std::map<int, int> completedKinds;
    for (int round = 0; round < 8000; ++round) {
        const auto deal = RandomDeal(random);
        if (!deal) continue;
        for (std::size_t clicked = 0; clicked < deal->hand.size(); ++clicked) {
            const cards::SlotSet click = cards::SlotSet().set(clicked);
            const cards::SlotSet more = cards::AgileClickSlots(deal->hand, click, 1, deal->former);
            if (more.none()) continue;
            ASSERT_FALSE(more[clicked]);
            PatternType kind{};
            ASSERT_TRUE(Beats(*deal, more | click, &kind)) << Describe(*deal, more | click);
            ++completedKinds[cards::Ordinal(kind)];
        }
    }
    for (int kind = 2; kind <= 6; ++kind) EXPECT_GE(completedKinds[kind], 50) << "kind " << kind;
}

}  // namespace
