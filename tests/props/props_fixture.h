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

namespace props_test {

// The chest layout a well-behaved plug-in gives: three rows of five, the centre, the seats'
// targets and the label above the play area, a count-up of 4 ticks of 100 ms.
inline props::BaoInfo SampleChests() {
    props::BaoInfo l;
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < 5; ++k) l.g_aBaoPos.push_back({352 + 68 * k, 460 - 70 * group});
    }
    l.g_aBaoCentre = {512, 330};
    l.g_aBaoSeatPos = {{{120, 620}}, {{60, 130}}, {{400, 130}}, {{745, 130}}};
    l.g_aBaoLabelPos = {512, 170};
    l.g_aBaoTiming = {100, 4};
    QImage closed(60, 50, QImage::Format_RGB32);
    closed.fill(QColor(139, 69, 19));
    QImage open(80, 64, QImage::Format_RGB32);
    open.fill(QColor(255, 200, 40));
    l.g_oBaoClosedPic = closed;
    l.g_aBaoClosedSize = {60, 50};
    l.g_oBaoOpenPic = open;
    l.g_aBaoOpenSize = {80, 64};
    return l;
}

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
