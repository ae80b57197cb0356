#include <gtest/gtest.h>

#include "sound_fixture.h"

using namespace sound;
using platform::SoundCall;

namespace {

// A device call failing inside one procedure, and what that leaves behind.
struct FailureCase {
    const char* name;
    SoundCall failing;
    std::function<void(SoundContext&)> action;
    bool soundOnAfter;
    // The shared buffer (the music of start-up) afterwards.
    bool bufferKept;
    bool bufferPlaying;
};

TEST_F(SoundTest, FailingDeviceSwitchesSoundOffWhereTheEngineSaysSo) {
    const QString effect = "\\..\\common\\pk\\sys020.wav";
    const std::vector<FailureCase> cases = {
        {"stop before a new sound", SoundCall::Stop,
         [&](SoundContext& c) { PlaySoundFile(c, c.programFolder + effect, false); }, false, true,
         true},
        {"stop", SoundCall::Stop, [](SoundContext& c) { StopSound(c); }, false, true, true},
        {"rewind", SoundCall::SetPlayPosition, [](SoundContext& c) { StopSound(c); }, false, true,
         false},
        {"volume", SoundCall::SetVolume, [](SoundContext& c) { SetSoundVolume(c, 3000); }, false,
         true, true},
        // Failures the engine lets pass: the sound is silent, the device stays on.
        {"creating the new sound", SoundCall::CreateBuffer,
         [&](SoundContext& c) { PlaySoundFile(c, c.programFolder + effect, false); }, true, false,
         false},
        {"playing the new sound", SoundCall::Play,
         [&](SoundContext& c) { PlaySoundFile(c, c.programFolder + effect, false); }, true, true,
         false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        state = {};
        startUp();
        ASSERT_TRUE(state.g_bSoundOn);
        device.setFailing(c.failing);
        c.action(ctx);
        device.setFailing(c.failing, false);
        EXPECT_EQ(state.g_bSoundOn, c.soundOnAfter);
        EXPECT_EQ(state.g_oSoundBuffer != nullptr, c.bufferKept);
        EXPECT_EQ(!device.playingBuffers().empty(), c.bufferPlaying);
    }
}

TEST_F(SoundTest, NoDeviceAtStartUpLeavesSoundOffAndEverySoundSilent) {
    device.setFailing(SoundCall::OpenDefaultOutput);
    startUp();
    EXPECT_FALSE(state.g_bSoundOn);
    EXPECT_EQ(state.g_oDirectSound, nullptr);
    PlayEffectSound(ctx, "\\..\\common\\pk\\sys020.wav");
    PlaySeatVoice(ctx, state.g_sOskerraPath + "27\\v10010105.wav", 1);
    StopSound(ctx);
    EXPECT_EQ(device.transcript(), std::vector<std::string>{"open FAILED"});
    EXPECT_TRUE(state.g_bMusicOn);
    EXPECT_TRUE(state.g_bEffectsOn);
}

TEST_F(SoundTest, DeviceRefusingTheCooperativeLevelStaysInUse) {
    device.setFailing(SoundCall::SetCooperativeLevel);
    startUp();
    EXPECT_FALSE(state.g_bSoundOn);
    ASSERT_NE(state.g_oDirectSound, nullptr);
    // Start-up makes its music calls all the same, and they go ahead with the device.
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{1});
}

// Only the settings window turns sound on again; the engine never does.
TEST_F(SoundTest, SoundSwitchedOffStaysOffThroughLaterSounds) {
    startUp();
    device.setFailing(SoundCall::SetVolume);
    SetSoundVolume(ctx, 3000);
    ASSERT_FALSE(state.g_bSoundOn);
    device.setFailing(SoundCall::SetVolume, false);
    PlayEffectSound(ctx, "\\..\\common\\pk\\sys020.wav");
    EXPECT_FALSE(state.g_bSoundOn);
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{2});
}

}  // namespace
