#pragma once

namespace forms {

// Windows are placed in twips; the original assumes 15 of them to the pixel everywhere.
inline constexpr float kTwipsPerPixel = 15.0f;

// The unit a container measures its children in (its ScaleMode).
enum class ScaleMode { Twips, Pixels };

inline constexpr float twipsToPixels(float twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr float pixelsToTwips(float pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace forms
