#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include "client/main_form.h"
#include "connection/client_loading.h"
#include "platform/sound/qt_sound_device.h"
#include "sound/sound_playback.h"
#include "support/client_harness.h"
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
    support::ensureApplication();
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

// The whole table on the real output where the machine has none: the start-up completes, the
// table shows, sound is off and no message is shown.
TEST(SoundOnTheRealOutput, TableStartsWithoutAudioOutputSilentlyAndWithoutAMessage) {
    support::ensureApplication();
    if (machineHasAudioOutput()) GTEST_SKIP() << "this machine has an audio output";

    platform::QtSoundDevice device;
    support::ClientHarness harness;
    harness.client = std::make_unique<client::Client>(
        client::ClientPlatform{harness.scheduler, harness.boxes, harness.desktop, harness.env,
                               harness.folder, 1, harness.attachView, device});
    ASSERT_TRUE(support::loadTable(harness));
    client::Client& c = *harness.client;

    EXPECT_FALSE(c.soundState.g_bSoundOn);
    EXPECT_EQ(c.soundState.g_oDirectSound, nullptr);
    EXPECT_TRUE(c.MainForm->visible());
    EXPECT_TRUE(harness.boxes.shown().empty());
    PlayEffectSound(c.sound, "\\..\\common\\pk\\sys020.wav");
    harness.scheduler.advance(2000);
    EXPECT_TRUE(c.MainForm->isLoaded());
    EXPECT_TRUE(harness.boxes.shown().empty());
    harness.client.reset();
}

}  // namespace
