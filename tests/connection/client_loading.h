#pragma once

#include <QApplication>
#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "support/client_harness.h"
#include "support/fake_game_server.h"

namespace support {

// Tests that give windows real (offscreen) widgets need the application object.
inline void ensureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_connection";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// Loads the table window (running its start-up); false when the start-up ended the program.
inline bool loadTable(ClientHarness& harness) {
    client::Client& c = harness.client ? *harness.client : harness.make();
    try {
        c.MainForm.get();
        return true;
    } catch (const platform::ProgramEnd&) {
        return false;
    }
}

// A frame with a type and a marker byte to tell frames apart.
inline state::Frame markedFrame(std::uint8_t type, std::uint8_t marker) {
    state::Frame frame{};
    frame[state::FrameTypeByte] = type;
    frame[100] = marker;
    return frame;
}

// A client started by the hall with a direct connection to a fake game server.
struct DirectTable {
    std::unique_ptr<FakeGameServer> server = FakeGameServer::onSignedPort();
    ClientHarness harness;
    bool loaded = false;

    DirectTable() {
        harness.env.commandLine = ClientHarness::commandLine(
            {{4, QString::number(server ? server->port() : 0)}, {6, "0"}});
        loaded = loadTable(harness);
    }
    client::Client& c() { return *harness.client; }
    client::MainForm& form() { return *harness.client->MainForm; }
    void ticks(int n) { harness.scheduler.advance(50 * n); }
    // Runs ticks until the login frame has gone out (the fourth tick waits for the socket).
    bool loggedIn() {
        ticks(4);
        return c().s.g_bLoginSentOnConnection && server->waitForFrames(1);
    }
};

}  // namespace support
