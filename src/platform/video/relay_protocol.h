#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

// The relay protocol between the video component's socket and the relay server: one TCP
// connection per client, messages of a 6-byte head (kind, slot, payload length as a 32-bit
// big-endian number) and the payload. The full description is in docs/architecture.md.
namespace platform::relay {

enum class Kind : std::uint8_t {
    // Client to relay.
    Login = 1,    // payload: the account, UTF-8
    Request = 2,  // slot: where the client shows the peer; payload: the peer's account
    Close = 3,    // slot: the peer to drop
    Format = 4,   // slot; payload: the camera's format, 32-bit big-endian
    Mode = 5,     // slot; payload: the camera's mode, 16-bit big-endian
    Frame = 6,    // slot; payload: one JPEG picture (or nothing)
    Logout = 7,
    // Relay to client.
    LoginState = 16,  // payload: one byte, 2 logged in, anything else not
    SlotState = 17,   // slot; payload: one byte, the slot's new state
    PeerFrame = 18,   // slot: where the receiver shows the sender; payload as Frame
    PeerFormat = 19,
    PeerMode = 20,
};

inline constexpr std::size_t kHeadSize = 6;
// Larger payloads break the connection: a frame is a small JPEG, an account a few characters.
inline constexpr std::uint32_t kMaxPayload = 1u << 20;

// Slot states the relay reports: a peer asked for and not (or no longer) linked; linked at a
// reduced or the full frame rate.
inline constexpr std::uint8_t kStateWaiting = 5;
inline constexpr std::uint8_t kStateReduced = 14;
inline constexpr std::uint8_t kStateFullRate = 15;
inline constexpr std::uint8_t kStateGone = 1;
inline constexpr std::uint8_t kLoggedIn = 2;
inline constexpr std::uint8_t kLoginRefused = 3;

struct Message {
    Kind kind{};
    std::uint8_t slot = 0;
    QByteArray payload;
};

QByteArray encode(const Message& message);
QByteArray encode(Kind kind, std::uint8_t slot = 0, const QByteArray& payload = {});

// Cuts a byte stream into messages. A head announcing more than kMaxPayload bytes breaks the
// stream for good: nothing more is decoded.
class Decoder {
  public:
    void feed(const QByteArray& bytes);
    void feed(const std::uint8_t* data, std::size_t size);
    // The next whole message, if one has arrived.
    std::optional<Message> next();
    bool broken() const { return broken_; }

  private:
    QByteArray buffer_;
    qsizetype read_ = 0;
    bool broken_ = false;
};

QByteArray bigEndian32(std::uint32_t value);
QByteArray bigEndian16(std::uint16_t value);
// The number in a payload of exactly 4 (or 2) bytes; nothing for any other length.
std::optional<std::uint32_t> readBigEndian32(const QByteArray& payload);
std::optional<std::uint16_t> readBigEndian16(const QByteArray& payload);

}  // namespace platform::relay
