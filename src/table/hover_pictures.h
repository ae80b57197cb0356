#pragma once

#include <optional>

// Which picture of its id table a table button shows when the mouse enters it and which it
// goes back to; and what becomes of a hand card left floating under the mouse. Pure, so that
// the picture tables are checked without windows.
namespace table {

// The ready button shows its start pictures until the first hand has ended while a ready
// press is still awaited, its continue pictures otherwise.
bool ReadyShowsStart(int handCount, bool readyPending);

// Elements of g_aIdAnNiu for toolbar button i (0..8).
int AnNiuHoverElement(int i, bool readyStart);
int AnNiuNormalElement(int i, bool readyStart);

// Elements of g_aIdOperation for action button j (0..5); the pass button has no hover picture.
std::optional<int> OperationHoverElement(int j);
int OperationNormalElement(int j);

// The element of g_aIdJiaofen for the hover picture of a declaration kind 1..9; none for any
// other kind.
std::optional<int> JiaofenHoverElement(int kind);

// A card recorded as floating is put down when it still floats, forgotten when it lies lower
// than the put-down line, and kept recorded at or below that line.
enum class FloatingCard { PutDown, Forget, KeepRecord };
// The line in pixels of the table, on both layouts alike.
inline constexpr float kPutDownLine = 541;
FloatingCard FloatingCardFate(float top, float floatBaseTop);

}  // namespace table
