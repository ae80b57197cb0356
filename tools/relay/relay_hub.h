#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>

#include "platform/video/relay_protocol.h"

// The relay's logic without sockets: who is logged in, which slot of whom asks for whom, and
// the links between two clients that asked for each other. Frames go only along links.
namespace relayserver {

using ConnectionId = std::uint64_t;

class RelayHub {
  public:
    using Send = std::function<void(ConnectionId, const QByteArray&)>;

    // `linkedState`: the slot state both ends of a new link get (14 reduced, 15 full rate).
    explicit RelayHub(Send send, std::uint8_t linkedState = platform::relay::kStateFullRate);

    void connected(ConnectionId id);
    // False when the stream broke (an oversized message): the connection is to be closed.
    bool received(ConnectionId id, const QByteArray& bytes);
    void disconnected(ConnectionId id);

    std::size_t linkCount() const;

  private:
    struct End {
        ConnectionId peer = 0;
        std::uint8_t peerSlot = 0;
    };
    struct Client {
        platform::relay::Decoder decoder;
        QString account;
        bool loggedIn = false;
        std::map<std::uint8_t, QString> wanted;  // by slot
        std::map<std::uint8_t, End> links;       // by slot
    };

    void handle(ConnectionId id, const platform::relay::Message& message);
    void login(ConnectionId id, const QByteArray& account);
    void request(ConnectionId id, std::uint8_t slot, const QByteArray& account);
    void tryLink(ConnectionId id, std::uint8_t slot);
    void unlink(ConnectionId id, std::uint8_t slot);
    void forward(ConnectionId id, std::uint8_t slot, platform::relay::Kind kind,
                 const QByteArray& payload);
    void sendState(ConnectionId id, std::uint8_t slot, std::uint8_t state);

    Send send_;
    std::uint8_t linkedState_;
    std::map<ConnectionId, Client> clients_;
};

}  // namespace relayserver
