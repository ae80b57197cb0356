#include "platform/sound/qt_sound_device.h"

#include <dlfcn.h>

#include "platform/runtime/failure.h"
#include "platform/runtime/module_places.h"
#include "platform/sound/audio_server.h"
#include "platform/sound/audio_sink.h"
#include "platform/sound/buffer_rules.h"
#include "platform/sound/pcm_mixer.h"

namespace platform {

namespace {

[[noreturn]] void refuse(const std::string& why) {
    fail(RuntimeFailure::Kind::ControlFailed, "sound: " + why);
}

// How much silence the mixer renders before the stream is paused: enough that the sink's own
// buffer holds nothing but silence by then.
constexpr std::uint32_t kSilenceBeforePauseMs = 300;

constexpr const char* kModuleFile = "libkorvash_qt_audio.so";

// The one audio stream of an output, shared by the output and its buffers so that whichever
// goes last closes it.
class MixedStream {
  public:
    explicit MixedStream(std::unique_ptr<AudioSink> sink)
        : sink_(std::move(sink)), mixer_(sink_->format()) {
        mixer_.setIdleAfterSilentFrames(std::size_t(mixer_.format().sampleRate) *
                                        kSilenceBeforePauseMs / 1000);
        mixer_.onIdle = [this] { sink_->pauseWhenIdle([this] { return !mixer_.anyPlaying(); }); };
    }
    // The sink goes first: it stops pulling before the mixer it pulls from is gone.
    ~MixedStream() { sink_.reset(); }

    PcmMixer& mixer() { return mixer_; }

    // A voice has started: makes sure the stream runs.
    void wake() {
        if (!sink_->wake(mixer_)) refuse("the audio output refused to play");
    }

  private:
    std::unique_ptr<AudioSink> sink_;
    PcmMixer mixer_;
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

QtSoundDevice::QtSoundDevice(std::function<bool()> serverMayExist,
                             std::vector<std::filesystem::path> modulePlaces)
    : serverMayExist_(serverMayExist ? std::move(serverMayExist)
                                     : [] { return audioServerMayExist(); }),
      modulePlaces_(modulePlaces.empty() ? defaultModulePlaces() : std::move(modulePlaces)) {}

// The module stays loaded: Qt keeps objects of its libraries alive until the application ends.
QtSoundDevice::~QtSoundDevice() = default;

std::vector<std::filesystem::path> QtSoundDevice::defaultModulePlaces() {
#ifdef KORVASH_QT_AUDIO_MODULE
    return ModulePlaces(kModuleFile, KORVASH_QT_AUDIO_MODULE);
#else
    return ModulePlaces(kModuleFile, nullptr);
#endif
}

std::unique_ptr<SoundOutput> QtSoundDevice::openDefaultOutput() {
    if (!module_ && !serverMayExist_()) refuse("no sound server, so no audio output");
    std::string problem = "the audio module is missing";
    for (const auto& place : modulePlaces_) {
        if (module_) break;
        std::error_code error;
        if (!std::filesystem::exists(place, error)) continue;
        module_ = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module_) problem = std::string("the audio module does not load: ") + ::dlerror();
    }
    if (!module_) refuse(problem);
    const auto open = reinterpret_cast<OpenAudioSink>(::dlsym(module_, kOpenAudioSinkSymbol));
    if (!open) refuse("the audio module has no entry point");
    std::unique_ptr<AudioSink> sink = open(problem);
    if (!sink) refuse(problem);
    return std::make_unique<QtSoundOutput>(std::make_shared<MixedStream>(std::move(sink)));
}

}  // namespace platform
