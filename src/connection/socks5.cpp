#include "connection/socks5.h"

#include "connection/client.h"

namespace connection {

void ConnectToSock5Server(Client& c) { (void)c; }

void OnSock5Reply(Client& c, std::int16_t step) {
    // The SOCKS5 hand-shake is not built yet: the proxy's bytes stay in the proxy buffer.
    (void)c;
    (void)step;
}

}  // namespace connection
