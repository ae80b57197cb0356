#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/forms/form_ref.h"
#include "platform/forms/placement.h"
#include "platform/forms/testing/driver.h"
#include "platform/runtime/scheduler.h"
#include "sample_windows.h"

namespace forms_test {
namespace {

using ::testing::ElementsAre;

// A dialog that records its life and counts the ticks of its timer.
class Dialog : public forms::Form {
  public:
    Dialog(forms::Forms& forms, EventLog& log, forms::FormRef<Dialog>* self = nullptr)
        : Form(forms), log_(log), self_(self) {
        move(0, 0, 4500, 3000);
        Label1.move(0, 0, 1500, 300);
        Close.move(3000, 0, 1500, 300);
        Tick.onTimer = [this] { ++ticks; };
        Close.onClick = [this] {
            unload();
            Close.setCaption("touched after unload");  // the original lets a handler go on
        };
    }

    forms::Label Label1{*this, "Label1"};
    forms::Label Close{*this, "Close"};
    forms::Timer Tick{*this, "Tick", 100};
    int ticks = 0;
    bool refuseUnload = false;

  protected:
    void Form_Load() override {
        log_.push_back("Load");
        Label1.setCaption("fresh");
        if (self_) (*self_)->setCaption("touched from Form_Load");
    }
    void Form_Activate() override { log_.push_back("Activate"); }
    void Form_Deactivate() override { log_.push_back("Deactivate"); }
    void Form_Resize() override { log_.push_back("Resize"); }
    void Form_QueryUnload(bool& cancel) override { log_.push_back("QueryUnload"); }
    void Form_Unload(bool& cancel) override {
        log_.push_back("Unload");
        cancel = refuseUnload;
    }

  private:
    EventLog& log_;
    forms::FormRef<Dialog>* self_;
};

class LifecycleTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    EventLog log;
    forms::FormRef<Dialog> dialog{
        forms, [this](forms::Forms& f) { return std::make_unique<Dialog>(f, log, &dialog); }};
};

TEST_F(LifecycleTest, TouchingAnUnloadedWindowLoadsItHiddenOnce) {
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(dialog->Label1.caption(), "fresh");
    EXPECT_TRUE(dialog.isLoaded());
    EXPECT_FALSE(dialog->visible());
    EXPECT_EQ(dialog->caption(), "touched from Form_Load");  // the same instance, no second load
    EXPECT_THAT(log, ElementsAre("Load"));
    EXPECT_EQ(forms.openForms().size(), 1u);
}

TEST_F(LifecycleTest, UnloadThenTouchLoadsAFreshWindow) {
    dialog->Label1.setCaption("changed");
    dialog->show();
    EXPECT_TRUE(dialog.unload());
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_TRUE(forms.openForms().empty());
    EXPECT_EQ(dialog->Label1.caption(), "fresh");
    EXPECT_FALSE(dialog->visible());
    EXPECT_THAT(log, ElementsAre("Load", "Resize", "Activate", "QueryUnload", "Unload", "Load"));
}

TEST_F(LifecycleTest, ACancelledUnloadKeepsTheWindow) {
    dialog->refuseUnload = true;
    dialog->Label1.setCaption("kept");
    EXPECT_FALSE(dialog.unload());
    EXPECT_EQ(dialog->Label1.caption(), "kept");
    dialog->refuseUnload = false;
    dialog->closeByUser();
    EXPECT_FALSE(dialog.isLoaded());
}

TEST_F(LifecycleTest, ShowHideAndWindowStateRaiseTheWindowEvents) {
    dialog->show();
    dialog->hide();
    dialog->show();
    dialog->setWindowState(forms::WindowState::Minimized);
    dialog->setWindowState(forms::WindowState::Minimized);
    dialog->setWidth(6000);
    EXPECT_THAT(log, ElementsAre("Load", "Resize", "Activate", "Deactivate", "Activate", "Resize",
                                 "Resize"));
    EXPECT_TRUE(dialog->visible());  // a minimised window is still visible
}

TEST_F(LifecycleTest, UnloadStopsTheWindowsTimers) {
    Dialog& first = *dialog;
    scheduler.advance(250);
    EXPECT_EQ(first.ticks, 2);
    dialog.unload();
    scheduler.advance(1000);
    EXPECT_EQ(first.ticks, 2);  // still readable: destroyed only at the next input
}

TEST_F(LifecycleTest, UnloadedWindowsAreDestroyedWhenCollected) {
    struct Counted : forms::Form {
        Counted(forms::Forms& forms, int& alive) : Form(forms), alive_(alive) { ++alive_; }
        ~Counted() override { --alive_; }
        int& alive_;
    };
    int alive = 0;
    forms::FormRef<Counted> counted{
        forms, [&](forms::Forms& f) { return std::make_unique<Counted>(f, alive); }};
    for (int k = 0; k < 3; ++k) {
        (void)*counted;
        counted.unload();
    }
    EXPECT_EQ(alive, 3);  // no input came
    forms.collectUnloaded();
    EXPECT_EQ(alive, 0);
}

TEST_F(LifecycleTest, AHandlerMayUnloadItsOwnWindow) {
    dialog->show();
    forms::testing::click(dialog->Close);
    EXPECT_FALSE(dialog.isLoaded());
    // The next input collects the old window; the new one is a different, fresh instance.
    dialog->show();
    forms::testing::click(dialog->Label1);
    EXPECT_EQ(dialog->Close.caption(), "");
}

// A speech bubble: one instance per seat, found by enumeration.
class Bubble : public forms::Form {
  public:
    Bubble(forms::Forms& forms, int seat) : Form(forms) {
        setCaption("speakbox");
        setTag(QString::number(seat) + "speak");
    }
};

TEST_F(LifecycleTest, SeveralInstancesOfOneClassAreEnumeratedInLoadOrder) {
    dialog->show();
    Bubble& left = forms.create<Bubble>(1);
    forms.create<Bubble>(2);
    forms.create<Bubble>(3);
    left.unload();
    QStringList tags;
    for (forms::Form* form : forms.openForms()) {
        if (form->caption() == "speakbox") tags << form->tag();
    }
    EXPECT_EQ(tags, QStringList({"2speak", "3speak"}));
}

TEST_F(LifecycleTest, AuxiliaryWindowsAreCentredOverTheTable) {
    EventLog tableLog;
    TableWindow& table = forms.create<TableWindow>(tableLog);
    table.move(300, 150, 15600, 11940);
    forms::centreOver(*dialog, table);
    EXPECT_FLOAT_EQ(dialog->left(), (15600 - 4500) / 2.0f + 300);
    EXPECT_FLOAT_EQ(dialog->top(), (11940 - 3000) / 2.0f + 150);
}

TEST_F(LifecycleTest, TranslucencyAcceptsOnlyAlphasFrom0To255) {
    EXPECT_TRUE(dialog->setAlpha(200));
    EXPECT_FALSE(dialog->setAlpha(256));
    EXPECT_FALSE(dialog->setAlpha(-1));
    EXPECT_EQ(dialog->alpha(), 200);
}

}  // namespace
}  // namespace forms_test
