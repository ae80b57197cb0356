#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cards/play_analysis.h"
#include "cards/play_comparison.h"
#include "rules_reference.h"

namespace {

using cards::PatternType;

// The test's own view of a card value, independent of the library's field readers.
constexpr int RankOf(std::int32_t card) {
    return (card >> 8) & 0xFF;
}

std::vector<int> RanksOf(const std::vector<std::int32_t>& cards) {
    std::vector<int> ranks;
    for (const std::int32_t card : cards) ranks.push_back(RankOf(card));
    return ranks;
}

// One shuffled pack for one case: 52 cards with ids 0..51; when a colour is marked for the hand
// its two aces carry the marked-ace rank.
class Deck {
  public:
    explicit Deck(std::mt19937& random) : random_(random) {
        const int markedColour =
            std::uniform_int_distribution<int>(0, 2)(random);  // none/red/black
        int id = 0;
        for (int rank = 3; rank <= 15; ++rank) {
            for (const int suit : {1, 2, 4, 8}) {
                const bool red = suit == 1 || suit == 4;
                const bool marked =
                    rank == 14 && ((markedColour == 1 && red) || (markedColour == 2 && !red));
                cards_.push_back(suit | ((marked ? 16 : rank) << 8) | (id++ << 24));
            }
        }
        std::shuffle(cards_.begin(), cards_.end(), random);
    }

    // Up to `count` cards of a rank, the first ones the shuffle left.
    std::vector<std::int32_t> Take(int rank, int count) const {
        std::vector<std::int32_t> taken;
        for (const std::int32_t card : cards_) {
            if (RankOf(card) == rank && static_cast<int>(taken.size()) < count)
                taken.push_back(card);
        }
        return taken;
    }

    std::int32_t Any() const {
        return cards_[std::uniform_int_distribution<std::size_t>(0, cards_.size() - 1)(random_)];
    }

    std::vector<std::int32_t> Top(int count) const {
        return {cards_.begin(), cards_.begin() + count};
    }

  private:
    std::mt19937& random_;
    std::vector<std::int32_t> cards_;
};

// The shape a selection is drawn to: mostly plays and near misses, some plain random handfuls.
struct Shape {
    enum Kind { Handful, SameRank, MixedAces, Run } kind = Handful;
    int size = 1;    // cards of a handful or of one rank
    int group = 1;   // cards per rank of a run
    int length = 3;  // ranks in a run
};

Shape RandomShape(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    Shape shape;
    shape.kind = static_cast<Shape::Kind>(pick(0, 3));
    shape.size = shape.kind == Shape::Handful ? pick(1, 13) : pick(1, 4);
    shape.group = pick(1, 2);
    shape.length = pick(2, 13);
    return shape;
}

std::vector<std::int32_t> Draw(const Shape& shape, const Deck& deck, std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<std::int32_t> selection;
    auto add = [&](const std::vector<std::int32_t>& cards) {
        selection.insert(selection.end(), cards.begin(), cards.end());
    };
    switch (shape.kind) {
        case Shape::Handful:
            add(deck.Top(shape.size));
            break;
        case Shape::SameRank:
            add(deck.Take(pick(3, 16), shape.size));
            break;
        case Shape::MixedAces:
            add(deck.Take(14, pick(0, 2)));
            add(deck.Take(16, pick(1, 2)));
            break;
        case Shape::Run: {
            // Run order: the two, 3..K, then the ace or marked ace.
            const int start = pick(0, 13 - std::min(shape.length, 13));
            for (int i = start; i < start + shape.length && i <= 12; ++i) {
                const int rank = i == 0 ? 15 : i + 2;
                if (rank == 14) {
                    // The top group from both kinds of ace.
                    std::vector<std::int32_t> aces = deck.Take(14, 2);
                    for (const std::int32_t card : deck.Take(16, 2)) aces.push_back(card);
                    std::shuffle(aces.begin(), aces.end(), random);
                    aces.resize(std::min<std::size_t>(aces.size(), shape.group));
                    add(aces);
                } else {
                    add(deck.Take(rank, shape.group));
                }
            }
            break;
        }
    }
    // A near miss now and then: one card more or one fewer.
    const int change = pick(0, 5);
    if (change == 0) selection.push_back(deck.Any());
    if (change == 1 && selection.size() > 1) selection.pop_back();
    std::shuffle(selection.begin(), selection.end(), random);
    return selection;
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
