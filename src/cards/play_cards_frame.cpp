#include "cards/play_cards_frame.h"

#include <bitset>
#include <string>

#include "platform/runtime/failure.h"

namespace cards {
namespace {

state::Frame FrameOfKind(std::uint8_t seatFlag, PlayKind kind) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = MsgPlayCards;
    frame[state::FrameSeatByte] = seatFlag;
    frame[PlayKindByte] = kind;
    return frame;
}

}  // namespace

state::Frame BuildPassFrame(std::uint8_t seatFlag) {
    return FrameOfKind(seatFlag, PlayKindPass);
}

state::Frame BuildPlayFrame(std::uint8_t seatFlag, PatternType pattern,
                            std::span<const CardValue> playOrder) {
    CheckHandSize(playOrder.size());
    state::Frame frame = FrameOfKind(seatFlag, PlayKindPlay);
    frame[PlayCardCountByte] = std::uint8_t(playOrder.size());
    frame[PlayPatternByte] = std::uint8_t(Ordinal(pattern));
    for (std::size_t k = 0; k < playOrder.size(); ++k) {
        CheckCardValue(playOrder[k]);
        frame[PlayCardIdsByte + k] = std::uint8_t(CardId(playOrder[k]));
    }
    return frame;
}

PlayOrder OrderPlayedCards(std::span<const CardValue> selection, const PlayAnalysis& analyzed) {
    CheckHandSize(selection.size());
    const auto ranks = analyzed.Ranks();
    if (ranks.size() != selection.size()) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "the analysis lists another number of cards than were selected");
    }
    PlayOrder order;
    std::bitset<MaxHandCards> used;
    for (const std::int16_t rank : ranks) {
        std::size_t found = selection.size();
        for (std::size_t i = 0; i < selection.size() && found == selection.size(); ++i) {
            if (!used[i] && CardRank(selection[i]) == rank) found = i;
        }
        if (found == selection.size()) {
            platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                           "no selected card of the analysed rank " + std::to_string(rank));
        }
        used[found] = true;
        order.selectionIndex[order.count++] = found;
    }
    return order;
}

}  // namespace cards
