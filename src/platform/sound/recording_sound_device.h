#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/sound/sound_device.h"

namespace platform {

enum class SoundCall {
    OpenDefaultOutput,
    SetCooperativeLevel,
    CreateBuffer,
    Play,
    Stop,
    SetPlayPosition,
    SetVolume,
    ReleaseBuffer,
};

// One call made on the recording device or on one of its outputs or buffers.
struct SoundCallRecord {
    SoundCall call = SoundCall::OpenDefaultOutput;
    // The buffer the call concerns, numbered 1, 2, ... in order of creation (also for a creation
    // that failed); 0 for the device's own calls.
    int buffer = 0;
    bool failed = false;
    std::filesystem::path file{};
    SoundBufferDescription description{};
    OwnerWindow window = 0;
    CooperativeLevel level = CooperativeLevel::Normal;
    PlayMode mode = PlayMode::Once;
    std::size_t position = 0;
    int volume = 0;

    // A short line for test expectations, e.g. "create #2 sys020.wav caps=0x90
    // DS3DALG_NO_VIRTUALIZATION", "play #2 looping", "volume #2 -800", "stop #2 FAILED".
    std::string describe() const;
};

// What a buffer of the recording device is doing now.
struct RecordedBuffer {
    int number = 0;
    std::filesystem::path file{};
    SoundBufferDescription description{};
    bool released = false;
    bool playing = false;
    bool looping = false;
    std::size_t position = 0;
    int volume = kFullVolume;
};

// A sound device for tests: it plays nothing, records every call and can be told to fail chosen
// calls. It reads and checks the WAV files and the parameters exactly as the real device does,
// so a missing or bad file fails here too.
class RecordingSoundDevice : public SoundDevice {
  public:
    RecordingSoundDevice();
    ~RecordingSoundDevice() override;

    std::unique_ptr<SoundOutput> openDefaultOutput() override;

    // While set, every call of that kind fails (and is still recorded, marked failed).
    void setFailing(SoundCall call, bool failing = true);

    const std::vector<SoundCallRecord>& calls() const;
    // describe() of every call since the last clearCalls().
    std::vector<std::string> transcript() const;
    void clearCalls();

    // Every buffer made so far, by number, released ones included.
    const std::map<int, RecordedBuffer>& buffers() const;
    // The numbers of the buffers playing now.
    std::vector<int> playingBuffers() const;
    // Lets time pass: every buffer playing once reaches its end, stops and goes back to its start.
    void finishOncePlayback();

    struct Journal;

  private:
    std::shared_ptr<Journal> journal_;
};

}  // namespace platform
