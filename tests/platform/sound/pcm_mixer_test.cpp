#include "platform/sound/pcm_mixer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

WavSound sound16(std::uint16_t channels, std::uint32_t rate, std::vector<std::int16_t> values) {
    WavSound s;
    s.format = {channels, rate, 16};
    for (std::int16_t v : values) {
        s.samples.push_back(std::uint8_t(v & 0xFF));
        s.samples.push_back(std::uint8_t((v >> 8) & 0xFF));
    }
    return s;
}

// Renders `frames` frames of 16-bit output and returns the samples.
std::vector<std::int16_t> pull(PcmMixer& mixer, std::size_t frames) {
    std::vector<char> bytes(frames * mixer.format().bytesPerFrame());
    EXPECT_EQ(mixer.read(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), bytes.size());
    return samples;
}

using Samples = std::vector<std::int16_t>;

TEST(PcmMixer, PlayedOnceSoundEndsRewoundAndSilenceFollows) {
    PcmMixer mixer({8000, 2, false});
    auto voice = mixer.addVoice(sound16(1, 8000, {16384, -16384, 8192}));
    voice->playing = true;
    EXPECT_EQ(pull(mixer, 4), (Samples{16384, 16384, -16384, -16384, 8192, 8192, 0, 0}));
    EXPECT_FALSE(voice->playing);
    EXPECT_EQ(voice->position, 0);
    EXPECT_EQ(pull(mixer, 2), (Samples{0, 0, 0, 0}));
}

TEST(PcmMixer, LoopingSoundStartsAgainWithoutAGap) {
    PcmMixer mixer({8000, 1, false});
    auto voice = mixer.addVoice(sound16(1, 8000, {1000, 2000}));
    voice->playing = voice->looping = true;
    EXPECT_EQ(pull(mixer, 5), (Samples{1000, 2000, 1000, 2000, 1000}));
    EXPECT_TRUE(voice->playing);
}

TEST(PcmMixer, ConvertsRateChannelsAndSampleSize) {
    PcmMixer mixer({8000, 1, false});
    // Half the output rate: every other output frame lies halfway between two sound frames.
    auto slow = mixer.addVoice(sound16(1, 4000, {0, 8192, 16384}));
    slow->playing = true;
    EXPECT_EQ(pull(mixer, 6), (Samples{0, 4096, 8192, 12288, 16384, 16384}));

    // Stereo into mono averages the two channels.
    mixer.removeVoice(slow);
    auto stereo = mixer.addVoice(sound16(2, 8000, {8192, 0, -8192, -16384}));
    stereo->playing = true;
    EXPECT_EQ(pull(mixer, 2), (Samples{4096, -12288}));

    // 8-bit samples are unsigned around 128.
    mixer.removeVoice(stereo);
    WavSound bytes;
    bytes.format = {1, 8000, 8};
    bytes.samples = {128, 192, 64};
    mixer.addVoice(bytes)->playing = true;
    EXPECT_EQ(pull(mixer, 3), (Samples{0, 16384, -16384}));
}

TEST(PcmMixer, VoicesAreScaledSummedAndClipped) {
    PcmMixer mixer({8000, 1, false});
    auto a = mixer.addVoice(sound16(1, 8000, {16384, 30000}));
    auto b = mixer.addVoice(sound16(1, 8000, {16384, 30000}));
    a->playing = b->playing = true;
    b->gain = 0.5f;
    EXPECT_EQ(pull(mixer, 2), (Samples{24575, 32767}));
}

TEST(PcmMixer, RendersFloatSamplesWhenAsked) {
    PcmMixer mixer({8000, 1, true});
    mixer.addVoice(sound16(1, 8000, {-16384}))->playing = true;
    float value = 1;
    ASSERT_EQ(mixer.read(reinterpret_cast<char*>(&value), 4), 4);
    EXPECT_FLOAT_EQ(value, -0.5f);
}

TEST(PcmMixer, ReportsIdleOnceAfterEnoughSilence) {
    PcmMixer mixer({8000, 1, false});
    int idle = 0;
    mixer.onIdle = [&] { ++idle; };
    mixer.setIdleAfterSilentFrames(10);
    auto voice = mixer.addVoice(sound16(1, 8000, {1, 2, 3}));
    voice->playing = true;
    pull(mixer, 4);
    pull(mixer, 6);
    EXPECT_EQ(idle, 0);
    pull(mixer, 4);
    EXPECT_EQ(idle, 1);
    pull(mixer, 20);
    EXPECT_EQ(idle, 1);
    voice->playing = true;
    pull(mixer, 20);
    pull(mixer, 20);
    EXPECT_EQ(idle, 2);
}

}  // namespace
