#pragma once

#include <QString>

#include "platform/files/file_system.h"
#include "platform/sound/recording_sound_device.h"
#include "platform/sound/wav_file.h"
#include "sound/sound_playback.h"
#include "support/temp_folder.h"

// A table program folder with the shared sound folder beside it, and the sound engine on the
// recording device.
class SoundTest : public TempFolderTest {
  protected:
    static constexpr platform::OwnerWindow TableWindow = 42;

    void SetUp() override {
        TempFolderTest::SetUp();
        std::filesystem::create_directories(folder() / "table");
        ctx.programFolder = platform::toQString(folder() / "table");
        for (const char* file :
             {"music/majiang.wav", "music/tishi.wav", "pk/sys020.wav", "pk/sys080.wav",
              "voices/sys010.wav", "Oskerra/27/v10010105.wav", "27/v20000212.wav"})
            writeSound(std::string("common/") + file);
    }

    void writeSound(const std::string& relative) {
        platform::WavSound sound;
        sound.format = {1, 11025, 8};
        sound.samples.assign(64, 0x80);
        const std::vector<std::uint8_t> bytes = platform::encodeWav(sound);
        writeFile(relative, std::string(bytes.begin(), bytes.end()));
    }

    // The program folder followed by one of the table's paths, e.g. "\..\common\pk\sys020.wav".
    QString path(const char* inProgramFolder) const { return ctx.programFolder + inProgramFolder; }

    // The sound steps of start-up: switches on, paths, device, and the looping table music.
    void startUp() {
        state.g_bMusicOn = state.g_bEffectsOn = state.g_bSoundOn = true;
        sound::InitSoundPaths(ctx);
        sound::InitSound(ctx, TableWindow);
        sound::StopSound(ctx);
        sound::PlaySoundFile(ctx, state.g_aSoundFile[sound::SoundTableMusic], true);
        sound::SetSoundVolume(ctx, 3000);
    }

    // The calls recorded from the `first`-th on.
    std::vector<std::string> callsFrom(std::size_t first) const {
        const std::vector<std::string> all = device.transcript();
        return {all.begin() + std::ptrdiff_t(std::min(first, all.size())), all.end()};
    }

    std::size_t callCount() const { return device.calls().size(); }

    platform::RecordingSoundDevice device;
    sound::SoundState state;
    bool minimized = false;
    sound::SoundContext ctx{device, state, {}, [this] { return minimized; }};
};
