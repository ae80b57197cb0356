#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chat/huifu.h"
#include "chat/quick_phrase_file.h"
#include "chat/table_hooks.h"
#include "chat_table.h"
#include "connection/table_session.h"
#include "platform/files/file_system.h"

namespace chat_test {
namespace {

using support::gbk;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString kSaid = QStringLiteral("说道： ");

void WriteChatFile(const std::filesystem::path& programFolder, const std::string& content) {
    ASSERT_TRUE(platform::writeFileAtomically(programFolder / "chat.txt", content));
}

// The file's counts and keys.
struct FileCase {
    const char* name;
    std::string content;
    QStringList list1;
    QStringList list2;
};

class QuickPhraseFile : public ChatTable, public ::testing::WithParamInterface<FileCase> {};

TEST_P(QuickPhraseFile, FillsBothListsWhenTheWindowLoads) {
    WriteChatFile(harness.env.programFolder, GetParam().content);
    EXPECT_EQ(c.huifu->List1.items(), GetParam().list1);
    EXPECT_EQ(c.huifu->List2.items(), GetParam().list2);
    EXPECT_FALSE(c.huifu->visible());
}

QStringList Numbered(int n) {
    QStringList items;
    for (int i = 1; i <= n; ++i) items << QString::number(i);
    return items;
}

std::string NumberedKeys(int n) {
    std::string keys;
    for (int i = 1; i <= n; ++i) keys += std::to_string(i) + "=" + std::to_string(i) + "\n";
    return keys;
}

INSTANTIATE_TEST_SUITE_P(
    Files, QuickPhraseFile,
    ::testing::Values(
        FileCase{"NoFile", "", {}, {}},
        FileCase{"ListOneOnly", "[chat]\nnum=3\n1=a\n2=b\n3=c\n", {"a", "b", "c"}, {}},
        FileCase{"BothListsInGbk",
                 "[chat]\nnum=1\n1=" + gbk(u"快点吧"_qs) +
                     "\n[chat1]\nnum=2\n1=x\n2=" + gbk(u"好牌"_qs) + "\n",
                 {u"快点吧"_qs},
                 {"x", u"好牌"_qs}},
        FileCase{"HalvesGoDown", "[chat]\nnum=2.5\n1=a\n2=b\n3=c\n", {"a", "b"}, {}},
        FileCase{"HalvesGoUp", "[chat]\nnum=3.5\n1=a\n2=b\n3=c\n", {"a", "b", "c", ""}, {}},
        FileCase{"TheLeadingNumberCounts", "[chat]\nnum=2 phrases\n1=a\n2=b\n", {"a", "b"}, {}},
        FileCase{"NoNumberCountsNone", "[chat]\nnum=many\n1=a\n", {}, {}},
        FileCase{"ANegativeCountIsNone", "[chat]\nnum=-4\n1=a\n", {}, {}},
        FileCase{"AMissingKeyIsAnEmptyEntry", "[chat]\nnum=3\n1=a\n3= c \n", {"a", "", "c"}, {}},
        FileCase{"AListIsCutAt255", "[chat1]\nnum=40000\n" + NumberedKeys(256), {}, Numbered(255)}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

class QuickPhraseWindow : public ChatTable {
  protected:
    void SetUp() override {
        WriteChatFile(harness.env.programFolder,
                      "[chat]\nnum=3\n1=one\n2=two\n3=three\n[chat1]\nnum=2\n1=" +
                          gbk(u"再来一局"_qs) + "\n2=\n");
    }
    chat::huifu& window() { return *c.huifu; }
    // A person's double click on entry k of a list.
    void doubleClickEntry(forms::ListBox& list, int k) {
        const float row = list.itemHeight();
        forms::testing::doubleClick(list.form(),
                                    forms::testing::pointOf(list, QPointF(10, row * k + row / 2)));
    }
    int shownList() {
        if (!window().visible()) return 0;
        return window().List1.visible() ? 1 : 2;
    }
};

TEST_F(QuickPhraseWindow, TheButtonsOpenSwitchAndClose) {
    struct Click {
        int button;
        int shownAfter;
    };
    const std::vector<Click> clicks = {{1, 1}, {1, 0}, {1, 1}, {2, 2}, {1, 1}, {1, 0}, {2, 2}};
    for (const Click& click : clicks) {
        forms::testing::click(click.button == 1 ? table().imgword1 : table().imgword2);
        EXPECT_EQ(shownList(), click.shownAfter) << "after button " << click.button;
    }
    EXPECT_TRUE(window().topmost());
    EXPECT_EQ(window().alpha(), 200);
}

TEST_F(QuickPhraseWindow, OpeningHidesTheHistoryAndTheHistoryLabelHidesIt) {
    chat::ToggleChatHistory(c);
    table().imgword1_Click();
    EXPECT_FALSE(c.Talk->visible());
    table().Lbchat_Click();
    EXPECT_FALSE(window().visible());
    EXPECT_TRUE(c.Talk->visible());
}

TEST_F(QuickPhraseWindow, IsPlacedOverTheTablePictureAtBothScales) {
    auto& T = table();
    T.move(1500, 900, 15600, 11940);
    T.Pic1.move(30, 300, 15360, 11520);
    table().imgword1_Click();
    EXPECT_FLOAT_EQ(window().top(), 900 + 300 + 0.66f * 11520);
    EXPECT_FLOAT_EQ(window().left(), 1500 + 30 + 0.3f * 15360);
    window().hide();
    s.g_fScaleX = s.g_fScaleY = 0.78125f;
    table().imgword1_Click();
    EXPECT_FLOAT_EQ(window().top(), 900 + 300 + 0.6f * 11940);
    EXPECT_FLOAT_EQ(window().left(), 1500 + 30 + 0.27f * 15600);
}

TEST_F(QuickPhraseWindow, ADoubleClickSendsTheEntryAndHidesTheWindow) {
    table().imgword1_Click();
    doubleClickEntry(window().List1, 1);
    const auto sent = sentChats();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].phraseList, 1);
    EXPECT_EQ(sent[0].phraseNo, 2);
    EXPECT_EQ(sent[0].listMarker, 0);
    EXPECT_EQ(sent[0].target, 0);
    EXPECT_EQ(sent[0].text, "P" + kSaid + "two");
    EXPECT_TRUE(sent[0].otherBytesZero);
    EXPECT_FALSE(window().visible());
}

TEST_F(QuickPhraseWindow, AWhisperSendsThePhraseAloneAndEndsTheWhisper) {
    table().Tou_Click(1);
    type("typed");
    table().imgword2_Click();
    doubleClickEntry(window().List2, 0);
    const auto sent = sentChats();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, u"再来一局"_qs);
    EXPECT_EQ(sent[0].target, 2);
    EXPECT_EQ(sent[0].listMarker, 97);
    EXPECT_EQ(sent[0].phraseNo, 1);
    EXPECT_EQ(chatLine().text(), "");
    EXPECT_EQ(s.g_sWhisperPrefix, "");
}

TEST_F(QuickPhraseWindow, AnEmptyEntryAsAWhisperSendsNothingButStillEndsIt) {
    table().Tou_Click(3);
    table().imgword2_Click();
    doubleClickEntry(window().List2, 1);
    EXPECT_THAT(sentChats(), IsEmpty());
    EXPECT_EQ(chatLine().text(), "");
    EXPECT_EQ(s.g_sWhisperPrefix, "");
    EXPECT_FALSE(window().visible());

    table().imgword2_Click();
    doubleClickEntry(window().List2, 1);
    const auto sent = sentChats();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].text, "P" + kSaid);
}

TEST_F(QuickPhraseWindow, ADoubleClickOnAnEmptyListOrBelowTheEntriesSendsNothing) {
    WriteChatFile(harness.env.programFolder, "[chat]\nnum=1\n1=one\n");
    table().imgword2_Click();
    doubleClickEntry(window().List2, 0);
    EXPECT_THAT(sentChats(), IsEmpty());
    EXPECT_TRUE(window().visible()) << "an empty list leaves the window open";
    table().imgword1_Click();
    doubleClickEntry(window().List1, 5);
    EXPECT_THAT(sentChats(), IsEmpty());
}

TEST_F(QuickPhraseWindow, TheExitDialogsUnloadRereadsTheFileAtTheNextTouch) {
    table().imgword1_Click();
    WriteChatFile(harness.env.programFolder, "[chat]\nnum=1\n1=new\n");
    chat::UnloadQuickPhrasesIfShowing(c);
    EXPECT_THAT(c.huifu->List1.items(), ElementsAre("new"));
}

// The frame on the wire, as the game server receives it.
class QuickPhraseOnTheWire : public ::testing::Test {
  protected:
    testing_session::TableSession session;
};

TEST_F(QuickPhraseOnTheWire, CarriesTheListTheMarkerAndTheNumber) {
    WriteChatFile(session.harness.env.programFolder,
                  "[chat]\nnum=2\n1=a\n2=b\n[chat1]\nnum=3\n1=x\n2=y\n3=z\n");
    session.startDirect();
    session.acceptLogin();
    auto& c = *session.c;
    c.s.custom[0].seat = 4;
    c.s.g_aPlayerInfo[0].nickname = "P";
    session.server.clearFrames();
    auto& window = *c.huifu;
    for (auto [list, entry] : {std::pair{1, 1}, std::pair{2, 2}}) {
        auto& box = list == 1 ? window.List1 : window.List2;
        list == 1 ? session.table().imgword1_Click() : session.table().imgword2_Click();
        box.setListIndex(entry);
        box.onDblClick.raise();
    }
    ASSERT_TRUE(session.waitForFrames(2));
    const auto frames = session.server.frames();
    std::vector<std::tuple<int, int, int, int, QString>> seen;
    for (const auto& frame : frames) {
        if (frame[3] != 19) continue;  // keep-alives
        state::Frame f;
        std::copy(frame.begin(), frame.end(), f.begin());
        const auto chat = support::ReadSentChat(f);
        EXPECT_EQ(frame[3], 19);
        seen.emplace_back(chat.seat, chat.phraseList, chat.listMarker, chat.phraseNo, chat.text);
    }
    EXPECT_THAT(seen, ElementsAre(std::tuple{4, 1, 0, 2, "P" + kSaid + "b"},
                                  std::tuple{4, 2, 97, 3, "P" + kSaid + "z"}));
}

}  // namespace
}  // namespace chat_test
