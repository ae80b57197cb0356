// korvash-server: the local table server with three robot players, for trying the client.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "server/socket_server.h"
#include "server/table.h"

namespace {

tableserver::SocketServer* g_server = nullptr;

void Stop(int) {
    if (g_server) g_server->stop();
}

void Log(const std::string& line) {
    const std::time_t t = std::time(nullptr);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", std::localtime(&t));
    std::fprintf(stderr, "korvash-server %s %s\n", stamp, line.c_str());
}

int Usage() {
    std::fprintf(stderr,
                 "usage: korvash-server [--port N] [--seed N] [--turn-seconds N]\n"
                 "                      [--drop-at-frame N] [--drop-chance P]\n"
                 "  --port           loopback port below 32768 (default 7788)\n"
                 "  --seed           makes the table repeatable (default: the time)\n"
                 "  --turn-seconds   every player's turn clock (default 20)\n"
                 "  --drop-at-frame  drop the connection before the n-th frame sent\n"
                 "  --drop-chance    drop the connection before any frame with this chance\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    tableserver::TableOptions table;
    table.seed = std::uint32_t(std::time(nullptr));
    tableserver::ServerOptions server;
    server.port = 7788;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || i + 1 >= argc) return Usage();
        char* end = nullptr;
        const char* value = argv[++i];
        const double number = std::strtod(value, &end);
        if (end == value || *end != '\0' || number < 0) return Usage();
        if (option == "--port" && number > 0 && number < 32768) {
            server.port = std::uint16_t(number);
        } else if (option == "--seed") {
            table.seed = std::uint32_t(number);
        } else if (option == "--turn-seconds" && number >= 2 && number <= 255) {
            table.turnSeconds = std::uint8_t(number);
        } else if (option == "--drop-at-frame" && number >= 1) {
            server.drops.atFrame = std::uint64_t(number);
        } else if (option == "--drop-chance" && number <= 1) {
            server.drops.chance = number;
        } else {
            return Usage();
        }
    }
    server.drops.seed = table.seed;
    tableserver::Table state(table, Log);
    tableserver::SocketServer socket(state, server, Log);
    if (!socket.listening()) {
        Log("cannot listen on 127.0.0.1:" + std::to_string(server.port));
        return 1;
    }
    g_server = &socket;
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    std::signal(SIGPIPE, SIG_IGN);
    Log("listening on 127.0.0.1:" + std::to_string(socket.port()) + ", seed " +
        std::to_string(table.seed));
    socket.run();
    return 0;
}
