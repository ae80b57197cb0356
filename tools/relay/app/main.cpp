// korvash-relay: the video relay between table clients on this machine.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "relay/relay_server.h"

namespace {

relayserver::RelayServer* g_server = nullptr;

void Stop(int) {
    if (g_server) g_server->stop();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: korvash-relay [--port N] [--reduced-rate]\n"
                 "  --port          loopback port (default 8888, where the table looks)\n"
                 "  --reduced-rate  links report the reduced frame rate (state 14)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    relayserver::RelayOptions options;
    options.port = 8888;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--reduced-rate") {
            options.linkedState = platform::relay::kStateReduced;
        } else if (option == "--port" && i + 1 < argc) {
            char* end = nullptr;
            const long port = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || port < 1 || port > 65535) return Usage();
            options.port = std::uint16_t(port);
        } else {
            return Usage();
        }
    }
    relayserver::RelayServer server(options, [](const std::string& line) {
        std::fprintf(stderr, "korvash-relay %s\n", line.c_str());
    });
    if (!server.listening()) {
        std::fprintf(stderr, "korvash-relay: cannot listen on port %u\n", unsigned(options.port));
        return 1;
    }
    g_server = &server;
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    std::fprintf(stderr, "korvash-relay listening on 127.0.0.1:%u\n", unsigned(server.port()));
    server.run();
    return 0;
}
