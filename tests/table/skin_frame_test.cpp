// The skinned frame of the table window: where its eight pieces land for the window sizes that
// start-up frames, where the caption buttons, the drag bar and the caption sit, and how the
// caption buttons' pictures follow the pointer.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "chat/talk.h"
#include "connection/exit_dialogs.h"
#include "platform/forms/input.h"
#include "table_fixture.h"

namespace table_test {
namespace {

// A frame picture whose nine parts each carry a colour of their own, so that every painted
// piece tells which part of the picture it came from.
enum Band { TopBand, MiddleBand, BottomBand };
enum Column { LeftColumn, MiddleColumn, RightColumn };

QRgb ZoneColour(Band band, Column column) {
    return qRgb(40 + 80 * band, 40 + 80 * column, 200);
}

forms::Picture ZonedFramePicture() {
    QImage image(46, 220, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));  // the unused part of the picture
    const std::array<std::pair<int, int>, 3> rows{{{0, 20}, {20, 212}, {212, 220}}};
    const std::array<std::pair<int, int>, 3> columns{{{0, 8}, {8, 16}, {38, 46}}};
    for (int b = 0; b < 3; ++b)
        for (int k = 0; k < 3; ++k)
            for (int y = rows[b].first; y < rows[b].second; ++y)
                for (int x = columns[k].first; x < columns[k].second; ++x)
                    image.setPixel(x, y, ZoneColour(Band(b), Column(k)));
    return forms::Picture(std::move(image));
}

// A screen start-up frames the window on: both ways, or only in height.
struct FramedScreen {
    const char* name;
    QSize screen;
    QSize window;  // pixels
};

const FramedScreen kFramedScreens[] = {
    {"BothWays", {1280, 1024}, {1040, 796}},
    {"HeightOnly", {1024, 1024}, {1024, 796}},
};

// One piece of the frame: its place in window pixels for a window of W x H pixels.
struct Piece {
    const char* name;
    Band band;
    Column column;
    std::function<QRect(int W, int H)> place;
};

const Piece kPieces[] = {
    {"TopLeftCorner", TopBand, LeftColumn, [](int, int) { return QRect(0, 0, 8, 20); }},
    {"TopEdge", TopBand, MiddleColumn, [](int W, int) { return QRect(8, 0, W - 16, 20); }},
    {"TopRightCorner", TopBand, RightColumn, [](int W, int) { return QRect(W - 8, 0, 8, 20); }},
    {"LeftEdge", MiddleBand, LeftColumn, [](int, int H) { return QRect(0, 20, 8, H - 28); }},
    {"RightEdge", MiddleBand, RightColumn,
     [](int W, int H) { return QRect(W - 8, 20, 8, H - 28); }},
    {"BottomLeftCorner", BottomBand, LeftColumn, [](int, int H) { return QRect(0, H - 8, 8, 8); }},
    {"BottomEdge", BottomBand, MiddleColumn,
     [](int W, int H) { return QRect(8, H - 8, W - 16, 8); }},
    {"BottomRightCorner", BottomBand, RightColumn,
     [](int W, int H) { return QRect(W - 8, H - 8, 8, 8); }},
};

struct FramedTable {
    support::ClientHarness harness;
    client::Client* c = nullptr;

    explicit FramedTable(QSize screen) {
        harness.env.screenSize = screen;
        c = &harness.make();
        c->MainForm.get();
    }
    client::MainForm& form() { return *c->MainForm; }
};

using PieceCase = std::tuple<FramedScreen, Piece>;

class FramePiece : public ::testing::TestWithParam<PieceCase> {};

TEST_P(FramePiece, FillsItsPlaceFromItsPartOfThePicture) {
    const auto& [screen, piece] = GetParam();
    FramedTable table(screen.screen);
    auto& form = table.form();
    ASSERT_EQ(form.width(), screen.window.width() * 15.0f);
    ASSERT_EQ(form.height(), screen.window.height() * 15.0f);
    form.Skin.setPicture(ZonedFramePicture());
    form.DrawSkinFrame();

    const QRect place = piece.place(screen.window.width(), screen.window.height());
    const QColor expected(ZoneColour(piece.band, piece.column));
    // Every corner pixel of the place and its middle: the piece covers it all, unblurred.
    for (const QPoint at : {place.topLeft(), place.topRight(), place.bottomLeft(),
                            place.bottomRight(), place.center()}) {
        const auto shown = form.point(at.x() * 15.0f, at.y() * 15.0f);
        ASSERT_TRUE(shown) << at.x() << "," << at.y();
        EXPECT_EQ(QColor(forms::toQColor(*shown)), expected) << "at " << at.x() << "," << at.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Frame, FramePiece,
                         ::testing::Combine(::testing::ValuesIn(kFramedScreens),
                                            ::testing::ValuesIn(kPieces)),
                         [](const ::testing::TestParamInfo<PieceCase>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

class CaptionPlaces : public ::testing::TestWithParam<FramedScreen> {};

TEST_P(CaptionPlaces, FollowTheRightEdgeOfTheWindow) {
    FramedTable table(GetParam().screen);
    auto& form = table.form();
    const float W = form.scaleWidth();
    auto& close = form.ImgClose[0];
    auto& minimise = form.ImgMin[0];
    EXPECT_EQ(close.left(), W - close.width() - 70);
    EXPECT_EQ(close.top(), 25);
    EXPECT_EQ(minimise.left(), close.left() - minimise.width() - 30);
    EXPECT_EQ(minimise.top(), 25);
    EXPECT_EQ(form.LbMove.left(), 290);
    EXPECT_EQ(form.LbMove.top(), 0);
    EXPECT_EQ(form.LbMove.width(), minimise.left() - 290);
    EXPECT_EQ(form.LbMove.height(), close.height() + 50);
    EXPECT_EQ(form.lcaption.left(), 300);
    EXPECT_EQ(form.lcaption.top(), 25);
    EXPECT_EQ(form.lcaption.caption(), QStringLiteral("Korvash"));
    EXPECT_EQ(form.lcaption.foreColor(), forms::OleColor(0xFFFFFF));
    EXPECT_TRUE(close.picture().sameAs(form.ImgClose[1].picture()));
    EXPECT_TRUE(minimise.picture().sameAs(form.ImgMin[1].picture()));
}

INSTANTIATE_TEST_SUITE_P(Frame, CaptionPlaces, ::testing::ValuesIn(kFramedScreens),
                         [](const ::testing::TestParamInfo<FramedScreen>& info) {
                             return std::string(info.param.name);
                         });

// Pointer steps over the caption and what each button shows afterwards.
enum Where { OverClose, OverMinimise, OverSurface, OverDragBar };
enum Step { Move, Press, Release };
enum Shows { Normal = 1, Hover = 2, Pressed = 3 };

struct PointerCase {
    const char* name;
    std::vector<std::pair<Step, Where>> steps;
    Shows close;
    Shows minimise;
    bool exitDialogOpens = false;
    bool minimised = false;
};

const PointerCase kPointerCases[] = {
    {"HoverOnClose", {{Move, OverClose}}, Hover, Normal},
    {"HoverEndsOverTheSurface", {{Move, OverClose}, {Move, OverSurface}}, Normal, Normal},
    {"HoverEndsOverTheDragBar", {{Move, OverMinimise}, {Move, OverDragBar}}, Normal, Normal},
    {"StraightFromOneButtonToTheOther", {{Move, OverMinimise}, {Move, OverClose}}, Normal, Hover},
    {"PressShowsPressed", {{Move, OverClose}, {Press, OverClose}}, Pressed, Normal},
    {"ReleaseOnCloseOpensTheExitDialog",
     {{Move, OverClose}, {Press, OverClose}, {Release, OverClose}},
     Hover,
     Normal,
     true},
    {"ReleaseOutsideCloseDoesNothing",
     {{Move, OverClose}, {Press, OverClose}, {Release, OverSurface}},
     Hover,
     Normal},
    {"ReleaseOnMinimiseMinimisesTheTable",
     {{Move, OverMinimise}, {Press, OverMinimise}, {Release, OverMinimise}},
     Normal,
     Hover,
     false,
     true},
};

class CaptionButtons : public ::testing::TestWithParam<PointerCase> {};

QPointF PointOver(client::MainForm& form, Where where) {
    switch (where) {
        case OverClose:
            return form.ImgClose[0].rectInForm().center();
        case OverMinimise:
            return form.ImgMin[0].rectInForm().center();
        case OverDragBar:
            return form.LbMove.rectInForm().center();
        case OverSurface:
            return {3, 300};  // the left edge of the frame
    }
    return {};
}

TEST_P(CaptionButtons, ShowThePictureOfThePointersLastStep) {
    FramedTable table(kFramedScreens[0].screen);
    auto& form = table.form();
    ASSERT_EQ(form.controlAt(PointOver(form, OverSurface)), nullptr);
    for (const auto& [step, where] : GetParam().steps) {
        const QPointF at = PointOver(form, where);
        switch (step) {
            case Move:
                form.mouseMove(at, 0);
                break;
            case Press:
                form.mouseDown(at, forms::kLeftButton);
                break;
            case Release:
                form.mouseUp(at, forms::kLeftButton);
                break;
        }
    }
    const auto& expected = GetParam();
    EXPECT_TRUE(form.ImgClose[0].picture().sameAs(form.ImgClose[expected.close].picture()));
    EXPECT_TRUE(form.ImgMin[0].picture().sameAs(form.ImgMin[expected.minimise].picture()));
    EXPECT_EQ(table.c->frmExit.isLoaded() && table.c->frmExit->visible(), expected.exitDialogOpens);
    EXPECT_EQ(form.windowState() == forms::WindowState::Minimized, expected.minimised);
}

INSTANTIATE_TEST_SUITE_P(Frame, CaptionButtons, ::testing::ValuesIn(kPointerCases),
                         [](const ::testing::TestParamInfo<PointerCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DragBar, ALeftPressHidesTheChatWindowsAndMovesTheWindowWithThePointer) {
    FramedTable table(kFramedScreens[0].screen);
    auto& form = table.form();
    table.c->Talk->show();
    const float left = form.left();
    const float top = form.top();
    const QPointF grip = form.LbMove.rectInForm().center();
    form.mouseDown(grip, forms::kLeftButton);
    EXPECT_FALSE(table.c->Talk->visible());
    EXPECT_EQ(form.LbMove.mousePointer(), forms::pointer::SizeAll);
    form.mouseMove(grip + QPointF(30, 12), forms::kLeftButton);
    form.mouseUp(grip + QPointF(30, 12), forms::kLeftButton);
    EXPECT_EQ(form.left(), left + 30 * 15);
    EXPECT_EQ(form.top(), top + 12 * 15);
    EXPECT_FALSE(table.c->Talk->visible()) << "stays hidden after the drag";
}

TEST(DragBar, ARightPressDoesNothing) {
    FramedTable table(kFramedScreens[0].screen);
    auto& form = table.form();
    table.c->Talk->show();
    const float left = form.left();
    const QPointF grip = form.LbMove.rectInForm().center();
    form.mouseMove(grip, 0);
    ASSERT_EQ(form.LbMove.mousePointer(), forms::pointer::Arrow);
    form.mouseDown(grip, forms::kRightButton);
    form.mouseMove(grip + QPointF(30, 12), forms::kRightButton);
    form.mouseUp(grip + QPointF(30, 12), forms::kRightButton);
    EXPECT_TRUE(table.c->Talk->visible());
    EXPECT_EQ(form.LbMove.mousePointer(), forms::pointer::Arrow);
    EXPECT_EQ(form.left(), left);
}

}  // namespace
}  // namespace table_test
