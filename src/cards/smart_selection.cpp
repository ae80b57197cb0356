#include "cards/smart_selection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "cards/rank_table.h"
#include "platform/runtime/failure.h"

namespace cards {
namespace {

using enum PatternType;

// Cards per rank a play of the table's kind takes; none for the pair of marked aces (nothing
// beats it) or anything else.
std::optional<int> CardsPerRank(PatternType formerType) {
    switch (formerType) {
        case PatternSingle:
            return 0;
        case PatternPair:
        case PatternPairStraight:
            return 2;
        case PatternStraight:
            return 1;
        case PatternTriple:
            return 3;
        case PatternFour:
            return 4;
        default:
            return std::nullopt;
    }
}

// The only raised slot, or none when no card or a second one is raised.
std::optional<int> ClickedSlot(std::size_t count, const SlotSet& raised) {
    std::optional<int> clicked;
    for (std::size_t k = 0; k < count; ++k) {
        if (!raised[k]) continue;
        if (clicked) return std::nullopt;
        clicked = int(k);
    }
    return clicked;
}

// Whether `times` cards of rank c, as a play of `type`, beat the play on the table.
bool SameRankBeats(int c, int times, PatternType type, const PlayToBeat& former) {
    const std::array<std::int32_t, 4> tmpdata{c, c, c, c};
    return CanBeat(std::span(tmpdata).first(std::size_t(times)), std::int16_t(times), type,
                   former.g_aFormerCards, former.formerNum, former.formerType);
}

// The first n - 1 listed cards of rank c other than the clicked one: with it, n cards of c.
SlotSet OthersOfRank(const RankTable& table, int c, int clicked, int n) {
    SlotSet raise;
    for (int k = 0; k < table.count(c) && int(raise.count()) < n - 1; ++k) {
        const int slot = table.slot(c, k);
        if (slot != clicked) raise.set(std::size_t(slot));
    }
    return raise;
}

// The slots chosen for a run, the clicked card first.
class RunList {
  public:
    explicit RunList(int clicked) : clicked_(clicked) { Reset(); }
    void Reset() { slots_ = SlotSet().set(std::size_t(clicked_)); }
    void Add(int slot) { slots_.set(std::size_t(slot)); }
    void Add(const SlotSet& slots) { slots_ |= slots; }
    int size() const { return int(slots_.count()); }
    SlotSet WithoutClicked() const { return SlotSet(slots_).reset(std::size_t(clicked_)); }

  private:
    int clicked_;
    SlotSet slots_;
};

// The clicked card as the lowest card of a run as long as the table's, else a bomb of its rank.
SlotSet CompleteRun(const RankTable& table, int clicked, int c, int need,
                    const PlayToBeat& former) {
    if (c == RankTwo) return {};
    const int lastRank = CardRank(former.g_aFormerCards[0]);
    const std::array<std::int32_t, 1> single{c};
    const bool d = CanBeat(single, 1, PatternSingle, former.g_aFormerCards, 1, PatternSingle);
    if (!d && table.count(c) < 3 && lastRank != RankTwo) return {};

    const int runLength = int(std::nearbyint(double(former.formerNum) / need));
    const int StartPm = c;
    const int EndPm = std::min(c + runLength - 1, int(RankAce));

    RunList list(clicked);
    for (int r = StartPm; r <= EndPm && list.size() != former.formerNum; ++r) {
        if (table.count(r) < need) {
            list.Reset();
        } else if (r == c) {
            // The clicked card is listed already; a run of pairs takes one more of its rank.
            if (need == 2) list.Add(OthersOfRank(table, c, clicked, 2));
        } else {
            for (int k = 0; k < need; ++k) list.Add(table.slot(r, k));
        }
    }
    if (!d && lastRank != RankTwo) list.Reset();

    if (list.size() == former.formerNum) return list.WithoutClicked();
    if (table.count(c) >= 3) return OthersOfRank(table, c, clicked, table.count(c));
    return {};
}

}  // namespace

SlotSet AgileClickSlots(std::span<const CardValue> hand, const SlotSet& raised,
                        std::int16_t clickCardNum, const PlayToBeat& former) {
    CheckHandSize(hand.size());
    if (clickCardNum != 1) return {};
    const std::optional<int> clicked = ClickedSlot(hand.size(), raised);
    if (!clicked) return {};
    const int c = CheckedRank(hand[std::size_t(*clicked)]);

    const std::optional<int> need = CardsPerRank(former.formerType);
    if (!need) return {};
    const RankTable table(hand, RankTable::MarkedAces::WithAces);
    if (table.overfull()) return {};
    if (table.count(c) < *need) return {};

    const int held = table.count(c);
    switch (former.formerType) {
        case PatternSingle:
            if (!SameRankBeats(c, 1, PatternSingle, former) && (held == 3 || held == 4)) {
                return OthersOfRank(table, c, *clicked, held);
            }
            return {};
        case PatternPair: {
            const bool beats = SameRankBeats(c, 2, PatternPair, former);
            if (!beats && held < 3) return {};
            return OthersOfRank(table, c, *clicked, beats ? 2 : held);
        }
        case PatternTriple: {
            const bool beats = SameRankBeats(c, 3, PatternTriple, former);
            if (!beats && held < 4) return {};
            return OthersOfRank(table, c, *clicked, beats ? 3 : 4);
        }
        case PatternFour:
            if (!SameRankBeats(c, 4, PatternFour, former)) return {};
            return OthersOfRank(table, c, *clicked, 4);
        default:
            return CompleteRun(table, *clicked, c, *need, former);
    }
}

}  // namespace cards
