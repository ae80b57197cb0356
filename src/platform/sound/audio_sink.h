#pragma once

#include <QIODevice>
#include <functional>
#include <memory>
#include <string>

#include "platform/sound/pcm_mixer.h"

// The audio output as the Qt Multimedia module (qt_audio/) offers it to the sound device. The
// module is a shared library of its own, loaded the first time an output is opened, so that a
// program that never opens one (or runs where no sound server exists) maps none of the
// multimedia, audio and network libraries it stands on.
namespace platform {

// One audio stream to the default output, pulling its samples from a source.
class AudioSink {
  public:
    virtual ~AudioSink() = default;

    // The format the stream was opened with; the source renders it.
    virtual MixFormat format() const = 0;
    // Makes sure the stream runs, pulling from `source`; false when the output refuses to play.
    virtual bool wake(QIODevice& source) = 0;
    // On a later pass of the event loop, pauses the stream if it still runs and `stillIdle`
    // says nothing plays.
    virtual void pauseWhenIdle(std::function<bool()> stillIdle) = 0;
};

// The module's one entry point: opens the default output, or says in `problem` why not.
using OpenAudioSink = std::unique_ptr<AudioSink> (*)(std::string& problem);
inline constexpr const char* kOpenAudioSinkSymbol = "korvash_open_audio_sink";

}  // namespace platform
