#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "chat/huifu.h"
#include "chat/table_hooks.h"
#include "chat_table.h"
#include "connection/client_loading.h"
#include "platform/forms/render.h"

namespace chat_test {
namespace {

class HistoryWindow : public ChatTable {
  protected:
    chat::Talk& talk() { return *c.Talk; }
    void placeTable() { table().move(1500, 900, 15600, 11940); }
    void keys(const std::vector<int>& codes) {
        for (int code : codes) forms::testing::pressKey(talk(), code);
    }
};

TEST_F(HistoryWindow, LoadsTranslucentWithItsCaptionAndPlace) {
    placeTable();
    EXPECT_EQ(talk().caption(), u"聊天"_qs);
    EXPECT_EQ(talk().alpha(), 200);
    EXPECT_FALSE(talk().visible());
    EXPECT_FLOAT_EQ(talk().top(), 0.66f * 11940);
    EXPECT_FLOAT_EQ(talk().left(), 0.3f * 15600);
}

TEST_F(HistoryWindow, TheToggleOpensOverTheTableAndClosesAgain) {
    placeTable();
    chat::ToggleChatHistory(c);
    EXPECT_TRUE(talk().visible());
    EXPECT_TRUE(talk().topmost());
    EXPECT_FLOAT_EQ(talk().top(), 900 + 0.66f * 11940);
    EXPECT_FLOAT_EQ(talk().left(), 1500 + 0.3f * 15600);
    chat::ToggleChatHistory(c);
    EXPECT_FALSE(talk().visible());
}

TEST_F(HistoryWindow, TheSmallLayoutOpensFromTheScreensCornerWhereverTheTableIs) {
    placeTable();
    s.g_fScaleX = s.g_fScaleY = 0.78125f;
    chat::ToggleChatHistory(c);
    EXPECT_FLOAT_EQ(talk().top(), 0.6f * 11940);
    EXPECT_FLOAT_EQ(talk().left(), 0.27f * 15600);
}

TEST_F(HistoryWindow, TheLabelHidesTheQuickPhrasesTheToolbarButtonDoesNot) {
    table().imgword1_Click();
    chat::ToggleChatHistory(c);  // toolbar button 1
    EXPECT_TRUE(c.huifu->visible());
    chat::ToggleChatHistory(c);
    table().Lbchat_Click();
    EXPECT_FALSE(c.huifu->visible());
    EXPECT_TRUE(talk().visible());
}

TEST_F(HistoryWindow, AltThenCTheTablesWayOpensAtTheTablesProportions) {
    placeTable();
    chat::ShowChatHistoryByKeys(c);
    EXPECT_TRUE(talk().visible());
    EXPECT_TRUE(talk().topmost());
    EXPECT_FLOAT_EQ(talk().top(), 0.66f * 11940);
    EXPECT_FLOAT_EQ(talk().left(), 0.3f * 15600);
}

TEST_F(HistoryWindow, AltThenCInTheListHidesTheWindow) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        bool hidden;
    };
    const Case cases[] = {
        {"Alt then C", {18, 67}, true},
        {"C then Alt", {67, 18}, true},
        {"Alt, another key, C", {18, 65, 67}, false},
        {"Alt alone", {18}, false},
        {"a repeated Alt, then C", {18, 18, 67}, true},
    };
    for (const Case& k : cases) {
        chat::ShowChatHistoryByKeys(c);
        talk().Text1.setFocus();
        s.g_aAltCKeys = {0, 0};
        keys(k.keys);
        EXPECT_EQ(!talk().visible(), k.hidden) << k.name;
        if (k.hidden) EXPECT_EQ(s.g_aAltCKeys, (std::array<std::int16_t, 2>{0, 0})) << k.name;
    }
}

TEST_F(HistoryWindow, TheCloseLabelHidesAndTheWindowStaysLoaded) {
    chat::ToggleChatHistory(c);
    chat::AddChatHistoryLine(c, "kept");
    forms::testing::click(talk().Label1);
    EXPECT_FALSE(talk().visible());
    EXPECT_TRUE(c.Talk.isLoaded());
    EXPECT_EQ(historyLines(), QStringList{"kept"});
}

TEST_F(HistoryWindow, HidingAWindowThatNeverLoadedLeavesItUnloaded) {
    chat::HideChatHistory(c);
    chat::HideQuickPhrases(c);
    EXPECT_FALSE(c.Talk.isLoaded());
    EXPECT_FALSE(c.huifu.isLoaded());
}

TEST_F(HistoryWindow, LeavingTheTableEmptiesTheHistory) {
    chat::AddChatHistoryLine(c, "a line");
    chat::ClearChatHistory(c);
    EXPECT_EQ(history().listCount(), 0);
}

TEST_F(HistoryWindow, RendersItsLinesAndTheQuickPhrasesTheirEntries) {
    support::ensureApplication();
    for (const QString& line :
         {u"Q说道： 快点出牌吧"_qs, u"你对R说道： 这把牌不错"_qs, u"（发送消息太快！）"_qs}) {
        chat::AddChatHistoryLine(c, line);
    }
    const QImage history = forms::renderWindow(talk());
    const QImage phrases = forms::renderWindow(*c.huifu);
    if (const char* keep = std::getenv("KORVASH_KEEP_PNG")) {
        history.save(QString::fromUtf8(keep) + "/talk.png");
        phrases.save(QString::fromUtf8(keep) + "/huifu.png");
    }
    // The lines are drawn: the list's area is far from one flat colour.
    const QRect list = talk().Text1.rectInForm().toRect();
    QSet<QRgb> colours;
    for (int y = list.top(); y < list.top() + 40; ++y) {
        for (int x = list.left(); x < list.right(); ++x) colours.insert(history.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 4);
}

}  // namespace
}  // namespace chat_test
