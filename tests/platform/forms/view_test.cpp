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
    table.cardImage0[0].move(100.4f, 523.2f, 90, 120);
    table.cardImage0.load(1);  // appears in the view, hidden
    table.show();
    EXPECT_EQ(view->windowTitle(), "Korvash");
    EXPECT_EQ(view->widgetFor(table.cardImage0[0])->geometry(), QRect(100, 523, 90, 120));
    EXPECT_EQ(table.cardImage0[0].top(), 523.2f);  // the view rounds, the model keeps
    ASSERT_NE(view->widgetFor(table.cardImage0[1]), nullptr);
    EXPECT_TRUE(view->widgetFor(table.cardImage0[1])->isHidden());
    EXPECT_EQ(view->widgetFor(table.cardImage0[1])->parentWidget(), view->widgetFor(table.Pic1));
    EXPECT_EQ(view->size(), QSize(400, 300));
    EXPECT_TRUE(view->isVisible());

    table.cardImage0.unload(1);
    table.hide();
    EXPECT_FALSE(view->isVisible());
}

// A window whose pane holds a windowed text box above windowless images.
class StackedPane : public forms::Form {
  public:
    explicit StackedPane(forms::Forms& forms) : Form(forms) {
        move(0, 0, 3000, 3000);
        Pane.move(0, 0, 3000, 3000);
        Entry.move(0, 0, 1500, 450);
    }

    forms::PictureBox Pane{*this, "Pane"};
    forms::ControlArray<forms::Image> Card{Pane, "Card"};
    forms::TextBox Entry{Pane, "Entry"};
};

// The widgets under a parent, bottom first, as the names of their controls.
std::vector<std::string> widgetStack(const forms::FormView& view, const forms::Container& pane,
                                     const QWidget& parent) {
    std::vector<std::string> names;
    for (QObject* child : parent.children()) {
        for (const forms::Control* control : pane.children()) {
            if (view.widgetFor(*control) == child) names.push_back(control->name().toStdString());
        }
    }
    return names;
}

// Widgets stack as the model orders its controls, also for controls loaded after the view was
// made: a windowless one goes under the windowed ones, and a new order reaches the widgets.
TEST_F(ViewTest, WidgetsStackInTheModelsOrder) {
    auto& window = forms.create<StackedPane>();
    forms::attachView(window);
    auto* view = dynamic_cast<forms::FormView*>(window.view());
    ASSERT_NE(view, nullptr);
    const QWidget& pane = *view->widgetFor(window.Pane);

    window.Card.load(1);
    window.Card.load(2);
    EXPECT_EQ(widgetStack(*view, window.Pane, pane),
              (std::vector<std::string>{"Card", "Card", "Card", "Entry"}));
    EXPECT_EQ(pane.children().back(), view->widgetFor(window.Entry));
    window.Card[1].zOrder(1);  // to the bottom of its layer
    EXPECT_EQ(pane.children().front(), view->widgetFor(window.Card[1]));
    EXPECT_EQ(pane.children().back(), view->widgetFor(window.Entry));
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
