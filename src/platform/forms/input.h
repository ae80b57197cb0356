#pragma once

namespace forms {

// Mouse buttons as the toolkit's events report them (a bit set in MouseMove).
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// The Shift argument of mouse and key events.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes of KeyDown and KeyUp (letters and digits are their upper-case ASCII codes).
namespace key {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18;  // Alt
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;
inline constexpr int F12 = 123;
}  // namespace key

// Mouse pointer kinds (MousePointer).
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Arrow = 1;
inline constexpr int Cross = 2;
inline constexpr int IBeam = 3;
inline constexpr int SizeAll = 15;
inline constexpr int Custom = 99;  // the control's MouseIcon
}  // namespace pointer

}  // namespace forms
