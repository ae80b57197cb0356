#pragma once

#include <cstdint>

namespace client {
class Client;
}

namespace cards {

// ShowCardPicture: puts the face of a card (code, from BitIndex(suitMask) × 16 + rank) on
// element imgIndex of the card controls of relative seat `seat` (cardImage0..3), or of the
// offered cards xuan_img when toOption is 1. Position, size and visibility stay as they are.
// - A marked ace shows the ace of its suit.
// - A picture that cannot be written leaves the control's picture, silently.
// - Another seat gets nothing: the picture is written and its file deleted.
// - A refused code (one with no picture) minimises the table window and restores the hall
//   window, which ends the program when the hall is gone; no control changes.
// - A file that does not load, an imgIndex the array lacks, or a code outside the picture-id
//   table is a run-time failure for the caller.
void ShowCardPicture(client::Client& c, std::int16_t suitMask, std::int16_t rank, std::int16_t seat,
                     std::int16_t imgIndex, std::int16_t code, std::int16_t toOption);

}  // namespace cards
