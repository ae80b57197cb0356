#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/net/tcp_socket.h"
#include "platform/video/relay_protocol.h"
#include "video/video_component.h"

namespace platform {

// The video component's relay socket: logs in at the relay with the local account as soon as
// it has a host and port, asks for peers by slot and carries frames. Everything the relay sends
// is checked; a malformed stream ends the connection and reads as "not logged in".
class RelaySocket final : public video::P2PSocket {
  public:
    // `portOverride` replaces the port the table sets (tests run their relay on a free port).
    RelaySocket(Scheduler& scheduler, std::function<QString()> account,
                std::optional<int> portOverride = std::nullopt);
    ~RelaySocket() override;

    void ServerLogout() override;
    void CloseSlot(std::int16_t& slot) override;
    QString UserID(std::int16_t& slot) override;
    std::int16_t SlotState(std::int16_t& slot) override;
    void RequestVideo(std::int16_t& slot, QString& user) override;
    void SendFormat(std::int16_t& slot, std::int32_t format) override;
    void SendMode(std::int16_t& slot, std::int16_t mode) override;
    void SendFrame(std::int16_t& slot, const QByteArray& frame) override;

    // Handles bytes as if the relay had sent them (the socket's own arrivals go here too).
    void receive(const QByteArray& bytes);
    // The last format and mode a slot's peer announced.
    std::optional<std::int32_t> peerFormat(int slot) const;
    std::optional<std::int16_t> peerMode(int slot) const;
    std::size_t framesDropped() const { return framesDropped_; }

  protected:
    void settingsChanged() override;

  private:
    struct Slot {
        QString user;
        std::int16_t state = 0;
        std::optional<std::int32_t> format;
        std::optional<std::int16_t> mode;
    };

    Slot* slotAt(int slot);
    const Slot* slotAt(int slot) const;
    void connectSoon();
    void onConnected();
    void connectionLost();
    void send(relay::Kind kind, int slot, const QByteArray& payload = {});
    void handle(const relay::Message& message);

    Scheduler& scheduler_;
    std::function<QString()> account_;
    std::optional<int> portOverride_;
    TcpSocket socket_;
    relay::Decoder decoder_;
    std::vector<Slot> slots_;  // slot k at k - 1
    bool connectPosted_ = false;
    bool loggedOut_ = false;
    std::size_t framesDropped_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
