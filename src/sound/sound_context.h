#pragma once

#include <QString>
#include <functional>

#include "platform/sound/sound_device.h"
#include "sound/sound_state.h"

namespace sound {

// What the sound procedures work with.
struct SoundContext {
    // The machine's sound facility (the root object the device is opened from).
    platform::SoundDevice& device;
    SoundState& state;
    // App.Path: the program folder, without a trailing separator.
    QString programFolder;
    // Whether the table window is minimised now; unset counts as never.
    std::function<bool()> tableWindowMinimized;
};

}  // namespace sound
