// Leaving one table for another, end to end: the person sits at a table of the local server,
// chats, plays a hand to its settlement and part of the next one while the robots' quick
// phrases pop up their bubbles; the hall takes the person away with its window message and
// sends the person to another table with other players. Nothing of the first table (names,
// gold, scores, history lines, chat lines, wealth, bubbles, cards) shows at the second.
#include <gtest/gtest.h>

#include <QStringList>
#include <fstream>
#include <string>

#include "chat/speak_box.h"
#include "chat/talk.h"
#include "connection/hall_link.h"
#include "platform/forms/form_view.h"
#include "served_table.h"
#include "settlement/hero_window.h"

namespace hand_test {
namespace {

namespace wire = tableserver::wire;
using tableserver::Phase;

const QString kChatLine = QStringLiteral("hello table one");

// Robots that speak after every play, at a table with a wealth multiplier.
tableserver::TableOptions FirstTable() {
    return {.seed = 5, .phrasePercent = 100, .wealth = 5};
}

// Other robots, other gold, no wealth multiplier, and robots that never speak: a bubble or a
// chat line here can only be a leftover.
tableserver::TableOptions SecondTable() {
    return {.seed = 9,
            .startGold = 35000,
            .phrasePercent = 0,
            .robotNames = {"\xd5\xc5\xc8\xfd", "\xc0\xee\xcb\xc4", "\xcd\xf5\xce\xe5"},
            .robotAccount = "guest",
            .wealth = 0};
}

// Every text the table window and its score board, history and chat windows show.
QStringList ShownTexts(client::Client& c) {
    QStringList all;
    client::MainForm& form = *c.MainForm;
    for (int k = 0; k < 4; ++k) {
        all << form.Nid[k].caption() << form.Cash[k].caption() << form.Level[k].caption();
    }
    if (form.lbwealth.visible()) all << form.lbwealth.caption();
    for (int line = 0; line < 2; ++line) all << form.Sysmsg[line].items();
    all << c.Talk->Text1.items();
    settlement::Hero& hero = *c.Hero;
    all << hero.Num.items();
    for (int k = 0; k < 4; ++k) {
        all << hero.ID[k].caption() << hero.Grade[k].items();
        if (hero.sunScore[k].visible()) all << hero.sunScore[k].caption();
    }
    settlement::Score& board = *c.Score;
    for (int k = 0; k < 4; ++k) all << board.ID[k].caption();
    for (int k = 0; k < 8; ++k) all << board.State[k].items();
    return all;
}

bool AnyBubbleShows(client::Client& c) {
    for (forms::Form* box : chat::OpenSpeakBoxes(c)) {
        if (box->visible()) return true;
    }
    return false;
}

int CardsShown(client::MainForm& form) {
    int shown = 0;
    for (int i = 0; i <= 12; ++i) {
        shown += form.cardImage0[i].visible() + form.cardImage1[i].visible() +
                 form.cardImage2[i].visible() + form.cardImage3[i].visible();
    }
    for (int k = 0; k < 3; ++k) shown += form.shanImage[k].visible();
    return shown;
}

class TwoTables : public ::testing::Test, protected ServedTable {
  protected:
    TwoTables() : ServedTable(FirstTable()) {
        table_test::EnsureApplication();
        // The hall's window messages reach the table window through its view.
        harness.attachView = forms::attachView;
        // The quick phrases the robots say, so that the receiver's list gives their bubbles.
        std::string phrases = "[chat]\nnum=4\n";
        const char* const lines[] = {"大家好", "快点出牌吧", "这手牌不错", "合作愉快"};
        for (int i = 0; i < 4; ++i) {
            phrases += std::to_string(i + 1) + "=" + wire::gbk(QString::fromUtf8(lines[i])) + "\n";
        }
        std::ofstream(harness.env.programFolder / "chat.txt", std::ios::binary) << phrases;
    }

    int cardsLeft() const {
        int n = 0;
        for (const auto& seat : table.seats()) n += int(seat.hand.size());
        return n;
    }
    bool talkHas(const QString& text) { return c->Talk->Text1.items().join(u'\n').contains(text); }
    // The hall posts to the table window as another program would.
    void hallSays(std::uint32_t message) {
        harness.desktop.postMessage(c->MainForm->hWnd, message);
        harness.scheduler.processPendingEvents();
    }
};

TEST_F(TwoTables, NothingOfTheFirstTableShowsAtTheNext) {
    open();
    ASSERT_FALSE(HasFatalFailure());
    client::MainForm& form = *c->MainForm;
    ASSERT_TRUE(form.hWnd);
    ASSERT_TRUE(runUntil([&] { return c->s.Player_num == 4 && caughtUp(); }, 10000));
    EXPECT_TRUE(form.lbwealth.visible());
    EXPECT_EQ(form.lbwealth.caption(), QStringLiteral("5"));

    // The person says something, gets ready, and plays a hand to its settlement.
    forms::testing::typeText(form.Chat, kChatLine);
    forms::testing::pressEnter(form);
    ASSERT_TRUE(runUntil([&] { return talkHas(kChatLine); }, 5000));
    forms::testing::click(form.AnNiu[2]);
    ASSERT_TRUE(runUntil(
        [&] { return table.handsPlayed() == 1 && c->Score.isLoaded() && c->Score->visible(); },
        600000))
        << logText();

    // Part of the next hand, until a robot's quick phrase shows its bubble.
    ASSERT_TRUE(runUntil(
        [&] { return table.phase() == Phase::Playing && cardsLeft() <= 44 && AnyBubbleShows(*c); },
        300000))
        << logText();
    if (!c->Score->visible()) forms::testing::click(form.AnNiu[5]);  // the sheet of the last hand

    // What the first table shows, to be gone at the second.
    const QStringList firstTexts = ShownTexts(*c);
    QStringList firstMarks = {QStringLiteral("机器人甲"), QStringLiteral("机器人乙"),
                              QStringLiteral("机器人丙"), kChatLine};
    for (const auto& seat : table.seats()) {
        firstMarks << QString::number(seat.gold) + QStringLiteral("金币");
    }
    for (const QString& mark : firstMarks) {
        EXPECT_TRUE(firstTexts.join(u'\n').contains(mark))
            << "the first table shows " << mark.toStdString();
    }
    EXPECT_TRUE(c->Score->visible());
    EXPECT_GT(c->Score->State[0].listCount(), 0);
    EXPECT_GT(c->Hero->Num.listCount(), 0) << "the hand in the history";
    EXPECT_GT(CardsShown(form), 0);
    EXPECT_TRUE(form.lbwealth.visible() && form.Imgwealth.visible());
    screenshot(form, "two-tables-first.png");
    screenshot(*c->Score, "two-tables-first-sheet.png");

    // The hall takes the person away: one leave frame, the connection closed, the window down.
    const std::size_t framesBefore = server.frameCount();
    const std::uint8_t seat = c->s.custom[0].seat;
    hallSays(connection::HallMsgIdle);
    ASSERT_TRUE(server.waitForFrames(framesBefore + 1));
    EXPECT_EQ(server.frames().back(), wire::BuildSeatAction(seat, false));
    EXPECT_EQ(form.Winsock1.state(), platform::SocketState::Closed);
    EXPECT_EQ(form.windowState(), forms::WindowState::Minimized);
    EXPECT_FALSE(AnyBubbleShows(*c));
    relay();
    EXPECT_EQ(table.phase(), Phase::Empty) << logText();

    // ... and sends the person to another table.
    replaceTable(SecondTable());
    hallSays(connection::HallMsgRelink);
    ASSERT_TRUE(runUntil([&] { return c->s.Player_num == 4 && caughtUp(); }, 20000)) << logText();
    step(1000);
    screenshot(form, "two-tables-second.png");

    // Only the second table's players, with its gold.
    QStringList names;
    for (int k = 0; k < 4; ++k) names << form.Nid[k].caption();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("[] player1"), QStringLiteral("[] 张三"),
                                  QStringLiteral("[] 李四"), QStringLiteral("[] 王五")}))
        << names.join(u',').toStdString();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(form.Cash[k].caption(), QStringLiteral("35000金币")) << k;
    }
    const QString secondTexts = ShownTexts(*c).join(u'\n');
    for (const QString& mark : firstMarks) {
        EXPECT_FALSE(secondTexts.contains(mark))
            << "the second table still shows " << mark.toStdString();
    }

    // No scores, history lines or chat lines of the first table.
    EXPECT_FALSE(c->Score->visible());
    EXPECT_FALSE(c->Hero->visible());
    EXPECT_EQ(c->Hero->Num.listCount(), 0);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(c->Hero->Grade[k].listCount(), 0) << k;
        EXPECT_FALSE(c->Hero->sunScore[k].visible()) << k;
        EXPECT_EQ(c->s.g_aSessionScore[std::size_t(k)], 0) << k;
    }
    for (int k = 0; k < 8; ++k) EXPECT_EQ(c->Score->State[k].listCount(), 0) << k;
    EXPECT_EQ(c->Talk->Text1.listCount(), 0);

    // No wealth, no bubbles, no cards.
    EXPECT_FALSE(form.lbwealth.visible());
    EXPECT_FALSE(form.Imgwealth.visible());
    for (int k = 0; k < 3; ++k) EXPECT_FALSE(form.lbfont[k].visible()) << k;
    EXPECT_FALSE(AnyBubbleShows(*c));
    EXPECT_EQ(CardsShown(form), 0);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(c->s.custom[std::size_t(k)].count, 0) << k;
        EXPECT_FALSE(form.first[k].visible()) << k;
    }
    for (int k = 0; k <= 5; ++k) EXPECT_FALSE(form.Operation[k].visible()) << k;

    EXPECT_FALSE(refused()) << logText();
    EXPECT_EQ(harness.scheduler.unhandledFailureCount(), 0)
        << harness.scheduler.lastUnhandledFailure();
}

}  // namespace
}  // namespace hand_test
