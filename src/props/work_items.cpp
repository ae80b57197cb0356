#include "props/work_items.h"

#include <cmath>

#include "platform/runtime/conversions.h"

namespace props {

namespace {

constexpr std::int32_t kLongestInterval = 65535;
constexpr std::int32_t kLargestFontSize = 200;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kLastAlignment = 2;  // left, right, centre
constexpr std::int32_t kLastKeyCode = 254;

// The number the text starts with, rounded halves to even; nothing when it overflows 16 bits.
std::optional<std::int16_t> LeadingInteger(const QString& text) {
    const double v = platform::roundHalfEven(platform::val(text));
    if (!std::isfinite(v) || v < INT16_MIN || v > INT16_MAX) return std::nullopt;
    return std::int16_t(v);
}

std::optional<WorkAction> CheckFloatingText(const PropWorkItem& item) {
    if (item.g_sPropText.isEmpty() || item.g_aPropRect.size() != 4) return std::nullopt;
    FloatingText t{item.g_sPropText, {}, {}};
    for (std::size_t k = 0; k < 4; ++k) t.rect[k] = item.g_aPropRect[k];
    if (t.rect[0] < 0 || t.rect[1] < 0) return std::nullopt;
    // A missing style element counts as 0: the text then stays until the display is cleared.
    for (std::size_t k = 0; k < item.g_aPropStyle.size() && k < 5; ++k)
        t.style[k] = item.g_aPropStyle[k];
    if (item.g_aPropStyle.size() > 5) return std::nullopt;
    const auto [interval, repeat, fontSize, colour, alignment] = t.style;
    if (interval < 0 || interval > kLongestInterval || repeat < 0 || repeat > INT16_MAX)
        return std::nullopt;
    if (fontSize < 1 || fontSize > kLargestFontSize) return std::nullopt;
    if (colour < 0 || colour > kWhite) return std::nullopt;
    if (alignment < 0 || alignment > kLastAlignment) return std::nullopt;
    return t;
}

}  // namespace

std::optional<WorkAction> CheckWorkItem(const PropWorkItem& item) {
    switch (item.g_nPropWorkType) {
        case PropWorkChatLine:
            if (item.g_sPropText.isEmpty()) return std::nullopt;
            return ChatLineItem{item.g_sPropText};
        case PropWorkText:
            return CheckFloatingText(item);
        case PropWorkFrame: {
            if (item.g_aPropBytes.size() != state::FrameSize) return std::nullopt;
            FrameItem f{};
            std::copy(item.g_aPropBytes.begin(), item.g_aPropBytes.end(), f.frame.begin());
            return f;
        }
        case PropWorkSeatClick: {
            const auto v = LeadingInteger(item.g_sPropText);
            if (!v || *v < 1 || *v > 3) return std::nullopt;
            return SeatClickItem{*v};
        }
        case PropWorkKey: {
            const auto v = LeadingInteger(item.g_sPropText);
            if (!v || *v < 1 || *v > kLastKeyCode) return std::nullopt;
            return KeyItem{*v};
        }
        case PropWorkSeatCard: {
            const auto v = LeadingInteger(item.g_sPropText);
            if (!v || *v < 0 || *v > 3) return std::nullopt;
            return SeatCardItem{*v};
        }
        default:
            return std::nullopt;
    }
}

}  // namespace props
