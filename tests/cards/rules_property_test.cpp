#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cards/play_analysis.h"
#include "cards/play_comparison.h"
#include "random_plays.h"
#include "rules_reference.h"

namespace {

using random_plays::Deck;
using random_plays::Draw;
using random_plays::RandomShape;
using random_plays::RankOf;
using random_plays::Shape;

using cards::PatternType;

std::vector<int> RanksOf(const std::vector<std::int32_t>& cards) {
    std::vector<int> ranks;
    for (const std::int32_t card : cards) ranks.push_back(RankOf(card));
    return ranks;
}

struct Tally {
    std::map<int, int> kinds;  // analysed kinds
    int sameKindBeats = 0;     // same kind and count, new play higher
    int sameKindFails = 0;     // same kind and count, new play not higher
    int bombs = 0;             // different kinds, new play beats
};

TEST(CardRulesProperty, AnalysisAndComparisonAgreeWithTheRulesAsWorded) {
    std::mt19937 random(20240611);
    Tally tally;
    for (int round = 0; round < 4000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Deck deck(random);

        // The play on the table: a legal lead, or nothing when the local player leads.
        cards::PlayToBeat former;
        rules_reference::Reading formerReading;
        const Shape formerShape = RandomShape(random);
        if (round % 8 != 0) {
            const auto cards = Draw(formerShape, deck, random);
            formerReading = rules_reference::Analyze(0, RanksOf(cards));
        }
        if (formerReading.kind != 0) {
            former.formerType = static_cast<PatternType>(formerReading.kind);
            former.formerNum = static_cast<std::int16_t>(formerReading.ranks.size());
            // As announced: each card as rank × 256 + suit, in the order the play was sent.
            for (std::size_t k = 0; k < formerReading.ranks.size(); ++k) {
                former.g_aFormerCards[k] = formerReading.ranks[k] * 256 + (1 << (k % 4));
            }
        }

        // Half the time a play of the same shape, so that like meets like often.
        const auto selection = Draw(round % 2 ? formerShape : RandomShape(random), deck, random);
        const std::vector<int> ranks = RanksOf(selection);
        for (const int toBeat : {cards::Ordinal(former.formerType), 0}) {
            const rules_reference::Reading expected = rules_reference::Analyze(toBeat, ranks);
            cards::PlayAnalysis analyzed;
            const PatternType type =
                cards::AnalyzeCombination(static_cast<PatternType>(toBeat), selection, analyzed);
            ASSERT_EQ(cards::Ordinal(type), expected.kind) << "against " << toBeat;
            ASSERT_EQ(std::vector<int>(analyzed.Ranks().begin(), analyzed.Ranks().end()),
                      expected.ranks)
                << "against " << toBeat;
            ++tally.kinds[expected.kind];
            if (expected.kind == 0) continue;

            const bool beats = rules_reference::Beats(
                expected.kind, static_cast<int>(expected.ranks.size()), expected.ranks[0],
                formerReading.kind, static_cast<int>(formerReading.ranks.size()),
                formerReading.kind != 0 ? formerReading.ranks[0] : 0);
            ASSERT_EQ(cards::CanBeat(analyzed, former), beats)
                << "kind " << expected.kind << " first " << expected.ranks[0] << " against kind "
                << formerReading.kind;

            const bool sameKind = formerReading.kind == expected.kind &&
                                  formerReading.ranks.size() == expected.ranks.size();
            if (sameKind) (beats ? tally.sameKindBeats : tally.sameKindFails)++;
            if (!sameKind && beats) ++tally.bombs;
        }
    }

    // The draw must reach every kind and both outcomes, or the agreement above proves little.
    for (int kind = 0; kind <= 7; ++kind) EXPECT_GE(tally.kinds[kind], 100) << "kind " << kind;
    EXPECT_GE(tally.sameKindBeats, 200);
    EXPECT_GE(tally.sameKindFails, 200);
    EXPECT_GE(tally.bombs, 200);
}

}  // namespace
