// Loading and unloading the props plug-in: the sample library from the plug-in folder, each
// kind of failure, the chest layout checks and the state gates of every call.
#include <QLibrary>
#include <fstream>

#include "platform/files/windows_path.h"
#include "props_fixture.h"

namespace props_test {
namespace {

namespace fs = std::filesystem;

fs::path PluginFolder(const client::Client& c) {
    return fs::path(c.sys.env.programFolder) / "plugin" / "tools";
}

// Puts a library (or any file) where the client looks for the plug-in.
void InstallLibrary(const client::Client& c, const fs::path& from) {
    fs::create_directories(PluginFolder(c));
    fs::copy_file(from, PluginFolder(c) / "PropDll.so", fs::copy_options::overwrite_existing);
}

fs::path Built(const char* relative) {
    return fs::path(KORVASH_BUILD_DIR) / relative;
}

QString SampleCalls(const client::Client& c) {
    QLibrary lib(QString::fromStdString((PluginFolder(c) / "PropDll.so").string()));
    auto calls = reinterpret_cast<const char* (*)()>(lib.resolve("SamplePropDllCalls"));
    return calls ? QString::fromUtf8(calls()) : QString();
}

using Loading = PropsTest;

TEST_F(Loading, TheSamplePlugInLoadsWithChestsAndAnswersEveryCall) {
    InstallLibrary(c, Built("plugin/tools/PropDll.so"));
    ASSERT_TRUE(props::InitGameDll(c));
    EXPECT_EQ(c.s.g_nPropState, 2);
    EXPECT_TRUE(c.s.g_bPropRunning);
    EXPECT_TRUE(form().keyPreview());
    EXPECT_TRUE(form().Bank.visible());
    for (int k = 0; k <= 14; ++k) {
        ASSERT_TRUE(form().ImgProp.exists(k)) << k;
        EXPECT_FALSE(form().ImgProp[k].visible()) << k;
        EXPECT_FALSE(form().ImgProp[k].enabled()) << k;
    }
    EXPECT_EQ(c.propShow.layout.g_aBaoTiming[1], 20);

    // Its greeting: a chat line and a floating text, on the first tick.
    ticks(1);
    EXPECT_TRUE(form().LbProp.visible());
    EXPECT_EQ(form().LbProp.caption(), QStringLiteral("欢迎来到道具乐园"));

    c.s.g_nPropAllowed = 1;
    c.s.g_aPlayerInfo[2].nickname = QStringLiteral("阿明");
    state::Frame info{};
    props::PropsOnPlayerGone(c, 2);
    props::PropsOnPlayerInfo(c, info, 2);
    form().Bank_Click();
    std::int16_t code = 0;
    props::ExitGameDll(c, code);
    EXPECT_EQ(c.s.g_nPropState, 0);
    EXPECT_FALSE(form().ImgProp.exists(1));
    // The object stays: the next load goes on with it.
    ASSERT_TRUE(c.g_oPropDll);

    const QString calls = SampleCalls(c);
    for (const char* call : {"Initdll player1 DLL fourgame 1", "GetBaoInfo", "ClearUser 2",
                             "SetUserinfo 阿明 2", "setbankstate 0", "InitExit 0"}) {
        EXPECT_TRUE(calls.contains(QString::fromUtf8(call))) << call << "\n" << calls.toStdString();
    }
}

struct FailureCase {
    const char* name;
    const char* library;  // under the build folder; "" none, "junk" a file that is no library
    bool loggedIn;
};

inline void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadingFailure : public PropsTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoadingFailure, MakesThePlugInUnavailableAndTheSettlementImmediate) {
    const FailureCase& f = GetParam();
    c.s.g_bLoggedIn = f.loggedIn;
    const std::string library = f.library;
    if (library == "junk") {
        fs::create_directories(PluginFolder(c));
        std::ofstream(PluginFolder(c) / "PropDll.so") << "not a library";
    } else if (!library.empty()) {
        InstallLibrary(c, Built(f.library));
    }
    EXPECT_FALSE(props::InitGameDll(c));
    EXPECT_EQ(c.s.g_nPropState, -1);
    EXPECT_FALSE(c.s.g_bPropRunning);
    EXPECT_FALSE(c.g_oPropDll);
    // -1 lasts: no later frame loads it, and results are settled at once.
    EXPECT_FALSE(props::InitGameDll(c));
    rememberHands();
    settleWholeHand();
    EXPECT_EQ(handsSettled(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Props, LoadingFailure,
    ::testing::Values(FailureCase{"NoLibrary", "", true}, FailureCase{"NotALibrary", "junk", true},
                      FailureCase{"NoEntryPoint", "prop-variants/no-entry/PropDll.so", true},
                      FailureCase{"NoObject", "prop-variants/no-object/PropDll.so", true},
                      FailureCase{"NotLoggedIn", "plugin/tools/PropDll.so", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Loading, ARefusingInitdllDropsTheObjectAndLeavesStateZero) {
    script.initdll = false;
    EXPECT_FALSE(loadScripted());
    EXPECT_EQ(c.s.g_nPropState, 0);
    EXPECT_FALSE(c.g_oPropDll);
    EXPECT_TRUE(script.released);
    EXPECT_EQ(script.calls.first(),
              QStringLiteral("Initdll(player1,pw,DLL,fourgame,self,omitted,1,0)"));
}

TEST_F(Loading, AFailingCallInsideLoadingReturnsFalseWithStateMinusOne) {
    script.throwOnInitdll = true;
    EXPECT_FALSE(loadScripted());
    EXPECT_EQ(c.s.g_nPropState, -1);
    EXPECT_FALSE(c.s.g_bPropRunning);
}

TEST_F(Loading, TheReducedTableAsksForTheReducedLayout) {
    c.s.g_fScaleY = 0.8f;
    ASSERT_TRUE(loadScripted());
    EXPECT_EQ(script.initLayout, 2);
}

struct LayoutCase {
    const char* name;
    std::function<void(props::BaoInfo&)> spoil;
};

inline void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class ChestLayout : public PropsTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ChestLayout, AnUnusableLayoutMeansNoChests) {
    script.chests = SampleChests();
    GetParam().spoil(*script.chests);
    c.g_oPropDll = std::make_unique<support::ScriptedPropDll>(script);
    ASSERT_TRUE(props::InitGameDll(c));
    EXPECT_EQ(c.s.g_nPropState, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Props, ChestLayout,
    ::testing::Values(
        LayoutCase{"FourteenChests", [](props::BaoInfo& l) { l.g_aBaoPos.pop_back(); }},
        LayoutCase{"SixteenChests",
                   [](props::BaoInfo& l) {
                       l.g_aBaoPos.push_back({0, 0});
                   }},
        LayoutCase{"NoCentre", [](props::BaoInfo& l) { l.g_aBaoCentre.clear(); }},
        LayoutCase{"ThreeSeats", [](props::BaoInfo& l) { l.g_aBaoSeatPos.pop_back(); }},
        LayoutCase{"OneLabelValue", [](props::BaoInfo& l) { l.g_aBaoLabelPos.pop_back(); }},
        LayoutCase{"IntervalZero", [](props::BaoInfo& l) { l.g_aBaoTiming[0] = 0; }},
        LayoutCase{"IntervalNegative", [](props::BaoInfo& l) { l.g_aBaoTiming[0] = -5; }},
        LayoutCase{"ZeroTicks", [](props::BaoInfo& l) { l.g_aBaoTiming[1] = 0; }},
        LayoutCase{"NegativeSize", [](props::BaoInfo& l) { l.g_aBaoOpenSize[0] = -1; }},
        LayoutCase{"ThreeSizeValues", [](props::BaoInfo& l) { l.g_aBaoClosedSize.push_back(1); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Every call the table makes on the plug-in, made in each state: none reaches it below 1.
struct GateCase {
    const char* name;
    std::function<void(PropsTest&, client::Client&)> call;
    const char* expected;  // the call the plug-in sees while loaded
};

inline void PrintTo(const GateCase& c, std::ostream* os) {
    *os << c.name;
}

class StateGate : public PropsTest,
                  public ::testing::WithParamInterface<std::tuple<GateCase, int>> {};

TEST_P(StateGate, ReachesThePlugInOnlyWhileLoaded) {
    const auto& [gate, propState] = GetParam();
    ASSERT_TRUE(loadScripted());
    c.s.g_nPropState = std::int16_t(propState);
    script.calls.clear();
    gate.call(*this, c);
    if (propState > 0) {
        EXPECT_TRUE(script.calls.contains(QString::fromUtf8(gate.expected)))
            << script.calls.join(u' ').toStdString();
    } else {
        EXPECT_TRUE(script.calls.isEmpty()) << script.calls.join(u' ').toStdString();
    }
}

const GateCase kGates[] = {
    {"BankButton", [](PropsTest&, client::Client& c) { c.MainForm->Bank_Click(); },
     "setbankstate(0)"},
    {"PlayerLeft", [](PropsTest&, client::Client& c) { props::PropsOnPlayerGone(c, 3); },
     "ClearUser(3)"},
    {"PlayerSeated",
     [](PropsTest&, client::Client& c) {
         // A table that allows props while the plug-in is loaded, refuses them otherwise (at
         // state 0 an allowing table would load it).
         c.s.g_nPropAllowed = c.s.g_nPropState > 0 ? 1 : 0;
         c.s.custom[1].seat = 4;
         c.s.g_aPlayerInfo[1].nickname = QStringLiteral("北风");
         c.s.g_aPlayerInfo[1].tag = QStringLiteral("新手");
         c.s.g_aPlayerInfo[1].face = QStringLiteral("w3");
         c.s.g_aPlayerInfo[1].sex = 0;
         c.s.g_aPlayerInfo[1].credit = 5;
         c.s.custom[1].name = QStringLiteral("north");
         props::PropsOnPlayerInfo(c, state::Frame{}, 1);
     },
     "SetUserinfo(北风,north,4,1,1,0,新手,w3)"},
    {"ResetAtDeal", [](PropsTest&, client::Client& c) { props::ResetPropShow(c); },
     "InitShowNext(1)"},
    {"PlayerVideo", [](PropsTest&, client::Client& c) { props::AskPlayerVideo(c, 2); },
     "ShowBrmVideo(2,1,0)"},
    {"Unload",
     [](PropsTest&, client::Client& c) {
         std::int16_t code = 0;
         props::ExitGameDll(c, code);
     },
     "InitExit(0)"},
    {"Tick", [](PropsTest& t, client::Client&) { t.ticks(1); }, "CheckSendBuff"},
};

INSTANTIATE_TEST_SUITE_P(Props, StateGate,
                         ::testing::Combine(::testing::ValuesIn(kGates),
                                            ::testing::Values(-1, 0, 1, 2)),
                         [](const auto& info) {
                             const int state = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).name) + "_State" +
                                    (state < 0 ? "Minus1" : std::to_string(state));
                         });

TEST_F(Loading, ARefusedRegistrationUnloadsForGood) {
    ASSERT_TRUE(loadScripted());
    script.setUserinfo = false;
    c.s.g_nPropAllowed = 1;
    c.s.g_aPlayerInfo[2].nickname = QStringLiteral("甲");
    props::PropsOnPlayerInfo(c, state::Frame{}, 2);
    EXPECT_EQ(c.s.g_nPropState, -1);
    EXPECT_EQ(script.count(QStringLiteral("InitExit(0)")), 1);
}

TEST_F(Loading, TheServersRefusalMarksThePlugInUnavailableEvenWhileLoaded) {
    ASSERT_TRUE(loadScripted());
    c.s.g_nPropAllowed = 1;
    state::Frame refused{};
    refused[255] = 1;
    props::PropsOnPlayerInfo(c, refused, 0);
    EXPECT_EQ(c.s.g_nPropState, -1);
}

TEST_F(Loading, PlayerVideoIsAskedOnceAndWithdrawnWhenTheMouseIsBack) {
    script.showVideo = true;
    ASSERT_TRUE(loadScripted());
    props::AskPlayerVideo(c, 1);
    props::AskPlayerVideo(c, 2);
    EXPECT_EQ(c.propShow.g_nPropVideoSeat, 2);
    props::ReleasePlayerVideo(c);
    EXPECT_EQ(script.count(QStringLiteral("ShowBrmVideo")), 2);
    EXPECT_EQ(script.calls.last(), QStringLiteral("ShowBrmVideo(1,0,0)"));
    EXPECT_EQ(c.propShow.g_nPropVideoSeat, 0);
    EXPECT_FALSE(c.propShow.g_bPropVideoAsked);
}

}  // namespace
}  // namespace props_test
