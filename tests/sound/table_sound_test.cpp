// The sound engine as the running client uses it: started by the table's start-up, with the
// table window's own minimised state.
#include <gtest/gtest.h>

#include "client/main_form.h"
#include "sound/sound_playback.h"
#include "table_sound_fixture.h"

using namespace sound;

namespace {

using Calls = std::vector<std::string>;

std::vector<std::string> callsFrom(const platform::RecordingSoundDevice& device,
                                   std::size_t first) {
    const Calls all = device.transcript();
    return {all.begin() + std::ptrdiff_t(std::min(first, all.size())), all.end()};
}

TEST_F(TableSoundTest, TableMusicLoopsFromStartUpUntilTheFirstEffectEndsItForGood) {
    ASSERT_TRUE(startTable());
    auto& device = harness.soundDevice;
    const Calls startUp = device.transcript();
    ASSERT_EQ(startUp.size(), 5u);
    EXPECT_EQ(startUp[0], "open");
    EXPECT_TRUE(startUp[1].starts_with("cooperative window=")) << startUp[1];
    EXPECT_EQ(callsFrom(device, 2),
              (Calls{"create #1 majiang.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION", "play #1 looping",
                     "volume #1 0"}));
    device.finishOncePlayback();
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{1});

    const std::size_t before = device.calls().size();
    PlayEffectSound(c().sound, kEffect);
    EXPECT_EQ(
        callsFrom(device, before),
        (Calls{"stop #1", "release #1", "create #2 sys020.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION",
               "play #2 once", "volume #2 0"}));
    device.finishOncePlayback();
    harness.scheduler.advance(5000);
    EXPECT_TRUE(device.playingBuffers().empty());
    EXPECT_TRUE(c().soundState.g_bSoundOn);
}

TEST_F(TableSoundTest, EachSeatSpeaksOnItsOwnBufferUntilTheTableIsMinimised) {
    ASSERT_TRUE(startTable());
    auto& device = harness.soundDevice;
    const QString phrase = programPath("\\..\\common\\pk\\sys080.wav");
    for (std::int16_t seat : {0, 1, 2, 3}) PlaySeatVoice(c().sound, phrase, seat);

    // The music (#1) goes on beside the four voices, each at its seat's volume.
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2, 3, 4, 5}));
    const std::vector<std::pair<int, int>> volumes = {{2, -800}, {3, -800}, {4, -800}, {5, -1200}};
    for (const auto& [buffer, volume] : volumes) {
        EXPECT_EQ(device.buffers().at(buffer).volume, volume) << "buffer " << buffer;
        EXPECT_EQ(device.buffers().at(buffer).description.capabilities, 0xE0u);
    }

    const std::size_t before = device.calls().size();
    PlaySeatVoice(c().sound, phrase, 4);
    c().MainForm->setWindowState(forms::WindowState::Minimized);
    PlaySeatVoice(c().sound, phrase, 2);
    EXPECT_TRUE(callsFrom(device, before).empty());
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2, 3, 4, 5}));

    c().MainForm->setWindowState(forms::WindowState::Normal);
    PlaySeatVoice(c().sound, phrase, 2);
    EXPECT_EQ(callsFrom(device, before),
              (Calls{"stop #4", "release #4", "create #6 sys080.wav caps=0xE0", "play #6 once",
                     "volume #6 -800"}));
}

TEST_F(TableSoundTest, MissingTableMusicStartsNothingAndLeavesSoundOn) {
    std::filesystem::remove(harness.folder / "common" / "music" / "majiang.wav");
    ASSERT_TRUE(startTable());
    EXPECT_TRUE(harness.soundDevice.playingBuffers().empty());
    EXPECT_EQ(c().soundState.g_oSoundBuffer, nullptr);
    EXPECT_TRUE(c().soundState.g_bSoundOn);
    EXPECT_TRUE(harness.boxes.shown().empty());
}

// Where no sound device can be opened the table starts all the same, silent and without a word.
TEST_F(TableSoundTest, NoSoundDeviceAtStartUpLeavesTheTableRunningSilently) {
    harness.soundDevice.setFailing(platform::SoundCall::OpenDefaultOutput);
    ASSERT_TRUE(startTable());
    EXPECT_FALSE(c().soundState.g_bSoundOn);
    EXPECT_TRUE(c().soundState.g_bMusicOn);
    EXPECT_TRUE(c().soundState.g_bEffectsOn);
    EXPECT_TRUE(c().MainForm->visible());
    EXPECT_TRUE(harness.boxes.shown().empty());

    PlayEffectSound(c().sound, kEffect);
    PlaySeatVoice(c().sound, programPath("\\..\\common\\pk\\sys080.wav"), 1);
    EXPECT_TRUE(harness.soundDevice.buffers().empty());
    harness.scheduler.advance(5000);
    EXPECT_TRUE(c().MainForm->isLoaded());
}

}  // namespace
