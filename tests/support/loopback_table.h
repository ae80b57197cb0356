#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "client/client.h"
#include "client/main_form.h"
#include "support/client_harness.h"
#include "support/fake_game_server.h"

namespace support {

// A client on virtual time connected over loopback to the fake game server: the end-to-end
// tests start it, let it send its login and hand it the server's frames through the table tick.
class LoopbackTable {
  public:
    // The command line's port field is a signed 16-bit number.
    std::unique_ptr<FakeGameServer> owned = FakeGameServer::onSignedPort();
    FakeGameServer& server = *owned;
    ClientHarness harness;
    client::Client* c = nullptr;

    // Loads the client with a direct connection to the fake server and waits for its first
    // frame (the login).
    void start() {
        harness.env.commandLine = ClientHarness::commandLine(
            {{4, QString::number(server.port())}, {6, QStringLiteral("0")}});
        c = &harness.make();
        (void)*c->MainForm;
        ASSERT_TRUE(server.waitForClient());
        harness.scheduler.advance(1000);
        ASSERT_TRUE(server.waitForFrames(1));
    }

    // Lets the server's frame arrive and the table tick dispatch it.
    void deliver(const state::Frame& frame) {
        server.send(frame);
        ASSERT_TRUE(harness.scheduler.pumpRealIo([&] { return c->s.g_aRecvRing.holdsFrame(); }));
        harness.scheduler.advance(200);
    }
};

}  // namespace support
