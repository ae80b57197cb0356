#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>

// Sound output as the program uses it: a device opened for a window, and sound buffers made from
// WAV files that play once or looping at a volume of their own, mixed by the device.
//
// Every operation that cannot do what is asked throws platform::RuntimeFailure (ControlFailed),
// so the program's own failure handling decides what a failing sound means. Nothing blocks:
// playing starts and returns at once.
namespace platform {

// Whatever identifies the window that the sound belongs to; the device does not interpret it.
using OwnerWindow = std::uint64_t;

enum class CooperativeLevel { Normal, Priority, Exclusive, WritePrimary };

enum class PlayMode { Once, Looping };

// The controls a buffer is made with. The values are those of the buffer descriptions the
// program states; a buffer accepts only the controls it was made with.
enum BufferCapability : std::uint32_t {
    Control3D = 0x10,
    ControlFrequency = 0x20,
    ControlPan = 0x40,
    ControlVolume = 0x80,
};

struct SoundBufferDescription {
    std::uint32_t capabilities = 0;
    // Empty, or the name of a 3-D algorithm ("DS3DALG_NO_VIRTUALIZATION", ...); a name needs
    // Control3D. Output here is plain stereo, so every algorithm sounds the same.
    QString algorithm3D;
};

// Volumes are hundredths of a decibel of attenuation: 0 is full volume, -10000 silence.
inline constexpr int kFullVolume = 0;
inline constexpr int kSilentVolume = -10000;

// The factor a volume scales the samples by: 10^(volume / 2000).
double linearGain(int hundredthsOfDecibel);

class SoundBuffer {
  public:
    virtual ~SoundBuffer() = default;

    // Plays from the current position; playing a buffer that plays already only changes whether
    // it loops. A buffer played once stops at its end and goes back to its start.
    virtual void play(PlayMode mode) = 0;
    // Stops and keeps the position.
    virtual void stop() = 0;
    // In bytes of sample data, within the buffer.
    virtual void setPlayPosition(std::size_t byteOffset) = 0;
    // kSilentVolume..kFullVolume; needs ControlVolume.
    virtual void setVolume(int hundredthsOfDecibel) = 0;
};

// An opened output device.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;

    virtual void setCooperativeLevel(OwnerWindow window, CooperativeLevel level) = 0;
    // Reads the whole WAV file into a new buffer, stopped at position 0 and full volume. Fails
    // when the file is missing, unreadable, not a PCM WAV file the device takes, or too large.
    virtual std::unique_ptr<SoundBuffer> createBuffer(
        const std::filesystem::path& wavFile, const SoundBufferDescription& description) = 0;
};

// The machine's sound facility, one per program.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;

    // Fails when the machine has no sound output.
    virtual std::unique_ptr<SoundOutput> openDefaultOutput() = 0;
};

}  // namespace platform
