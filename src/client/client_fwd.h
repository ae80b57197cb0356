#pragma once

// The client context and the table window, as the subsystems name them without pulling in the
// whole hub.
namespace client {
class Client;
class MainForm;
}  // namespace client
