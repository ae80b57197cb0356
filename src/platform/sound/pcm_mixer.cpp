#include "platform/sound/pcm_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

// Always something to read: silence where nothing plays.
constexpr qint64 kAlwaysAvailable = 1 << 20;

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

}  // namespace

float MixerVoice::sample(std::size_t frame, std::uint16_t channel) const {
    const PcmFormat& f = sound.format;
    const std::size_t at = frame * f.blockAlign() + channel * (f.bitsPerSample / 8u);
    if (f.bitsPerSample == 8) return (float(sound.samples[at]) - 128.0f) / 128.0f;
    const auto value = std::int16_t(sound.samples[at] | sound.samples[at + 1] << 8);
    return float(value) / 32768.0f;
}

PcmMixer::PcmMixer(MixFormat format) : format_(format) {
    // Unbuffered: rendering ahead of what the sink asks for would only add delay.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

std::shared_ptr<MixerVoice> PcmMixer::addVoice(WavSound sound) {
    voices_.push_back(std::make_shared<MixerVoice>(std::move(sound)));
    return voices_.back();
}

void PcmMixer::removeVoice(const std::shared_ptr<MixerVoice>& voice) {
    std::erase(voices_, voice);
}

bool PcmMixer::anyPlaying() const {
    return std::any_of(voices_.begin(), voices_.end(),
                       [](const std::shared_ptr<MixerVoice>& v) { return v->playing; });
}

void PcmMixer::mixVoice(MixerVoice& voice, float* out, std::size_t frames) const {
    const std::size_t count = voice.frameCount();
    const std::uint16_t sourceChannels = voice.sound.format.channels;
    const std::uint16_t outChannels = format_.channels;
    const double step = double(voice.sound.format.sampleRate) / double(format_.sampleRate);
    for (std::size_t f = 0; f < frames; ++f) {
        if (voice.position >= double(count)) {
            if (!voice.looping || count == 0) {
                voice.playing = false;
                voice.position = 0;
                return;
            }
            voice.position = std::fmod(voice.position, double(count));
        }
        const auto i = std::size_t(voice.position);
        const auto t = float(voice.position - double(i));
        std::size_t j = i + 1;
        if (j >= count) j = voice.looping ? 0 : i;
        auto at = [&](std::uint16_t channel) {
            return lerp(voice.sample(i, channel), voice.sample(j, channel), t);
        };
        for (std::uint16_t c = 0; c < outChannels; ++c) {
            float value = 0;
            if (outChannels == 1)
                value = sourceChannels == 1 ? at(0) : (at(0) + at(1)) / 2;
            else if (c < 2)
                value = sourceChannels == 1 ? at(0) : at(c);
            else
                continue;  // surround channels stay silent
            out[f * outChannels + c] += voice.gain * value;
        }
        voice.position += step;
    }
}

std::size_t PcmMixer::render(char* out, std::size_t maxBytes) {
    const std::size_t frames = maxBytes / format_.bytesPerFrame();
    if (frames == 0) return 0;
    const std::size_t samples = frames * format_.channels;
    scratch_.assign(samples, 0.0f);

    bool sounding = false;
    // A copy, so a voice removed meanwhile is still safe to finish this pass.
    const std::vector<std::shared_ptr<MixerVoice>> voices = voices_;
    for (const std::shared_ptr<MixerVoice>& voice : voices) {
        if (!voice->playing) continue;
        sounding = true;
        mixVoice(*voice, scratch_.data(), frames);
    }

    for (std::size_t k = 0; k < samples; ++k) {
        const float value = std::clamp(scratch_[k], -1.0f, 1.0f);
        if (format_.floatSamples) {
            std::memcpy(out + k * 4, &value, 4);
        } else {
            const auto pcm = std::int16_t(std::lround(value * 32767.0f));
            std::memcpy(out + k * 2, &pcm, 2);
        }
    }

    if (sounding) {
        silentFrames_ = 0;
        idleReported_ = false;
    } else {
        silentFrames_ += frames;
        if (!idleReported_ && silentFrames_ >= idleAfterSilentFrames_) {
            idleReported_ = true;
            if (onIdle) onIdle();
        }
    }
    return frames * format_.bytesPerFrame();
}

qint64 PcmMixer::bytesAvailable() const {
    return kAlwaysAvailable + QIODevice::bytesAvailable();
}

qint64 PcmMixer::readData(char* data, qint64 maxSize) {
    return qint64(render(data, std::size_t(std::max<qint64>(maxSize, 0))));
}

qint64 PcmMixer::writeData(const char*, qint64) {
    return -1;
}

}  // namespace platform
