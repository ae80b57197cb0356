#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "recorded_hand.h"
#include "state/frame.h"

// The dispatcher target's input: one byte of settings, then 272-byte server frames (the last one
// zero-padded). The seed maker writes inputs the same way.
namespace fuzzing {

struct DispatchInput {
    TableState state = TableState::LoggedIn;  // bits 0..2, taken modulo the state count
    std::int16_t propState = 0;               // bits 3..4: 0, -1, 1 or 2
    bool propPlugin = false;                  // bit 5, or a loaded state: a plug-in is installed
    bool timePasses = false;                  // bit 6: two seconds pass after each frame
    std::vector<state::Frame> frames;
};

DispatchInput ReadDispatchInput(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> WriteDispatchInput(TableState state,
                                             const std::vector<state::Frame>& frames);

}  // namespace fuzzing
