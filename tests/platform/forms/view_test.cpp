#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "platform/forms/font.h"
#include "platform/forms/form_view.h"
#include "platform/forms/render.h"
#include "platform/runtime/scheduler.h"
#include "sample_windows.h"
#include "test_pictures.h"

namespace forms_test {
namespace {

using ::testing::Contains;

// A score sheet like the client's small windows: a picture, a Chinese caption, a list, a text
// box and a stretched image, 320 x 240 pixels.
class SampleSheet : public forms::Form {
  public:
    explicit SampleSheet(forms::Forms& forms) : Form(forms) {
        move(0, 0, 4800, 3600);
        setBorderless(true);
        setCaption("战绩板");
        setBackColor(0xC0C0C0);
        Avatar.move(120, 120, 1800, 1350);
        Title.move(2100, 120, 2550, 450);
        Title.setCaption("战绩板：英雄榜");
        Title.setFontSize(12);
        Title.setFontBold(true);
        Title.setForeColor(forms::kBlack);
        Title.setBackColor(forms::kWhite);
        Hands.move(2100, 720, 2550, 900);
        for (const char* line : {"第一局  +120", "第二局  -40", "第三局  +15"}) {
            Hands.addItem(QString::fromUtf8(line));
        }
        Hands.setListIndex(1);
        Chat.move(120, 1680, 4560, 450);
        Chat.setText("你好，Korvash");
        Badge.move(120, 2400, 1200, 900);
        Badge.setStretch(true);
    }

    forms::PictureBox Avatar{*this, "Avatar"};
    forms::Label Title{*this, "Title"};
    forms::ListBox Hands{*this, "Hands"};
    forms::TextBox Chat{*this, "Chat"};
    forms::Image Badge{*this, "Badge"};
};

int darkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) ++count;
        }
    }
    return count;
}

class ViewTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    std::filesystem::path folder = testFolder(
        QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    EventLog log;

    // A table window with its view; null when the view is not a FormView.
    std::pair<TableWindow*, forms::FormView*> tableWithView() {
        TableWindow& table = forms.create<TableWindow>(log);
        forms::attachView(table);
        return {&table, dynamic_cast<forms::FormView*>(table.view())};
    }
};

TEST_F(ViewTest, ChineseFontNamesFallBackToTheInstalledCjkFont) {
    EXPECT_EQ(forms::resolveFontFamily("宋体"), "WenQuanYi Micro Hei");
    EXPECT_EQ(forms::resolveFontFamily("WenQuanYi Micro Hei"), "WenQuanYi Micro Hei");
}

TEST_F(ViewTest, TheViewMirrorsTheModel) {
    auto [window, view] = tableWithView();
    ASSERT_NE(view, nullptr);
    TableWindow& table = *window;

    table.setCaption("Korvash");
    table.show();
    EXPECT_EQ(view->windowTitle(), "Korvash");
    EXPECT_EQ(view->size(), QSize(400, 300));
    EXPECT_TRUE(view->isVisible());

    table.hide();
    EXPECT_FALSE(view->isVisible());
}

// A window whose pane, smaller than the window, holds a windowed text box above windowless
// images; the pane counts in pixels.
class StackedPane : public forms::Form {
  public:
    explicit StackedPane(forms::Forms& forms) : Form(forms) {
        move(0, 0, 3000, 3000);  // 200 x 200 pixels
        setBackColor(forms::kBlack);
        Pane.move(300, 300, 2250, 2250);  // 150 x 150 pixels at (20, 20)
        Pane.setScaleMode(forms::ScaleMode::Pixels);
        Pane.setBackColor(0x808080);
        Entry.move(0, 50, 100, 30);  // across the cards below
    }

    forms::PictureBox Pane{*this, "Pane"};
    forms::ControlArray<forms::Image> Card{Pane, "Card"};
    forms::TextBox Entry{Pane, "Entry"};
};

class DrawnControlsTest : public ViewTest {
  protected:
    StackedPane& window = forms.create<StackedPane>();

    DrawnControlsTest() {
        window.Card[0].setPicture(solid(Qt::red));
        window.Card.load(1);
        window.Card[1].setPicture(solid(Qt::green));
        window.Card.load(2);
        window.Card[2].setPicture(solid(Qt::blue));
    }

    forms::Picture solid(Qt::GlobalColor color) {
        const QString name = QStringLiteral("card%1.gif").arg(int(color));
        return forms::loadPicture(writeFile(folder, name, makeGif({40, 40}, color)));
    }

    QColor at(int x, int y) { return QColor(forms::renderWindow(window).pixel(x, y)); }
};

// Controls are drawn where the model places them, rounded to pixels, within their container
// and in its order: hidden ones not at all, windowless ones under the windowed ones.
TEST_F(DrawnControlsTest, ControlsAreDrawnInTheModelsPlaceAndOrder) {
    window.Card[0].move(10.4f, 40.6f);
    window.Card[1].move(30, 40.6f);
    window.Card[1].setVisible(true);
    window.Card[2].move(100, 100);  // loaded hidden

    const QImage shot = forms::renderWindow(window);
    EXPECT_EQ(QColor(shot.pixel(30, 61)), QColor(Qt::red));  // the pane's (20, 20) and more
    EXPECT_EQ(QColor(shot.pixel(29, 61)), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(QColor(shot.pixel(30, 60)), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(QColor(shot.pixel(55, 65)), QColor(Qt::green));           // the newer card on top
    EXPECT_EQ(QColor(shot.pixel(130, 130)), QColor(0x80, 0x80, 0x80));  // the hidden one
    EXPECT_EQ(QColor(shot.pixel(40, 85)), QColor(Qt::white));  // the text box over the cards

    window.Card[1].zOrder(1);  // to the bottom of its layer
    window.Card[2].setVisible(true);
    EXPECT_EQ(at(55, 65), QColor(Qt::red));
    EXPECT_EQ(at(130, 130), QColor(Qt::blue));
}

TEST_F(DrawnControlsTest, AControlIsClippedToItsContainer) {
    window.Card[0].move(130, 130);  // 40 x 40 in a pane of 150 x 150
    window.Pane.setVisible(true);

    EXPECT_EQ(at(165, 165), QColor(Qt::red));
    EXPECT_EQ(at(175, 175), QColor(Qt::black));  // the window beyond the pane
    window.Pane.setVisible(false);
    EXPECT_EQ(at(165, 165), QColor(Qt::black)) << "a hidden pane hides what it holds";
}

// Collects the areas a shown window repaints.
class PaintedAreas : public QObject {
  public:
    QRegion painted;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// A change repaints where the control was and where it is now, and no more than that.
TEST_F(DrawnControlsTest, AChangeRepaintsWhereTheControlWasAndIs) {
    forms::attachView(window);
    auto* view = dynamic_cast<forms::FormView*>(window.view());
    ASSERT_NE(view, nullptr);
    window.Card[0].move(10, 40);
    window.show();
    QCoreApplication::processEvents();
    PaintedAreas areas;
    view->installEventFilter(&areas);
    const auto repainted = [&](auto&& change) {
        areas.painted = {};
        change();
        QCoreApplication::processEvents();
        return areas.painted;
    };

    const QRegion moved = repainted([&] { window.Card[0].move(100, 90); });
    EXPECT_TRUE(moved.contains(QRect(30, 60, 40, 40))) << "where it was";
    EXPECT_TRUE(moved.contains(QRect(120, 110, 40, 40))) << "where it is";
    EXPECT_FALSE(moved.contains(QPoint(5, 5))) << "not the whole window";

    const QRegion paneMoved = repainted([&] { window.Pane.move(600, 600); });
    EXPECT_TRUE(paneMoved.contains(QRect(20, 20, 150, 150)));
    EXPECT_TRUE(paneMoved.contains(QRect(40, 40, 150, 150).intersected(view->rect())));

    const QRegion hidden = repainted([&] { window.Card[0].setVisible(false); });
    EXPECT_TRUE(hidden.contains(QRect(140, 130, 40, 40))) << "its place in the moved pane";
    view->removeEventFilter(&areas);
}

// Counts the times a widget is hidden.
class HideCounter : public QObject {
  public:
    int hides = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) ++hides;
        return false;
    }
};

// Bringing a shown window to the top (topmost and at once not) keeps its native window: it is
// not hidden, remade and drawn again each time. A frame change still remakes it.
TEST_F(ViewTest, StayingOnTopKeepsTheShownNativeWindow) {
    auto [window, view] = tableWithView();
    ASSERT_NE(view, nullptr);
    TableWindow& table = *window;
    table.show();
    HideCounter counter;
    view->installEventFilter(&counter);

    table.setTopmost(true);
    EXPECT_TRUE(view->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(view->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    table.setTopmost(false);
    EXPECT_FALSE(view->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(view->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(counter.hides, 0);
    EXPECT_TRUE(view->isVisible());

    table.setBorderless(!table.borderless());
    EXPECT_EQ(bool(view->windowFlags() & Qt::FramelessWindowHint), table.borderless());
    EXPECT_TRUE(view->isVisible());
    view->removeEventFilter(&counter);
}

TEST_F(ViewTest, AShapedTranslucentWindowCarriesItsMaskAndOpacity) {
    EventLog log;
    TableWindow& table = forms.create<TableWindow>(log);
    forms::attachView(table);
    auto* view = dynamic_cast<forms::FormView*>(table.view());
    ASSERT_NE(view, nullptr);
    const QRegion shape = QRegion(10, 10, 100, 40) + QRegion(30, 50, 20, 30);

    table.setRegion(shape);
    EXPECT_TRUE(table.setAlpha(128));
    table.show();
    EXPECT_EQ(view->mask(), shape);
    EXPECT_NEAR(view->windowOpacity(), 128 / 255.0, 0.01);

    EXPECT_FALSE(table.setAlpha(256)) << "an opacity outside 0..255 is not applied";
    EXPECT_NEAR(view->windowOpacity(), 128 / 255.0, 0.01);
    table.setRegion(std::nullopt);
    table.clearAlpha();
    EXPECT_TRUE(view->mask().isEmpty());
    EXPECT_EQ(view->windowOpacity(), 1.0);
}

TEST_F(ViewTest, RealInputReachesTheSameEntryPoints) {
    EventLog log;
    TableWindow& table = forms.create<TableWindow>(log);
    forms::attachView(table);
    table.show();
    QWidget* view = dynamic_cast<forms::FormView*>(table.view());
    const QPointF at(105, 110);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    }
    table.Chat.setFocus();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(view, &key);

    EXPECT_THAT(log, Contains("cardImage0_MouseDown(0,1,0,75,150)"));
    EXPECT_THAT(log, Contains("cardImage0_Click(0)"));
    EXPECT_THAT(log, Contains("Chat_KeyDown(65)"));
    EXPECT_EQ(table.Chat.text(), "a");
}

TEST_F(ViewTest, ARenderedWindowShowsItsControls) {
    SampleSheet& sheet = forms.create<SampleSheet>();
    sheet.Avatar.setPicture(
        forms::loadPicture(writeFile(folder, "avatar.gif", makeGif({120, 90}, QColor(220, 0, 0)))));
    sheet.Badge.setPicture(
        forms::loadPicture(writeFile(folder, "badge.jpg", makeJpeg({16, 16}, QColor(0, 0, 255)))));

    const QImage shot = forms::renderWindow(sheet);
    ASSERT_TRUE(
        forms::saveWindowPng(sheet, QString::fromStdString((folder / "sheet.png").string())));

    EXPECT_EQ(shot.size(), QSize(320, 240));
    EXPECT_EQ(QColor(shot.pixel(60, 50)), QColor(220, 0, 0));           // the picture
    EXPECT_EQ(QColor(shot.pixel(300, 230)), QColor(0xC0, 0xC0, 0xC0));  // the window
    const QColor badge(shot.pixel(40, 190));                            // stretched JPEG
    EXPECT_GT(badge.blue(), 200);
    EXPECT_LT(badge.red(), 60);
    const int row = int(sheet.Hands.itemHeight());
    EXPECT_EQ(QColor(shot.pixel(300, 48 + row + row / 2)),
              forms::toQColor(forms::kSystemHighlight));         // the selected line
    EXPECT_GT(darkPixels(shot, QRect(142, 10, 160, 20)), 40);    // the Chinese caption
    EXPECT_GT(darkPixels(shot, QRect(10, 114, 120, 20)), 40);    // the text box's text
    EXPECT_EQ(QColor(shot.pixel(300, 125)), QColor(Qt::white));  // its empty end
}

}  // namespace
}  // namespace forms_test
