#include <gtest/gtest.h>

#include <vector>

#include "connection/send_queue.h"
#include "support/client_harness.h"
#include "support/fake_game_server.h"

namespace {

using platform::SystemCommand;

class SocketEvents : public ::testing::Test {
  protected:
    support::ClientHarness harness;
    support::FakeGameServer server;
    client::Client& c = harness.make();

    client::MainForm& connect() {
        auto& form = *c.MainForm;
        form.Winsock1.setRemoteHost("127.0.0.1");
        form.Winsock1.setRemotePort(server.port());
        form.Winsock1.connect();
        EXPECT_TRUE(harness.scheduler.waitUntil(
            [&] { return form.Winsock1.state() == platform::SocketState::Connected; }, 30000));
        EXPECT_TRUE(server.waitForClient());
        return form;
    }
};

TEST_F(SocketEvents, ArrivingBytesGoToTheReceiveRingAndArmTheReceiveChannel) {
    connect();
    state::Frame frame{};
    frame[3] = 7;
    frame[100] = 0x5A;
    server.send(frame, 3);
    ASSERT_TRUE(harness.scheduler.pumpRealIo([&] { return c.s.g_aRecvRing.holdsFrame(); }));
    EXPECT_TRUE(c.s.channels.check[state::ChannelReceive]);
    state::Frame taken{};
    ASSERT_TRUE(connection::TakeFrame(c.s.g_aRecvRing, taken));
    EXPECT_EQ(taken, frame);
}

TEST_F(SocketEvents, AnOverflowingReceiveRingRestoresTheHallAndEndsTheProgram) {
    c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
    connect();
    harness.desktop.clearRecords(harness.hall);  // start-up restored and minimised it
    // Nobody takes frames: a full ring of bytes plus one more overflows it.
    std::vector<std::uint8_t> flood(state::ByteRing::Size, 0x11);
    server.sendBytes(flood);
    EXPECT_THROW(harness.scheduler.pumpRealIo([] { return false; }), platform::ProgramEnd);
    EXPECT_TRUE(harness.scheduler.hasEnded());
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<SystemCommand>{SystemCommand::Restore});
}

TEST_F(SocketEvents, KeepAlivesQueueWhileDisconnected) {
    c.MainForm.get();  // start-up clears the own seat
    c.s.custom[0].seat = 8;
    c.MainForm->TimerKeepAlive.setEnabled(true);
    harness.scheduler.advance(15000);
    EXPECT_EQ(c.s.g_aSendRing.unread(), 3 * 272);
    state::Frame taken{};
    ASSERT_TRUE(connection::TakeFrame(c.s.g_aSendRing, taken));
    EXPECT_EQ(taken[3], 24);
    EXPECT_EQ(taken[6], 8);
}

}  // namespace
