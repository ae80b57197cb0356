#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <memory>

#include "props/bao_show.h"
#include "props/props.h"
#include "settlement/settlement_fixture.h"
#include "support/prop_dll_fakes.h"
#include "support/sample_chests.h"

namespace props_test {

using support::SampleChests;

inline state::Frame PropFrame(std::uint8_t type) {
    state::Frame f{};
    f[state::FrameTypeByte] = type;
    return f;
}

// A seated client whose props plug-in is a scripted fake (`script` records its calls).
class PropsTest : public settlement_test::SettlementTest {
  protected:
    support::PropScript script;

    void SetUp() override {
        SettlementTest::SetUp();
        c.s.g_bLoggedIn = true;
        c.s.g_sPropUser = QStringLiteral("player1");
        c.s.g_sPropPassword = QStringLiteral("pw");
        // The tests run the table tick's props steps themselves, one tick at a time.
        form().TimerBong.setEnabled(false);
    }

    // Loads the scripted plug-in through InitGameDll; with chests by default.
    bool loadScripted(bool chests = true) {
        if (chests) script.chests = SampleChests();
        c.g_oPropDll = std::make_unique<support::ScriptedPropDll>(script);
        return props::InitGameDll(c);
    }

  public:
    // The table tick's props steps, n times (the tick runs every 50 ms).
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            if (props::PropsPolling(c)) props::ChestCountdown(c);
        }
    }

  protected:
    // Lets TimerProp and the slides' waits run.
    void runFor(int ms) { harness.scheduler.advance(ms); }

    // A whole hand whose fourth result frame the plug-in's show holds, with its score frame in.
    void holdHand() {
        settleWholeHand();
        dispatch(PropFrame(46));
    }

    // Hands and frames the settlement has taken: one settled hand leaves 1 and 0.
    int handsSettled() const { return c.s.g_nHandCount - handsBefore_; }
    int framesWaiting() const { return c.s.nResultFrames; }

    void rememberHands() { handsBefore_ = c.s.g_nHandCount; }

  private:
    int handsBefore_ = 0;
};

}  // namespace props_test
