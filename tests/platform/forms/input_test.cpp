#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <vector>

#include "platform/forms/testing/driver.h"
#include "platform/runtime/scheduler.h"
#include "sample_windows.h"

namespace forms_test {
namespace {

using forms::kLeftButton;
using forms::kRightButton;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace drive = forms::testing;

// The log without pointer moves (the driver moves the pointer before every press).
EventLog withoutMoves(EventLog log) {
    static const std::regex hover(R"(_MouseMove\(\d+,0,)");  // Index, then no button held
    std::erase_if(log, [](const std::string& line) { return std::regex_search(line, hover); });
    return log;
}

class InputTest : public ::testing::Test {
  protected:
    InputTest() {
        table.cardImage0.load(1);
        table.cardImage0[1].move(130, 100);  // overlaps card 0 from x 130 to 140
        table.cardImage0[1].setVisible(true);
        table.show();
        log.clear();
    }

    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    EventLog log;
    TableWindow& table = forms.create<TableWindow>(log);
};

TEST_F(InputTest, MouseCoordinatesArriveInTwipsFromTheTargetsCorner) {
    // A card in the pixel-scaled table picture, a label there, the window's own surface.
    drive::click(table, QPointF(110, 120), kRightButton, forms::kShiftMask);
    drive::click(table, QPointF(12, 14), kLeftButton);
    drive::press(table, QPointF(215, 230));
    std::erase_if(
        log, [](const std::string& line) { return line.find("MouseDown") == std::string::npos; });
    EXPECT_THAT(log, ElementsAre("cardImage0_MouseDown(0,2,1,150,300)", "Nid_MouseDown(1,0,30,60)",
                                 "Form_MouseDown(1,0,3225,3450)"));
}

TEST_F(InputTest, TheTopmostShownEnabledControlGetsThePointer) {
    struct Case {
        const char* name;
        bool frontVisible;
        bool frontEnabled;
        const char* expected;
    };
    const Case cases[] = {
        {"front card takes it", true, true, "cardImage0_MouseDown(1,1,0,75,150)"},
        {"hidden lets it through", false, true, "cardImage0_MouseDown(0,1,0,525,150)"},
        {"disabled lets it through", true, false, "cardImage0_MouseDown(0,1,0,525,150)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table.cardImage0[1].setVisible(c.frontVisible);
        table.cardImage0[1].setEnabled(c.frontEnabled);
        log.clear();
        drive::click(table, QPointF(135, 110));
        log = withoutMoves(log);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), c.expected);
    }
}

TEST_F(InputTest, ZOrderDecidesWhichOverlappingControlIsHit) {
    table.cardImage0[0].zOrder(0);
    EXPECT_EQ(table.controlAt(QPointF(135, 110)), &table.cardImage0[0]);
    table.cardImage0[0].zOrder(1);
    EXPECT_EQ(table.controlAt(QPointF(135, 110)), &table.cardImage0[1]);
    EXPECT_EQ(table.controlAt(QPointF(300, 150)), &table.Pic1);

    // Controls without a window of their own always lie beneath those with one.
    forms::Image cover(table, "cover");
    cover.move(0, 3300, 6000, 450);
    cover.zOrder(0);
    EXPECT_EQ(table.controlAt(drive::pointOf(table.Chat)), &table.Chat);
    EXPECT_EQ(table.controlAt(QPointF(260, 240)), &table.Sysmsg);
    EXPECT_EQ(table.controlAt(QPointF(215, 230)), &cover);

    // Sent to the back, a control with a window goes only to the back of its own layer, however
    // many controls without one came and went before.
    { forms::Image(table, "gone").zOrder(0); }
    table.Chat.zOrder(1);
    cover.zOrder(1);
    const std::vector<forms::Control*>& order = table.children();
    const auto windowed = [](const forms::Control* c) { return c->isWindowed(); };
    EXPECT_TRUE(std::is_partitioned(order.begin(), order.end(), std::not_fn(windowed)));
    EXPECT_EQ(*std::find_if(order.begin(), order.end(), windowed), &table.Chat);
    EXPECT_EQ(order.front(), &cover);
}

TEST_F(InputTest, ThePressedControlGetsTheReleaseAndClicksOnlyWhenReleasedInside) {
    drive::press(table, QPointF(105, 110));
    table.mouseMove(QPointF(300, 150), kLeftButton, 0);  // held: still the card's
    drive::release(table, QPointF(300, 150));
    EXPECT_THAT(withoutMoves(log), ElementsAre("cardImage0_MouseDown(0,1,0,75,150)",
                                               "cardImage0_MouseMove(0,1,0,3000,750)",
                                               "cardImage0_MouseUp(0,1,0,3000,750)"));
    log.clear();
    drive::press(table, QPointF(105, 110));
    drive::release(table, QPointF(106, 150));
    EXPECT_THAT(withoutMoves(log),
                ElementsAre("cardImage0_MouseDown(0,1,0,75,150)",
                            "cardImage0_MouseUp(0,1,0,90,750)", "cardImage0_Click(0)"));
}

TEST_F(InputTest, DoubleClickRunsInTheToolkitsOrder) {
    drive::doubleClick(table, QPointF(105, 110));
    EXPECT_THAT(withoutMoves(log),
                ElementsAre("cardImage0_MouseDown(0,1,0,75,150)",
                            "cardImage0_MouseUp(0,1,0,75,150)", "cardImage0_Click(0)",
                            "cardImage0_DblClick(0)", "cardImage0_MouseUp(0,1,0,75,150)"));
}

TEST_F(InputTest, KeyPreviewLetsTheWindowSeeKeysFirst) {
    drive::click(table.Chat);
    log.clear();
    drive::pressKey(table, forms::key::F1);
    EXPECT_THAT(log, ElementsAre("Chat_KeyDown(112)", "Chat_KeyUp(112)"));

    table.setKeyPreview(true);
    log.clear();
    drive::pressCharacterKey(table, 'A', 'a');
    EXPECT_THAT(log, ElementsAre("Form_KeyDown(65)", "Chat_KeyDown(65)", "Form_KeyPress(97)",
                                 "Chat_KeyPress(97)", "Chat_Change(a)", "Chat_KeyUp(65)"));

    table.swallowKeysInPreview = true;
    log.clear();
    table.keyDown(forms::key::F1);
    EXPECT_THAT(log, ElementsAre("Form_KeyDown(112)"));
}

TEST_F(InputTest, KeysGoToTheWindowWhenNoControlHasTheFocus) {
    drive::pressCharacterKey(table, 'A', 'a');
    EXPECT_THAT(log, ElementsAre("Form_KeyDown(65)", "Form_KeyPress(97)"));
}

TEST_F(InputTest, TypingEditsTheTextBoxThroughItsKeyPress) {
    drive::typeText(table.Chat, QStringLiteral("ax中q"));
    EXPECT_EQ(table.Chat.text(), QStringLiteral("a中Q"));  // x swallowed, q replaced
    EXPECT_EQ(table.Chat.selStart(), 3);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& l) { return l.rfind("Chat_Change", 0) == 0; }),
              3);

    log.clear();
    drive::pressBackspace(table);
    EXPECT_EQ(table.Chat.text(), QStringLiteral("a中"));
    table.Chat.setSelStart(0);
    log.clear();
    drive::pressBackspace(table);  // nothing before the caret: no change, no Change
    EXPECT_THAT(log, ElementsAre("Chat_KeyDown(8)", "Chat_KeyPress(8)", "Chat_KeyUp(8)"));

    table.Chat.setMaxLength(3);
    table.Chat.setSelStart(2);
    drive::typeText(table.Chat, "bc");
    EXPECT_EQ(table.Chat.text(), QStringLiteral("a中b"));
}

TEST_F(InputTest, FocusFollowsClicksAndLeavesAHiddenControl) {
    drive::click(table.Chat);
    EXPECT_TRUE(table.Chat.hasFocus());
    drive::click(table, QPointF(300, 150));  // the table picture takes it
    EXPECT_TRUE(table.Pic1.hasFocus());
    table.Chat.setFocus();
    table.Chat.setVisible(false);
    EXPECT_EQ(table.activeControl(), nullptr);
    std::erase_if(log, [](const std::string& line) { return line.rfind("Chat_", 0) != 0; });
    EXPECT_THAT(log,
                ElementsAre("Chat_GotFocus", "Chat_LostFocus", "Chat_GotFocus", "Chat_LostFocus"));
    EXPECT_THROW(table.Chat.setFocus(), platform::RuntimeFailure);
}

TEST_F(InputTest, ClickingAListLineSelectsItAndRaisesClick) {
    for (const char* line : {"one", "two", "three"}) table.Sysmsg.addItem(line);
    const float row = table.Sysmsg.itemHeight();
    log.clear();
    drive::click(table, drive::pointOf(table.Sysmsg, QPointF(5, row * 1.5f)));
    drive::click(table, drive::pointOf(table.Sysmsg, QPointF(5, row * 1.5f)));  // same line
    EXPECT_THAT(log, ElementsAre("Sysmsg_Click(1)"));
    drive::pressKey(table, forms::key::Down);
    EXPECT_EQ(table.Sysmsg.listIndex(), 2);
}

TEST_F(InputTest, ABorderlessWindowFollowsThePointerWhileDraggedByItsBody) {
    table.setBorderless(true);
    table.move(1500, 900);
    const QPointF grab = drive::pointOf(table.LbMove, QPointF(10, 5));
    drive::press(table, grab);
    // The window moves under the pointer, so each position is relative to where it now is.
    table.mouseMove(grab + QPointF(20, 15), kLeftButton, 0);
    table.mouseMove(grab + QPointF(-4, 1), kLeftButton, 0);
    drive::release(table, grab + QPointF(-4, 1));
    EXPECT_FLOAT_EQ(table.left(), 1500 + 16 * 15);
    EXPECT_FLOAT_EQ(table.top(), 900 + 16 * 15);
    EXPECT_THAT(log, ElementsAre("LbMove_MouseDown"));  // no release, no click
}

TEST_F(InputTest, AFailingHandlerDropsOnlyItsEvent) {
    table.cardImage0.onClick = [](int) {
        platform::fail(platform::RuntimeFailure::Kind::Overflow, "Overflow");
    };
    drive::click(table, QPointF(105, 110));
    EXPECT_EQ(scheduler.unhandledFailureCount(), 1);
    drive::click(table.Chat);
    EXPECT_TRUE(table.Chat.hasFocus());
}

}  // namespace
}  // namespace forms_test
