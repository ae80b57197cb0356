// The video pane buttons clicked: every button's action as one table; the music box in each of
// its situations; the photos (names, unique files, exact contents, empty frames and folder or
// file errors); closing a remote pane.
#include "video/pane_buttons.h"

#include <gtest/gtest.h>

#include <QUrl>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "dispatch/recording_prop_dll.h"
#include "platform/sound/wav_file.h"
#include "support/client_harness.h"
#include "table/table_fixture.h"
#include "video/photo_album.h"
#include "video/zoom_windows.h"

namespace video_test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool NoticeShown(client::MainForm& form) {
    for (int row = 0; row <= 1; ++row)
        for (const QString& line : form.Sysmsg[row].items())
            if (line.contains(QStringLiteral("照相成功"))) return true;
    return false;
}

void WriteQuietWav(const fs::path& file) {
    platform::WavSound sound;
    sound.format = {1, 11025, 8};
    sound.samples.assign(64, 0x80);
    const std::vector<std::uint8_t> bytes = platform::encodeWav(sound);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A loaded table with its music playing, a frame of its own in each pane and the local player's
// account and password known; the clock stands at 1:05:07 on 1 November 2015.
class PaneTable {
  public:
    PaneTable() {
        // Deep enough that the hall's plug-in folder, two levels up, is this test's own.
        harness.env.programFolder = harness.folder / "hall" / "game" / "bin";
        fs::create_directories(harness.env.programFolder);
        WriteQuietWav(harness.env.programFolder.parent_path() / "common" / "music" / "majiang.wav");
        harness.env.localDateTime = [this] { return now; };
        c = &harness.make();
        c->MainForm.get();
        c->s.g_aLocalFrame = QByteArray("local frame");
        c->s.g_aRemoteFrame1 = QByteArray("frame of seat one");
        c->s.g_aRemoteFrame2 = QByteArray("frame of seat two");
        c->s.g_aRemoteFrame3 = QByteArray("frame of seat three");
        c->s.g_aPlayerInfo[0].account = QStringLiteral("player1");
        for (int k = 1; k <= 3; ++k) {
            form().PicLocal[k].setVisible(true);
            form().ImgKuang[k].setVisible(true);
            form().vshow1[k].Visible = true;
        }
    }
    client::MainForm& form() { return *c->MainForm; }
    state::SharedState& s() { return c->s; }
    fs::path photoFolder() const { return harness.env.programFolder / "photo"; }
    std::vector<fs::path> photos() const {
        std::vector<fs::path> files;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(photoFolder(), ignored))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }
    bool musicPlaying() { return !harness.soundDevice.playingBuffers().empty(); }

    QDateTime now{QDate(2015, 11, 1), QTime(1, 5, 7)};
    support::ClientHarness harness;
    client::Client* c = nullptr;
};

// --- Each button's action ------------------------------------------------------------------

enum class Action { Album, Zoom, Photo, MusicBox, Close, Nothing };

struct ButtonCase {
    const char* name;
    int index;
    Action action;
    int pane;
};

const ButtonCase kButtons[] = {
    {"Album", 0, Action::Album, 0},
    {"LocalZoom", 1, Action::Zoom, 0},
    {"LocalPhoto", 2, Action::Photo, 0},
    {"MusicBox", 3, Action::MusicBox, 0},
    {"Close1", 4, Action::Close, 1},
    {"Zoom1", 5, Action::Zoom, 1},
    {"Photo1", 6, Action::Photo, 1},
    {"Friend1", 7, Action::Nothing, 1},
    {"Close2", 8, Action::Close, 2},
    {"Zoom2", 9, Action::Zoom, 2},
    {"Photo2", 10, Action::Photo, 2},
    {"Friend2", 11, Action::Nothing, 2},
    {"Close3", 12, Action::Close, 3},
    {"Zoom3", 13, Action::Zoom, 3},
    {"Photo3", 14, Action::Photo, 3},
    {"Friend3", 15, Action::Nothing, 3},
    {"BeyondTheButtons", 16, Action::Nothing, 0},
};

// What a click can change, all in one look.
struct Observed {
    std::vector<QString> urls;
    std::set<int> zoomWindowsShown;
    std::vector<std::string> photoContents;
    std::size_t musicBoxPosts = 0;
    std::set<int> panesClosed;
    bool notice = false;
    bool operator==(const Observed&) const = default;
};

void PrintTo(const Observed& o, std::ostream* out) {
    *out << "{urls " << o.urls.size() << ", zoom";
    for (int pane : o.zoomWindowsShown) *out << ' ' << pane;
    *out << ", photos";
    for (const auto& photo : o.photoContents) *out << " '" << photo << "'";
    *out << ", music box posts " << o.musicBoxPosts << ", closed";
    for (int pane : o.panesClosed) *out << ' ' << pane;
    *out << ", notice " << o.notice << "}";
}

class PaneButtonClick : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(PaneButtonClick, DoesItsButtonsActionAndNothingElse) {
    const ButtonCase& k = GetParam();
    PaneTable t;
    const platform::WindowHandle box = t.harness.desktop.addWindow(QStringLiteral("musicbox"));
    auto observe = [&] {
        Observed o;
        o.urls = t.harness.desktop.openedUrls();
        for (int pane = 0; pane <= 3; ++pane)
            if (video::IsZoomWindowVisible(*t.c, pane)) o.zoomWindowsShown.insert(pane);
        for (const auto& file : t.photos()) o.photoContents.push_back(ReadAll(file));
        o.musicBoxPosts = t.harness.desktop.posts(box).size();
        for (int pane = 1; pane <= 3; ++pane)
            if (t.s().g_aPaneClosed[std::size_t(pane)] && t.form().ImgShow[pane].visible())
                o.panesClosed.insert(pane);
        o.notice = NoticeShown(t.form());
        return o;
    };
    Observed expected = observe();
    t.form().ImCmd_Click(k.index);
    const std::array<const char*, 4> frames{"local frame", "frame of seat one", "frame of seat two",
                                            "frame of seat three"};
    switch (k.action) {
        case Action::Album:
            expected.urls.push_back(
                QUrl::fromLocalFile(QString::fromStdString(t.photoFolder().string())).toString());
            break;
        case Action::Zoom:
            expected.zoomWindowsShown.insert(k.pane);
            break;
        case Action::Photo:
            expected.photoContents.push_back(frames[std::size_t(k.pane)]);
            expected.notice = true;
            break;
        case Action::MusicBox:
            expected.musicBoxPosts = 1;
            break;
        case Action::Close:
            expected.panesClosed.insert(k.pane);
            break;
        case Action::Nothing:
            break;
    }
    EXPECT_EQ(observe(), expected);
}

INSTANTIATE_TEST_SUITE_P(Buttons, PaneButtonClick, ::testing::ValuesIn(kButtons),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The music box -----------------------------------------------------------------------------

enum class MusicBoxProgram { None, Present, OtherCase };

struct MusicBoxCase {
    const char* name;
    bool windowOpen;
    MusicBoxProgram program;
    platform::MessageAnswer answer;
    // What follows.
    bool posts;
    bool musicStops;
    bool starts;
    bool asks;
    bool opensPage;
};

class MusicBox : public ::testing::TestWithParam<MusicBoxCase> {};

TEST_P(MusicBox, ShowsTheOpenBoxOrStartsTheProgramOrOffersTheDownload) {
    const MusicBoxCase& k = GetParam();
    PaneTable t;
    ASSERT_TRUE(t.musicPlaying());
    const auto box = k.windowOpen ? t.harness.desktop.addWindow(QStringLiteral("musicbox"))
                                  : platform::WindowHandle{};
    // The hall's plug-in folder lies two levels above the program folder.
    const fs::path plugin = t.harness.env.programFolder.parent_path().parent_path() / "plugin";
    if (k.program != MusicBoxProgram::None) {
        fs::create_directories(plugin);
        std::ofstream(plugin / (k.program == MusicBoxProgram::Present ? "music.exe" : "Music.exe"))
            << "x";
    }
    t.s().g_aPlayerInfo[0].account = QStringLiteral("zhang3");
    t.form().m_sPassword = QStringLiteral("secret");
    t.harness.boxes.answerNext(k.answer);
    t.form().ImCmd_Click(3);

    if (box) {
        EXPECT_EQ(t.harness.desktop.posts(box),
                  (std::vector<platform::FakeDesktop::Post>{{video::MusicBoxMsgShow, 0, 0}}));
    }
    EXPECT_EQ(t.musicPlaying(), !k.musicStops);
    const auto& started = t.harness.desktop.startedPrograms();
    if (k.starts) {
        ASSERT_EQ(started.size(), 1u);
        EXPECT_TRUE(fs::equivalent(started[0].program, plugin / "music.exe"));
        EXPECT_EQ(started[0].argument, QStringLiteral("zhang3$secret$www.brenmoor.com$"));
    } else {
        EXPECT_TRUE(started.empty());
    }
    const auto& shown = t.harness.boxes.shown();
    ASSERT_EQ(shown.size(), k.asks ? 1u : 0u);
    if (k.asks) {
        EXPECT_EQ(shown[0].text,
                  QStringLiteral("您的大厅安装不完整，请重新安装或到网站上下载独立的安装程序！"));
        EXPECT_EQ(shown[0].title, QStringLiteral("Brenmoor山庄提示"));
        EXPECT_EQ(shown[0].buttons, platform::MessageButtons::OkCancel);
    }
    EXPECT_EQ(t.harness.desktop.openedUrls(),
              k.opensPage
                  ? std::vector<QString>{QStringLiteral("http://www.brenmoor.com/magic.php")}
                  : std::vector<QString>{});
}

using platform::MessageAnswer;
INSTANTIATE_TEST_SUITE_P(
    Situations, MusicBox,
    ::testing::Values(MusicBoxCase{"WindowOpenOnlyPosts", true, MusicBoxProgram::Present,
                                   MessageAnswer::Ok, true, false, false, false, false},
                      MusicBoxCase{"ProgramPresentIsStarted", false, MusicBoxProgram::Present,
                                   MessageAnswer::Ok, false, true, true, false, false},
                      MusicBoxCase{"OtherCaseCountsAsMissing", false, MusicBoxProgram::OtherCase,
                                   MessageAnswer::Cancel, false, true, false, true, false},
                      MusicBoxCase{"MissingOkOpensTheDownloadPage", false, MusicBoxProgram::None,
                                   MessageAnswer::Ok, false, true, false, true, true},
                      MusicBoxCase{"MissingCancelStopsThere", false, MusicBoxProgram::None,
                                   MessageAnswer::Cancel, false, true, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Photos ---------------------------------------------------------------------------------

struct NameCase {
    const char* name;
    QDateTime at;
    const char* file;
};

class PhotoName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PhotoName, RunsTheDateAndTimeTogetherWithoutLeadingZeros) {
    EXPECT_EQ(video::PhotoFileName(GetParam().at), QString::fromUtf8(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(
    Moments, PhotoName,
    ::testing::Values(
        NameCase{"NewYearMorning", QDateTime(QDate(2015, 1, 1), QTime(10, 5, 7)), "2015111057.bmp"},
        NameCase{"NovemberNight", QDateTime(QDate(2015, 11, 1), QTime(1, 5, 7)), "2015111157.bmp"},
        NameCase{"JanuaryEleventh", QDateTime(QDate(2015, 1, 11), QTime(1, 5, 7)),
                 "2015111157.bmp"},
        NameCase{"Midnight", QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0)), "2024229000.bmp"},
        NameCase{"LastSecond", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
                 "19991231235959.bmp"}),
    [](const auto& info) { return std::string(info.param.name); });

// Photos taken in one second, or at moments that share a name, all survive: the first keeps
// the plain name, the later ones a number.
TEST(Photo, PhotosThatShareANameAreKeptSideBySideEachHoldingItsOwnFrame) {
    PaneTable t;
    t.form().ImCmd_Click(2);
    t.s().g_aLocalFrame = QByteArray("second");
    t.form().ImCmd_Click(2);
    t.now = QDateTime(QDate(2015, 1, 11), QTime(1, 5, 7));  // the same name, another day
    t.form().ImCmd_Click(14);
    ASSERT_EQ(t.photos().size(), 3u);
    EXPECT_EQ(ReadAll(t.photoFolder() / "2015111157.bmp"), "local frame");
    EXPECT_EQ(ReadAll(t.photoFolder() / "2015111157-2.bmp"), "second");
    EXPECT_EQ(ReadAll(t.photoFolder() / "2015111157-3.bmp"), "frame of seat three");
}

TEST(Photo, AFrameOfRawBytesIsWrittenWholeAndUnchanged) {
    PaneTable t;
    QByteArray frame(70000, '\0');
    for (int i = 0; i < frame.size(); ++i) frame[i] = char(i * 7 + 3);
    t.s().g_aRemoteFrame2 = frame;
    t.form().ImCmd_Click(10);
    EXPECT_EQ(QByteArray::fromStdString(ReadAll(t.photoFolder() / "2015111157.bmp")), frame);
}

// Nothing is saved, and no success is shown, for an empty frame or when the folder or the file
// cannot be had.
enum class PhotoFault { EmptyFrame, FolderIsAFile };

struct PhotoFaultCase {
    const char* name;
    PhotoFault fault;
};

class PhotoFailure : public ::testing::TestWithParam<PhotoFaultCase> {};

TEST_P(PhotoFailure, SavesNothingAndReportsNoSuccess) {
    PaneTable t;
    switch (GetParam().fault) {
        case PhotoFault::EmptyFrame:
            t.s().g_aLocalFrame.clear();  // the camera started, no frame yet
            break;
        case PhotoFault::FolderIsAFile:
            std::ofstream(t.photoFolder()) << "not a folder";
            break;
    }
    t.form().ImCmd_Click(2);
    EXPECT_FALSE(NoticeShown(t.form()));
    if (GetParam().fault == PhotoFault::EmptyFrame) {
        EXPECT_TRUE(fs::is_directory(t.photoFolder())) << "the folder is made all the same";
        EXPECT_TRUE(t.photos().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, PhotoFailure,
                         ::testing::Values(PhotoFaultCase{"EmptyFrame", PhotoFault::EmptyFrame},
                                           PhotoFaultCase{"FolderIsAFile",
                                                          PhotoFault::FolderIsAFile}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SavePhoto, AFolderThatCannotTakeTheFileSavesNothing) {
    const fs::path missing = fs::temp_directory_path() / "no-such-album-folder" / "deeper";
    EXPECT_EQ(video::SavePhoto(missing, QStringLiteral("2015111157.bmp"), QByteArray("x")),
              std::nullopt);
    EXPECT_FALSE(fs::exists(missing));
}

TEST(Album, TheAlbumButtonMakesTheMissingFolderAndOpensIt) {
    PaneTable t;
    ASSERT_FALSE(fs::exists(t.photoFolder()));
    t.form().ImCmd_Click(0);
    EXPECT_TRUE(fs::is_directory(t.photoFolder()));
    t.form().ImCmd_Click(0);  // the folder is there now: opened again, nothing else
    EXPECT_EQ(t.harness.desktop.openedUrls().size(), 2u);
}

// --- Closing a remote pane ------------------------------------------------------------------

struct CloseCase {
    const char* name;
    int pane;
    bool pluginLoaded;
    bool zoomShown;
};

class ClosePane : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosePane, HidesOnlyThatPaneAndItsZoomWindowAndShowsTheReopenPicture) {
    const CloseCase& k = GetParam();
    PaneTable t;
    auto plugin = std::make_unique<dispatch_test::RecordingPropDll>();
    auto* calls = plugin.get();
    t.c->g_oPropDll = std::move(plugin);
    t.s().g_nPropState = k.pluginLoaded ? 1 : 0;
    if (k.zoomShown) t.form().ImCmd_Click(4 * k.pane + 1);

    t.form().ImCmd_Click(4 * k.pane);
    t.form().ImCmd_Click(4 * k.pane);  // a second click on a closed pane does nothing
    for (int pane = 1; pane <= 3; ++pane) {
        SCOPED_TRACE(pane);
        const bool closed = pane == k.pane;
        EXPECT_EQ(bool(t.s().g_aPaneClosed[std::size_t(pane)]), closed);
        EXPECT_EQ(t.form().PicLocal[pane].visible(), !closed);
        EXPECT_EQ(t.form().vshow1[pane].Visible, !closed);
        EXPECT_EQ(t.form().ImgKuang[pane].visible(), !closed);
        EXPECT_EQ(t.form().ImgShow[pane].visible(), closed);
    }
    EXPECT_FALSE(video::IsZoomWindowVisible(*t.c, k.pane));
    EXPECT_EQ(video::ZoomWindowOf(*t.c, k.pane).isLoaded(), k.zoomShown) << "hidden, kept loaded";
    ASSERT_EQ(calls->paneStates.size(), k.pluginLoaded ? 1u : 0u);
    if (k.pluginLoaded) {
        EXPECT_EQ(calls->paneStates[0].kind, 2);
        EXPECT_TRUE(calls->paneStates[0].closed);
        EXPECT_EQ(calls->paneStates[0].pane, k.pane);
    }
}

INSTANTIATE_TEST_SUITE_P(Panes, ClosePane,
                         ::testing::Values(CloseCase{"LeftWithPlugin", 1, true, false},
                                           CloseCase{"OppositeWithPluginAndZoom", 2, true, true},
                                           CloseCase{"OppositeWithoutPlugin", 2, false, true},
                                           CloseCase{"RightWithoutPlugin", 3, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace video_test
