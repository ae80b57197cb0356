#include <gtest/gtest.h>

#include "platform/runtime/failure.h"
#include "sound_fixture.h"

using namespace sound;
using platform::SoundCall;

namespace {

using Calls = std::vector<std::string>;

class SeatVoiceTest : public SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        startUp();
        phrase = state.g_sOskerraPath + "27\\v10010105.wav";
        otherPhrase = state.g_sCommonPath + "27\\v20000212.wav";
        first = callCount();
    }

    QString phrase;
    QString otherPhrase;
    std::size_t first = 0;
};

TEST_F(SeatVoiceTest, EachSeatSpeaksOnItsOwnBufferAtItsOwnVolume) {
    const std::vector<std::pair<std::int16_t, int>> seats = {
        {0, -800}, {1, -800}, {2, -800}, {3, -1200}};
    int buffer = 1;
    for (const auto& [seat, volume] : seats) {
        const std::size_t before = callCount();
        PlaySeatVoice(ctx, phrase, seat);
        const std::string n = "#" + std::to_string(++buffer);
        EXPECT_EQ(callsFrom(before),
                  (Calls{"create " + n + " v10010105.wav caps=0xE0", "play " + n + " once",
                         "volume " + n + " " + std::to_string(volume)}))
            << seat;
    }
    // The music goes on beside the four voices.
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(state.g_bSoundOn);
}

TEST_F(SeatVoiceTest, NextPhraseOfASeatReplacesItsLastWhileOtherSeatsGoOn) {
    PlaySeatVoice(ctx, phrase, 2);
    PlaySeatVoice(ctx, phrase, 1);
    PlaySeatVoice(ctx, otherPhrase, 2);
    EXPECT_EQ(callsFrom(first),
              (Calls{"create #2 v10010105.wav caps=0xE0", "play #2 once", "volume #2 -800",
                     "create #3 v10010105.wav caps=0xE0", "play #3 once", "volume #3 -800",
                     "stop #2", "release #2", "create #4 v20000212.wav caps=0xE0", "play #4 once",
                     "volume #4 -800"}));
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 3, 4}));
}

TEST_F(SeatVoiceTest, NothingHappensForASeatOutsideTheTable) {
    for (std::int16_t seat : {-1, 4, 32767}) PlaySeatVoice(ctx, phrase, seat);
    EXPECT_TRUE(callsFrom(first).empty());
}

TEST_F(SeatVoiceTest, MinimisedTableNeitherPlaysNorInterrupts) {
    PlaySeatVoice(ctx, phrase, 1);
    minimized = true;
    const std::size_t before = callCount();
    PlaySeatVoice(ctx, otherPhrase, 1);
    PlaySeatVoice(ctx, otherPhrase, 2);
    EXPECT_TRUE(callsFrom(before).empty());
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2}));
}

TEST_F(SeatVoiceTest, EveryFailingStepIsSkipped) {
    PlaySeatVoice(ctx, phrase, 0);
    device.setFailing(SoundCall::Stop);
    device.setFailing(SoundCall::Play);
    const std::size_t before = callCount();
    PlaySeatVoice(ctx, otherPhrase, 0);
    EXPECT_EQ(callsFrom(before),
              (Calls{"stop #2 FAILED", "release #2", "create #3 v20000212.wav caps=0xE0",
                     "play #3 once FAILED", "volume #3 -800"}));
    EXPECT_TRUE(state.g_bSoundOn);
}

TEST_F(SeatVoiceTest, MissingPhraseSilencesTheSeatAndNothingElse) {
    PlaySeatVoice(ctx, phrase, 3);
    PlaySeatVoice(ctx, state.g_sPkPath + "v10010199.wav", 3);
    EXPECT_EQ(state.g_aVoiceBuffer[3], nullptr);
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{1});
    EXPECT_TRUE(state.g_bSoundOn);
}

TEST_F(SeatVoiceTest, MinimisedCheckThatFailsCountsAsNotMinimised) {
    ctx.tableWindowMinimized = []() -> bool {
        platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "no window");
    };
    PlaySeatVoice(ctx, phrase, 1);
    EXPECT_EQ(device.playingBuffers(), (std::vector<int>{1, 2}));
}

}  // namespace
