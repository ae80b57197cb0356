#pragma once

// A client at a table on virtual time, against the fake game server (directly or through the
// fake SOCKS5 proxy): start-up from the hall's command line, the login, and the ways to wait
// for socket traffic.
#include <gtest/gtest.h>

#include <QString>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "client/client.h"
#include "client/main_form.h"
#include "support/client_harness.h"
#include "support/fake_game_server.h"
#include "support/fake_socks5_proxy.h"
#include "support/server_frames.h"

namespace testing_session {

inline QString Port(std::uint16_t port) {
    return QString::number(port);
}

// The table music that start-up plays: a short silent PCM file in the shared sound folder.
inline void InstallTableMusic(const std::filesystem::path& programFolder) {
    const auto folder = programFolder / ".." / "common" / "music";
    std::filesystem::create_directories(folder);
    const std::uint32_t samples = 800, rate = 8000, dataBytes = samples * 2;
    std::ofstream out(folder / "majiang.wav", std::ios::binary);
    auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    const std::string silence(dataBytes, '\0');
    out.write(silence.data(), std::streamsize(silence.size()));
}

struct TableSession {
    support::ClientHarness harness;
    support::FakeGameServer server;
    TableSession() { InstallTableMusic(harness.env.programFolder); }
    // Made by a start below, once the command line is set.
    client::Client* c = nullptr;

    platform::Scheduler& time() { return harness.scheduler; }
    client::MainForm& table() { return *c->MainForm; }

    // Start-up with a direct connection to the fake server; the tick sends the login frame.
    void startDirect() {
        harness.env.commandLine = support::ClientHarness::commandLine(
            {{3, "127.0.0.1"}, {4, Port(server.port())}, {6, "0"}});
        c = &harness.make();
        c->MainForm.get();
        ASSERT_TRUE(waitForFrames(1)) << "no login frame";
    }

    // Start-up through the proxy (user and password as given); the hand-shake is under way.
    void startThroughProxy(support::FakeSocks5Proxy& proxy, const QString& user = "user",
                           const QString& password = "pass1234") {
        harness.env.commandLine = support::ClientHarness::commandLine({{3, "127.0.0.1"},
                                                                       {4, Port(server.port())},
                                                                       {6, "5"},
                                                                       {7, "127.0.0.1"},
                                                                       {8, Port(proxy.port())},
                                                                       {9, user},
                                                                       {10, password}});
        c = &harness.make();
        c->MainForm.get();
    }

    // Start-up without a connection (the hall's line with no connection kind).
    void startIdle() {
        c = &harness.make();
        c->MainForm.get();
    }

    // Waits for the server to have `count` frames, letting the client's ticks run.
    bool waitForFrames(std::size_t count) {
        for (int i = 0; i < 100 && server.frameCount() < count; ++i) {
            time().pumpRealIo([&] { return server.frameCount() >= count; },
                              std::chrono::milliseconds(50));
            time().advance(50);
        }
        return server.frameCount() >= count;
    }

    // The server accepts the login; the client's dispatcher takes the answer.
    void acceptLogin(support::Token token = {0x12, 0x34}) {
        support::LoginReply reply;
        reply.token = token;
        server.send(support::BuildLoginReply(reply));
        for (int i = 0; i < 100 && !c->s.g_bAutoReconnect; ++i) {
            time().pumpRealIo([&] { return c->s.g_aRecvRing.holdsFrame(); },
                              std::chrono::milliseconds(50));
            time().advance(100);
        }
        ASSERT_TRUE(c->s.g_bAutoReconnect) << "login not accepted";
    }

    // Waits in real time (virtual time stands still) until the client's socket is down.
    bool waitForClientClosed() {
        return time().pumpRealIo(
            [&] { return table().Winsock1.state() != platform::SocketState::Connected; });
    }
};

}  // namespace testing_session
