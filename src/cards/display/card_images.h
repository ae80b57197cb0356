#pragma once

#include <cstdint>

#include "platform/forms/control_array.h"
#include "platform/forms/image.h"

namespace client {
class MainForm;
}

namespace cards {

// The card controls of a relative seat: cardImage0 (the local hand row and the local plays) to
// cardImage3; none for any other seat.
forms::ControlArray<forms::Image>* SeatCardImages(client::MainForm& form, int seat);

}  // namespace cards
