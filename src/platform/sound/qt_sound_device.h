#pragma once

#include "platform/sound/sound_device.h"

namespace platform {

// The real sound output: Qt Multimedia's default audio output. An output mixes all its buffers
// itself into one audio stream (one sink per output: Qt's sound server back end is not safe with
// several streams started together), and pauses that stream while nothing plays. Needs a
// QCoreApplication and the event loop of the one thread. Opening fails when the machine (or the
// build) has no usable audio output.
class QtSoundDevice : public SoundDevice {
  public:
    std::unique_ptr<SoundOutput> openDefaultOutput() override;
};

}  // namespace platform
