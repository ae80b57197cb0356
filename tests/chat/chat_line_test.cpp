#include "chat/chat_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "chat/table_hooks.h"
#include "chat_table.h"
#include "platform/forms/key_codes.h"
#include "platform/text/gbk.h"
#include "state/message_types.h"

namespace chat_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const QString kSaid = QStringLiteral("说道： ");
const QString kTooFast = QStringLiteral("（发送消息太快！）");
QString PrefixFor(const QString& nickname) {
    return QStringLiteral("你对") + nickname + QStringLiteral("说 ：");
}

// One step of a key sequence on the chat line.
using Step = std::function<void(ChatTable&)>;

struct KeyCase {
    const char* name;
    std::function<std::vector<Step>()> steps;
    QString lineAfter;
    // (text, byte 11) of each frame sent, in order.
    std::vector<std::pair<QString, int>> sent;
    QStringList historyAfter;
    QString prefixAfter;
};

class ChatLineKeys : public ChatTable, public ::testing::WithParamInterface<KeyCase> {
  public:
    // Steps of the sequences.
    static Step Type(const QString& text) {
        return [text](ChatTable& t) { t.type(text); };
    }
    static Step Enter() {
        return [](ChatTable& t) { t.pressEnter(); };
    }
    static Step Backspace() {
        return [](ChatTable& t) { t.pressBackspace(); };
    }
    static Step Delete() {
        return [](ChatTable& t) { forms::testing::pressKey(t.table(), forms::key::Delete); };
    }
    static Step Caret(int position) {
        return [position](ChatTable& t) { t.chatLine().setSelStart(position); };
    }
    static Step Wait(int ms) {
        return [ms](ChatTable& t) { t.advance(ms); };
    }
    static Step ClickSeat(int seat) {
        return [seat](ChatTable& t) { t.table().Tou_Click(seat); };
    }
    static Step SendButton() {
        return [](ChatTable& t) { chat::SendChatLine(t.c); };
    }
};

TEST_P(ChatLineKeys, Sequence) {
    const KeyCase& k = GetParam();
    for (const Step& step : k.steps()) step(*this);
    EXPECT_EQ(chatLine().text(), k.lineAfter);
    std::vector<std::pair<QString, int>> sent;
    for (const auto& chat : sentChats()) {
        EXPECT_EQ(chat.seat, 1);
        EXPECT_EQ(chat.phraseList, 0);
        EXPECT_TRUE(chat.otherBytesZero);
        sent.emplace_back(chat.text, chat.target);
    }
    EXPECT_EQ(sent, k.sent);
    EXPECT_EQ(historyLines(), k.historyAfter);
    EXPECT_EQ(s.g_sWhisperPrefix, k.prefixAfter);
}

using K = ChatLineKeys;
const QString Q = PrefixFor("Q");

INSTANTIATE_TEST_SUITE_P(
    Sequences, ChatLineKeys,
    ::testing::Values(
        KeyCase{"EnterSendsAnOrdinaryLine",
                [] {
                    return std::vector<Step>{K::Type("abc"), K::Enter()};
                },
                "",
                {{"P" + kSaid + "abc", 0}},
                {},
                ""},
        KeyCase{"EnterInsideTheGateDiscardsTheLine",
                [] {
                    return std::vector<Step>{K::Type("a"), K::Enter(), K::Wait(700), K::Type("b"),
                                             K::Enter()};
                },
                "",
                {{"P" + kSaid + "a", 0}},
                {kTooFast},
                ""},
        KeyCase{"EnterAfterTheGateReopenedSends",
                [] {
                    return std::vector<Step>{K::Type("a"), K::Enter(), K::Wait(800), K::Type("b"),
                                             K::Enter()};
                },
                "",
                {{"P" + kSaid + "a", 0}, {"P" + kSaid + "b", 0}},
                {},
                ""},
        KeyCase{"AnEmptyEnterInsideTheGateDoesNothing",
                [] {
                    return std::vector<Step>{K::Type("a"), K::Enter(), K::Enter()};
                },
                "",
                {{"P" + kSaid + "a", 0}},
                {},
                ""},
        KeyCase{
            "TheSendButtonRightAfterEnterSendsAtOnce",
            [] {
                return std::vector<Step>{K::Type("a"), K::Enter(), K::Type("b"), K::SendButton()};
            },
            "",
            {{"P" + kSaid + "a", 0}, {"P" + kSaid + "b", 0}},
            {},
            ""},
        KeyCase{"BlanksAloneAreNotSent",
                [] {
                    return std::vector<Step>{K::Type("   "), K::Enter()};
                },
                "   ",
                {},
                {},
                ""},
        KeyCase{"TheBarePrefixIsNotSentButClosesTheGate",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("  "), K::Enter(),
                                             K::Type("x"), K::Enter()};
                },
                "",
                {},
                {kTooFast},
                Q},
        KeyCase{"AWhisperSendsTheBodyAloneToTheAddressee",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("hi"), K::Enter()};
                },
                "",
                {{"hi", 2}},
                {},
                ""},
        KeyCase{"BackspaceRightAfterThePrefixRemovesItWhole",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("hi"), K::Caret(Q.size()),
                                             K::Backspace()};
                },
                "hi",
                {},
                {},
                ""},
        KeyCase{"BackspaceAtTheStartLosesTheNextCharacter",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("hi"), K::Caret(0),
                                             K::Backspace(), K::Type("x")};
                },
                "hi",
                {},
                {},
                ""},
        KeyCase{"ASecondAvatarReplacesThePrefixAndKeepsTheText",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("hi"), K::ClickSeat(3),
                                             K::Enter()};
                },
                "",
                {{"hi", 8}},
                {},
                ""},
        // The prefix is taken out where it stands; the original dropped the line's first
        // characters instead and sent part of the prefix.
        KeyCase{"APrefixNotAtTheHeadIsTakenOutWhereItStands",
                [] {
                    return std::vector<Step>{K::ClickSeat(1),        K::Caret(0),   K::Type("ab"),
                                             K::Caret(2 + Q.size()), K::Type("cd"), K::Enter()};
                },
                "",
                {{"abcd", 2}},
                {},
                ""},
        KeyCase{"AnotherAvatarAfterTypingBeforeThePrefixKeepsTheTyping",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Caret(0), K::Type("ab"),
                                             K::ClickSeat(2), K::Enter()};
                },
                "",
                {{"ab", 4}},
                {},
                ""},
        KeyCase{"ALineEditedOutOfThePrefixGoesToEverybody",
                [] {
                    return std::vector<Step>{K::ClickSeat(1), K::Type("hi"), K::Caret(0),
                                             K::Delete(), K::Enter()};
                },
                "",
                {{"P" + kSaid + Q.mid(1) + "hi", 0}},
                {},
                ""},
        KeyCase{"TheOwnAvatarChangesNothing",
                [] { return std::vector<Step>{K::ClickSeat(0)}; },
                "",
                {},
                {},
                ""}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(ChatTable, AnEmptySeatOrALoggedOutClientStartsNoWhisper) {
    s.g_aPlayerInfo[2].nickname.clear();
    table().Tou_Click(2);
    EXPECT_EQ(chatLine().text(), "");
    s.g_bLoggedIn = false;
    table().Tou_Click(1);
    EXPECT_EQ(chatLine().text(), "");
    EXPECT_EQ(s.g_sWhisperPrefix, "");
}

TEST_F(ChatTable, AWhisperToASeatWithoutFlagGoesToEverybodyNamingTheAddressee) {
    s.custom[2].seat = 0;
    table().Tou_Click(2);
    type("hi");
    pressEnter();
    const auto sent = sentChats();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, "P" + PrefixFor("R").mid(1) + "hi");
    EXPECT_EQ(sent[0].target, 0);
}

TEST_F(ChatTable, ASpectatorsEnterSendsNothingButTheSendButtonDoes) {
    s.g_bSpectator = true;
    type("a");
    pressEnter();
    EXPECT_THAT(sentChats(), IsEmpty());
    EXPECT_EQ(chatLine().text(), "a");
    chat::SendChatLine(c);
    EXPECT_EQ(sentChats().size(), 1u);
}

TEST_F(ChatTable, TheHistoryIsEmptiedWhenACharacterIsTypedOverAHundredLines) {
    for (int i = 0; i < 100; ++i) history().addItem(QString::number(i));
    type("a");
    EXPECT_EQ(history().listCount(), 100) << "100 lines are kept";
    history().addItem("one more");
    type("b");
    EXPECT_EQ(history().listCount(), 0);
}

TEST_F(ChatTable, TheTooFastNoticeScrollsTheHistoryToItsLastLine) {
    for (int i = 0; i < 30; ++i) history().addItem(QString::number(i));
    type("a");
    pressEnter();
    type("b");
    pressEnter();
    EXPECT_EQ(history().list(history().listCount() - 1), kTooFast);
    EXPECT_EQ(history().topIndex(), history().listCount() - 1);
}

// What goes on the wire for the composed line (the queue encodes it).
struct WireCase {
    const char* name;
    QString nickname;
    QString typed;
    std::string textBytes;
};

class ChatLineWire : public ChatTable, public ::testing::WithParamInterface<WireCase> {};

TEST_P(ChatLineWire, TheComposedLineIsCutAtAHundredCharactersAndSentInGbk) {
    const WireCase& w = GetParam();
    s.g_aPlayerInfo[0].nickname = w.nickname;
    type(w.typed);
    pressEnter();
    const auto frames = sentFrames();
    ASSERT_EQ(frames.size(), 1u);
    const auto chat = support::ReadSentChat(frames[0]);
    EXPECT_EQ(chat.textBytes, w.textBytes);
    EXPECT_TRUE(chat.otherBytesZero);
    EXPECT_EQ(frames[0][3], state::MsgChat);
    for (std::size_t i = 16 + w.textBytes.size(); i < 272; ++i) ASSERT_EQ(frames[0][i], 0);
}

const QString kSixChars = QStringLiteral("六个字的昵称");

INSTANTIATE_TEST_SUITE_P(
    Lines, ChatLineWire,
    ::testing::Values(
        WireCase{"AsciiAfterAGbkNickname", "P", "abc", support::gbk("P" + kSaid + "abc")},
        WireCase{"LeadBytesComeFirst", "P", u"你好ab"_qs, support::gbk("P" + kSaid + u"你好ab"_qs)},
        WireCase{"TheLastTenOfAHundredTypedAreLost", kSixChars, QString(100, u'x'),
                 support::gbk(kSixChars + kSaid + QString(90, u'x'))},
        WireCase{"AHundredDoubleByteCharactersAreCutToo", "P", QString(100, u'牌'),
                 support::gbk("P" + kSaid + QString(95, u'牌'))}),
    [](const ::testing::TestParamInfo<WireCase>& info) { return info.param.name; });

TEST_F(ChatTable, APropsFrameBetweenChatLinesGoesOutAsBuilt) {
    state::Frame plugin = chat::NewChatFrame(s);
    plugin[236] = 0;
    plugin[237] = 0;
    plugin[238] = 1;
    plugin[239] = 16;  // 272: the plug-in's own frame
    plugin[20] = 0xAB;
    const state::Frame built = plugin;
    s.g_sChatText = "pending";
    connection::QueueOutgoingMessage(s, plugin);
    type("x");
    chat::SendChatLine(c);
    const auto frames = sentFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], built);
    EXPECT_EQ(support::ReadSentChat(frames[1]).text, "P" + kSaid + "x");
}

TEST_F(ChatTable, AnEmptyComposedTextQueuesNothing) {
    state::Frame frame = chat::NewChatFrame(s);
    chat::QueueChat(c, frame, {QString(), 2});
    EXPECT_THAT(sentFrames(), IsEmpty());
    EXPECT_FALSE(s.channels.check[state::ChannelSend]);
}

}  // namespace
}  // namespace chat_test
