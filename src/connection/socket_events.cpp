// The game socket's events and the keep-alive timer of the table window.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "connection/send_queue.h"
#include "connection/socket_bytes.h"
#include "connection/socks5.h"

namespace connection {

void ReceiveSocketBytes(Client& c, std::span<const std::uint8_t> bytes) {
    std::span<const std::uint8_t> rest(bytes);
    // During the hand-shake the proxy's replies are judged a byte at a time: the game bytes that
    // follow the last reply in the same arrival then go to the receive ring, and a long arrival
    // cannot fill the proxy buffer.
    while (!rest.empty() && !c.s.g_bDirectData) {
        if (c.s.g_bProxyFailed) return;
        if (!AppendToProxyBuf(c.s, rest.first(1))) {
            RestoreHall(c);
            platform::endProgram();
        }
        rest = rest.subspan(1);
        OnSock5Reply(c, c.s.g_nProxyStep);
    }
    if (rest.empty()) return;
    if (!AppendToRecvRing(c.s, rest)) {
        RestoreHall(c);
        platform::endProgram();
    }
}

}  // namespace connection

namespace client {
using namespace connection;

void MainForm::Winsock1_DataArrival(std::size_t bytesTotal) {
    ReceiveSocketBytes(c, Winsock1.getData());
}

void MainForm::Winsock1_Close() {
    Winsock1.close();
}

void MainForm::TimerKeepAlive_Timer() {
    state::Frame keepAlive = BuildKeepAlive(c.s);
    QueueOutgoingMessage(c.s, keepAlive);
}

}  // namespace client
