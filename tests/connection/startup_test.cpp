#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>

#include "client_loading.h"
#include "platform/runtime/single_instance.h"
#include "props/prop_dll.h"
#include "video/video_component.h"

namespace {

using platform::SystemCommand;
using support::ClientHarness;
using support::loadTable;

struct ScreenCase {
    QSize screen;
    float width, height;                             // window, twips
    float paneLeft, paneTop, paneWidth, paneHeight;  // Pic1, twips
    float scale;
};

class ScreenSizes : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenSizes, SizeTheWindowAndTablePaneAndFixTheScale) {
    const ScreenCase& expected = GetParam();
    ClientHarness harness;
    harness.env.screenSize = expected.screen;
    ASSERT_TRUE(loadTable(harness));
    auto& c = *harness.client;
    auto& form = *c.MainForm;
    EXPECT_EQ(form.left(), 0);
    EXPECT_EQ(form.top(), 0);
    EXPECT_EQ(form.width(), expected.width);
    EXPECT_EQ(form.height(), expected.height);
    EXPECT_EQ(form.Pic1.left(), expected.paneLeft);
    EXPECT_EQ(form.Pic1.top(), expected.paneTop);
    EXPECT_EQ(form.Pic1.width(), expected.paneWidth);
    EXPECT_EQ(form.Pic1.height(), expected.paneHeight);
    EXPECT_EQ(c.s.g_fScaleX, expected.scale);
    EXPECT_EQ(c.s.g_fScaleY, expected.scale);
    const bool small = expected.scale < 1.0f;
    // The reduced table is painted into the pane in place of its own picture.
    EXPECT_EQ(form.Pic1.picture().isEmpty(), small);
    EXPECT_EQ(form.Sysmsg[0].fontSize() == 8, small);
    EXPECT_EQ(c.ids.g_aIdAnNiu[2], small ? "283" : "152");
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, ScreenSizes,
    ::testing::Values(ScreenCase{{1024, 768}, 15360, 11520, 0, 0, 15360, 11520, 1.0f},
                      ScreenCase{{1280, 1024}, 15600, 11940, 120, 300, 15360, 11520, 1.0f},
                      ScreenCase{{800, 600}, 12000, 9000, 0, 0, 12000, 9000, 0.78125f},
                      ScreenCase{{1280, 720}, 15600, 10800, 120, 0, 15360, 10800, 0.78125f}));

struct LineCase {
    const char* name;
    QString line;
    bool loads;
};

class CommandLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLines, LoadOrEndWithoutAMessage) {
    ClientHarness harness;
    harness.env.commandLine = GetParam().line;
    EXPECT_EQ(loadTable(harness), GetParam().loads);
    EXPECT_TRUE(harness.boxes.shown().empty());
}

QString fields(int count, bool lastDollar = true) {
    QString line = ClientHarness::commandLine({});
    QStringList parts = line.split(u'$');
    parts.removeLast();
    while (parts.size() < count) parts << "x";
    parts = parts.mid(0, count);
    return parts.join(u'$') + (lastDollar ? "$" : "");
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, CommandLines,
    ::testing::Values(
        LineCase{"fourteen_fields", fields(14), false},
        LineCase{"fifteenth_without_dollar", fields(15, false), false},
        LineCase{"sixteen_fields", fields(16), true},
        LineCase{"port_above_32767", ClientHarness::commandLine({{4, "32768"}}), false},
        LineCase{"port_not_a_number", ClientHarness::commandLine({{4, "abc"}}), false},
        LineCase{"empty_numeric_field", ClientHarness::commandLine({{14, ""}}), false},
        LineCase{"port_rounded", ClientHarness::commandLine({{4, "80.5"}}), true},
        LineCase{"proxy_user_of_256", ClientHarness::commandLine({{9, QString(256, u'u')}}), false},
        LineCase{"proxy_user_of_255", ClientHarness::commandLine({{9, QString(255, u'u')}}), true},
        LineCase{"account_not_single_byte", ClientHarness::commandLine({{1, "玩家"}}), false},
        LineCase{"account_of_257", ClientHarness::commandLine({{1, QString(257, u'a')}}), false},
        LineCase{"password_of_241", ClientHarness::commandLine({{2, QString(241, u'p')}}), false},
        LineCase{"password_of_240", ClientHarness::commandLine({{2, QString(240, u'p')}}), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartUp, ALineFailingBeforeTheHallCaptionEndsWithoutTouchingTheHall) {
    ClientHarness harness;
    harness.env.commandLine = ClientHarness::commandLine({{4, "99999"}});
    EXPECT_FALSE(loadTable(harness));
    EXPECT_TRUE(harness.desktop.systemCommands(harness.hall).empty());
}

TEST(StartUp, AnEmptyCommandLineAsksForTheHallAndEnds) {
    ClientHarness harness;
    harness.env.commandLine = "   ";
    EXPECT_FALSE(loadTable(harness));
    ASSERT_EQ(harness.boxes.shown().size(), 1u);
    EXPECT_EQ(harness.boxes.shown()[0].text, QStringLiteral("本游戏需从游戏大厅中启动！"));
    EXPECT_EQ(harness.boxes.shown()[0].title, QStringLiteral("警告"));
    EXPECT_TRUE(harness.desktop.systemCommands(harness.hall).empty());
}

TEST(StartUp, ASecondCopyIsRefusedAndLeavesTheHallAlone) {
    ClientHarness harness;
    platform::SingleInstanceLock firstCopy(harness.folder, "korvash");
    ASSERT_TRUE(firstCopy.acquired());
    EXPECT_FALSE(loadTable(harness));
    ASSERT_EQ(harness.boxes.shown().size(), 1u);
    EXPECT_EQ(harness.boxes.shown()[0].text, QStringLiteral("Korvash已经运行！"));
    EXPECT_EQ(harness.boxes.shown()[0].title, QStringLiteral("警告"));
    EXPECT_TRUE(harness.desktop.systemCommands(harness.hall).empty());
}

TEST(StartUp, TheClientKeepsItsInstanceLockForItsLife) {
    ClientHarness harness;
    ASSERT_TRUE(loadTable(harness));
    EXPECT_FALSE(platform::SingleInstanceLock(harness.folder, "korvash").acquired());
}

TEST(StartUp, TheSpectatorTestLooksAtTheLineWithoutTrailingBlanks) {
    ClientHarness trailingBlanks;
    trailingBlanks.env.commandLine = ClientHarness::commandLine({}) + "   ";
    ASSERT_TRUE(loadTable(trailingBlanks));
    EXPECT_FALSE(trailingBlanks.client->s.g_bSpectator);

    ClientHarness watching;
    watching.env.commandLine = ClientHarness::commandLine({}) + "7";
    ASSERT_TRUE(loadTable(watching));
    EXPECT_TRUE(watching.client->s.g_bSpectator);
}

TEST(StartUp, CustomCaptionsNameBothWindowsAndLengthenTheTurn) {
    ClientHarness harness;
    const auto ownHall = harness.desktop.addWindow("Hall 2");
    harness.env.commandLine =
        ClientHarness::commandLine({{11, "1"}, {12, "Hall 2"}, {13, "Table 2"}});
    ASSERT_TRUE(loadTable(harness));
    auto& c = *harness.client;
    EXPECT_EQ(c.MainForm->caption(), "Table 2");
    EXPECT_EQ(c.s.g_sHallCaption, "Hall 2");
    EXPECT_EQ(c.s.g_nTurnSeconds, 15);
    EXPECT_EQ(harness.desktop.systemCommands(ownHall),
              (std::vector<SystemCommand>{SystemCommand::Restore, SystemCommand::Minimise}));
    EXPECT_TRUE(harness.desktop.systemCommands(harness.hall).empty());
}

TEST(StartUp, WithoutCustomCaptionsTheHallIsTheDefaultOne) {
    ClientHarness harness;
    harness.env.commandLine = ClientHarness::commandLine({{11, "2"}, {12, "Hall 2"}});
    ASSERT_TRUE(loadTable(harness));
    EXPECT_EQ(harness.client->s.g_sHallCaption, QString::fromUtf16(ClientHarness::kHallCaption));
    EXPECT_EQ(harness.client->s.g_nTurnSeconds, 10);
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              (std::vector<SystemCommand>{SystemCommand::Restore, SystemCommand::Minimise}));
}

TEST(StartUp, WithoutTheHallWindowTheProgramEnds) {
    ClientHarness harness;
    harness.desktop.closeWindow(harness.hall);
    EXPECT_FALSE(loadTable(harness));
}

TEST(StartUp, ALongLocationTextIsShownTwoPointsSmaller) {
    auto locationFont = [](QString text, QSize screen) {
        ClientHarness harness;
        harness.env.screenSize = screen;
        harness.env.commandLine = ClientHarness::commandLine({{5, text}});
        EXPECT_TRUE(loadTable(harness));
        EXPECT_EQ(harness.client->MainForm->Location.caption(), text);
        return harness.client->MainForm->Location.fontSize();
    };
    const float ten = locationFont("北京市海淀区中关村大", {1024, 768});
    EXPECT_EQ(locationFont("北京市海淀区中关村大街", {1024, 768}), ten - 2);
    EXPECT_EQ(locationFont("北京", {800, 600}), 10);
    EXPECT_EQ(locationFont("北京市海淀区中关村大街", {800, 600}), 8);
}

class VideoSwitch : public ::testing::Test {
  protected:
    ClientHarness harness;
    std::filesystem::path file = harness.env.programFolder / "vidiosetting.ini";
    void write(const std::string& value) {
        std::ofstream(file) << "[vidiosetting]\nvidiovalue=" << value << "\n";
    }
};

TEST_F(VideoSwitch, AMissingFileIsCreatedSwitchedOn) {
    ASSERT_TRUE(loadTable(harness));
    auto& c = *harness.client;
    EXPECT_TRUE(c.s.g_bVideoOn);
    EXPECT_FALSE(c.s.g_bRelayLoggedIn);
    EXPECT_EQ(c.MainForm->P2PSocket1->ServerPort, 8888);
    EXPECT_EQ(c.MainForm->P2PSocket1->SlotCount, 3);
    EXPECT_EQ(c.MainForm->P2PSocket1->ServerHost, "127.0.0.1");
    EXPECT_FALSE(c.MainForm->P2PSocket1->Visible);
    c.g_oIniFile.setINIFileName(c.App_Path() + "\\vidiosetting.ini");
    EXPECT_EQ(c.g_oIniFile.GetIniKey("vidiosetting", "vidiovalue"), "1");
}

TEST_F(VideoSwitch, ZeroSwitchesVideoOff) {
    write("0");
    ASSERT_TRUE(loadTable(harness));
    EXPECT_FALSE(harness.client->s.g_bVideoOn);
    EXPECT_EQ(harness.client->MainForm->P2PSocket1->ServerPort, 0);
}

TEST_F(VideoSwitch, AValueThatIsNoNumberFailsTheStartUpAndRestoresTheHall) {
    write("on");
    EXPECT_FALSE(loadTable(harness));
    EXPECT_EQ(harness.desktop.systemCommands(harness.hall),
              std::vector<SystemCommand>{SystemCommand::Restore});
}

TEST_F(VideoSwitch, AFileNamedInAnotherCaseDoesNotCount) {
    std::ofstream(harness.env.programFolder / "VidioSetting.ini")
        << "[vidiosetting]\nvidiovalue=0\n";
    ASSERT_TRUE(loadTable(harness));
    EXPECT_TRUE(harness.client->s.g_bVideoOn);
}

TEST_F(VideoSwitch, AFileThatCannotBeWrittenFailsTheStartUp) {
    std::filesystem::permissions(harness.env.programFolder, std::filesystem::perms::owner_read |
                                                                std::filesystem::perms::owner_exec);
    const bool writable = std::ofstream(harness.env.programFolder / "probe").good();
    if (writable) GTEST_SKIP() << "the folder stays writable (running as root)";
    EXPECT_FALSE(loadTable(harness));
    std::filesystem::permissions(harness.env.programFolder, std::filesystem::perms::owner_all);
}

TEST(StartUp, TheLoginFrameCarriesAccountAndPasswordByteByByte) {
    ClientHarness harness;
    harness.env.commandLine = ClientHarness::commandLine({{1, "abcdefghijklmnopqrst"}, {2, "xy"}});
    ASSERT_TRUE(loadTable(harness));
    const state::Frame& frame = harness.client->s.g_aLoginFrame;
    state::Frame expected{};
    expected[3] = 18;
    expected[14] = 1;
    const std::string account = "abcdefghijklmnop";
    std::copy(account.begin(), account.end(), expected.begin() + 16);
    expected[32] = 'x';
    expected[33] = 'y';
    expected[34] = 's';
    expected[35] = 't';
    EXPECT_EQ(frame, expected);
    EXPECT_EQ(harness.client->MainForm->m_sPassword, "xy");
}

TEST(StartUp, ProxyTypeThreeMakesNoConnectionAndWaits) {
    ClientHarness harness;
    ASSERT_TRUE(loadTable(harness));
    auto& c = *harness.client;
    harness.scheduler.advance(60000);
    EXPECT_EQ(c.MainForm->Winsock1.state(), platform::SocketState::Closed);
    EXPECT_FALSE(c.MainForm->TimerBong.enabled());
    EXPECT_FALSE(c.s.channels.check[state::ChannelLogin]);
    EXPECT_EQ(c.MainForm->Sysmsg[0].list(0), QStringLiteral("正在连接服务器..."));
    EXPECT_TRUE(harness.desktop.posts(harness.hall).empty());
}

TEST(StartUp, WithoutACameraTheNoticeFollowsTheConnectingLine) {
    ClientHarness harness;
    ASSERT_TRUE(loadTable(harness));
    auto& form = *harness.client->MainForm;
    EXPECT_FALSE(harness.client->s.g_bLocalVideoOk);
    EXPECT_FALSE(form.ziva1->Visible);
    EXPECT_EQ(form.Sysmsg[1].list(0), QStringLiteral("您没有视频设备或您的视频源正在使用。"));
}

TEST(StartUp, TheTableMusicStartsLooping) {
    ClientHarness harness;
    std::filesystem::create_directories(harness.folder / "common");
    ASSERT_TRUE(loadTable(harness));
    auto& sound = harness.client->soundState;
    EXPECT_TRUE(sound.g_bMusicOn);
    EXPECT_TRUE(sound.g_bEffectsOn);
    EXPECT_TRUE(harness.soundDevice.calls().size() >= 1u);
    EXPECT_EQ(harness.soundDevice.calls()[0].call, platform::SoundCall::OpenDefaultOutput);
}

// Counts the plug-in's exits, and its release through the object's destruction.
class RecordingPropDll final : public props::PropDll {
  public:
    struct Log {
        int exits = 0;
        std::int16_t code = 0;
        bool released = false;
    };
    explicit RecordingPropDll(Log& log) : log_(log) {}
    ~RecordingPropDll() override { log_.released = true; }
    void FixBuffPos() override {}
    void rec_state(std::int16_t, bool) override {}
    std::int32_t CheckSendBuff() override { return 0; }
    void GetSendBuff(props::PropWorkItem&) override {}
    std::int32_t GetScoreInfo() override { return 0; }
    void InitShowNext(bool) override {}
    void InitShowEnd() override {}
    void InitExit(std::int16_t& code) override {
        ++log_.exits;
        log_.code = code;
    }
    void Rec_MSG(state::Frame&) override {}

  private:
    Log& log_;
};

struct UnloadCase {
    std::int16_t propState;
    int exits;
};

class Unloading : public ::testing::TestWithParam<UnloadCase> {};

TEST_P(Unloading, ExitsThePlugInOnlyWhenLoadedAndReleasesItAnyway) {
    ClientHarness harness;
    ASSERT_TRUE(loadTable(harness));
    auto& c = *harness.client;
    RecordingPropDll::Log log;
    c.g_oPropDll = std::make_unique<RecordingPropDll>(log);
    c.s.g_nPropState = GetParam().propState;
    harness.soundDevice.clearCalls();
    EXPECT_THROW(c.MainForm->unload(), platform::ProgramEnd);
    EXPECT_EQ(log.exits, GetParam().exits);
    if (log.exits) EXPECT_EQ(log.code, 1);
    EXPECT_TRUE(log.released);
    EXPECT_EQ(c.g_oPropDll, nullptr);
    EXPECT_EQ(c.s.g_nPropState, 0);
}

INSTANTIATE_TEST_SUITE_P(Shutdown, Unloading,
                         ::testing::Values(UnloadCase{0, 0}, UnloadCase{1, 1}, UnloadCase{2, 1}));

}  // namespace
