#pragma once

#include <QIODevice>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/sound/wav_file.h"

namespace platform {

// The format the mixer renders: interleaved frames of 16-bit signed or 32-bit float samples.
struct MixFormat {
    std::uint32_t sampleRate = 44100;
    std::uint16_t channels = 2;
    bool floatSamples = false;

    std::size_t bytesPerFrame() const { return channels * (floatSamples ? 4u : 2u); }
};

// One sound of the mixer and how it plays: position in sample frames of the sound, at its own
// rate; gain as a linear factor.
struct MixerVoice {
    explicit MixerVoice(WavSound s) : sound(std::move(s)) {}

    std::size_t frameCount() const { return sound.samples.size() / sound.format.blockAlign(); }
    // A sample of one channel of the sound, in -1..1.
    float sample(std::size_t frame, std::uint16_t channel) const;

    WavSound sound;
    double position = 0;
    bool playing = false;
    bool looping = false;
    float gain = 1.0f;
};

// Mixes every playing voice into one stream that an audio sink pulls, converting rate and
// channels on the way (linear interpolation). A voice played once stops at its end and goes back
// to its start; a looping one starts again. Where nothing plays it renders silence, and after
// `idleAfterSilentFrames` frames of silence it tells `onIdle` once, so the owner can pause the
// sink without cutting off the end of the last sound.
class PcmMixer : public QIODevice {
  public:
    explicit PcmMixer(MixFormat format);

    const MixFormat& format() const { return format_; }

    std::shared_ptr<MixerVoice> addVoice(WavSound sound);
    void removeVoice(const std::shared_ptr<MixerVoice>& voice);
    bool anyPlaying() const;

    void setIdleAfterSilentFrames(std::size_t frames) { idleAfterSilentFrames_ = frames; }
    std::function<void()> onIdle;

    // Renders the next frames into `out` (whole frames only); what the sink's pull reads.
    std::size_t render(char* out, std::size_t maxBytes);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

  private:
    void mixVoice(MixerVoice& voice, float* out, std::size_t frames) const;

    MixFormat format_;
    std::vector<std::shared_ptr<MixerVoice>> voices_;
    std::vector<float> scratch_;
    std::size_t idleAfterSilentFrames_ = 0;
    std::size_t silentFrames_ = 0;
    bool idleReported_ = true;
};

}  // namespace platform
