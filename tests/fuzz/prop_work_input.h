#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "props/prop_dll.h"
#include "recorded_hand.h"

// The props work-item target's input: one byte of settings, then work items, each laid out as
//   type (int8) | text length n (u8) | n UTF-16LE code units |
//   byte count m (u8; 255: a whole frame of 272 bytes) | m bytes |
//   rectangle count r (u8, modulo 8) | r int32LE | style count t (u8, modulo 8) | t int32LE
// An input cut short reads as zeros. The seed maker writes inputs the same way.
namespace fuzzing {

struct PropWorkInputItem {
    std::int16_t type = 0;
    std::vector<char16_t> text;
    // None: the plug-in leaves the item's bytes as they are.
    std::optional<std::vector<std::uint8_t>> bytes;
    std::vector<std::int32_t> rect;
    std::vector<std::int32_t> style;
};

struct PropWorkInput {
    TableState state = TableState::LoggedIn;  // bits 0..2, taken modulo the state count
    bool chests = false;                      // bit 3: the plug-in has chests
    bool oneByOne = false;                    // bit 4: one item a tick, 50 ms between ticks
    bool announceExtra = false;               // bit 5: one item more announced than handed over
    std::vector<PropWorkInputItem> items;
};

PropWorkInput ReadPropWorkInput(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> WritePropWorkInput(std::uint8_t settings,
                                             const std::vector<PropWorkInputItem>& items);

// What the plug-in's GetSendBuff puts into the client's item.
void FillWorkItem(const PropWorkInputItem& from, props::PropWorkItem& item);

// A chest layout the client accepts: fifteen chests, the seats' targets, a short count-up.
props::BaoInfo SampleChestLayout();

}  // namespace fuzzing
