#include "platform/sound/recording_sound_device.h"

#include <gtest/gtest.h>

#include "platform/runtime/failure.h"
#include "platform/sound/wav_file.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

class RecordingSoundDeviceTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        WavSound sound;
        sound.format = {1, 22050, 16};
        sound.samples.assign(100, 0);
        const std::vector<std::uint8_t> bytes = encodeWav(sound);
        tone = writeFile("tone.wav", std::string(bytes.begin(), bytes.end()));
        output = device.openDefaultOutput();
        device.clearCalls();
    }

    static void expectControlFailure(const std::function<void()>& call) {
        try {
            call();
            ADD_FAILURE() << "the call did not fail";
        } catch (const RuntimeFailure& failure) {
            EXPECT_EQ(failure.kind(), RuntimeFailure::Kind::ControlFailed);
        }
    }

    const SoundBufferDescription volumeOnly{ControlVolume, {}};
    RecordingSoundDevice device;
    std::unique_ptr<SoundOutput> output;
    std::filesystem::path tone;
};

TEST_F(RecordingSoundDeviceTest, RecordsEveryCallWithItsParameters) {
    output->setCooperativeLevel(7, CooperativeLevel::Priority);
    auto buffer =
        output->createBuffer(tone, {ControlVolume | Control3D, "DS3DALG_NO_VIRTUALIZATION"});
    buffer->play(PlayMode::Looping);
    buffer->setVolume(-800);
    buffer->stop();
    buffer->setPlayPosition(0);
    buffer.reset();
    EXPECT_EQ(device.transcript(), (std::vector<std::string>{
                                       "cooperative window=7 priority",
                                       "create #1 tone.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION",
                                       "play #1 looping",
                                       "volume #1 -800",
                                       "stop #1",
                                       "position #1 0",
                                       "release #1",
                                   }));
    EXPECT_EQ(device.calls()[1].file, tone);
    EXPECT_TRUE(device.buffers().at(1).released);
}

TEST_F(RecordingSoundDeviceTest, KeepsTrackOfWhatPlays) {
    auto once = output->createBuffer(tone, volumeOnly);
    auto looping = output->createBuffer(tone, volumeOnly);
    once->play(PlayMode::Once);
    looping->play(PlayMode::Looping);
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2}));
    device.finishOncePlayback();
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{2}));
    looping->setVolume(-1200);
    EXPECT_EQ(device.buffers().at(2).volume, -1200);
    looping.reset();
    EXPECT_TRUE(device.playingBuffers().empty());
}

TEST_F(RecordingSoundDeviceTest, FailsTheCallsItIsToldToFail) {
    auto buffer = output->createBuffer(tone, volumeOnly);
    device.setFailing(SoundCall::Stop);
    expectControlFailure([&] { buffer->stop(); });
    buffer->play(PlayMode::Once);
    device.setFailing(SoundCall::Stop, false);
    buffer->stop();
    device.setFailing(SoundCall::OpenDefaultOutput);
    expectControlFailure([&] { device.openDefaultOutput(); });
    EXPECT_EQ(device.transcript(),
              (std::vector<std::string>{"create #1 tone.wav caps=0x80", "stop #1 FAILED",
                                        "play #1 once", "stop #1", "open FAILED"}));
}

TEST_F(RecordingSoundDeviceTest, RefusesWhatTheRealDeviceRefuses) {
    writeFile("bad.wav", "RIFF....WAVEjunk");
    auto buffer = output->createBuffer(tone, volumeOnly);
    auto noVolume = output->createBuffer(tone, {ControlPan, {}});
    const std::vector<std::pair<const char*, std::function<void()>>> refusals = {
        {"missing file", [&] { output->createBuffer(folder() / "none.wav", volumeOnly); }},
        {"folder", [&] { output->createBuffer(folder(), volumeOnly); }},
        {"not a WAV file", [&] { output->createBuffer(folder() / "bad.wav", volumeOnly); }},
        {"3-D algorithm without 3-D control",
         [&] {
             output->createBuffer(tone, {ControlVolume, "DS3DALG_NO_VIRTUALIZATION"});
         }},
        {"unknown 3-D algorithm",
         [&] {
             output->createBuffer(tone, {Control3D, "SURROUND"});
         }},
        {"volume without volume control", [&] { noVolume->setVolume(-100); }},
        {"volume above full", [&] { buffer->setVolume(1); }},
        {"volume below silence", [&] { buffer->setVolume(kSilentVolume - 1); }},
        {"position beyond the sound", [&] { buffer->setPlayPosition(100); }},
    };
    for (const auto& [name, call] : refusals) {
        SCOPED_TRACE(name);
        device.clearCalls();
        expectControlFailure(call);
        ASSERT_EQ(device.calls().size(), 1u);
        EXPECT_TRUE(device.calls()[0].failed);
    }
    buffer->setVolume(kSilentVolume);
    buffer->setPlayPosition(98);
}

}  // namespace
