#include "chat/show_chat_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chat/huifu.h"
#include "chat/speak_box.h"
#include "chat/word_filter.h"
#include "chat_table.h"
#include "connection/text_helpers.h"
#include "dispatch/process_server_message.h"
#include "platform/files/file_system.h"
#include "platform/sound/wav_file.h"
#include "platform/text/gbk.h"

namespace chat_test {
namespace {

using support::BuildChat;
using support::ChatFrame;
using support::gbk;
using ::testing::ElementsAre;

const QString kSaid = QStringLiteral("说道： ");

// Decoding the text window, byte by byte.
struct DecodeCase {
    const char* name;
    std::vector<std::pair<std::size_t, std::uint8_t>> bytes;  // (offset, value) from a zero frame
    QString text;
};

class ChatTextDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ChatTextDecoding, ReadsGbkUpToTheFirstZeroByte) {
    state::Frame frame{};
    for (const auto& [offset, value] : GetParam().bytes) frame[offset] = value;
    EXPECT_EQ(chat::DecodeChatText(frame), GetParam().text);
}

std::vector<std::pair<std::size_t, std::uint8_t>> Filled(std::uint8_t value, std::size_t from,
                                                         std::size_t to) {
    std::vector<std::pair<std::size_t, std::uint8_t>> bytes;
    for (std::size_t i = from; i < to; ++i) bytes.emplace_back(i, value);
    return bytes;
}

std::vector<std::pair<std::size_t, std::uint8_t>> With(
    std::vector<std::pair<std::size_t, std::uint8_t>> bytes,
    std::initializer_list<std::pair<std::size_t, std::uint8_t>> more) {
    bytes.insert(bytes.end(), more);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, ChatTextDecoding,
    ::testing::Values(
        DecodeCase{"TwoCharactersStopAtTheZero",
                   {{16, 0xC4}, {17, 0xE3}, {18, 0xBA}, {19, 0xC3}, {20, 0}, {21, 'x'}},
                   u"你好"_qs},
        DecodeCase{"AnEmptyText", {{17, 'x'}}, QString()},
        DecodeCase{"AFullWindowWithoutAZero", Filled('a', 16, 216), QString(200, u'a')},
        DecodeCase{"ALeadByteAt215TakesByte216",
                   With(Filled('a', 16, 215), {{215, 0xC4}, {216, 0xE3}, {217, 'z'}}),
                   QString(199, u'a') + u"你"_qs},
        DecodeCase{"AZeroSecondByteDoesNotEndTheText",
                   {{16, 0xC4}, {17, 0}, {18, 'o'}, {19, 'k'}},
                   QString(QChar::ReplacementCharacter) + "ok"},
        DecodeCase{"APairThatIsNoCharacterGivesOneReplacement",
                   {{16, 0xFF}, {17, 0x20}, {18, 'a'}},
                   QString(QChar::ReplacementCharacter) + "a"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

class IncomingChat : public ChatTable {
  protected:
    // The system area starts empty (start-up leaves the camera notice there).
    IncomingChat() {
        table().Sysmsg[0].clear();
        table().Sysmsg[1].clear();
    }
    void receive(const ChatFrame& fields) {
        state::Frame frame = BuildChat(fields);
        dispatch::ProcessServerMessage(c, frame);
    }
    QStringList systemArea() {
        QStringList rows;
        for (int i = 0; i < 2; ++i) rows << table().Sysmsg[i].list(0);
        return rows;
    }
    bool flashing() const { return c.s.channels.check[state::ChannelChatFlash]; }
};

// Each kind of line, as the receiver shows it. The receiver is P (flag 1).
struct LineCase {
    const char* name;
    ChatFrame frame;
    QString shown;
    bool flashes;
};

class IncomingLines : public IncomingChat, public ::testing::WithParamInterface<LineCase> {};

TEST_P(IncomingLines, GoToTheHistoryAndTheSystemArea) {
    const LineCase& line = GetParam();
    receive(line.frame);
    EXPECT_THAT(historyLines(), ElementsAre(line.shown));
    EXPECT_EQ(table().Sysmsg[0].list(0), line.shown);
    EXPECT_EQ(flashing(), line.flashes);
    if (line.flashes) EXPECT_EQ(s.g_nChatFlashCount, 8);
    EXPECT_FALSE(harness.scheduler.hasEnded());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, IncomingLines,
    ::testing::Values(LineCase{"ASystemLineAsItStands",
                               {.seat = 0x10, .text = gbk(u"P 系统：他妈的"_qs)},
                               u"P 系统：他妈的"_qs,
                               false},
                      LineCase{"AnotherPlayersLineKeepsMyName",
                               {.seat = 2, .text = gbk("Q" + kSaid + "hi P")},
                               "Q" + kSaid + "hi P",
                               true},
                      LineCase{"TheOwnLineComesBackAsYou",
                               {.seat = 1, .text = gbk("P" + kSaid + "hi")},
                               u"你"_qs + kSaid + "hi",
                               false},
                      LineCase{"AWhisperFromTheLeftToMe",
                               {.seat = 2, .target = 1, .text = "hi"},
                               u"Q对你"_qs + kSaid + "hi",
                               true},
                      LineCase{"MyWhisperToTheRight",
                               {.seat = 1, .target = 8, .text = "hi"},
                               u"你对S"_qs + kSaid + "hi",
                               false},
                      LineCase{"AWhisperBetweenTwoOthers",
                               {.seat = 4, .target = 8, .text = "hi"},
                               u"R对S"_qs + kSaid + "hi",
                               true},
                      LineCase{"TheFilterRemovesBannedWordsInOrder",
                               {.seat = 2, .text = gbk("Q" + kSaid + u"王八王八羔子你好"_qs)},
                               "Q" + kSaid + u"你好"_qs,
                               true}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST_F(IncomingChat, TheFilterAppliesToNicknamesToo) {
    s.g_aPlayerInfo[1].nickname = u"大王八"_qs;
    receive({.seat = 2, .target = 4, .text = "hi"});
    EXPECT_THAT(historyLines(), ElementsAre(u"大对R"_qs + kSaid + "hi"));
}

TEST_F(IncomingChat, AnEmptyOwnNicknameReplacesNothing) {
    s.g_aPlayerInfo[0].nickname.clear();
    receive({.seat = 1, .text = gbk(kSaid + "hi")});
    EXPECT_THAT(historyLines(), ElementsAre(kSaid + "hi"));
}

TEST_F(IncomingChat, ALongLineIsWrappedInTheHistoryAndCutInTheSystemArea) {
    const QString text = "Q" + kSaid + QString(60, u'a');  // 65 characters, 69 columns
    receive({.seat = 2, .text = gbk(text)});
    const QStringList wrapped = connection::WrappedLines(text, 44);
    ASSERT_EQ(wrapped.size(), 2);
    EXPECT_EQ(historyLines(), wrapped);
    EXPECT_EQ(history().topIndex(), 1);
    EXPECT_EQ(table().Sysmsg[0].list(0), text.left(45));
}

TEST_F(IncomingChat, TheSystemAreaKeepsTheLastTwoLines) {
    for (const char* line : {"one", "two", "three"}) receive({.seat = 0, .text = line});
    EXPECT_EQ(systemArea(), (QStringList{"two", "three"}));
}

TEST_F(IncomingChat, ASpeakerFlagThatIsNoSeatEndsTheFrameAtTheHall) {
    s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
    harness.desktop.clearRecords(harness.hall);
    s.custom[0].seat = 0x80;  // own flag past the low nibble: the speaker's seat is off the table
    receive({.seat = 1, .text = "x"});
    EXPECT_THAT(historyLines(), ::testing::IsEmpty());
    EXPECT_FALSE(harness.desktop.systemCommands(harness.hall).empty());
}

// Quick phrases: the receiver's own lists give the bubble's text and the voice's number.
class IncomingPhrases : public IncomingChat {
  protected:
    void SetUp() override {
        writeFile("bin/chat.txt", "[chat]\nnum=12\n5=" + gbk(u"快点吧"_qs) +
                                      "\n12=" + gbk(u"好牌"_qs) +
                                      "\n[chat1]\nnum=12\n12=" + gbk(u"再来一局"_qs) + "\n");
        c.soundState.g_bSoundOn = true;
        c.soundState.g_bEffectsOn = true;
    }
    void writeFile(const std::string& relative, const std::string& content) {
        const auto path = harness.folder / relative;
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(platform::writeFileAtomically(path, content));
    }
    void writeVoice(const std::string& relative) {
        platform::WavSound sound;
        sound.format = {1, 11025, 8};
        sound.samples.assign(64, 0x80);
        const auto bytes = platform::encodeWav(sound);
        const auto path = harness.folder / "common" / relative;
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(platform::writeFileAtomically(path, std::string(bytes.begin(), bytes.end())));
    }
    void giveVoice(int seat, const QString& code, const QString& id, std::uint8_t sex) {
        auto& player = s.g_aPlayerInfo[seat];
        player.voiceCode = code;
        player.voiceId = id;
        player.sex = sex;
    }
    // The files the seats' voice buffers play now.
    std::vector<std::string> voicesPlaying() const {
        std::vector<std::string> files;
        for (int number : harness.soundDevice.playingBuffers()) {
            files.push_back(harness.soundDevice.buffers().at(number).file.filename().string());
        }
        return files;
    }
};

TEST_F(IncomingPhrases, APhraseShowsInTheSpeakersBubbleWithTheSpeakersVoice) {
    writeVoice("pk/v10010105.wav");
    giveVoice(1, "0010", "10", 1);
    receive({.seat = 2, .phraseList = 1, .phraseNo = 5, .text = gbk("Q" + kSaid + u"快点"_qs)});

    chat::frmSpeakBox* bubble = chat::FindSpeakBox(c, 1);
    ASSERT_NE(bubble, nullptr);
    EXPECT_TRUE(bubble->visible());
    EXPECT_EQ(bubble->labPhrase.caption(), u"快点吧"_qs) << "the receiver's own list";
    EXPECT_TRUE(bubble->tmrFadeIn.enabled());
    EXPECT_THAT(voicesPlaying(), ElementsAre("v10010105.wav"));
    // The history shows the text the sender composed.
    EXPECT_THAT(historyLines(), ElementsAre("Q" + kSaid + u"快点"_qs));
    EXPECT_FALSE(c.huifu->visible()) << "reading the lists does not show the window";
}

TEST_F(IncomingPhrases, VoiceFilesFollowTheVoiceSetListAndNumber) {
    enum Folder { Pk, Oskerra, Common };
    struct Case {
        QString code, id;
        std::uint8_t sex;
        int list, number;
        const char* present;  // under common/, or nullptr
        Folder folder;
        QString name;
    };
    const Case cases[] = {
        {"0010", "20", 0, 2, 12, nullptr, Pk, "v20000212.wav"},
        {"27", "10", 1, 1, 5, "Oskerra/27/v10010105.wav", Oskerra, "v10010105.wav"},
        {"31", "20", 0, 2, 12, "31/v20000212.wav", Common, "v20000212.wav"},
        {"27", "10", 1, 2, 5, nullptr, Pk, "v10010205.wav"},  // list 2 looks in the common folder
        {"44", "7", 1, 1, 0, nullptr, Pk, "v7010100.wav"},
    };
    const auto& snd = c.soundState;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code.toStdString() + " list " + std::to_string(k.list));
        if (k.present) writeVoice(k.present);
        giveVoice(3, k.code, k.id, k.sex);
        const QString expected =
            k.folder == Pk ? snd.g_sPkPath + k.name
                           : (k.folder == Oskerra ? snd.g_sOskerraPath : snd.g_sCommonPath) +
                                 k.code + "\\" + k.name;
        EXPECT_EQ(chat::QuickPhraseVoiceFile(snd, s.g_aPlayerInfo[3], k.list, k.number), expected);
    }
}

TEST_F(IncomingPhrases, WhileMinimisedOnlyTheHistoryLineShows) {
    writeVoice("pk/v10010105.wav");
    giveVoice(1, "0010", "10", 1);
    table().setWindowState(forms::WindowState::Minimized);
    receive({.seat = 2, .phraseList = 1, .phraseNo = 5, .text = "line"});
    EXPECT_EQ(chat::FindSpeakBox(c, 1), nullptr);
    EXPECT_TRUE(voicesPlaying().empty());
    EXPECT_THAT(historyLines(), ElementsAre("line"));
}

TEST_F(IncomingPhrases, ANumberOutsideTheListGivesNoBubbleAndNoVoice) {
    writeVoice("pk/v10010100.wav");
    giveVoice(1, "0010", "10", 1);
    for (std::uint8_t number : {0, 13, 255}) {
        receive({.seat = 2, .phraseList = 1, .phraseNo = number, .text = "line"});
    }
    EXPECT_EQ(chat::FindSpeakBox(c, 1), nullptr);
    EXPECT_TRUE(voicesPlaying().empty());
    EXPECT_EQ(historyLines().size(), 3);
}

TEST_F(IncomingPhrases, ASecondPhraseReusesTheSeatsBubbleAndRestartsItsFade) {
    receive({.seat = 4, .phraseList = 2, .phraseNo = 12, .text = "a"});
    chat::frmSpeakBox* bubble = chat::FindSpeakBox(c, 2);
    ASSERT_NE(bubble, nullptr);
    advance(16 * 100);
    EXPECT_EQ(bubble->alpha(), 208);
    receive({.seat = 4, .phraseList = 1, .phraseNo = 12, .text = "b"});
    EXPECT_EQ(chat::FindSpeakBox(c, 2), bubble);
    EXPECT_EQ(chat::OpenSpeakBoxes(c).size(), 1u);
    EXPECT_EQ(bubble->labPhrase.caption(), u"好牌"_qs);
    advance(16);
    EXPECT_EQ(bubble->alpha(), 8) << "the fade starts again";
}

}  // namespace
}  // namespace chat_test
