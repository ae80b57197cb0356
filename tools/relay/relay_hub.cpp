#include "relay/relay_hub.h"

namespace relayserver {

namespace relay = platform::relay;

RelayHub::RelayHub(Send send, std::uint8_t linkedState)
    : send_(std::move(send)), linkedState_(linkedState) {}

void RelayHub::connected(ConnectionId id) {
    clients_[id];
}

bool RelayHub::received(ConnectionId id, const QByteArray& bytes) {
    auto found = clients_.find(id);
    if (found == clients_.end()) return false;
    found->second.decoder.feed(bytes);
    while (true) {
        // A handler may drop this or another client: look the connection up each time.
        found = clients_.find(id);
        if (found == clients_.end()) return false;
        auto message = found->second.decoder.next();
        if (!message) return !found->second.decoder.broken();
        handle(id, *message);
    }
}

void RelayHub::disconnected(ConnectionId id) {
    auto found = clients_.find(id);
    if (found == clients_.end()) return;
    std::map<std::uint8_t, End> links = found->second.links;
    for (const auto& [slot, end] : links) unlink(id, slot);
    clients_.erase(id);
}

std::size_t RelayHub::linkCount() const {
    std::size_t ends = 0;
    for (const auto& [id, client] : clients_) ends += client.links.size();
    return ends / 2;
}

void RelayHub::handle(ConnectionId id, const relay::Message& message) {
    Client& client = clients_.at(id);
    if (message.kind == relay::Kind::Login) {
        login(id, message.payload);
        return;
    }
    if (!client.loggedIn) return;
    switch (message.kind) {
        case relay::Kind::Request:
            request(id, message.slot, message.payload);
            return;
        case relay::Kind::Close:
            unlink(id, message.slot);
            client.wanted.erase(message.slot);
            return;
        case relay::Kind::Format:
            forward(id, message.slot, relay::Kind::PeerFormat, message.payload);
            return;
        case relay::Kind::Mode:
            forward(id, message.slot, relay::Kind::PeerMode, message.payload);
            return;
        case relay::Kind::Frame:
            forward(id, message.slot, relay::Kind::PeerFrame, message.payload);
            return;
        case relay::Kind::Logout:
            disconnected(id);
            return;
        default:
            return;
    }
}

void RelayHub::login(ConnectionId id, const QByteArray& account) {
    Client& client = clients_.at(id);
    const QString name = QString::fromUtf8(account);
    bool taken = false;
    for (const auto& [other, known] : clients_) {
        if (other != id && known.loggedIn && known.account == name) taken = true;
    }
    if (client.loggedIn || name.isEmpty() || taken) {
        send_(id,
              relay::encode(relay::Kind::LoginState, 0, QByteArray(1, char(relay::kLoginRefused))));
        return;
    }
    client.loggedIn = true;
    client.account = name;
    send_(id, relay::encode(relay::Kind::LoginState, 0, QByteArray(1, char(relay::kLoggedIn))));
}

void RelayHub::request(ConnectionId id, std::uint8_t slot, const QByteArray& account) {
    if (slot == 0) return;
    unlink(id, slot);
    clients_.at(id).wanted[slot] = QString::fromUtf8(account);
    sendState(id, slot, relay::kStateWaiting);
    tryLink(id, slot);
}

// Links the slot with the one of the wanted client that wants this one back, if any.
void RelayHub::tryLink(ConnectionId id, std::uint8_t slot) {
    Client& client = clients_.at(id);
    const QString& wanted = client.wanted.at(slot);
    for (auto& [other, peer] : clients_) {
        if (other == id || !peer.loggedIn || peer.account != wanted) continue;
        for (const auto& [peerSlot, account] : peer.wanted) {
            if (account != client.account || peer.links.count(peerSlot)) continue;
            client.links[slot] = {other, peerSlot};
            peer.links[peerSlot] = {id, slot};
            sendState(id, slot, linkedState_);
            sendState(other, peerSlot, linkedState_);
            return;
        }
    }
}

void RelayHub::unlink(ConnectionId id, std::uint8_t slot) {
    Client& client = clients_.at(id);
    const auto link = client.links.find(slot);
    if (link == client.links.end()) return;
    const End end = link->second;
    client.links.erase(link);
    const auto peer = clients_.find(end.peer);
    if (peer == clients_.end()) return;
    peer->second.links.erase(end.peerSlot);
    sendState(end.peer, end.peerSlot, relay::kStateGone);
}

void RelayHub::forward(ConnectionId id, std::uint8_t slot, relay::Kind kind,
                       const QByteArray& payload) {
    const Client& client = clients_.at(id);
    const auto link = client.links.find(slot);
    if (link == client.links.end()) return;
    send_(link->second.peer, relay::encode(kind, link->second.peerSlot, payload));
}

void RelayHub::sendState(ConnectionId id, std::uint8_t slot, std::uint8_t state) {
    send_(id, relay::encode(relay::Kind::SlotState, slot, QByteArray(1, char(state))));
}

}  // namespace relayserver
