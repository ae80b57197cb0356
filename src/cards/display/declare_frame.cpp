#include "cards/display/declare_frame.h"

#include <algorithm>

#include "state/message_types.h"

namespace cards {

namespace {
constexpr std::size_t kActionByte = 8;
constexpr std::size_t kCardsByte = 16;
constexpr std::size_t kMaxCardBytes = 16;
constexpr std::int16_t kKindPass = 9;
constexpr std::int16_t kKindHighest = 8;
}  // namespace

std::optional<DeclareAction> DeclareActionOfKind(std::int16_t kind) {
    if (kind == kKindPass) return ActionPass;
    if (kind < 1 || kind > kKindHighest) return std::nullopt;
    return DeclareAction(1u << kind);
}

state::Frame BuildDeclareFrame(std::uint8_t seatFlag, DeclareAction action,
                               std::span<const std::uint8_t> cardBytes) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = state::MsgDeclare;
    frame[state::FrameSeatByte] = seatFlag;
    state::FrameFields::setU16be(frame, kActionByte, action);
    if (cardBytes.size() > kMaxCardBytes) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    std::copy(cardBytes.begin(), cardBytes.end(), frame.begin() + kCardsByte);
    return frame;
}

}  // namespace cards
