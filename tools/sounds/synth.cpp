#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sounds {
namespace {

double envelope(double t, double length, double decay) {
    const double attack = std::min(0.005, length / 4);
    const double release = std::min(0.01, length / 4);
    double level = std::exp(-decay * t);
    if (t < attack) level *= t / attack;
    if (t > length - release) level *= std::max(0.0, (length - t) / release);
    return level;
}

}  // namespace

void Synth::tone(double seconds, double fromHz, double toHz, double loudness, double decay,
                 double brightness) {
    const auto count = std::size_t(seconds * rate_);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / rate_;
        const double hz = fromHz + (toHz - fromHz) * (t / seconds);
        phase += 2 * std::numbers::pi * hz / rate_;
        const double wave = std::sin(phase) + brightness * std::sin(2 * phase) +
                            brightness * brightness * std::sin(3 * phase);
        samples_.push_back(loudness * envelope(t, seconds, decay) * wave /
                           (1 + brightness + brightness * brightness));
    }
}

void Synth::noise(double seconds, double loudness, double smoothing, double decay) {
    const auto count = std::size_t(seconds * rate_);
    double filtered = 0;
    for (std::size_t i = 0; i < count; ++i) {
        noiseState_ ^= noiseState_ << 13;
        noiseState_ ^= noiseState_ >> 17;
        noiseState_ ^= noiseState_ << 5;
        const double white = double(noiseState_) / double(UINT32_MAX) * 2 - 1;
        filtered += (white - filtered) * (1 - smoothing);
        samples_.push_back(loudness * envelope(double(i) / rate_, seconds, decay) * filtered);
    }
}

void Synth::rest(double seconds) {
    samples_.resize(samples_.size() + std::size_t(seconds * rate_));
}

void Synth::mix(const Synth& other, double atSecond) {
    const auto start = std::size_t(atSecond * rate_);
    if (samples_.size() < start + other.samples_.size())
        samples_.resize(start + other.samples_.size());
    for (std::size_t i = 0; i < other.samples_.size(); ++i)
        samples_[start + i] += other.samples_[i];
}

platform::WavSound Synth::toWav(std::uint16_t bitsPerSample) const {
    platform::WavSound wav;
    wav.format = {.channels = 1, .sampleRate = rate_, .bitsPerSample = bitsPerSample};
    for (double sample : samples_) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        if (bitsPerSample == 8) {
            wav.samples.push_back(std::uint8_t(std::lround(128 + clipped * 127)));
        } else {
            const auto value = std::int16_t(std::lround(clipped * 32767));
            wav.samples.push_back(std::uint8_t(value & 0xFF));
            wav.samples.push_back(std::uint8_t((value >> 8) & 0xFF));
        }
    }
    return wav;
}

}  // namespace sounds
