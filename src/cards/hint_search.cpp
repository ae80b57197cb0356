#include "cards/hint_search.h"

#include <array>
#include <cmath>
#include <iterator>
#include <string>

#include "cards/rank_table.h"
#include "platform/runtime/failure.h"

namespace cards {
namespace {

using enum PatternType;

// The play the fall-back searches are given: its first rank is 0, so any bomb qualifies.
constexpr std::array<std::int32_t, 16> EmptyPlay{};

// Runs are three ranks long at the least.
constexpr int ShortestRun = 3;

class HintSearch {
  public:
    HintSearch(std::span<const CardValue> hand, HintState& hint, const PlayToBeat& former)
        : hand_(hand), hint_(hint), former_(former), cnt_(hand, RankTable::MarkedAces::OwnRank) {}

    // One search. A press restarts from the table's own play at most once: a second arrival at
    // the end of the chain finds nothing, so a hand without any hint cannot keep a press going.
    void Beat(std::int16_t type, std::int16_t len, std::span<const std::int32_t> last) {
        if (std::ssize(hand_) < len) {
            hint_.g_bHintFound = false;
            return;
        }
        if (last.empty()) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "the play to beat has no first card");
        }
        const int lastRank = CardRank(last[0]);
        switch (type) {
            case Ordinal(PatternSingle):
                for (int r = hint_.g_nHintCursor; r <= RankMarkedAce; ++r) {
                    if (cnt_.count(r) >= 1 && r > lastRank) return Found(type, len, r, r, 1, r + 1);
                }
                return FallBack(type);
            case Ordinal(PatternPair):
            case Ordinal(PatternTriple):
            case Ordinal(PatternFour): {
                // A rank held more often than the kind needs is never split.
                const int same = type == Ordinal(PatternPair) ? 2 : type - 2;
                for (int r = hint_.g_nHintCursor; r <= RankTwo; ++r) {
                    if (cnt_.count(r) == same && r > lastRank)
                        return Found(type, len, r, r, same, r + 1);
                }
                return FallBack(type);
            }
            case Ordinal(PatternStraight):
            case Ordinal(PatternPairStraight):
                if (!Run(type, len, lastRank)) FallBack(type);
                return;
            case Ordinal(PatternAcePair):
                return MarkedAcePair();
            default:
                return;
        }
    }

    const SlotSet& raised() const { return raise_; }

  private:
    // Raises `need` cards of each rank from `from` to `to` (the highest slots first), records the
    // find and sets the cursor where the next press goes on: one rank past the candidate found.
    void Found(std::int16_t type, std::int16_t len, int from, int to, int need, int cursor) {
        for (int r = from; r <= to; ++r) {
            for (int k = 0; k < need; ++k) raise_.set(std::size_t(cnt_.slot(r, k)));
        }
        hint_.g_nHintType = type;
        hint_.g_nHintLen = len;
        hint_.g_bHintFound = true;
        hint_.g_nHintCursor = std::int16_t(cursor);
    }

    // Runs lie within ranks 3 to the ace: a "2" or a marked ace never takes part.
    bool Run(std::int16_t type, std::int16_t len, int lastRank) {
        const int need = type == Ordinal(PatternStraight) ? 1 : 2;
        const int L = int(std::nearbyint(double(len) / need));
        if (L < ShortestRun) return false;
        for (int s = hint_.g_nHintCursor; s <= RankTwo - L; ++s) {
            // Against a straight that starts with the "2", any straight of its length beats it.
            const bool candidate =
                s > lastRank || (type == Ordinal(PatternStraight) && lastRank == RankTwo);
            if (!candidate) continue;
            bool whole = true;
            for (int k = s; k <= s + L - 1; ++k) whole = whole && cnt_.count(k) >= need;
            if (whole) {
                Found(type, len, s, s + L - 1, need, s + 1);
                return true;
            }
        }
        return false;
    }

    // The pair of marked aces ends the chain: found, the next press starts over with the table's
    // own kind; not found, the search starts over at once when a hint was found this turn.
    void MarkedAcePair() {
        if (cnt_.count(RankMarkedAce) == 2) {
            Found(Ordinal(PatternAcePair), 2, RankMarkedAce, RankMarkedAce, 2, RankLowest);
            hint_.g_nHintType = Ordinal(former_.formerType);
            hint_.g_nHintLen = former_.formerNum;
            return;
        }
        if (hint_.g_bHintPlayed && !restarted_) {
            restarted_ = true;
            hint_.g_nHintCursor = RankLowest;
            return Beat(Ordinal(former_.formerType), former_.formerNum, former_.g_aFormerCards);
        }
        hint_.g_bHintFound = false;
    }

    // The bombs, in their fixed order, once the searched kind has nothing.
    void FallBack(std::int16_t type) {
        switch (type) {
            case Ordinal(PatternTriple):
                hint_.g_nHintCursor = RankLowest;
                return Beat(Ordinal(PatternFour), 4, EmptyPlay);
            case Ordinal(PatternFour):
                hint_.g_nHintCursor = RankMarkedAce;
                return Beat(Ordinal(PatternAcePair), 2, EmptyPlay);
            default:
                hint_.g_nHintCursor = RankLowest;
                return Beat(Ordinal(PatternTriple), 3, EmptyPlay);
        }
    }

    std::span<const CardValue> hand_;
    HintState& hint_;
    const PlayToBeat& former_;
    const RankTable cnt_;
    SlotSet raise_;
    bool restarted_ = false;
};

}  // namespace

SlotSet SearchBeat(std::span<const CardValue> hand, HintState& hint, std::int16_t type,
                   std::int16_t len, std::span<const std::int32_t> last, const PlayToBeat& former) {
    HintSearch search(hand, hint, former);
    search.Beat(type, len, last);
    return search.raised();
}

SlotSet SearchLead(std::span<const CardValue> hand) {
    const RankTable cnt(hand, RankTable::MarkedAces::OwnRank);
    SlotSet raise;
    for (int r = 0; r <= RankMarkedAce; ++r) {
        const int held = cnt.count(r);
        if (held < 1 || held > 4) continue;
        for (int k = 0; k < held; ++k) raise.set(std::size_t(cnt.slot(r, k)));
        break;
    }
    return raise;
}

}  // namespace cards
