#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Uncompressed PCM as the sound buffers take it: 8-bit unsigned or 16-bit signed little-endian
// samples, one or two interleaved channels.
struct PcmFormat {
    std::uint16_t channels = 1;
    std::uint32_t sampleRate = 22050;
    std::uint16_t bitsPerSample = 16;

    std::uint16_t blockAlign() const { return std::uint16_t(channels * (bitsPerSample / 8)); }
    bool operator==(const PcmFormat&) const = default;
};

struct WavSound {
    PcmFormat format;
    // Whole sample frames only: a trailing partial frame of the file is dropped.
    std::vector<std::uint8_t> samples;
};

// Reads a RIFF/WAVE file. Returns nullopt for anything but a complete PCM file of a format above
// with at least one sample frame; `problem`, when given, then says why. Never reads outside
// `bytes`, whatever the chunk sizes claim.
std::optional<WavSound> parseWav(std::span<const std::uint8_t> bytes,
                                 std::string* problem = nullptr);

// The canonical 44-byte-header file of a sound.
std::vector<std::uint8_t> encodeWav(const WavSound& sound);

}  // namespace platform
