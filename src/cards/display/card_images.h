#pragma once

#include <cstdint>

#include "platform/forms/control_array.h"
#include "platform/forms/image.h"

namespace client {
class Client;
class MainForm;
}  // namespace client

namespace cards {

// The card controls of a relative seat: cardImage0 (the local hand row and the local plays) to
// cardImage3; none for any other seat.
forms::ControlArray<forms::Image>* SeatCardImages(client::MainForm& form, int seat);

// The picture number of the card backs of relative seat 1..3 holding `held` cards (1..13): the
// full-size set at scale 1.0, the reduced set at any other scale. Anything else is a run-time
// failure.
std::int16_t HandBackPictureId(const client::Client& c, int seat, int held);

}  // namespace cards
