// The sound settings window on a started table.
#include "sound/vos_set.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <map>

#include "client/main_form.h"
#include "platform/forms/render.h"
#include "platform/forms/testing/driver.h"
#include "platform/forms/units.h"
#include "resources/design_names.h"
#include "resources/resource_store.h"
#include "support/temp_folder.h"
#include "table_sound_fixture.h"

using sound::VosSet;

namespace {

QImage comparable(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage decoded(std::optional<std::span<const uint8_t>> data) {
    if (!data) return {};
    return comparable(forms::Picture::fromData(
                          QByteArray::fromRawData(reinterpret_cast<const char*>(data->data()),
                                                  qsizetype(data->size())))
                          .image());
}

QImage resourceImage(int id) {
    return decoded(resources::findResource("GIF", id));
}

QImage designImage(const resources::design::DesignPicture& which) {
    return decoded(resources::findDesignPicture(which.name));
}
// The dialog picture (170..177) a button shows; 0 for anything else.
int shownId(const forms::Image& button) {
    static const std::map<int, QImage> dialogPictures = [] {
        std::map<int, QImage> pictures;
        for (int id = 170; id <= 177; ++id) pictures[id] = resourceImage(id);
        return pictures;
    }();
    const QImage shown = comparable(button.picture().image());
    for (const auto& [id, image] : dialogPictures)
        if (!image.isNull() && image == shown) return id;
    return 0;
}

// How many pixels that the picture covers fully show something else in the shot.
int opaquePixelsDiffering(const QImage& shot, const QImage& picture) {
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) == 255 && shot.pixel(x, y) != picture.pixel(x, y))
                ++differing;
    return differing;
}

struct Switches {
    bool music;
    bool effects;
    bool sound;
    bool altBackground;
    bool operator==(const Switches&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Switches& s) {
    return out << "{music " << s.music << ", effects " << s.effects << ", sound " << s.sound
               << ", alt background " << s.altBackground << "}";
}

class SoundSettingsTest : public TableSoundTest {
  protected:
    void SetUp() override {
        TableSoundTest::SetUp();
        ASSERT_TRUE(startTable());
    }

    VosSet& window() { return *c().VosSet; }
    Switches switches() {
        const auto& snd = c().soundState;
        return {snd.g_bMusicOn, snd.g_bEffectsOn, snd.g_bSoundOn, c().s.g_bAltBackground};
    }
    void setSwitches(const Switches& s) {
        auto& snd = c().soundState;
        snd.g_bMusicOn = s.music;
        snd.g_bEffectsOn = s.effects;
        snd.g_bSoundOn = s.sound;
        c().s.g_bAltBackground = s.altBackground;
    }
    std::array<int, 4> shownIds() {
        return {shownId(window().Command2[0]), shownId(window().Command2[1]),
                shownId(window().Command2[2]), shownId(window().Command2[3])};
    }
    void press(int option) { forms::testing::click(window().Command2[option]); }
    void close(int button) { forms::testing::click(window().Command1[button]); }
    // Opens the window as the toolbar does.
    VosSet& open() {
        window().show();
        return window();
    }
    // What the table picture shows at a point.
    QRgb tableAt(int x, int y) {
        return comparable(c().MainForm->Pic1.surface().image()).pixel(x, y);
    }
};

constexpr Switches AllOn{true, true, true, false};

TEST_F(SoundSettingsTest, IsATranslucentBorderlessPictureDialogWithItsButtonsInPlace) {
    VosSet& w = window();
    EXPECT_EQ(w.caption(), QStringLiteral("音效设置"));
    EXPECT_TRUE(w.borderless());
    EXPECT_EQ(w.alpha(), 200);
    EXPECT_FLOAT_EQ(w.width(), forms::pixelsToTwips(220));
    EXPECT_FLOAT_EQ(w.height(), forms::pixelsToTwips(330));
    EXPECT_FALSE(w.picture().isEmpty());
    EXPECT_FALSE(w.visible());

    const std::vector<std::tuple<forms::Image*, QRectF, int>> buttons = {
        {&w.Command1[0], {28, 264, 65, 30}, 170},  {&w.Command1[1], {119, 264, 65, 30}, 172},
        {&w.Command2[0], {127, 43, 65, 30}, 174},  {&w.Command2[1], {127, 99, 65, 30}, 174},
        {&w.Command2[2], {127, 155, 65, 30}, 174}, {&w.Command2[3], {127, 211, 65, 30}, 176},
    };
    for (const auto& [button, rect, id] : buttons) {
        SCOPED_TRACE(button->name().toStdString() + "(" + std::to_string(button->index()) + ")");
        EXPECT_EQ(QRectF(button->left(), button->top(), button->width(), button->height()), rect);
        EXPECT_EQ(shownId(*button), id);
        EXPECT_TRUE(button->visible());
        EXPECT_EQ(button->mousePointer(), forms::pointer::Custom);
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(QRectF(w.Image1[k].left(), w.Image1[k].top(), w.Image1[k].width(),
                         w.Image1[k].height()),
                  QRectF(16, 40 + 56 * k, 91, 35));
        EXPECT_FALSE(w.Image1[k].picture().isEmpty());
    }
}

// Each button shows what its switch holds when the window loads (not "on" whatever it holds).
struct LoadCase {
    Switches held;
    std::array<int, 4> shown;
};

class SoundSettingsLoad : public SoundSettingsTest,
                          public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SoundSettingsLoad, ButtonsShowTheSwitchesAsTheyStand) {
    setSwitches(GetParam().held);
    EXPECT_EQ(shownIds(), GetParam().shown);
    EXPECT_EQ(switches(), GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SoundSettingsLoad,
    ::testing::Values(LoadCase{{true, true, true, false}, {174, 174, 174, 176}},
                      LoadCase{{false, true, false, true}, {175, 174, 175, 177}},
                      LoadCase{{true, false, true, false}, {174, 175, 174, 176}},
                      LoadCase{{false, false, false, true}, {175, 175, 175, 177}}));

TEST_F(SoundSettingsTest, EachButtonTogglesItsSwitchAndPicture) {
    open();
    const std::vector<std::pair<Switches, std::array<int, 4>>> afterEachPress = {
        {{false, true, true, false}, {175, 174, 174, 176}},
        {{false, false, true, false}, {175, 175, 174, 176}},
        {{false, false, false, false}, {175, 175, 175, 176}},
        {{false, false, false, true}, {175, 175, 175, 177}},
    };
    for (int k = 0; k < 4; ++k) {
        press(k);
        EXPECT_EQ(switches(), afterEachPress[std::size_t(k)].first) << "after option " << k;
        EXPECT_EQ(shownIds(), afterEachPress[std::size_t(k)].second) << "after option " << k;
    }
    for (int k = 0; k < 4; ++k) press(k);
    EXPECT_EQ(switches(), AllOn);
    EXPECT_EQ(shownIds(), (std::array<int, 4>{174, 174, 174, 176}));
    EXPECT_EQ(window().m_bPending, (std::array<bool, 4>{}));
    EXPECT_TRUE(window().visible());
}

TEST_F(SoundSettingsTest, MusicButtonStopsTheMusicAndStartsItAgainLooping) {
    open();
    auto& device = harness.soundDevice;
    device.clearCalls();
    press(VosSet::OptionMusic);
    EXPECT_EQ(device.transcript(), (std::vector<std::string>{"stop #1", "position #1 0"}));
    EXPECT_TRUE(device.playingBuffers().empty());

    device.clearCalls();
    press(VosSet::OptionMusic);
    EXPECT_EQ(device.transcript(),
              (std::vector<std::string>{"stop #1", "release #1",
                                        "create #2 majiang.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION",
                                        "play #2 looping", "volume #2 0"}));
    EXPECT_EQ(device.playingBuffers(), std::vector<int>{2});
}

TEST_F(SoundSettingsTest, EffectsAndSoundButtonsTouchNoSound) {
    open();
    harness.soundDevice.clearCalls();
    press(VosSet::OptionEffects);
    press(VosSet::OptionSound);
    press(VosSet::OptionSound);
    EXPECT_TRUE(harness.soundDevice.transcript().empty());
    EXPECT_EQ(harness.soundDevice.playingBuffers(), std::vector<int>{1});
}

TEST_F(SoundSettingsTest, BackgroundButtonRepaintsTheTablePicture) {
    const QImage standard = designImage(resources::design::kTable);
    const QImage alternative = designImage(resources::design::kTableAlternative);
    // A point where the two tables differ.
    QPoint probe(-1, -1);
    for (int y = 0; y < standard.height() && probe.x() < 0; y += 7)
        for (int x = 0; x < standard.width(); x += 7)
            if (standard.pixel(x, y) != alternative.pixel(x, y)) {
                probe = {x, y};
                break;
            }
    ASSERT_GE(probe.x(), 0) << "the two table pictures are the same";

    open();
    auto& table = *c().MainForm;
    table.Pic2.zOrder(1);  // so that sending Pic1 back can be seen
    press(VosSet::OptionBackground);
    EXPECT_TRUE(c().s.g_bAltBackground);
    EXPECT_EQ(tableAt(probe.x(), probe.y()), alternative.pixel(probe));
    EXPECT_TRUE(table.Pic1.picture().isEmpty());
    // Sent to the back of the table window's panes, behind the reduced picture.
    const auto& panes = table.children();
    EXPECT_LT(std::find(panes.begin(), panes.end(), &table.Pic1),
              std::find(panes.begin(), panes.end(), &table.Pic2));

    press(VosSet::OptionBackground);
    EXPECT_FALSE(c().s.g_bAltBackground);
    EXPECT_EQ(tableAt(probe.x(), probe.y()), standard.pixel(probe));
    EXPECT_EQ(shownId(window().Command2[3]), 176);
}

// Presses, then OK or Cancel: what the switches hold afterwards.
struct ClosingCase {
    const char* name;
    std::vector<int> presses;
    int closing;
    Switches after;
};

class SoundSettingsClosing : public SoundSettingsTest,
                             public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(SoundSettingsClosing, OkKeepsAndCancelTurnsBackOddlyPressedOptions) {
    open();
    for (int option : GetParam().presses) press(option);
    close(GetParam().closing);
    EXPECT_FALSE(window().visible());
    EXPECT_EQ(switches(), GetParam().after);
    const Switches s = GetParam().after;
    EXPECT_EQ(shownIds(), (std::array<int, 4>{s.music ? 174 : 175, s.effects ? 174 : 175,
                                              s.sound ? 174 : 175, s.altBackground ? 177 : 176}));
    EXPECT_EQ(window().m_bPending, (std::array<bool, 4>{}));
    EXPECT_TRUE(c().MainForm->Pic1.surface().hasDrawing() || !GetParam().after.altBackground);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, SoundSettingsClosing,
    ::testing::Values(
        ClosingCase{"NothingThenCancel", {}, VosSet::ClosingCancel, AllOn},
        ClosingCase{
            "EverythingThenOk", {0, 1, 2, 3}, VosSet::ClosingOk, {false, false, false, true}},
        ClosingCase{"EverythingThenCancel", {0, 1, 2, 3}, VosSet::ClosingCancel, AllOn},
        ClosingCase{"EffectsTwiceThenCancel", {1, 1}, VosSet::ClosingCancel, AllOn},
        ClosingCase{"SoundThriceThenCancel", {2, 2, 2}, VosSet::ClosingCancel, AllOn},
        ClosingCase{"MusicAndBackgroundTwiceThenCancel", {0, 3, 3}, VosSet::ClosingCancel, AllOn},
        ClosingCase{"EffectsTwiceAndSoundThenOk",
                    {1, 1, 2},
                    VosSet::ClosingOk,
                    {true, true, false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundSettingsTest, CancelStartsTheTableMusicAgainFromItsBeginning) {
    open();
    press(VosSet::OptionMusic);
    harness.soundDevice.clearCalls();
    close(VosSet::ClosingCancel);
    EXPECT_TRUE(c().soundState.g_bMusicOn);
    EXPECT_EQ(harness.soundDevice.transcript(),
              (std::vector<std::string>{"stop #1", "release #1",
                                        "create #2 majiang.wav caps=0x90 DS3DALG_NO_VIRTUALIZATION",
                                        "play #2 looping", "volume #2 0"}));
    EXPECT_EQ(harness.soundDevice.buffers().at(2).position, 0u);
}

TEST_F(SoundSettingsTest, CancelAfterOkOnTheNextShowingChangesNothing) {
    open();
    press(VosSet::OptionMusic);
    close(VosSet::ClosingOk);
    open();
    harness.soundDevice.clearCalls();
    close(VosSet::ClosingCancel);
    EXPECT_FALSE(c().soundState.g_bMusicOn);
    EXPECT_EQ(shownId(window().Command2[0]), 175);
    EXPECT_TRUE(harness.soundDevice.transcript().empty());
}

// Unloading drops the pending presses without undoing them; the next load shows the switches.
TEST_F(SoundSettingsTest, ReloadedWindowShowsTheSwitchesAsTheyStand) {
    open();
    press(VosSet::OptionEffects);
    press(VosSet::OptionBackground);
    ASSERT_TRUE(c().VosSet.unload());
    EXPECT_EQ(switches(), (Switches{true, false, true, true}));
    EXPECT_EQ(shownIds(), (std::array<int, 4>{174, 175, 174, 177}));
    close(VosSet::ClosingCancel);
    EXPECT_EQ(switches(), (Switches{true, false, true, true}));
}

TEST_F(SoundSettingsTest, SoundThatFailedAtStartUpShowsOffAndIsTurnedOnByItsButton) {
    c().soundState.g_bSoundOn = false;  // as a failing device leaves it
    open();
    EXPECT_EQ(shownId(window().Command2[VosSet::OptionSound]), 175);
    press(VosSet::OptionSound);
    EXPECT_TRUE(c().soundState.g_bSoundOn);
    EXPECT_EQ(shownId(window().Command2[VosSet::OptionSound]), 174);
}

TEST_F(SoundSettingsTest, PictureThatCannotBeExtractedStillChangesTheSwitch) {
    open();
    // A folder where the picture's temporary file would go: the picture cannot be written.
    std::filesystem::create_directories(harness.env.programFolder / "tmp175.GIF");
    press(VosSet::OptionEffects);
    EXPECT_FALSE(c().soundState.g_bEffectsOn);
    EXPECT_EQ(shownId(window().Command2[VosSet::OptionEffects]), 174);
    press(VosSet::OptionEffects);
    EXPECT_TRUE(c().soundState.g_bEffectsOn);
    EXPECT_EQ(shownId(window().Command2[VosSet::OptionEffects]), 174);
}

class SmallTableSoundSettingsTest : public TableSoundTest {
  protected:
    void SetUp() override {
        TableSoundTest::SetUp();
        harness.env.screenSize = {800, 600};
        ASSERT_TRUE(startTable());
    }
};

TEST_F(SmallTableSoundSettingsTest, BackgroundButtonDoesNothingOnTheSmallTable) {
    ASSERT_FLOAT_EQ(c().s.g_fScaleX, 0.78125f);
    auto& table = *c().MainForm;
    const QImage before = table.Pic1.surface().image();
    VosSet& w = *c().VosSet;
    w.show();
    forms::testing::click(w.Command2[VosSet::OptionBackground]);
    EXPECT_FALSE(c().s.g_bAltBackground);
    EXPECT_TRUE(w.m_bPending[VosSet::OptionBackground]);
    EXPECT_EQ(shownId(w.Command2[VosSet::OptionBackground]), 176);
    forms::testing::click(w.Command1[VosSet::ClosingCancel]);
    EXPECT_FALSE(c().s.g_bAltBackground);
    EXPECT_EQ(table.Pic1.surface().image(), before);
}

// The window as drawn, saved for a look (test-tmp/sound-settings.png): the option buttons show
// their pictures where they lie.
TEST_F(SoundSettingsTest, ScreenshotShowsEachButtonsPicture) {
    open();
    press(VosSet::OptionEffects);
    press(VosSet::OptionBackground);
    const QImage shot = comparable(forms::renderWindow(window()));
    ASSERT_EQ(shot.size(), QSize(220, 330));
    EXPECT_TRUE(forms::saveWindowPng(
        window(), QString::fromStdString((testRoot() / "sound-settings.png").string())));
    const std::vector<std::pair<forms::Image*, int>> expected = {
        {&window().Command2[0], 174}, {&window().Command2[1], 175}, {&window().Command2[2], 174},
        {&window().Command2[3], 177}, {&window().Command1[0], 170}, {&window().Command1[1], 172}};
    for (const auto& [button, id] : expected) {
        const QImage picture = resourceImage(id);
        const QPoint at(int(button->left()), int(button->top()));
        EXPECT_EQ(opaquePixelsDiffering(shot.copy(QRect(at, picture.size())), picture), 0)
            << "picture " << id;
    }
}

}  // namespace
