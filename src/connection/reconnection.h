#pragma once

namespace connection {

class Client;

// Loads the reconnect window without showing it; it reconnects on its own timers.
void StartReconnection(Client& c);

}  // namespace connection
