#pragma once

#include <cstdint>

namespace connection {

class Client;

// Connects Winsock1 to the proxy and sends the greeting; the hand-shake then runs on the
// proxy's replies.
void ConnectToSock5Server(Client& c);

// Judges the proxy's reply for the hand-shake step `step` from the proxy buffer.
void OnSock5Reply(Client& c, std::int16_t step);

}  // namespace connection
