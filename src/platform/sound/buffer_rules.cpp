#include "platform/sound/buffer_rules.h"

#include <QStringList>
#include <cmath>
#include <system_error>

#include "platform/files/file_system.h"
#include "platform/runtime/failure.h"

namespace platform {

double linearGain(int hundredthsOfDecibel) {
    return std::pow(10.0, double(hundredthsOfDecibel) / 2000.0);
}

namespace sound_rules {
namespace {

[[noreturn]] void refuse(const std::string& why) {
    fail(RuntimeFailure::Kind::ControlFailed, "sound: " + why);
}

const QStringList& knownAlgorithms() {
    static const QStringList names = {"DS3DALG_DEFAULT", "DS3DALG_NO_VIRTUALIZATION",
                                      "DS3DALG_HRTF_FULL", "DS3DALG_HRTF_LIGHT"};
    return names;
}

}  // namespace

void checkCooperativeLevel(CooperativeLevel level) {
    switch (level) {
        case CooperativeLevel::Normal:
        case CooperativeLevel::Priority:
        case CooperativeLevel::Exclusive:
        case CooperativeLevel::WritePrimary:
            return;
    }
    refuse("unknown cooperative level");
}

void checkDescription(const SoundBufferDescription& description) {
    if (description.algorithm3D.isEmpty()) return;
    if (!(description.capabilities & Control3D))
        refuse("a 3-D algorithm needs a buffer with 3-D control");
    if (!knownAlgorithms().contains(description.algorithm3D))
        refuse("unknown 3-D algorithm " + description.algorithm3D.toStdString());
}

WavSound loadSoundFile(const std::filesystem::path& wavFile) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(wavFile, error);
    if (error) refuse("cannot read " + wavFile.string());
    if (size > kLargestSoundFile) refuse("file too large: " + wavFile.string());
    const std::optional<std::string> bytes = readFileBytes(wavFile);
    if (!bytes) refuse("cannot read " + wavFile.string());
    std::string problem;
    std::optional<WavSound> sound = parseWav(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()), &problem);
    if (!sound) refuse(wavFile.string() + ": " + problem);
    return std::move(*sound);
}

void checkVolume(std::uint32_t capabilities, int hundredthsOfDecibel) {
    if (!(capabilities & ControlVolume)) refuse("buffer has no volume control");
    if (hundredthsOfDecibel < kSilentVolume || hundredthsOfDecibel > kFullVolume)
        refuse("volume out of range: " + std::to_string(hundredthsOfDecibel));
}

void checkPlayPosition(const WavSound& sound, std::size_t byteOffset) {
    if (byteOffset >= sound.samples.size()) refuse("play position beyond the buffer");
}

}  // namespace sound_rules
}  // namespace platform
