// The relay protocol's framing, the relay's links and the socket's handling of what the relay
// sends, without sockets.
#include "platform/video/relay_protocol.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/runtime/scheduler.h"
#include "platform/video/relay_socket.h"
#include "relay/relay_hub.h"

namespace {

namespace relay = platform::relay;
using relay::Kind;

TEST(RelayDecoder, CutsAStreamFedInAnyPiecesIntoTheSameMessages) {
    const QByteArray stream = relay::encode(Kind::Login, 0, "alice") +
                              relay::encode(Kind::Frame, 3, QByteArray(300, 'x')) +
                              relay::encode(Kind::Logout);
    for (int piece : {1, 2, 5, 6, 7, 400}) {
        relay::Decoder decoder;
        std::vector<relay::Message> got;
        for (qsizetype at = 0; at < stream.size(); at += piece) {
            decoder.feed(stream.mid(at, piece));
            while (auto message = decoder.next()) got.push_back(*message);
        }
        ASSERT_EQ(got.size(), 3u) << piece;
        EXPECT_EQ(got[0].payload, QByteArray("alice"));
        EXPECT_EQ(got[1].slot, 3);
        EXPECT_EQ(got[1].payload.size(), 300);
        EXPECT_EQ(got[2].kind, Kind::Logout);
    }
}

TEST(RelayDecoder, AnOversizedLengthBreaksTheStreamForGood) {
    relay::Decoder decoder;
    decoder.feed(QByteArray("\x12\x01\x00\x10\x00\x01", 6));  // 1 MB + 1
    EXPECT_FALSE(decoder.next());
    EXPECT_TRUE(decoder.broken());
    decoder.feed(relay::encode(Kind::Logout));
    EXPECT_FALSE(decoder.next());
}

// A hub whose clients' received messages are kept per connection.
class Hub : public ::testing::Test {
  protected:
    std::map<relayserver::ConnectionId, std::vector<relay::Message>> inbox;
    std::map<relayserver::ConnectionId, relay::Decoder> decoders;
    relayserver::RelayHub hub{[this](relayserver::ConnectionId id, const QByteArray& bytes) {
        decoders[id].feed(bytes);
        while (auto message = decoders[id].next()) inbox[id].push_back(*message);
    }};

    void send(relayserver::ConnectionId id, Kind kind, int slot = 0, QByteArray payload = {}) {
        ASSERT_TRUE(hub.received(id, relay::encode(kind, std::uint8_t(slot), payload)));
    }
    void login(relayserver::ConnectionId id, const char* account) {
        hub.connected(id);
        send(id, Kind::Login, 0, account);
    }
    // The last slot state `id` heard for `slot`.
    int stateAt(relayserver::ConnectionId id, int slot) {
        int state = -1;
        for (const auto& m : inbox[id]) {
            if (m.kind == Kind::SlotState && m.slot == slot) state = std::uint8_t(m.payload[0]);
        }
        return state;
    }
    int framesAt(relayserver::ConnectionId id, int slot) {
        int count = 0;
        for (const auto& m : inbox[id]) count += m.kind == Kind::PeerFrame && m.slot == slot;
        return count;
    }
};

TEST_F(Hub, RefusesASecondLoginOfTheSameAccount) {
    login(1, "alice");
    login(2, "alice");
    EXPECT_EQ(inbox[1].at(0).payload, QByteArray(1, char(relay::kLoggedIn)));
    EXPECT_EQ(inbox[2].at(0).payload, QByteArray(1, char(relay::kLoginRefused)));
}

TEST_F(Hub, LinksTwoClientsOnceEachAskedForTheOther) {
    login(1, "alice");
    login(2, "bob");
    send(1, Kind::Request, 3, "bob");
    EXPECT_EQ(stateAt(1, 3), relay::kStateWaiting);
    send(1, Kind::Frame, 3, "early");
    EXPECT_EQ(framesAt(2, 1), 0);
    send(2, Kind::Request, 1, "alice");
    EXPECT_EQ(stateAt(1, 3), relay::kStateFullRate);
    EXPECT_EQ(stateAt(2, 1), relay::kStateFullRate);
    send(1, Kind::Frame, 3, "hello");
    ASSERT_EQ(framesAt(2, 1), 1);
    EXPECT_EQ(inbox[2].back().payload, QByteArray("hello"));
}

TEST_F(Hub, ClosingOrLeavingTellsThePeerItsSlotIsGone) {
    login(1, "alice");
    login(2, "bob");
    login(3, "carol");
    send(1, Kind::Request, 1, "bob");
    send(2, Kind::Request, 2, "alice");
    send(1, Kind::Request, 2, "carol");
    send(3, Kind::Request, 1, "alice");
    ASSERT_EQ(hub.linkCount(), 2u);
    send(1, Kind::Close, 1);
    EXPECT_EQ(stateAt(2, 2), relay::kStateGone);
    hub.disconnected(1);
    EXPECT_EQ(stateAt(3, 1), relay::kStateGone);
    EXPECT_EQ(hub.linkCount(), 0u);
}

TEST_F(Hub, IgnoresEverythingBeforeTheLogin) {
    hub.connected(1);
    send(1, Kind::Request, 1, "bob");
    EXPECT_TRUE(inbox[1].empty());
}

class Socket : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    platform::RelaySocket socket{scheduler, [] { return QStringLiteral("me"); }};
    std::vector<std::pair<int, int>> peerStates;
    std::vector<int> serverStates;

    void SetUp() override {
        socket.SlotCount = 3;
        socket.PeerState = [this](std::int16_t slot, std::int16_t state) {
            peerStates.push_back({slot, state});
        };
        socket.ServerState = [this](std::int16_t code) { serverStates.push_back(code); };
    }
};

TEST_F(Socket, TakesSlotStatesOnlyForItsAskedSlots) {
    std::int16_t slot = 2;
    QString peer = "bob";
    socket.RequestVideo(slot, peer);
    for (int s : {0, 1, 2, 3, 4, 200}) {
        socket.receive(relay::encode(Kind::SlotState, std::uint8_t(s), QByteArray(1, 15)));
    }
    EXPECT_EQ(peerStates, (std::vector<std::pair<int, int>>{{2, 15}}));
    std::int16_t outside = 4;
    EXPECT_EQ(socket.SlotState(outside), 0);
    EXPECT_EQ(socket.UserID(outside), QString());
}

TEST_F(Socket, AMalformedStreamReadsAsNotLoggedIn) {
    socket.receive(relay::encode(Kind::LoginState, 0, QByteArray(1, char(relay::kLoggedIn))));
    socket.receive(QByteArray("\x11\x01\xff\xff\xff\xff", 6));
    EXPECT_EQ(serverStates, (std::vector<int>{2, 0}));
}

}  // namespace
