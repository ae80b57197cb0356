#include "rules_reference.h"

#include <algorithm>

namespace rules_reference {
namespace {

constexpr int kAce = 14, kTwo = 15, kMarkedAce = 16;

std::vector<int> Sorted(std::vector<int> ranks) {
    std::sort(ranks.begin(), ranks.end());
    return ranks;
}

// Every run of a group size: a stretch of the run order 2, 3, 4, ..., K, ace, where the two can
// only open a run and a marked ace can only take the ace's place on top of the King. A top group
// of two may be two aces, two marked aces or one of each.
std::vector<std::vector<int>> AllRuns(int group) {
    std::vector<int> order{kTwo};
    for (int r = 3; r <= 13; ++r) order.push_back(r);
    std::vector<std::vector<int>> tops;
    if (group == 1) {
        tops = {{kAce}, {kMarkedAce}};
    } else {
        tops = {{kAce, kAce}, {kMarkedAce, kMarkedAce}, {kAce, kMarkedAce}};
    }

    std::vector<std::vector<int>> runs;
    for (std::size_t from = 0; from < order.size(); ++from) {
        std::vector<int> run;
        for (std::size_t to = from; to < order.size(); ++to) {
            run.insert(run.end(), group, order[to]);
            runs.push_back(run);
        }
        for (const auto& top : tops) {
            std::vector<int> withTop = run;
            withTop.insert(withTop.end(), top.begin(), top.end());
            runs.push_back(withTop);
        }
    }
    return runs;
}

// The run, in play order, whose cards are exactly the selection; empty when there is none.
std::vector<int> FindRun(const std::vector<int>& selection, int group) {
    static const std::vector<std::vector<int>> singles = AllRuns(1);
    static const std::vector<std::vector<int>> pairs = AllRuns(2);
    const std::vector<int> wanted = Sorted(selection);
    for (const auto& run : group == 1 ? singles : pairs) {
        if (Sorted(run) == wanted) return run;
    }
    return {};
}

bool AllEqual(const std::vector<int>& ranks) {
    return std::adjacent_find(ranks.begin(), ranks.end(), std::not_equal_to<>()) == ranks.end();
}

bool OnlyAcesOfBothKinds(const std::vector<int>& ranks) {
    const auto aces = std::count(ranks.begin(), ranks.end(), kAce);
    const auto marked = std::count(ranks.begin(), ranks.end(), kMarkedAce);
    return aces > 0 && marked > 0 && aces + marked == static_cast<long>(ranks.size());
}

}  // namespace

Reading Analyze(int toBeat, std::vector<int> selection) {
    const int n = static_cast<int>(selection.size());
    const std::vector<int> sorted = Sorted(selection);

    // Sizes 1 to 4 are judged by their size alone, whatever is to be beaten.
    if (n == 1) return {1, sorted};
    if (n == 2) {
        if (sorted == std::vector<int>{kMarkedAce, kMarkedAce}) return {7, sorted};
        if (AllEqual(sorted)) return {2, sorted};
        if (sorted == std::vector<int>{kAce, kMarkedAce}) return {2, sorted};
    }
    if (n == 3 && ((AllEqual(sorted) && sorted[0] != kMarkedAce) || OnlyAcesOfBothKinds(sorted))) {
        return {5, sorted};
    }
    if (n == 4 &&
        (AllEqual(sorted) || sorted == std::vector<int>{kAce, kAce, kMarkedAce, kMarkedAce})) {
        return {6, sorted};
    }

    // Runs: any run when leading, straights of pairs first; otherwise only the kind to beat. A
    // straight has 3 to 14 cards when leading, at most 12 when following; a straight of pairs at
    // least three pairs.
    const bool pairsSize = n % 2 == 0 && n >= 6;
    if (toBeat == 0) {
        if (pairsSize) {
            if (auto run = FindRun(selection, 2); !run.empty()) return {4, run};
        }
        if (n >= 3 && n <= 14) {
            if (auto run = FindRun(selection, 1); !run.empty()) return {3, run};
        }
    } else if (toBeat == 3 && n >= 3 && n <= 12) {
        if (auto run = FindRun(selection, 1); !run.empty()) return {3, run};
    } else if (toBeat == 4 && pairsSize) {
        if (auto run = FindRun(selection, 2); !run.empty()) return {4, run};
    }
    return {};
}

bool Beats(int kind, int count, int first, int toBeatKind, int toBeatCount, int toBeatFirst) {
    if (toBeatKind == 0 || kind == 0) return false;
    // Triples, fours and the pair of marked aces beat every kind below them.
    if (kind != toBeatKind) return kind >= 5 && kind > toBeatKind;
    if (count != toBeatCount) return false;
    switch (kind) {
        case 3:
        case 4: {
            // Runs by their lowest card; a run from the two is the lowest of its length.
            const auto position = [](int rank) { return rank == kTwo ? 2 : rank; };
            return position(first) > position(toBeatFirst);
        }
        case 7:
            return false;
        default:
            return first > toBeatFirst;
    }
}

}  // namespace rules_reference
