// The game socket's events and the keep-alive timer of the table window.
#include "connection/client.h"
#include "connection/hall_link.h"
#include "connection/main_form.h"
#include "connection/send_queue.h"
#include "connection/socks5.h"

namespace connection {

void MainForm::Winsock1_DataArrival(std::size_t bytesTotal) {
    const std::vector<std::uint8_t> bytes = Winsock1.getData();
    if (c.s.g_bDirectData) {
        if (!AppendToRecvRing(c.s, bytes)) {
            RestoreHall(c);
            platform::endProgram();
        }
        return;
    }
    if (!AppendToProxyBuf(c.s, bytes)) {
        RestoreHall(c);
        platform::endProgram();
    }
    OnSock5Reply(c, c.s.g_nProxyStep);
}

void MainForm::Winsock1_Close() { Winsock1.close(); }

void MainForm::TimerKeepAlive_Timer() {
    state::Frame keepAlive = BuildKeepAlive(c.s);
    QueueOutgoingMessage(c.s, keepAlive);
}

}  // namespace connection
