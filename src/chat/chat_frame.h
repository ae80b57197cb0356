#pragma once

#include <cstddef>
#include <cstdint>

#include "connection/send_queue.h"

// The chat frame (type 19), in both directions. Bytes the table's chat does not name stay 0 in
// the frames it builds.
namespace chat::chat_bytes {

inline constexpr std::size_t Seat = 6;         // the speaker's SeatFlag (low nibble 0: system)
inline constexpr std::size_t PhraseList = 9;   // 1 or 2: a quick phrase of that list
inline constexpr std::size_t Target = 11;      // the whisper addressee's SeatFlag, 0 everybody
inline constexpr std::size_t ListMarker = 13;  // 97 in quick phrases of list 2
inline constexpr std::size_t PhraseNo = 15;    // list position + 1
inline constexpr std::size_t Text = connection::ChatTextByte;
// The text is read up to here; a lead byte just before it takes this byte as its second byte.
inline constexpr std::size_t TextEnd = 216;

inline constexpr std::uint8_t List2Marker = 97;

}  // namespace chat::chat_bytes
