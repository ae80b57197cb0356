#include "dispatch_input.h"

#include <algorithm>
#include <cstring>

namespace fuzzing {

namespace {
constexpr std::int16_t kPropStates[] = {0, -1, 1, 2};
}

DispatchInput ReadDispatchInput(const std::uint8_t* data, std::size_t size) {
    DispatchInput input;
    if (size == 0) return input;
    const std::uint8_t settings = data[0];
    input.state = TableState((settings & 7) % TableStateCount);
    input.propState = kPropStates[(settings >> 3) & 3];
    input.propPlugin = input.propState > 0 || (settings & 0x20) != 0;
    input.timePasses = (settings & 0x40) != 0;
    for (std::size_t at = 1; at < size; at += state::FrameSize) {
        state::Frame frame{};
        std::memcpy(frame.data(), data + at, std::min(state::FrameSize, size - at));
        input.frames.push_back(frame);
    }
    return input;
}

std::vector<std::uint8_t> WriteDispatchInput(TableState state,
                                             const std::vector<state::Frame>& frames) {
    std::vector<std::uint8_t> bytes{std::uint8_t(state)};
    for (const state::Frame& frame : frames) bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

}  // namespace fuzzing
