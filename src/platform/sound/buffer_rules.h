#pragma once

#include <cstddef>
#include <filesystem>

#include "platform/sound/sound_device.h"
#include "platform/sound/wav_file.h"

// What every sound device checks the same way, so the test device refuses exactly what the real
// one refuses. Each throws RuntimeFailure (ControlFailed).
namespace platform::sound_rules {

// Larger files are refused before they are read.
inline constexpr std::uintmax_t kLargestSoundFile = 64u << 20;

void checkCooperativeLevel(CooperativeLevel level);
void checkDescription(const SoundBufferDescription& description);
WavSound loadSoundFile(const std::filesystem::path& wavFile);
void checkVolume(std::uint32_t capabilities, int hundredthsOfDecibel);
void checkPlayPosition(const WavSound& sound, std::size_t byteOffset);

}  // namespace platform::sound_rules
