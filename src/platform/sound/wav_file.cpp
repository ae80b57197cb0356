#include "platform/sound/wav_file.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// The extensible format names its sample coding by a GUID; this one is plain PCM.
constexpr std::array<std::uint8_t, 16> kPcmSubFormat = {
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// The rates a sound buffer can be made with.
constexpr std::uint32_t kLowestRate = 100;
constexpr std::uint32_t kHighestRate = 200000;

std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint16_t(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

bool hasTag(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view tag) {
    return std::equal(tag.begin(), tag.end(), bytes.begin() + std::ptrdiff_t(at),
                      [](char a, std::uint8_t b) { return std::uint8_t(a) == b; });
}

void append16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    append16(out, std::uint16_t(value));
    append16(out, std::uint16_t(value >> 16));
}

void appendTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

// Reads a "fmt " chunk body; nullopt (with the reason) for anything the buffers cannot take.
std::optional<PcmFormat> readFormat(std::span<const std::uint8_t> body, std::string& problem) {
    if (body.size() < 16) {
        problem = "format chunk too short";
        return std::nullopt;
    }
    const std::uint16_t tag = read16(body, 0);
    if (tag == kFormatExtensible) {
        if (body.size() < 40 ||
            !std::equal(kPcmSubFormat.begin(), kPcmSubFormat.end(), body.begin() + 24)) {
            problem = "extensible format that is not PCM";
            return std::nullopt;
        }
    } else if (tag != kFormatPcm) {
        problem = "not PCM (format tag " + std::to_string(tag) + ")";
        return std::nullopt;
    }
    PcmFormat format;
    format.channels = read16(body, 2);
    format.sampleRate = read32(body, 4);
    format.bitsPerSample = read16(body, 14);
    const std::uint16_t blockAlign = read16(body, 12);
    if (format.channels != 1 && format.channels != 2) {
        problem = "unsupported channel count " + std::to_string(format.channels);
    } else if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
        problem = "unsupported sample size " + std::to_string(format.bitsPerSample);
    } else if (format.sampleRate < kLowestRate || format.sampleRate > kHighestRate) {
        problem = "unsupported sample rate " + std::to_string(format.sampleRate);
    } else if (blockAlign != format.blockAlign()) {
        problem = "block alignment does not match the format";
    } else {
        return format;
    }
    return std::nullopt;
}

}  // namespace

std::optional<WavSound> parseWav(std::span<const std::uint8_t> bytes, std::string* problem) {
    std::string reason;
    auto failed = [&](std::string why) -> std::optional<WavSound> {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    };
    if (bytes.size() < 12 || !hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE"))
        return failed("not a RIFF/WAVE file");

    // The chunks end where the RIFF header says, or earlier when the file is shorter.
    const std::size_t end = std::size_t(
        std::min<std::uint64_t>(std::uint64_t(read32(bytes, 4)) + 8, std::uint64_t(bytes.size())));
    std::optional<PcmFormat> format;
    std::optional<std::span<const std::uint8_t>> data;
    std::size_t at = 12;
    while (at + 8 <= end && !(format && data)) {
        const std::uint64_t size = read32(bytes, at + 4);
        const std::size_t body = at + 8;
        const bool complete = body + size <= end;
        if (hasTag(bytes, at, "fmt ") && !format) {
            if (!complete) return failed("format chunk cut short");
            format = readFormat(bytes.subspan(body, std::size_t(size)), reason);
            if (!format) return failed(reason);
        } else if (hasTag(bytes, at, "data") && !data) {
            if (!complete) return failed("sample data cut short");
            data = bytes.subspan(body, std::size_t(size));
        }
        if (!complete) break;
        at = body + std::size_t(size) + (size & 1);
    }
    if (!format) return failed("no format chunk");
    if (!data) return failed("no sample data");

    WavSound sound;
    sound.format = *format;
    const std::size_t usable = data->size() - data->size() % format->blockAlign();
    if (usable == 0) return failed("no sample frames");
    sound.samples.assign(data->begin(), data->begin() + std::ptrdiff_t(usable));
    return sound;
}

std::vector<std::uint8_t> encodeWav(const WavSound& sound) {
    const PcmFormat& f = sound.format;
    const auto dataSize = std::uint32_t(sound.samples.size());
    std::vector<std::uint8_t> out;
    out.reserve(44 + sound.samples.size() + 1);
    appendTag(out, "RIFF");
    append32(out, 36 + dataSize + (dataSize & 1));
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    append32(out, 16);
    append16(out, kFormatPcm);
    append16(out, f.channels);
    append32(out, f.sampleRate);
    append32(out, f.sampleRate * f.blockAlign());
    append16(out, f.blockAlign());
    append16(out, f.bitsPerSample);
    appendTag(out, "data");
    append32(out, dataSize);
    out.insert(out.end(), sound.samples.begin(), sound.samples.end());
    if (dataSize & 1) out.push_back(0);
    return out;
}

}  // namespace platform
