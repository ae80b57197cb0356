#pragma once

// The frame builder lives with the table server, which speaks the same frames; tests reach it
// under the test support's name.
#include "server/server_frames.h"

namespace support {
using namespace tableserver::wire;
}  // namespace support
