#include "platform/sound/wav_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using platform::PcmFormat;
using platform::WavSound;

namespace {

using Bytes = std::string;

Bytes le16(unsigned v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}
Bytes le32(unsigned v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

Bytes chunk(const Bytes& tag, const Bytes& body, bool pad = true) {
    Bytes out = tag + le32(unsigned(body.size())) + body;
    if (pad && body.size() % 2) out += '\0';
    return out;
}

Bytes fmtBody(unsigned tag, unsigned channels, unsigned rate, unsigned bits, int blockAlign = -1) {
    const unsigned align = blockAlign >= 0 ? unsigned(blockAlign) : channels * bits / 8;
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

Bytes pcmFmt(unsigned channels, unsigned rate, unsigned bits) {
    return chunk("fmt ", fmtBody(1, channels, rate, bits));
}

Bytes extensibleFmt(unsigned char subFormatFirstByte) {
    Bytes guid = {char(subFormatFirstByte),
                  0,
                  0,
                  0,
                  0,
                  0,
                  0x10,
                  0,
                  char(0x80),
                  0,
                  0,
                  char(0xAA),
                  0,
                  0x38,
                  char(0x9B),
                  0x71};
    return chunk("fmt ", fmtBody(0xFFFE, 2, 48000, 16) + le16(22) + le16(16) + le32(3) + guid);
}

// A RIFF/WAVE file of the given chunks; the RIFF size is the true one unless told.
Bytes riff(const Bytes& chunks, long riffSize = -1) {
    return "RIFF" + le32(riffSize >= 0 ? unsigned(riffSize) : unsigned(4 + chunks.size())) +
           "WAVE" + chunks;
}

std::optional<WavSound> parse(const Bytes& bytes, std::string* problem = nullptr) {
    return platform::parseWav(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), problem);
}

Bytes fromVector(const std::vector<std::uint8_t>& v) {
    return Bytes(v.begin(), v.end());
}

struct GoodCase {
    const char* name;
    Bytes file;
    PcmFormat format;
    std::size_t sampleBytes;
};

TEST(WavParsing, ReadsEveryPcmLayoutTheBuffersTake) {
    const Bytes sixBytes = "abcdef";
    const std::vector<GoodCase> cases = {
        {"8-bit mono", riff(pcmFmt(1, 11025, 8) + chunk("data", sixBytes)), {1, 11025, 8}, 6},
        {"16-bit stereo",
         riff(pcmFmt(2, 44100, 16) + chunk("data", "12345678")),
         {2, 44100, 16},
         8},
        {"chunks before and between",
         riff(chunk("LIST", "xyz") + pcmFmt(1, 8000, 16) + chunk("fact", "1234") +
              chunk("data", sixBytes)),
         {1, 8000, 16},
         6},
        {"data before format",
         riff(chunk("data", sixBytes) + pcmFmt(1, 22050, 8)),
         {1, 22050, 8},
         6},
        {"partial frame at the end dropped",
         riff(pcmFmt(2, 22050, 16) + chunk("data", "1234567")),
         {2, 22050, 16},
         4},
        {"format with extension size",
         riff(chunk("fmt ", fmtBody(1, 1, 22050, 16) + le16(0)) + chunk("data", "12")),
         {1, 22050, 16},
         2},
        {"extensible PCM", riff(extensibleFmt(1) + chunk("data", "12345678")), {2, 48000, 16}, 8},
        {"bytes after the RIFF end ignored",
         riff(pcmFmt(1, 11025, 8) + chunk("data", sixBytes)) + "trailing junk",
         {1, 11025, 8},
         6},
        {"RIFF size larger than the file",
         riff(pcmFmt(1, 11025, 8) + chunk("data", sixBytes), 100000),
         {1, 11025, 8},
         6},
        {"lowest rate", riff(pcmFmt(1, 100, 8) + chunk("data", "a")), {1, 100, 8}, 1},
        {"highest rate", riff(pcmFmt(1, 200000, 8) + chunk("data", "a")), {1, 200000, 8}, 1},
    };
    for (const GoodCase& c : cases) {
        std::string problem;
        const std::optional<WavSound> sound = parse(c.file, &problem);
        ASSERT_TRUE(sound) << c.name << ": " << problem;
        EXPECT_EQ(sound->format, c.format) << c.name;
        EXPECT_EQ(sound->samples.size(), c.sampleBytes) << c.name;
    }
}

TEST(WavParsing, KeepsTheSampleBytesAsTheyAre) {
    const std::optional<WavSound> sound =
        parse(riff(pcmFmt(1, 8000, 8) + chunk("data", Bytes("\x00\x7f\x80\xff", 4))));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, (std::vector<std::uint8_t>{0x00, 0x7F, 0x80, 0xFF}));
}

TEST(WavParsing, RefusesWhatIsNotACompletePcmFile) {
    const Bytes data = chunk("data", "abcd");
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", ""},
        {"shorter than a header", Bytes("RIFF\x04\0\0\0WAV", 11)},
        {"not RIFF", "RIFX" + riff(pcmFmt(1, 8000, 8) + data).substr(4)},
        {"not WAVE", "RIFF" + le32(4) + "AVI "},
        {"no format", riff(data)},
        {"no data", riff(pcmFmt(1, 8000, 8))},
        {"empty data", riff(pcmFmt(1, 8000, 8) + chunk("data", ""))},
        {"less than one frame", riff(pcmFmt(2, 8000, 16) + chunk("data", "abc"))},
        {"format too short", riff(chunk("fmt ", fmtBody(1, 1, 8000, 8).substr(0, 14)) + data)},
        {"float samples", riff(chunk("fmt ", fmtBody(3, 1, 8000, 32)) + data)},
        {"compressed", riff(chunk("fmt ", fmtBody(2, 1, 8000, 4)) + data)},
        {"extensible, not PCM", riff(extensibleFmt(3) + data)},
        {"extensible, extension missing", riff(chunk("fmt ", fmtBody(0xFFFE, 1, 8000, 16)) + data)},
        {"24-bit", riff(pcmFmt(1, 8000, 24) + chunk("data", "abcdef"))},
        {"no channels", riff(pcmFmt(0, 8000, 8) + data)},
        {"three channels", riff(pcmFmt(3, 8000, 8) + chunk("data", "abc"))},
        {"rate 0", riff(pcmFmt(1, 0, 8) + data)},
        {"rate too low", riff(pcmFmt(1, 99, 8) + data)},
        {"rate too high", riff(pcmFmt(1, 200001, 8) + data)},
        {"block alignment wrong", riff(chunk("fmt ", fmtBody(1, 2, 8000, 16, 2)) + data)},
        {"data cut short", riff(pcmFmt(1, 8000, 8) + "data" + le32(100) + "abcd")},
        {"format cut short", riff(Bytes("fmt ") + le32(16) + "abcd")},
        {"chunk size near 4 GiB", riff(pcmFmt(1, 8000, 8) + "data" + le32(0xFFFFFFFF) + "ab")},
        {"data beyond the RIFF size", riff(pcmFmt(1, 8000, 8) + data, 4 + 24)},
    };
    for (const auto& [name, file] : cases) {
        std::string problem;
        EXPECT_FALSE(parse(file, &problem)) << name;
        EXPECT_FALSE(problem.empty()) << name;
    }
}

TEST(WavParsing, ReadsBackWhatItWrites) {
    for (std::uint16_t channels : {1, 2}) {
        for (std::uint16_t bits : {8, 16}) {
            WavSound sound;
            sound.format = {channels, 11025, bits};
            // An odd byte count for 8-bit mono, so the pad byte is exercised.
            for (int i = 0; i < 3 * sound.format.blockAlign(); ++i)
                sound.samples.push_back(std::uint8_t(i * 37));
            const Bytes file = fromVector(platform::encodeWav(sound));
            const std::optional<WavSound> back = parse(file);
            ASSERT_TRUE(back) << channels << "x" << bits;
            EXPECT_EQ(back->format, sound.format);
            EXPECT_EQ(back->samples, sound.samples);
        }
    }
}

// Whatever a damaged file holds, parsing ends with a sound or a refusal, never outside the bytes.
TEST(WavParsing, SurvivesTruncatedAndCorruptedFiles) {
    WavSound sound;
    sound.format = {2, 22050, 16};
    sound.samples.assign(64, 0x11);
    const Bytes good =
        riff(chunk("LIST", "info") + fromVector(platform::encodeWav(sound)).substr(12));
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::optional<WavSound> cut = parse(good.substr(0, length));
        if (cut) {
            EXPECT_LE(cut->samples.size(), sound.samples.size());
        }
    }
    std::mt19937 random(20240611);
    for (int round = 0; round < 2000; ++round) {
        Bytes damaged = good;
        for (int flips = 0; flips < 3; ++flips) damaged[random() % 60] = char(random() & 0xFF);
        const std::optional<WavSound> result = parse(damaged);
        if (result) {
            EXPECT_EQ(result->samples.size() % result->format.blockAlign(), 0u);
            EXPECT_LE(result->samples.size(), damaged.size());
        }
    }
}

}  // namespace
