// The Qt Multimedia side of the sound device, built as the loadable module korvash_qt_audio.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>
#include <optional>

#include "platform/sound/audio_sink.h"

namespace {

using platform::MixFormat;

// The mixer's favourite format when the output takes it, else the output's own rate and
// channels in 16-bit or float samples.
std::optional<MixFormat> chooseMixFormat(const QAudioDevice& device, std::string& problem) {
    QAudioFormat wanted;
    wanted.setSampleRate(44100);
    wanted.setChannelCount(2);
    wanted.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(wanted)) return MixFormat{44100, 2, false};
    QAudioFormat preferred = device.preferredFormat();
    if (preferred.sampleRate() <= 0 || preferred.channelCount() <= 0) {
        problem = "the audio output has no usable format";
        return std::nullopt;
    }
    if (preferred.sampleFormat() == QAudioFormat::Float)
        return MixFormat{std::uint32_t(preferred.sampleRate()),
                         std::uint16_t(preferred.channelCount()), true};
    preferred.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(preferred)) {
        problem = "the audio output takes no format we render";
        return std::nullopt;
    }
    return MixFormat{std::uint32_t(preferred.sampleRate()), std::uint16_t(preferred.channelCount()),
                     false};
}

QAudioFormat audioFormatOf(const MixFormat& mix) {
    QAudioFormat format;
    format.setSampleRate(int(mix.sampleRate));
    format.setChannelCount(mix.channels);
    format.setSampleFormat(mix.floatSamples ? QAudioFormat::Float : QAudioFormat::Int16);
    return format;
}

class QtAudioSink : public platform::AudioSink {
  public:
    QtAudioSink(const QAudioDevice& device, MixFormat format)
        : format_(format), sink_(std::make_unique<QAudioSink>(device, audioFormatOf(format))) {}
    ~QtAudioSink() override { sink_->stop(); }

    bool opened() const { return sink_->error() == QAudio::NoError; }

    MixFormat format() const override { return format_; }

    bool wake(QIODevice& source) override {
        switch (sink_->state()) {
            case QAudio::ActiveState:
                return true;
            case QAudio::SuspendedState:
                sink_->resume();
                return true;
            case QAudio::IdleState:
            case QAudio::StoppedState:
                sink_->stop();
                sink_->start(&source);
                return sink_->error() != QAudio::OpenError && sink_->error() != QAudio::FatalError;
        }
        return true;
    }

    void pauseWhenIdle(std::function<bool()> stillIdle) override {
        // Asked from inside the sink's pull, so the pause is queued; it dies with the sink.
        QTimer::singleShot(0, sink_.get(), [this, stillIdle = std::move(stillIdle)] {
            if (stillIdle() && sink_->state() == QAudio::ActiveState) sink_->suspend();
        });
    }

  private:
    MixFormat format_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) std::unique_ptr<platform::AudioSink>
korvash_open_audio_sink(std::string& problem) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        problem = "no audio output";
        return nullptr;
    }
    const auto format = chooseMixFormat(device, problem);
    if (!format) return nullptr;
    auto sink = std::make_unique<QtAudioSink>(device, *format);
    if (!sink->opened()) {
        problem = "the audio output cannot be opened";
        return nullptr;
    }
    return sink;
}
