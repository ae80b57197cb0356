#pragma once

#include <vector>

// The card rules restated from their plain wording, as an independent check of the library:
// plays are described by the ranks of their cards only (3..10, 11 J, 12 Q, 13 K, 14 ace, 15 the
// two, 16 a marked ace) and kinds by their numbers (0 none, 1 single, 2 pair, 3 straight,
// 4 straight of pairs, 5 triple, 6 four, 7 pair of marked aces).
namespace rules_reference {

struct Reading {
    int kind = 0;
    std::vector<int> ranks;  // in the order the play is sent; empty when kind is 0
};

// What a selection is worth against a play of kind `toBeat` (0 when leading).
Reading Analyze(int toBeat, std::vector<int> selection);

// Whether a play beats the play on the table, each given by its kind, card count and first rank.
bool Beats(int kind, int count, int first, int toBeatKind, int toBeatCount, int toBeatFirst);

}  // namespace rules_reference
