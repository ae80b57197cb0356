#pragma once

#include <cstdint>
#include <vector>

#include "platform/sound/wav_file.h"

// A few building blocks for short generated sounds: mono samples in -1..1 at a fixed rate,
// turned into PCM at the end.
namespace sounds {

class Synth {
  public:
    explicit Synth(std::uint32_t sampleRate) : rate_(sampleRate) {}

    std::uint32_t rate() const { return rate_; }
    const std::vector<double>& samples() const { return samples_; }

    // A tone gliding from one frequency to another, with a few harmonics, a short attack and an
    // exponential decay, ending at silence so that a looped sound does not click.
    void tone(double seconds, double fromHz, double toHz, double loudness, double decay = 4.0,
              double brightness = 0.3);
    // Noise through a simple low-pass, with the same envelope.
    void noise(double seconds, double loudness, double smoothing, double decay = 6.0);
    void rest(double seconds);
    // Mixes `other` in from `atSecond`.
    void mix(const Synth& other, double atSecond);

    platform::WavSound toWav(std::uint16_t bitsPerSample) const;

  private:
    std::uint32_t rate_;
    std::vector<double> samples_;
    std::uint32_t noiseState_ = 0x2545F491u;
};

}  // namespace sounds
