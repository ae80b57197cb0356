#pragma once

// Seated tables for the deal and declaration frames: the seats are set up directly (as the
// seating frames would leave them), so a test starts at the deal.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "client/client.h"
#include "client/main_form.h"
#include "dispatch_fixture.h"
#include "server/client_frames.h"
#include "state/shared_state.h"
#include "support/loopback_table.h"
#include "support/resource_images.h"
#include "support/server_frames.h"

namespace dispatch_test {

// The local player sits on the second seat; the others follow round the table.
inline constexpr std::uint8_t kOwnFlag = 2;
inline std::uint8_t SeatFlagOf(int relativeSeat) {
    return std::uint8_t(1u << ((1 + relativeSeat) & 3));
}

inline void SeatPlayers(client::Client& c) {
    for (int r = 0; r < 4; ++r) {
        c.s.custom[std::size_t(r)].seat = SeatFlagOf(r);
        c.MainForm->Cash[r].setCaption(QString::number(1000 * (r + 1)));
    }
}

// Suit masks and ranks as the wire carries them.
enum : std::uint8_t { Diamonds = 1, Clubs = 2, Hearts = 4, Spades = 8, Ace = 14 };
inline std::int32_t Card(std::uint8_t suit, std::uint8_t rank, std::uint8_t id) {
    return support::CardWord(suit, rank, id);
}
// n distinct cards with ids from firstId, none of them an ace (ranks 3 to 13).
inline std::vector<std::int32_t> Cards(int n, std::uint8_t firstId) {
    std::vector<std::int32_t> cards;
    for (int i = 0; i < n; ++i) {
        const int id = firstId + i;
        cards.push_back(
            Card(std::uint8_t(1 << (id % 4)), std::uint8_t(3 + id / 4 % 11), std::uint8_t(id)));
    }
    return cards;
}

inline bool Shows(const forms::Image& image, int resourceId) {
    return image.picture().image() == support::decodedResource(resourceId);
}

// Left edges as the picture loader rounds them: halves to even.
inline float RoundedLeft(float designX, float scale) {
    return float(std::nearbyint(double(designX * scale)));
}

// A seated client on a dispatcher harness without a connection.
class SeatedDispatchTest : public DispatchTest {
  protected:
    void SetUp() override { SeatPlayers(c); }
};

// A seated, logged-in client on virtual time over loopback to the fake server: what it sends
// arrives there as bytes.
class SeatedLoopback : public ::testing::Test, protected support::LoopbackTable {
  protected:
    void SetUp() override {
        start();
        deliver(support::BuildLoginReply({.loginResult = 1}));
        ASSERT_TRUE(c->s.g_bLoggedIn);
        SeatPlayers(*c);
        // During a hand no keep-alive goes out (the first deal batch stops them): the server
        // sees only the answers.
        form().TimerKeepAlive.setEnabled(false);
        server.clearFrames();
    }
    client::MainForm& form() { return *c->MainForm; }
    // Lets the table tick run for ms of virtual time.
    void run(int ms) { harness.scheduler.advance(ms); }
    // The declaration countdown's whole run: "10" down to "0" and the answer a second later.
    void runOutCountdown() { run(12500); }
    // The frames the server has, after the client had time to send what it queued.
    std::vector<state::Frame> sent(std::size_t expected) {
        run(200);  // the send pump takes one queued frame a tick
        // When nothing is expected, a short look shows that nothing came either.
        server.waitForFrames(
            std::max<std::size_t>(expected, 1),
            expected == 0 ? std::chrono::milliseconds(300) : support::FakeGameServer::kDefaultWait);
        return server.frames();
    }
};

}  // namespace dispatch_test
