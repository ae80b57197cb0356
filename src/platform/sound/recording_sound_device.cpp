#include "platform/sound/recording_sound_device.h"

#include <cstdio>

#include "platform/runtime/failure.h"
#include "platform/sound/buffer_rules.h"

namespace platform {

// Shared by the device, its outputs and its buffers, so that whichever outlives the others can
// still record.
struct RecordingSoundDevice::Journal {
    std::vector<SoundCallRecord> calls;
    std::map<int, RecordedBuffer> buffers;
    std::set<SoundCall> failing;
    int lastBuffer = 0;

    // Records the call, then fails it when told to.
    SoundCallRecord& record(SoundCallRecord entry) {
        entry.failed = failing.contains(entry.call);
        calls.push_back(std::move(entry));
        if (calls.back().failed) fail(RuntimeFailure::Kind::ControlFailed, "sound: told to fail");
        return calls.back();
    }

    // Runs `checks`; a check that throws marks the recorded call failed.
    template <typename Checks>
    void checked(Checks&& checks) {
        try {
            checks();
        } catch (const RuntimeFailure&) {
            calls.back().failed = true;
            throw;
        }
    }
};

namespace {

using Journal = RecordingSoundDevice::Journal;

class RecordingBuffer : public SoundBuffer {
  public:
    RecordingBuffer(std::shared_ptr<Journal> journal, int number, WavSound sound)
        : journal_(std::move(journal)), number_(number), sound_(std::move(sound)) {}

    ~RecordingBuffer() override {
        journal_->calls.push_back({.call = SoundCall::ReleaseBuffer, .buffer = number_});
        RecordedBuffer& state = self();
        state.released = true;
        state.playing = false;
    }

    void play(PlayMode mode) override {
        journal_->record({.call = SoundCall::Play, .buffer = number_, .mode = mode});
        self().playing = true;
        self().looping = mode == PlayMode::Looping;
    }

    void stop() override {
        journal_->record({.call = SoundCall::Stop, .buffer = number_});
        self().playing = false;
    }

    void setPlayPosition(std::size_t byteOffset) override {
        journal_->record(
            {.call = SoundCall::SetPlayPosition, .buffer = number_, .position = byteOffset});
        journal_->checked([&] { sound_rules::checkPlayPosition(sound_, byteOffset); });
        self().position = byteOffset;
    }

    void setVolume(int hundredthsOfDecibel) override {
        journal_->record(
            {.call = SoundCall::SetVolume, .buffer = number_, .volume = hundredthsOfDecibel});
        journal_->checked([&] {
            sound_rules::checkVolume(self().description.capabilities, hundredthsOfDecibel);
        });
        self().volume = hundredthsOfDecibel;
    }

  private:
    RecordedBuffer& self() { return journal_->buffers[number_]; }

    std::shared_ptr<Journal> journal_;
    int number_;
    WavSound sound_;
};

class RecordingOutput : public SoundOutput {
  public:
    explicit RecordingOutput(std::shared_ptr<Journal> journal) : journal_(std::move(journal)) {}

    void setCooperativeLevel(OwnerWindow window, CooperativeLevel level) override {
        journal_->record(
            {.call = SoundCall::SetCooperativeLevel, .window = window, .level = level});
        journal_->checked([&] { sound_rules::checkCooperativeLevel(level); });
    }

    std::unique_ptr<SoundBuffer> createBuffer(const std::filesystem::path& wavFile,
                                              const SoundBufferDescription& description) override {
        const int number = ++journal_->lastBuffer;
        journal_->record({.call = SoundCall::CreateBuffer,
                          .buffer = number,
                          .file = wavFile,
                          .description = description});
        WavSound sound;
        journal_->checked([&] {
            sound_rules::checkDescription(description);
            sound = sound_rules::loadSoundFile(wavFile);
        });
        journal_->buffers[number] = {.number = number, .file = wavFile, .description = description};
        return std::make_unique<RecordingBuffer>(journal_, number, std::move(sound));
    }

  private:
    std::shared_ptr<Journal> journal_;
};

const char* callName(SoundCall call) {
    switch (call) {
        case SoundCall::OpenDefaultOutput:
            return "open";
        case SoundCall::SetCooperativeLevel:
            return "cooperative";
        case SoundCall::CreateBuffer:
            return "create";
        case SoundCall::Play:
            return "play";
        case SoundCall::Stop:
            return "stop";
        case SoundCall::SetPlayPosition:
            return "position";
        case SoundCall::SetVolume:
            return "volume";
        case SoundCall::ReleaseBuffer:
            return "release";
    }
    return "?";
}

const char* levelName(CooperativeLevel level) {
    switch (level) {
        case CooperativeLevel::Normal:
            return "normal";
        case CooperativeLevel::Priority:
            return "priority";
        case CooperativeLevel::Exclusive:
            return "exclusive";
        case CooperativeLevel::WritePrimary:
            return "write-primary";
    }
    return "?";
}

}  // namespace

std::string SoundCallRecord::describe() const {
    std::string line = callName(call);
    if (buffer != 0) line += " #" + std::to_string(buffer);
    switch (call) {
        case SoundCall::SetCooperativeLevel:
            line += " window=" + std::to_string(window) + " " + levelName(level);
            break;
        case SoundCall::CreateBuffer: {
            char caps[16];
            std::snprintf(caps, sizeof caps, "0x%X", description.capabilities);
            line += " " + file.filename().string() + " caps=" + caps;
            if (!description.algorithm3D.isEmpty())
                line += " " + description.algorithm3D.toStdString();
            break;
        }
        case SoundCall::Play:
            line += mode == PlayMode::Looping ? " looping" : " once";
            break;
        case SoundCall::SetPlayPosition:
            line += " " + std::to_string(position);
            break;
        case SoundCall::SetVolume:
            line += " " + std::to_string(volume);
            break;
        default:
            break;
    }
    if (failed) line += " FAILED";
    return line;
}

RecordingSoundDevice::RecordingSoundDevice() : journal_(std::make_shared<Journal>()) {}

RecordingSoundDevice::~RecordingSoundDevice() = default;

std::unique_ptr<SoundOutput> RecordingSoundDevice::openDefaultOutput() {
    journal_->record({.call = SoundCall::OpenDefaultOutput});
    return std::make_unique<RecordingOutput>(journal_);
}

void RecordingSoundDevice::setFailing(SoundCall call, bool failing) {
    if (failing)
        journal_->failing.insert(call);
    else
        journal_->failing.erase(call);
}

const std::vector<SoundCallRecord>& RecordingSoundDevice::calls() const {
    return journal_->calls;
}

std::vector<std::string> RecordingSoundDevice::transcript() const {
    std::vector<std::string> lines;
    for (const SoundCallRecord& call : journal_->calls) lines.push_back(call.describe());
    return lines;
}

void RecordingSoundDevice::clearCalls() {
    journal_->calls.clear();
}

const std::map<int, RecordedBuffer>& RecordingSoundDevice::buffers() const {
    return journal_->buffers;
}

std::vector<int> RecordingSoundDevice::playingBuffers() const {
    std::vector<int> playing;
    for (const auto& [number, buffer] : journal_->buffers)
        if (buffer.playing) playing.push_back(number);
    return playing;
}

void RecordingSoundDevice::finishOncePlayback() {
    for (auto& [number, buffer] : journal_->buffers) {
        if (buffer.playing && !buffer.looping) {
            buffer.playing = false;
            buffer.position = 0;
        }
    }
}

}  // namespace platform
