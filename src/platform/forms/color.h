#pragma once

#include <QColor>
#include <cstdint>

namespace forms {

// A colour as the toolkit stores it: 0x00BBGGRR (255 is red, 65280 green), or a system colour
// 0x800000nn. Kept exactly as set; turned into a QColor only for drawing.
using OleColor = std::uint32_t;

inline constexpr OleColor kBlack = 0x000000;
inline constexpr OleColor kWhite = 0xFFFFFF;
inline constexpr OleColor kSystemButtonFace = 0x8000000F;
inline constexpr OleColor kSystemButtonText = 0x80000012;
inline constexpr OleColor kSystemWindow = 0x80000005;
inline constexpr OleColor kSystemWindowText = 0x80000008;
inline constexpr OleColor kSystemHighlight = 0x8000000D;
inline constexpr OleColor kSystemHighlightText = 0x8000000E;

// Whether the toolkit would accept the value (an RGB value or a known system colour).
bool isValidColor(OleColor color);

QColor toQColor(OleColor color);
OleColor fromQColor(const QColor& color);

}  // namespace forms
