// The table window's unload takes the client's other windows down in one fixed order, with the
// speech bubbles last, whatever was opened and in whatever order. Each window's unload is seen
// by an observer attached to it as it loads, the way a view is.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cards/display/chu_pai.h"
#include "chat/huifu.h"
#include "chat/speak_box.h"
#include "chat/talk.h"
#include "client_loading.h"
#include "connection/exit_dialogs.h"
#include "connection/reconnection.h"
#include "platform/forms/form_observer.h"
#include "settlement/hero_window.h"
#include "settlement/information_window.h"
#include "settlement/score_window.h"
#include "sound/vos_set.h"

namespace {

using Opener = std::function<forms::Form&(client::Client&)>;

// Notes each window of the client the moment it stops being loaded.
class UnloadRecorder final : public forms::FormObserver {
  public:
    UnloadRecorder(forms::Form& form, std::vector<const forms::Form*>& log)
        : form_(form), log_(log) {}
    void formChanged() override {
        if (form_.isLoaded() || seen_) return;
        seen_ = true;
        log_.push_back(&form_);
    }
    void surfaceChanged(forms::Container&) override {}
    void controlAdded(forms::Control&) override {}
    void controlRemoved(forms::Control&) override {}
    void controlChanged(forms::Control&) override {}
    void orderChanged(forms::Container&) override {}
    void windowRaised() override {}
    quintptr nativeWindow() const override { return 0; }

  private:
    forms::Form& form_;
    std::vector<const forms::Form*>& log_;
    bool seen_ = false;
};

forms::Form& SpeechBubble(client::Client& c, std::int16_t seat) {
    chat::InitSpeakBox(c, seat);
    forms::Form* box = chat::FindSpeakBox(c, seat);
    if (!box) throw std::runtime_error("no speech bubble for the seat");
    return *box;
}

// How a test opens each window, by the name the shutdown order uses.
const std::map<std::string, Opener>& Openers() {
    static const std::map<std::string, Opener> openers = {
        {"ChuPai", [](client::Client& c) -> forms::Form& { return *c.ChuPai; }},
        {"frmExit", [](client::Client& c) -> forms::Form& { return *c.frmExit; }},
        {"frmOtherExit", [](client::Client& c) -> forms::Form& { return *c.frmOtherExit; }},
        {"frmReconnect", [](client::Client& c) -> forms::Form& { return *c.frmReconnect; }},
        {"Hero", [](client::Client& c) -> forms::Form& { return *c.Hero; }},
        {"huifu", [](client::Client& c) -> forms::Form& { return *c.huifu; }},
        {"Information", [](client::Client& c) -> forms::Form& { return *c.Information; }},
        {"Score", [](client::Client& c) -> forms::Form& { return *c.Score; }},
        {"Talk", [](client::Client& c) -> forms::Form& { return *c.Talk; }},
        {"VosSet", [](client::Client& c) -> forms::Form& { return *c.VosSet; }},
        {"bubble1", [](client::Client& c) -> forms::Form& { return SpeechBubble(c, 1); }},
        {"bubble2", [](client::Client& c) -> forms::Form& { return SpeechBubble(c, 2); }},
        {"bubble3", [](client::Client& c) -> forms::Form& { return SpeechBubble(c, 3); }},
    };
    return openers;
}

struct OpenWindows {
    const char* name;
    std::vector<std::string> opened;    // in the order the session opened them
    std::vector<std::string> unloaded;  // the order the table window's unload takes them down
};

void PrintTo(const OpenWindows& windows, std::ostream* out) {
    *out << windows.name;
}

class ShutdownOrder : public ::testing::TestWithParam<OpenWindows> {};

TEST_P(ShutdownOrder, UnloadsTheOpenWindowsInTheFixedOrderThenTheBubbles) {
    support::ensureApplication();
    support::ClientHarness harness;
    std::vector<const forms::Form*> log;
    harness.attachView = [&log](forms::Form& form) {
        form.setView(std::make_unique<UnloadRecorder>(form, log));
    };
    ASSERT_TRUE(support::loadTable(harness));
    client::Client& c = *harness.client;

    std::map<const forms::Form*, std::string> names;
    harness.scheduler.dispatch([&] {
        for (const std::string& name : GetParam().opened) names[&Openers().at(name)(c)] = name;
    });
    for (const auto& [form, name] : names) ASSERT_TRUE(form->isLoaded()) << name;
    log.clear();

    EXPECT_THROW(c.MainForm->unload(), platform::ProgramEnd);

    std::vector<std::string> order;
    for (const forms::Form* form : log) {
        const auto it = names.find(form);
        order.push_back(it == names.end() ? "a window the test did not open" : it->second);
    }
    EXPECT_EQ(order, GetParam().unloaded);
    for (const auto& [form, name] : names) EXPECT_FALSE(form->isLoaded()) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Shutdown, ShutdownOrder,
    ::testing::Values(
        OpenWindows{"OnlyTheTable", {}, {}},
        OpenWindows{"EveryWindowOpenedInTheFixedOrder",
                    {"ChuPai", "frmExit", "frmOtherExit", "frmReconnect", "Hero", "huifu",
                     "Information", "Score", "Talk", "VosSet", "bubble1", "bubble2", "bubble3"},
                    {"ChuPai", "frmExit", "frmOtherExit", "frmReconnect", "Hero", "huifu",
                     "Information", "Score", "Talk", "VosSet", "bubble1", "bubble2", "bubble3"}},
        OpenWindows{"EveryWindowOpenedBackwards",
                    {"bubble3", "bubble1", "VosSet", "Talk", "Score", "Information", "huifu",
                     "Hero", "frmReconnect", "frmOtherExit", "frmExit", "ChuPai"},
                    {"ChuPai", "frmExit", "frmOtherExit", "frmReconnect", "Hero", "huifu",
                     "Information", "Score", "Talk", "VosSet", "bubble3", "bubble1"}},
        OpenWindows{"AHandInPlay",
                    {"Talk", "bubble2", "ChuPai", "Information"},
                    {"ChuPai", "Information", "Talk", "bubble2"}},
        OpenWindows{"ASettlementShown",
                    {"Score", "Hero", "bubble1", "huifu"},
                    {"Hero", "huifu", "Score", "bubble1"}},
        OpenWindows{"LeavingOrReconnecting",
                    {"frmReconnect", "VosSet", "frmOtherExit", "frmExit"},
                    {"frmExit", "frmOtherExit", "frmReconnect", "VosSet"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
