#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "client/client_fwd.h"
#include "state/shared_state.h"

namespace connection {

using client::Client;
using client::MainForm;

// The longest wait for the proxy's connection and for each of its replies.
inline constexpr int ProxyWaitMs = 30000;

// Connects Winsock1 to the proxy, waits (at most ProxyWaitMs) for the connection and sends the
// greeting; the hand-shake then runs on the proxy's replies.
void ConnectToSock5Server(Client& c);

// Sends the request of step 1, 3 or 5 and advances g_nProxyStep to the step that awaits its
// reply; the proxy buffer is emptied first.
void SendSock5Step(Client& c);

// Judges the proxy's reply for the hand-shake step `step` once it has arrived whole.
void OnSock5Reply(Client& c, std::int16_t step);

void ResetProxyRecv(state::SharedState& s);

// The request of step 1 (greeting), 3 (user name and password) or 5 (CONNECT); empty for any
// other step.
std::vector<std::uint8_t> BuildSock5Request(const state::SharedState& s, std::int16_t step);

// What the bytes received so far say about the reply awaited at `step` (2, 4 or 6).
struct Sock5Verdict {
    enum Kind { Incomplete, Accepted, Refused };
    Kind kind = Incomplete;
    // Accepted: the reply's length; bytes after it are not the proxy's.
    std::size_t length = 0;
};
Sock5Verdict JudgeSock5Reply(std::int16_t step, std::span<const std::uint8_t> received);

// The message shown when the hand-shake fails or stalls while at `step`.
QString Sock5FailureText(std::int16_t step);

}  // namespace connection
