#include "platform/sound/qt_sound_device.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cmath>

#include "platform/runtime/failure.h"
#include "platform/sound/wav_file.h"
#include "support/temp_folder.h"

#if __has_include(<QMediaDevices>)
#include <QAudioDevice>
#include <QMediaDevices>
#define KORVASH_TEST_HAS_MULTIMEDIA 1
#endif

using namespace platform;

namespace {

TEST(SoundVolume, HundredthsOfADecibelBecomeAGain) {
    const std::vector<std::pair<int, double>> cases = {
        {0, 1.0},     {-600, 0.50119},   {-800, 0.39811},  {-1200, 0.25119},
        {-2000, 0.1}, {-3000, 0.031623}, {-10000, 0.00001}};
    for (const auto& [volume, gain] : cases)
        EXPECT_NEAR(linearGain(volume), gain, gain * 1e-4) << volume;
}

bool machineHasAudioOutput() {
#ifdef KORVASH_TEST_HAS_MULTIMEDIA
    return !QMediaDevices::audioOutputs().isEmpty();
#else
    return false;
#endif
}

class QtSoundDeviceTest : public TempFolderTest {
  protected:
    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QtSoundDevice device;
};

TEST_F(QtSoundDeviceTest, OpeningWithoutAnAudioOutputFailsAsAControlFailure) {
    if (machineHasAudioOutput()) GTEST_SKIP() << "this machine has an audio output";
    try {
        device.openDefaultOutput();
        ADD_FAILURE() << "opened an output that does not exist";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), RuntimeFailure::Kind::ControlFailed);
    }
}

// Where no sound server can be reached the module is never loaded, and where one may be but the
// module cannot be had, opening fails the same way as without an output.
TEST_F(QtSoundDeviceTest, OpeningFailsAsAControlFailureWithoutServerOrModule) {
    writeFile("broken.so", "not a library");
    struct Case {
        std::string name;
        bool serverMayExist;
        std::vector<std::filesystem::path> modulePlaces;  // empty: where the build put it
    };
    const std::vector<Case> cases = {
        {"no server, module present", false, {}},
        {"module missing", true, {folder() / "none.so"}},
        {"module not a library", true, {folder() / "broken.so"}},
    };
    for (const auto& c : cases) {
        QtSoundDevice d([&] { return c.serverMayExist; }, c.modulePlaces);
        try {
            d.openDefaultOutput();
            ADD_FAILURE() << c.name << ": opened an output";
        } catch (const RuntimeFailure& failure) {
            EXPECT_EQ(failure.kind(), RuntimeFailure::Kind::ControlFailed) << c.name;
        }
    }
}

// The module itself, loaded even where the probe would not: without an output it says so.
TEST_F(QtSoundDeviceTest, TheLoadedModuleFindsNoOutputWhereNoneExists) {
    if (machineHasAudioOutput()) GTEST_SKIP() << "this machine has an audio output";
    QtSoundDevice loading([] { return true; });
    try {
        loading.openDefaultOutput();
        ADD_FAILURE() << "opened an output that does not exist";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), RuntimeFailure::Kind::ControlFailed);
        EXPECT_NE(std::string(failure.what()).find("no audio output"), std::string::npos)
            << failure.what();
    }
}

TEST_F(QtSoundDeviceTest, PlaysStopsAndRefusesBadFilesWhenAnOutputExists) {
    if (!machineHasAudioOutput()) GTEST_SKIP() << "no audio output on this machine";
    WavSound sound;
    sound.format = {2, 44100, 16};
    sound.samples.assign(44100 * 4 / 10, 0);
    const std::vector<std::uint8_t> bytes = encodeWav(sound);
    const auto file = writeFile("quiet.wav", std::string(bytes.begin(), bytes.end()));
    const auto bad = writeFile("bad.wav", "RIFF");

    auto output = device.openDefaultOutput();
    output->setCooperativeLevel(1, CooperativeLevel::Priority);
    auto buffer = output->createBuffer(file, {ControlVolume, {}});
    buffer->setVolume(kSilentVolume);
    buffer->play(PlayMode::Looping);
    QCoreApplication::processEvents();
    buffer->stop();
    buffer->setPlayPosition(0);
    buffer->play(PlayMode::Once);
    EXPECT_THROW(buffer->setVolume(1), RuntimeFailure);
    EXPECT_THROW(output->createBuffer(bad, {ControlVolume, {}}), RuntimeFailure);
    EXPECT_THROW(output->createBuffer(folder() / "none.wav", {ControlVolume, {}}), RuntimeFailure);
}

}  // namespace
