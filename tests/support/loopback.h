#pragma once

// The loopback sockets live with the table server, the test peer that needs them outside the
// tests too; the fakes and tests reach them under the test support's name.
#include "server/loopback.h"

namespace support {
using namespace tableserver::net;
}  // namespace support
