#include "platform/forms/color.h"

#include <array>

namespace forms {

namespace {

constexpr OleColor kSystemFlag = 0x80000000;

// The classic Windows scheme, which the original's designs assume.
constexpr std::array<QRgb, 25> kSystemColors = {
    0xFFC8C8C8,  // 0 scroll bar
    0xFF3A6EA5,  // 1 desktop
    0xFF0A246A,  // 2 active caption
    0xFF808080,  // 3 inactive caption
    0xFFD4D0C8,  // 4 menu
    0xFFFFFFFF,  // 5 window
    0xFF000000,  // 6 window frame
    0xFF000000,  // 7 menu text
    0xFF000000,  // 8 window text
    0xFFFFFFFF,  // 9 caption text
    0xFFD4D0C8,  // 10 active border
    0xFFD4D0C8,  // 11 inactive border
    0xFF808080,  // 12 application workspace
    0xFF0A246A,  // 13 highlight
    0xFFFFFFFF,  // 14 highlight text
    0xFFD4D0C8,  // 15 button face
    0xFF808080,  // 16 button shadow
    0xFF808080,  // 17 grey text
    0xFF000000,  // 18 button text
    0xFFD4D0C8,  // 19 inactive caption text
    0xFFFFFFFF,  // 20 3-D highlight
    0xFF404040,  // 21 3-D dark shadow
    0xFFD4D0C8,  // 22 3-D light
    0xFF000000,  // 23 tooltip text
    0xFFFFFFE1,  // 24 tooltip background
};

}  // namespace

bool isValidColor(OleColor color) {
    if (color & kSystemFlag) return (color & ~kSystemFlag) < kSystemColors.size();
    return color <= 0xFFFFFF;
}

QColor toQColor(OleColor color) {
    if (color & kSystemFlag) {
        const auto index = color & ~kSystemFlag;
        return index < kSystemColors.size() ? QColor::fromRgb(kSystemColors[index]) : Qt::black;
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

OleColor fromQColor(const QColor& color) {
    return OleColor(color.red()) | (OleColor(color.green()) << 8) | (OleColor(color.blue()) << 16);
}

}  // namespace forms
