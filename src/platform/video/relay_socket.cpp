#include "platform/video/relay_socket.h"

#include <algorithm>

namespace platform {

namespace {

// The most a socket keeps unsent before it drops frames: a slow relay must not make the
// client's memory grow without end.
constexpr std::size_t kMaxPendingBytes = 512 * 1024;
constexpr int kMaxSlots = 255;

}  // namespace

RelaySocket::RelaySocket(Scheduler& scheduler, std::function<QString()> account,
                         std::optional<int> portOverride)
    : scheduler_(scheduler),
      account_(std::move(account)),
      portOverride_(portOverride),
      socket_(scheduler) {
    socket_.onConnect = [this] { onConnected(); };
    socket_.onDataArrival = [this](std::size_t) {
        const std::vector<std::uint8_t> bytes = socket_.getData();
        receive(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    };
    socket_.onClose = [this] { connectionLost(); };
    socket_.onError = [this](int, const QString&) { connectionLost(); };
}

RelaySocket::~RelaySocket() {
    *alive_ = false;
}

void RelaySocket::settingsChanged() {
    const int count = std::clamp<int>(SlotCount, 0, kMaxSlots);
    slots_.resize(std::size_t(count));
    if (!ServerHost.get().isEmpty() && ServerPort > 0) connectSoon();
}

// The table sets host, port and slot count one after the other; the connection starts once
// all of them are in.
void RelaySocket::connectSoon() {
    if (connectPosted_ || loggedOut_ || socket_.state() != SocketState::Closed) return;
    connectPosted_ = true;
    std::weak_ptr<bool> alive = alive_;
    scheduler_.post([this, alive] {
        if (alive.expired() || !*alive.lock()) return;
        connectPosted_ = false;
        if (loggedOut_ || socket_.state() != SocketState::Closed) return;
        socket_.setRemoteHost(ServerHost);
        socket_.setRemotePort(portOverride_.value_or(ServerPort));
        socket_.connect();
    });
}

void RelaySocket::onConnected() {
    send(relay::Kind::Login, 0, account_ ? account_().toUtf8() : QByteArray());
}

void RelaySocket::connectionLost() {
    socket_.close();
    decoder_ = relay::Decoder();
    for (Slot& slot : slots_) {
        if (slot.state >= relay::kStateGone) slot.state = relay::kStateGone;
    }
    if (ServerState) ServerState(0);
}

RelaySocket::Slot* RelaySocket::slotAt(int slot) {
    if (slot < 1 || slot > int(slots_.size())) return nullptr;
    return &slots_[std::size_t(slot - 1)];
}

const RelaySocket::Slot* RelaySocket::slotAt(int slot) const {
    if (slot < 1 || slot > int(slots_.size())) return nullptr;
    return &slots_[std::size_t(slot - 1)];
}

void RelaySocket::send(relay::Kind kind, int slot, const QByteArray& payload) {
    if (socket_.state() != SocketState::Connected) return;
    const QByteArray bytes = relay::encode(kind, std::uint8_t(slot), payload);
    socket_.sendData(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void RelaySocket::ServerLogout() {
    loggedOut_ = true;
    send(relay::Kind::Logout, 0);
    socket_.close();
}

void RelaySocket::CloseSlot(std::int16_t& slot) {
    Slot* s = slotAt(slot);
    if (!s) return;
    *s = Slot{};
    send(relay::Kind::Close, slot);
}

QString RelaySocket::UserID(std::int16_t& slot) {
    const Slot* s = slotAt(slot);
    return s ? s->user : QString();
}

std::int16_t RelaySocket::SlotState(std::int16_t& slot) {
    const Slot* s = slotAt(slot);
    return s ? s->state : 0;
}

void RelaySocket::RequestVideo(std::int16_t& slot, QString& user) {
    Slot* s = slotAt(slot);
    if (!s) return;
    *s = Slot{};
    s->user = user;
    s->state = relay::kStateGone;
    send(relay::Kind::Request, slot, user.toUtf8());
}

void RelaySocket::SendFormat(std::int16_t& slot, std::int32_t format) {
    if (slotAt(slot)) send(relay::Kind::Format, slot, relay::bigEndian32(std::uint32_t(format)));
}

void RelaySocket::SendMode(std::int16_t& slot, std::int16_t mode) {
    if (slotAt(slot)) send(relay::Kind::Mode, slot, relay::bigEndian16(std::uint16_t(mode)));
}

void RelaySocket::SendFrame(std::int16_t& slot, const QByteArray& frame) {
    if (!slotAt(slot)) return;
    if (socket_.bytesPending() > kMaxPendingBytes) {
        ++framesDropped_;
        return;
    }
    send(relay::Kind::Frame, slot, frame);
}

std::optional<std::int32_t> RelaySocket::peerFormat(int slot) const {
    const Slot* s = slotAt(slot);
    return s ? s->format : std::nullopt;
}

std::optional<std::int16_t> RelaySocket::peerMode(int slot) const {
    const Slot* s = slotAt(slot);
    return s ? s->mode : std::nullopt;
}

void RelaySocket::receive(const QByteArray& bytes) {
    decoder_.feed(bytes);
    std::weak_ptr<bool> alive = alive_;
    while (auto message = decoder_.next()) {
        handle(*message);
        // A handler may have dropped the socket or the connection.
        if (alive.expired() || !*alive.lock()) return;
    }
    if (decoder_.broken()) connectionLost();
}

void RelaySocket::handle(const relay::Message& message) {
    switch (message.kind) {
        case relay::Kind::LoginState:
            if (message.payload.size() == 1 && ServerState) {
                ServerState(std::int16_t(std::uint8_t(message.payload[0])));
            }
            return;
        case relay::Kind::SlotState: {
            Slot* s = slotAt(message.slot);
            if (!s || message.payload.size() != 1 || s->user.isEmpty()) return;
            s->state = std::int16_t(std::uint8_t(message.payload[0]));
            if (PeerState) PeerState(message.slot, s->state);
            return;
        }
        case relay::Kind::PeerFrame:
            if (slotAt(message.slot) && FrameArrival) FrameArrival(message.slot, message.payload);
            return;
        case relay::Kind::PeerFormat:
            if (Slot* s = slotAt(message.slot)) {
                if (auto v = relay::readBigEndian32(message.payload)) s->format = std::int32_t(*v);
            }
            return;
        case relay::Kind::PeerMode:
            if (Slot* s = slotAt(message.slot)) {
                if (auto v = relay::readBigEndian16(message.payload)) s->mode = std::int16_t(*v);
            }
            return;
        default:
            return;  // a kind the client does not take: ignored
    }
}

}  // namespace platform
