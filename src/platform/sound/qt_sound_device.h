#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/sound/sound_device.h"

namespace platform {

// The real sound output: Qt Multimedia's default audio output. An output mixes all its buffers
// itself into one audio stream (one sink per output: Qt's sound server back end is not safe with
// several streams started together), and pauses that stream while nothing plays. Needs a
// QCoreApplication and the event loop of the one thread.
//
// Qt Multimedia lives in a module of its own (korvash_qt_audio), loaded by the first opening
// that may find an output: where no sound server can be reached, opening fails at once without
// loading it. Opening also fails when the module is missing or the machine has no usable output.
class QtSoundDevice : public SoundDevice {
  public:
    // Whether a sound server may be reachable (audioServerMayExist() by default) and where the
    // module may lie, first found first taken (beside the program, then where it was built).
    explicit QtSoundDevice(std::function<bool()> serverMayExist = {},
                           std::vector<std::filesystem::path> modulePlaces = {});
    ~QtSoundDevice() override;

    std::unique_ptr<SoundOutput> openDefaultOutput() override;

    // The places searched when none are given.
    static std::vector<std::filesystem::path> defaultModulePlaces();

  private:
    std::function<bool()> serverMayExist_;
    std::vector<std::filesystem::path> modulePlaces_;
    // The loaded module, kept for the life of the program once loaded (dlopen handle).
    void* module_ = nullptr;
};

}  // namespace platform
