#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include "platform/sound/qt_sound_device.h"
#include "sound/sound_playback.h"
#include "support/temp_folder.h"

#if __has_include(<QMediaDevices>)
#include <QAudioDevice>
#include <QMediaDevices>
#define KORVASH_TEST_HAS_MULTIMEDIA 1
#endif

using namespace sound;

namespace {

bool machineHasAudioOutput() {
#ifdef KORVASH_TEST_HAS_MULTIMEDIA
    return !QMediaDevices::audioOutputs().isEmpty();
#else
    return false;
#endif
}

// The real output on a machine without one (as on the build servers): start-up switches sound
// off quietly and the table runs on.
TEST(SoundOnTheRealOutput, StartUpWithoutAudioOutputTurnsSoundOffQuietly) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    if (machineHasAudioOutput()) GTEST_SKIP() << "this machine has an audio output";

    platform::QtSoundDevice device;
    SoundState state;
    SoundContext ctx{device, state, "/nonexistent/table", {}};
    state.g_bMusicOn = state.g_bEffectsOn = state.g_bSoundOn = true;
    InitSoundPaths(ctx);
    InitSound(ctx, 1);
    StopSound(ctx);
    PlaySoundFile(ctx, state.g_aSoundFile[SoundTableMusic], true);
    SetSoundVolume(ctx, 3000);

    EXPECT_FALSE(state.g_bSoundOn);
    EXPECT_EQ(state.g_oDirectSound, nullptr);
    EXPECT_EQ(state.g_oSoundBuffer, nullptr);
    PlayEffectSound(ctx, "\\..\\common\\pk\\sys020.wav");
    PlaySeatVoice(ctx, state.g_sPkPath + "v10010105.wav", 2);
    EXPECT_EQ(state.g_aVoiceBuffer[2], nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(QGuiApplication::topLevelWindows().isEmpty());
}

}  // namespace
