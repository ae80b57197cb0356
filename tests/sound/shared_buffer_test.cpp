#include <gtest/gtest.h>

#include "platform/files/windows_path.h"
#include "sound_fixture.h"

using namespace sound;

namespace {

using Calls = std::vector<std::string>;

TEST_F(SoundTest, SoundPathsLieInTheSharedFolderBesideTheProgramFolder) {
    InitSoundPaths(ctx);
    const std::vector<std::pair<QString, const char*>> paths = {
        {state.g_aSoundFile[SoundTableMusic], "\\..\\common\\music\\majiang.wav"},
        {state.g_aSoundFile[SoundTurnWarning], "\\..\\common\\music\\tishi.wav"},
        {state.g_sPkPath, "\\..\\common\\pk\\"},
        {state.g_sCommonPath, "\\..\\common\\"},
        {state.g_sOskerraPath, "\\..\\common\\Oskerra\\"},
    };
    for (const auto& [value, expected] : paths) EXPECT_EQ(value, path(expected));
    EXPECT_TRUE(
        platform::fileExists(platform::mapWindowsPath(state.g_aSoundFile[SoundTableMusic])));
    EXPECT_TRUE(platform::fileExists(platform::mapWindowsPath(state.g_sPkPath + "sys020.wav")));
}

TEST_F(SoundTest, StartUpLoopsTheTableMusicAtFullVolume) {
    startUp();
    EXPECT_EQ(device.transcript(),
              (Calls{"open", "cooperative window=42 priority",
                     "create #1 majiang.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION", "play #1 looping",
                     "volume #1 0"}));
    EXPECT_TRUE(state.g_bSoundOn);
    device.finishOncePlayback();
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{1});
}

// One shared buffer: the first effect replaces the music, which does not come back by itself.
TEST_F(SoundTest, FirstEffectEndsTheTableMusicForGood) {
    startUp();
    const std::size_t before = callCount();
    PlayEffectSound(ctx, "\\..\\common\\pk\\sys020.wav");
    EXPECT_EQ(callsFrom(before), (Calls{"stop #1", "release #1",
                                        "create #2 sys020.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION",
                                        "play #2 once", "volume #2 0"}));
    EXPECT_EQ(state.g_sSoundPath, path("\\..\\common\\pk\\sys020.wav"));
    device.finishOncePlayback();
    EXPECT_TRUE(device.playingBuffers().empty());
    EXPECT_EQ(device.buffers().size(), 2u);
}

TEST_F(SoundTest, EffectsPlayOnlyWhileEffectsAreOn) {
    startUp();
    state.g_bEffectsOn = false;
    const std::size_t before = callCount();
    PlayEffectSound(ctx, "\\..\\common\\pk\\sys080.wav");
    EXPECT_TRUE(callsFrom(before).empty());
    EXPECT_TRUE(state.g_sSoundPath.isEmpty());
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{1});

    // The switch is the callers' rule; the engine itself plays whatever it is given.
    PlaySoundFile(ctx, path("\\..\\common\\pk\\sys080.wav"), false);
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{2});
}

TEST_F(SoundTest, SoundThatCannotBePlayedStopsTheOldOneAndStaysSilent) {
    writeFile("common/pk/cut.wav",
              TempFolderTest::readFile(folder() / "common/pk/sys020.wav").substr(0, 50));
    writeFile("common/pk/text.wav", "not a sound");
    startUp();
    for (const char* file : {"\\..\\common\\pk\\none.wav", "\\..\\common\\pk\\cut.wav",
                             "\\..\\common\\pk\\text.wav", "\\..\\common\\nofolder\\sys020.wav"}) {
        SCOPED_TRACE(file);
        PlaySoundFile(ctx, path("\\..\\common\\music\\majiang.wav"), true);
        ASSERT_EQ(device.playingBuffers().size(), 1u);
        PlaySoundFile(ctx, path(file), false);
        EXPECT_TRUE(device.playingBuffers().empty());
        EXPECT_EQ(state.g_oSoundBuffer, nullptr);
        EXPECT_TRUE(state.g_bSoundOn);
        // Nothing to set the volume of.
        const std::size_t before = callCount();
        SetSoundVolume(ctx, 3000);
        EXPECT_TRUE(callsFrom(before).empty());
    }
}

TEST_F(SoundTest, SoundPathsMatchFilesWhateverTheirCase) {
    startUp();
    PlayEffectSound(ctx, "\\..\\COMMON\\PK\\SYS020.WAV");
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{2});
}

TEST_F(SoundTest, VolumeFollowsLevelsFromZeroTo3000Only) {
    startUp();
    const std::vector<std::pair<std::int32_t, Calls>> cases = {
        {3000, {"volume #1 0"}},
        {0, {"volume #1 -3000"}},
        {1500, {"volume #1 -1500"}},
        {3001, {}},
        {-1, {}},
        {INT32_MAX, {}},
    };
    for (const auto& [level, expected] : cases) {
        const std::size_t before = callCount();
        SetSoundVolume(ctx, level);
        EXPECT_EQ(callsFrom(before), expected) << level;
    }
}

TEST_F(SoundTest, StoppedSoundIsRewoundAndTheNextSoundStartsFromItsStart) {
    startUp();
    std::size_t before = callCount();
    StopSound(ctx);
    EXPECT_EQ(callsFrom(before), (Calls{"stop #1", "position #1 0"}));
    EXPECT_TRUE(device.playingBuffers().empty());
    EXPECT_NE(state.g_oSoundBuffer, nullptr);

    PlaySoundFile(ctx, path("\\..\\common\\music\\tishi.wav"), false);
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{2});
    EXPECT_EQ(device.buffers().at(2).position, 0u);
}

TEST_F(SoundTest, StoppingWithoutASoundDoesNothing) {
    state.g_bSoundOn = true;
    InitSoundPaths(ctx);
    InitSound(ctx, TableWindow);
    const std::size_t before = callCount();
    StopSound(ctx);
    StopMusic(ctx);
    EXPECT_TRUE(callsFrom(before).empty());
    EXPECT_TRUE(state.g_bSoundOn);
}

}  // namespace
