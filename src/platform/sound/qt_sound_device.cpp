#include "platform/sound/qt_sound_device.h"

#include "platform/runtime/failure.h"
#include "platform/sound/buffer_rules.h"

#ifdef KORVASH_HAVE_QT_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include "platform/sound/pcm_mixer.h"
#endif

namespace platform {

#ifndef KORVASH_HAVE_QT_MULTIMEDIA

std::unique_ptr<SoundOutput> QtSoundDevice::openDefaultOutput() {
    fail(RuntimeFailure::Kind::ControlFailed, "sound: this build has no audio output");
}

#else

namespace {

[[noreturn]] void refuse(const std::string& why) {
    fail(RuntimeFailure::Kind::ControlFailed, "sound: " + why);
}

// How much silence the mixer renders before the stream is paused: enough that the sink's own
// buffer holds nothing but silence by then.
constexpr std::uint32_t kSilenceBeforePauseMs = 300;

MixFormat chooseMixFormat(const QAudioDevice& device) {
    QAudioFormat wanted;
    wanted.setSampleRate(44100);
    wanted.setChannelCount(2);
    wanted.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(wanted)) return {44100, 2, false};
    QAudioFormat preferred = device.preferredFormat();
    if (preferred.sampleRate() <= 0 || preferred.channelCount() <= 0)
        refuse("the audio output has no usable format");
    if (preferred.sampleFormat() == QAudioFormat::Float)
        return {std::uint32_t(preferred.sampleRate()), std::uint16_t(preferred.channelCount()),
                true};
    preferred.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(preferred)) refuse("the audio output takes no format we render");
    return {std::uint32_t(preferred.sampleRate()), std::uint16_t(preferred.channelCount()), false};
}

QAudioFormat audioFormatOf(const MixFormat& mix) {
    QAudioFormat format;
    format.setSampleRate(int(mix.sampleRate));
    format.setChannelCount(mix.channels);
    format.setSampleFormat(mix.floatSamples ? QAudioFormat::Float : QAudioFormat::Int16);
    return format;
}

// The one audio stream of an output, shared by the output and its buffers so that whichever
// goes last closes it.
class MixedStream {
  public:
    MixedStream(const QAudioDevice& device, MixFormat format)
        : mixer_(format), sink_(std::make_unique<QAudioSink>(device, audioFormatOf(format))) {
        if (sink_->error() != QAudio::NoError) refuse("the audio output cannot be opened");
        mixer_.setIdleAfterSilentFrames(std::size_t(format.sampleRate) * kSilenceBeforePauseMs /
                                        1000);
        // Told from inside the sink's pull, so the pause is queued; it dies with the sink.
        mixer_.onIdle = [this] {
            QTimer::singleShot(0, sink_.get(), [this] {
                if (!mixer_.anyPlaying() && sink_->state() == QAudio::ActiveState) sink_->suspend();
            });
        };
    }

    ~MixedStream() { sink_->stop(); }

    PcmMixer& mixer() { return mixer_; }

    // A voice has started: makes sure the stream runs.
    void wake() {
        switch (sink_->state()) {
            case QAudio::ActiveState:
                return;
            case QAudio::SuspendedState:
                sink_->resume();
                return;
            case QAudio::IdleState:
            case QAudio::StoppedState:
                sink_->stop();
                sink_->start(&mixer_);
                if (sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError)
                    refuse("the audio output refused to play");
                return;
        }
    }

  private:
    PcmMixer mixer_;
    std::unique_ptr<QAudioSink> sink_;
};

class QtSoundBuffer : public SoundBuffer {
  public:
    QtSoundBuffer(std::shared_ptr<MixedStream> stream, WavSound sound, std::uint32_t capabilities)
        : stream_(std::move(stream)),
          voice_(stream_->mixer().addVoice(std::move(sound))),
          capabilities_(capabilities) {}

    ~QtSoundBuffer() override { stream_->mixer().removeVoice(voice_); }

    void play(PlayMode mode) override {
        voice_->looping = mode == PlayMode::Looping;
        voice_->playing = true;
        stream_->wake();
    }

    void stop() override { voice_->playing = false; }

    void setPlayPosition(std::size_t byteOffset) override {
        sound_rules::checkPlayPosition(voice_->sound, byteOffset);
        voice_->position = double(byteOffset / voice_->sound.format.blockAlign());
    }

    void setVolume(int hundredthsOfDecibel) override {
        sound_rules::checkVolume(capabilities_, hundredthsOfDecibel);
        voice_->gain =
            hundredthsOfDecibel <= kSilentVolume ? 0.0f : float(linearGain(hundredthsOfDecibel));
    }

  private:
    std::shared_ptr<MixedStream> stream_;
    std::shared_ptr<MixerVoice> voice_;
    std::uint32_t capabilities_;
};

class QtSoundOutput : public SoundOutput {
  public:
    explicit QtSoundOutput(std::shared_ptr<MixedStream> stream) : stream_(std::move(stream)) {}

    // The sound server decides who hears what; any level is accepted.
    void setCooperativeLevel(OwnerWindow, CooperativeLevel level) override {
        sound_rules::checkCooperativeLevel(level);
    }

    std::unique_ptr<SoundBuffer> createBuffer(const std::filesystem::path& wavFile,
                                              const SoundBufferDescription& description) override {
        sound_rules::checkDescription(description);
        return std::make_unique<QtSoundBuffer>(stream_, sound_rules::loadSoundFile(wavFile),
                                               description.capabilities);
    }

  private:
    std::shared_ptr<MixedStream> stream_;
};

}  // namespace

std::unique_ptr<SoundOutput> QtSoundDevice::openDefaultOutput() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) refuse("no audio output");
    return std::make_unique<QtSoundOutput>(
        std::make_shared<MixedStream>(device, chooseMixFormat(device)));
}

#endif

}  // namespace platform
