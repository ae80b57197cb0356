#include "dispatch/frame_reader.h"

#include <limits>
#include <string>

#include "platform/runtime/failure.h"
#include "platform/text/gbk.h"

namespace dispatch {
namespace {

using state::FrameFields;

[[noreturn]] void overflow() {
    platform::fail(platform::RuntimeFailure::Kind::Overflow, "Overflow");
}

QString decode(std::initializer_list<std::uint8_t> bytes) {
    std::string raw;
    for (const std::uint8_t b : bytes) raw.push_back(static_cast<char>(b));
    return platform::decodeGbk(raw);
}

}  // namespace

std::uint8_t ReadByte(const state::Frame& message, std::size_t offset) {
    return FrameFields::u8(message, offset);
}

std::int32_t ShiftInByte(std::int32_t value, std::uint8_t byte) {
    const std::int64_t next = std::int64_t{value} * 256 + byte;
    if (next > std::numeric_limits<std::int32_t>::max() ||
        next < std::numeric_limits<std::int32_t>::min()) {
        overflow();
    }
    return static_cast<std::int32_t>(next);
}

std::int16_t ReadInt16BE(const state::Frame& message, std::size_t offset) {
    const std::uint16_t raw = FrameFields::u16be(message, offset);
    if (raw > 0x7FFF) overflow();
    return static_cast<std::int16_t>(raw);
}

std::int32_t ReadInt32BE(const state::Frame& message, std::size_t offset) {
    const std::uint32_t raw = FrameFields::u32be(message, offset);
    if (raw > 0x7FFFFFFF) overflow();
    return static_cast<std::int32_t>(raw);
}

std::int32_t ReadInt32LE(const state::Frame& message, std::size_t offset) {
    FrameFields::check(offset, 4);
    std::int32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = ShiftInByte(value, message[offset + i]);
    return value;
}

double ReadAmount(const state::Frame& message, std::size_t offset) {
    FrameFields::check(offset, 8);
    double value = 0;
    for (std::size_t i = 8; i-- > 0;) value = value * 256 + message[offset + i];
    return value;
}

QString OneBytePerCharText(const state::Frame& message, std::size_t offset, std::size_t width) {
    FrameFields::check(offset, width);
    QString text;
    for (std::size_t p = offset; p < offset + width && message[p] != 0; ++p) {
        text += decode({message[p]});
    }
    return text;
}

namespace {

QString mixedGbk(const state::Frame& message, std::size_t offset, std::size_t width,
                 bool lastLeadTakesNextByte) {
    FrameFields::check(offset, width + (lastLeadTakesNextByte ? 1 : 0));
    const std::size_t last = offset + width - 1;
    QString text;
    std::size_t p = offset;
    while (width > 0 && p <= last && message[p] != 0) {
        if (message[p] < 0x80 || (p == last && !lastLeadTakesNextByte)) {
            text += decode({message[p]});
            p += 1;
        } else {
            text += decode({message[p], message[p + 1]});
            p += 2;
        }
    }
    return text;
}

}  // namespace

QString MixedGbkText(const state::Frame& message, std::size_t offset, std::size_t width) {
    return mixedGbk(message, offset, width, false);
}

QString MixedGbkTextOverrunning(const state::Frame& message, std::size_t offset,
                                std::size_t width) {
    return mixedGbk(message, offset, width, true);
}

QString DoubleByteText(const state::Frame& message, std::size_t offset, std::size_t width) {
    FrameFields::check(offset, width);
    QString text;
    for (std::size_t p = offset; p + 1 < offset + width && message[p] != 0; p += 2) {
        text += decode({message[p], message[p + 1]});
    }
    return text;
}

}  // namespace dispatch
