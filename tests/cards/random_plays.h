#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

// Random packs and plays for the property tests of the card rules.
namespace random_plays {

// The test's own view of a card value, independent of the library's field readers.
constexpr int RankOf(std::int32_t card) {
    return (card >> 8) & 0xFF;
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
        return {cards_.begin(), cards_.begin() + std::min<std::size_t>(count, cards_.size())};
    }

    // Takes the top `count` cards out of the pack: a hand that no later draw shares cards with.
    std::vector<std::int32_t> Deal(int count) {
        std::vector<std::int32_t> dealt = Top(count);
        cards_.erase(cards_.begin(), cards_.begin() + std::ssize(dealt));
        return dealt;
    }

    // Takes these cards out of the pack.
    void Remove(const std::vector<std::int32_t>& cards) {
        std::erase_if(cards_, [&](std::int32_t card) {
            return std::find(cards.begin(), cards.end(), card) != cards.end();
        });
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

inline Shape RandomShape(std::mt19937& random) {
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

inline std::vector<std::int32_t> Draw(const Shape& shape, const Deck& deck, std::mt19937& random) {
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

}  // namespace random_plays
