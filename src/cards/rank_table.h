#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cards/card_value.h"
#include "cards/hand_slots.h"

namespace cards {

// Per rank 0..16, the hand's cards of that rank, each rank listing its slots from the highest
// slot down, as the hand routines scan it. Indexing it by a rank outside 0..16 is a run-time
// failure.
class RankTable {
  public:
    // How marked aces are entered: under their own rank 16, or with the aces.
    enum class MarkedAces { OwnRank, WithAces };

    RankTable(std::span<const CardValue> hand, MarkedAces marked);

    int count(int rank) const;
    // The k-th listed slot of a rank, counted from the highest slot down.
    int slot(int rank, int k) const;
    // Whether a rank received a fifth card (a hand no deck deals).
    bool overfull() const { return overfull_; }

  private:
    static constexpr int Listed = 4;
    std::array<std::int8_t, RankMarkedAce + 1> count_{};
    std::array<std::array<std::int8_t, Listed>, RankMarkedAce + 1> slots_{};
    bool overfull_ = false;
};

}  // namespace cards
