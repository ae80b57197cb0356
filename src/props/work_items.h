#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

#include "props/prop_dll.h"
#include "state/frame.h"

namespace props {

// The work types GetSendBuff reports.
enum PropWorkType : std::int16_t {
    PropWorkChatLine = 0,
    PropWorkText = 1,
    PropWorkFrame = 2,
    PropWorkSeatClick = 3,
    PropWorkKey = 4,
    PropWorkSeatCard = 5,
};

// A floating text whose numbers the label and the timer can take.
struct FloatingText {
    QString text;
    std::array<std::int32_t, 4> rect{};   // width, height, left, top
    std::array<std::int32_t, 5> style{};  // interval ms, repeat, font size, fore colour, alignment
};

struct ChatLineItem {
    QString text;
};
struct FrameItem {
    state::Frame frame;
};
struct SeatClickItem {
    std::int16_t seat;
};
struct KeyItem {
    std::int16_t keyCode;
};
struct SeatCardItem {
    std::int16_t seat;
};

using WorkAction =
    std::variant<ChatLineItem, FloatingText, FrameItem, SeatClickItem, KeyItem, SeatCardItem>;

// What a work item asks of the table, or nothing when the item is of no known type or carries
// values the table cannot take: a number that does not fit 16 bits, a key code that is no key,
// a seat out of range, a rectangle, colour, font size or alignment out of range, or a timer
// interval beyond what a timer can run. The plug-in is outside the program, so nothing it hands
// over is trusted.
std::optional<WorkAction> CheckWorkItem(const PropWorkItem& item);

}  // namespace props
