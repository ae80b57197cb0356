#include "platform/video/relay_protocol.h"

namespace platform::relay {

QByteArray bigEndian32(std::uint32_t value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char((value >> (24 - 8 * i)) & 0xFF);
    return bytes;
}

QByteArray bigEndian16(std::uint16_t value) {
    QByteArray bytes(2, '\0');
    bytes[0] = char(value >> 8);
    bytes[1] = char(value & 0xFF);
    return bytes;
}

std::optional<std::uint32_t> readBigEndian32(const QByteArray& payload) {
    if (payload.size() != 4) return std::nullopt;
    std::uint32_t value = 0;
    for (char byte : payload) value = (value << 8) | std::uint8_t(byte);
    return value;
}

std::optional<std::uint16_t> readBigEndian16(const QByteArray& payload) {
    if (payload.size() != 2) return std::nullopt;
    return std::uint16_t((std::uint8_t(payload[0]) << 8) | std::uint8_t(payload[1]));
}

QByteArray encode(Kind kind, std::uint8_t slot, const QByteArray& payload) {
    QByteArray bytes;
    bytes.reserve(qsizetype(kHeadSize) + payload.size());
    bytes.append(char(kind));
    bytes.append(char(slot));
    bytes.append(bigEndian32(std::uint32_t(payload.size())));
    bytes.append(payload);
    return bytes;
}

QByteArray encode(const Message& message) {
    return encode(message.kind, message.slot, message.payload);
}

void Decoder::feed(const QByteArray& bytes) {
    if (broken_) return;
    // Drop what was read already before the buffer grows again.
    if (read_ > 0) {
        buffer_.remove(0, read_);
        read_ = 0;
    }
    buffer_.append(bytes);
}

void Decoder::feed(const std::uint8_t* data, std::size_t size) {
    feed(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
}

std::optional<Message> Decoder::next() {
    if (broken_) return std::nullopt;
    const qsizetype available = buffer_.size() - read_;
    if (available < qsizetype(kHeadSize)) return std::nullopt;
    const char* head = buffer_.constData() + read_;
    const auto length = *readBigEndian32(QByteArray::fromRawData(head + 2, 4));
    if (length > kMaxPayload) {
        broken_ = true;
        buffer_.clear();
        read_ = 0;
        return std::nullopt;
    }
    if (available < qsizetype(kHeadSize) + qsizetype(length)) return std::nullopt;
    Message message{Kind(std::uint8_t(head[0])), std::uint8_t(head[1]),
                    QByteArray(head + kHeadSize, qsizetype(length))};
    read_ += qsizetype(kHeadSize) + qsizetype(length);
    return message;
}

}  // namespace platform::relay
