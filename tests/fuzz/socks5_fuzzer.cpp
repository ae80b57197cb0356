// Fuzz target: the SOCKS5 proxy's replies. The client stands in the hand-shake at the step the
// first byte picks (with or without a user name); the second byte cuts the rest into arrivals of
// that many bytes (0: one arrival), each handled as the game socket's data event is.
#include <algorithm>
#include <span>

#include "client/client.h"
#include "connection/socket_bytes.h"
#include "connection/socks5.h"
#include "kept_client.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::KeptClient kept;
    if (size < 2) return 0;
    constexpr std::int16_t kSteps[] = {2, 4, 6, 6};
    const std::span<const std::uint8_t> replies(data + 2, size - 2);
    const std::size_t arrival = data[1] == 0 ? replies.size() : data[1];
    kept.run([&](client::Client& c) {
        auto& s = c.s;
        s.ProxyType = 5;
        s.g_sProxyUser = (data[0] & 4) ? QStringLiteral("proxyuser") : QString();
        s.g_sProxyPassword = (data[0] & 4) ? QStringLiteral("secret") : QString();
        s.g_bDirectData = false;
        s.g_bProxyFailed = false;
        s.g_nProxyStep = kSteps[data[0] & 3];
        connection::ResetProxyRecv(s);
        for (std::size_t at = 0; at < replies.size(); at += arrival) {
            const auto piece = replies.subspan(at, std::min(arrival, replies.size() - at));
            kept.harness().scheduler.dispatch([&] { connection::ReceiveSocketBytes(c, piece); });
        }
    });
    return 0;
}
