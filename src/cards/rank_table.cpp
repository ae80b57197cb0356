#include "cards/rank_table.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {
namespace {

void CheckTableRank(int rank) {
    if (rank < 0 || rank > RankMarkedAce) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "no rank of the rank table: " + std::to_string(rank));
    }
}

}  // namespace

RankTable::RankTable(std::span<const CardValue> hand, MarkedAces marked) {
    CheckHandSize(hand.size());
    for (std::size_t k = hand.size(); k-- > 0;) {
        int rank = CheckedRank(hand[k]);
        if (rank == RankMarkedAce && marked == MarkedAces::WithAces) rank = RankAce;
        auto& n = count_[std::size_t(rank)];
        if (n < Listed) slots_[std::size_t(rank)][std::size_t(n)] = std::int8_t(k);
        if (n == Listed) overfull_ = true;
        ++n;
    }
}

int RankTable::count(int rank) const {
    CheckTableRank(rank);
    return count_[std::size_t(rank)];
}

int RankTable::slot(int rank, int k) const {
    CheckTableRank(rank);
    if (k < 0 || k >= Listed || k >= count_[std::size_t(rank)]) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "rank " + std::to_string(rank) + " lists no card " + std::to_string(k));
    }
    return slots_[std::size_t(rank)][std::size_t(k)];
}

}  // namespace cards
