#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/forms/picture.h"
#include "platform/runtime/scheduler.h"
#include "sample_windows.h"
#include "test_pictures.h"

namespace forms_test {
namespace {

using platform::RuntimeFailure;

class ControlsTest : public ::testing::Test {
  protected:
    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    forms::Forms forms{scheduler};
    EventLog log;
    TableWindow& table = forms.create<TableWindow>(log);
    std::filesystem::path folder = testFolder(
        QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(ControlsTest, PositionsAreKeptExactlyAsSet) {
    forms::Image& card = table.cardImage0[0];
    for (float value : {523.2f, 234.375f, 758.25f, 3234.375f, 0.1f, -0.5f}) {
        card.setTop(value);
        card.setLeft(value);
        table.setLeft(value);
        EXPECT_EQ(card.top(), value);
        EXPECT_EQ(card.left(), value);
        EXPECT_EQ(table.left(), value);
    }
    card.move(12.5f, 523.2f);
    EXPECT_EQ(card.width(), 40.0f);  // Move keeps what it is not given
    EXPECT_EQ(card.top(), 523.2f);
    EXPECT_THROW(card.setWidth(-1), RuntimeFailure);
    EXPECT_THROW(table.setHeight(-1), RuntimeFailure);
}

TEST_F(ControlsTest, ArrayMembersLoadedAtRunTimeAreHiddenCopiesOfElementZero) {
    forms::Image& first = table.cardImage0[0];
    first.setPicture(forms::Picture(QImage(30, 40, QImage::Format_RGB32)));
    first.setStretch(true);
    first.move(100, 523.2f, 90, 120);
    first.setToolTipText("tip");
    first.setMousePointer(forms::pointer::Custom);

    table.cardImage0.load(5);
    const forms::Image& copy = table.cardImage0[5];
    EXPECT_FALSE(copy.visible());
    EXPECT_TRUE(first.visible());
    EXPECT_TRUE(copy.picture().sameAs(first.picture()));
    EXPECT_TRUE(copy.stretch());
    EXPECT_EQ(copy.top(), 523.2f);
    EXPECT_EQ(copy.width(), 90.0f);
    EXPECT_EQ(copy.toolTipText(), "tip");
    EXPECT_EQ(copy.mousePointer(), forms::pointer::Custom);
    EXPECT_EQ(copy.index(), 5);
    EXPECT_EQ(table.Pic1.children().back(), &copy);  // the newest lies on top
    EXPECT_EQ(table.cardImage0.ubound(), 5);
    EXPECT_EQ(table.cardImage0.count(), 2);

    table.cardImage0.unload(5);
    EXPECT_FALSE(table.cardImage0.exists(5));
    EXPECT_EQ(table.Pic1.children().size(), 2u);  // element 0 and the name label
}

TEST_F(ControlsTest, ControlArrayMisuseIsARunTimeFailure) {
    table.cardImage0.load(1);
    EXPECT_THROW(table.cardImage0[2], RuntimeFailure);
    EXPECT_THROW(table.cardImage0.load(1), RuntimeFailure);
    EXPECT_THROW(table.cardImage0.unload(0), RuntimeFailure);  // from the design
    EXPECT_THROW(table.cardImage0.unload(7), RuntimeFailure);
}

// Buttons spread over a row of bars, four to a bar, as one array.
class BarsWindow : public forms::Form {
  public:
    explicit BarsWindow(forms::Forms& forms) : Form(forms) {
        for (int k = 0; k < 2; ++k) Bar[k].setScaleMode(forms::ScaleMode::Pixels);
    }
    forms::ControlArray<forms::PictureBox> Bar{*this, "Bar", {0, 1}};
    forms::ControlArray<forms::Image> Key{
        "Key", {0, 1, 2, 3, 4, 5, 6, 7}, [this](int k) -> forms::Container& { return Bar[k / 4]; }};
};

TEST_F(ControlsTest, AnArrayCanPlaceItsDesignMembersInSeveralContainers) {
    auto& bars = forms.create<BarsWindow>();
    bars.Bar[1].move(1500, 0, 1200, 300);  // twips: 100 pixels in
    bars.Key[5].move(8, 2, 16, 14);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(bars.Key[k].container(), &bars.Bar[k / 4]) << "key " << k;
        EXPECT_EQ(bars.Key[k].index(), k);
    }
    EXPECT_EQ(bars.Bar[0].children().size(), 4u);
    // Pixels of its own bar, which lies in the window's twips.
    EXPECT_EQ(bars.Key[5].rectInForm().topLeft(), QPointF(108, 2));
    // A member made at run time is a copy of the lowest member and joins that member's bar.
    bars.Key.load(8);
    EXPECT_EQ(bars.Key[8].container(), &bars.Bar[0]);
    std::vector<int> clicked;
    bars.Key.onClick = [&](int index) { clicked.push_back(index); };
    bars.Key[6].onClick.raise();
    EXPECT_EQ(clicked, std::vector<int>{6});
}

TEST_F(ControlsTest, AnImageWithoutStretchTakesItsPicturesSize) {
    const forms::Picture picture(QImage(73, 97, QImage::Format_RGB32));
    forms::Image& inPixels = table.cardImage0[0];
    forms::Image inTwips(table, "onTheWindow");
    for (forms::Image* image : {&inPixels, &inTwips}) image->move(0, 0, 10, 10);

    inPixels.setStretch(true);
    inPixels.setPicture(picture);
    EXPECT_EQ(inPixels.width(), 10.0f);  // stretched: keeps its size
    inPixels.setStretch(false);
    EXPECT_EQ(inPixels.width(), 73.0f);
    EXPECT_EQ(inPixels.height(), 97.0f);

    inTwips.setPicture(picture);
    EXPECT_EQ(inTwips.width(), 73.0f * 15);
    EXPECT_EQ(inTwips.height(), 97.0f * 15);

    inTwips.setPicture(forms::loadPicture());  // the empty picture keeps the size
    EXPECT_TRUE(inTwips.picture().isEmpty());
    EXPECT_EQ(inTwips.width(), 73.0f * 15);
}

// A path as the system names a file (what a mapped Windows path is).
std::filesystem::path systemPath(const QString& path) {
    return path.toStdString();
}

TEST_F(ControlsTest, PicturesAreRecognisedByContentNotByName) {
    const QString gif = writeFile(folder, "tmp18.jpg", makeGif({73, 97}, Qt::red));
    const QString jpeg = writeFile(folder, "tmp870.GIF", makeJpeg({40, 20}, Qt::blue));
    const forms::Picture fromGif = forms::loadPicture(gif);
    const forms::Picture fromJpeg = forms::loadPicture(jpeg);
    EXPECT_EQ(fromGif.size(), QSize(73, 97));
    EXPECT_EQ(QColor(fromGif.image().pixel(10, 10)), QColor(Qt::red));
    EXPECT_EQ(fromJpeg.size(), QSize(40, 20));
    // A file named as the system names it (a mapped Windows path) loads the same.
    EXPECT_EQ(forms::loadPicture(systemPath(jpeg)).size(), QSize(40, 20));
}

TEST_F(ControlsTest, AFailedLoadThrowsAndTheControlKeepsItsPicture) {
    forms::Image& card = table.cardImage0[0];
    card.setPicture(forms::loadPicture(writeFile(folder, "good.gif", makeGif({8, 8}, Qt::green))));
    const forms::Picture before = card.picture();
    const QString cases[] = {
        QString::fromStdString((folder / "missing.gif").string()),
        QString::fromStdString(folder.string()),  // a folder opens, but is no file
        writeFile(folder, "garbage.gif", QByteArray("GIF89a this is not a picture")),
        writeFile(folder, "empty.gif", QByteArray()),
        writeFile(folder, "png.gif", makePng({8, 8}, Qt::red)),
        writeFile(folder, "cut.gif", makeGif({8, 8}, Qt::red).left(20)),
    };
    for (const QString& path : cases) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_THROW(card.setPicture(forms::loadPicture(path)), RuntimeFailure);
        EXPECT_THROW(card.setPicture(forms::loadPicture(systemPath(path))), RuntimeFailure);
        EXPECT_TRUE(card.picture().sameAs(before));
    }
}

// The program's own pictures: the size is known at once, the image comes with the first look and
// is the same one every later look (and every copy) gets.
TEST_F(ControlsTest, BuiltInPicturesKnowTheirSizeAtOnceAndDecodeOnFirstLook) {
    const QByteArray cases[] = {makeGif({73, 97}, Qt::red), makeJpeg({40, 20}, Qt::red)};
    for (const QByteArray& data : cases) {
        const forms::Picture eager = forms::Picture::fromData(data);
        const forms::Picture lazy = forms::Picture::fromEmbedded(data);
        const forms::Picture copy = lazy;
        EXPECT_EQ(lazy.size(), eager.size());
        EXPECT_TRUE(copy.sameAs(lazy));
        EXPECT_FALSE(lazy.sameAs(eager));
        EXPECT_EQ(lazy.image(), eager.image());
        EXPECT_EQ(&copy.image(), &lazy.image());
        // Another picture of the same bytes is not decoded again.
        EXPECT_EQ(forms::Picture::fromEmbedded(data).image().constBits(), lazy.image().constBits());
    }
    // Not a picture by its header: refused at once. A body that does not decode shows empty.
    EXPECT_THROW(forms::Picture::fromEmbedded(makePng({8, 8}, Qt::red)), RuntimeFailure);
    EXPECT_THROW(forms::Picture::fromEmbedded(QByteArray()), RuntimeFailure);
    const forms::Picture cut = forms::Picture::fromEmbedded(makeGif({8, 8}, Qt::red).left(20));
    EXPECT_EQ(cut.size(), QSize(8, 8));
    EXPECT_EQ(cut.image().size(), QSize(8, 8));
    EXPECT_EQ(cut.image().pixel(3, 3), 0u);
}

// The same bytes decode once per process, yet every load is a picture of its own, a file
// rewritten between loads gives its new pixels, and bytes that failed (or showed empty as a
// built-in picture) fail again.
TEST_F(ControlsTest, ReloadedPicturesAreObjectsOfTheirOwnWithTheFileAsItIsNow) {
    const QString path = writeFile(folder, "again.gif", makeGif({9, 7}, Qt::red));
    const forms::Picture first = forms::loadPicture(path);
    const forms::Picture second = forms::loadPicture(path);
    EXPECT_FALSE(first.sameAs(second));
    EXPECT_EQ(first.image(), second.image());
    EXPECT_EQ(forms::Picture::fromEmbedded(makeGif({9, 7}, Qt::red)).image(), first.image());

    writeFile(folder, "again.gif", makeGif({9, 7}, Qt::blue));
    EXPECT_EQ(QColor(forms::loadPicture(path).image().pixel(4, 4)), QColor(Qt::blue));

    const QByteArray cut = makeGif({9, 7}, Qt::green).left(20);
    EXPECT_EQ(forms::Picture::fromEmbedded(cut).image().pixel(4, 4), 0u);
    writeFile(folder, "again.gif", cut);
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_THROW(forms::loadPicture(path), RuntimeFailure) << attempt;
}

TEST_F(ControlsTest, APictureBoxPaintsOverItsPictureAndClearsBackToIt) {
    forms::PictureBox& box = table.Pic1;
    box.setPicture(forms::loadPicture(writeFile(folder, "back.gif", makeGif({20, 20}, Qt::red))));
    const forms::Picture blue(QImage(QSize(4, 4), QImage::Format_RGB32));
    QImage blueImage(4, 4, QImage::Format_RGB32);
    blueImage.fill(Qt::blue);
    box.paintPicture(forms::Picture(blueImage), 2, 2);
    EXPECT_EQ(box.point(3, 3), forms::fromQColor(Qt::blue));
    EXPECT_EQ(box.point(0, 0), forms::fromQColor(Qt::red));
    box.cls();
    EXPECT_EQ(box.point(3, 3), forms::fromQColor(Qt::red));
    box.setPicture({});
    EXPECT_EQ(box.point(3, 3), std::nullopt);

    box.setAutoSize(true);
    box.setPicture(forms::Picture(QImage(64, 48, QImage::Format_RGB32)));
    EXPECT_EQ(box.width(), 64.0f * 15);  // the box lies on the window, in twips
}

// A surface painted on over and over keeps its drawing bounded by flattening older strokes; what
// it shows must not change when that happens: the latest stroke over a pixel wins.
TEST_F(ControlsTest, ManyPaintsOverAPictureShowTheLatestStrokeAtEachPixel) {
    forms::PictureBox& box = table.Pic1;
    box.setPicture(forms::loadPicture(writeFile(folder, "back.gif", makeGif({20, 20}, Qt::red))));
    const QColor colours[] = {Qt::blue, Qt::green, Qt::yellow};
    const auto dot = [](QColor colour) {
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(colour);
        return forms::Picture(image);
    };
    constexpr int kStrokes = 150;  // well past any flattening
    for (int i = 0; i < kStrokes; ++i) box.paintPicture(dot(colours[i % 3]), float(i % 20), 1);

    const QImage shown = box.surface().image();
    for (int x = 0; x < 20; ++x) {
        int last = x;
        while (last + 20 < kStrokes) last += 20;
        const auto expected = forms::fromQColor(colours[last % 3]);
        EXPECT_EQ(box.point(float(x), 1), expected) << "x " << x;
        EXPECT_EQ(forms::fromQColor(QColor(shown.pixel(x, 1))), expected) << "x " << x;
    }
    EXPECT_EQ(box.point(3, 5), forms::fromQColor(Qt::red));
    box.cls();
    EXPECT_EQ(box.point(3, 1), forms::fromQColor(Qt::red));
}

TEST_F(ControlsTest, LabelsKeepTheirLookAndCanSizeToTheirText) {
    forms::Label& label = table.Nid;
    label.setForeColor(65280);
    label.setFontSize(13.5f);
    label.setFontBold(true);
    label.setAlignment(forms::Alignment::Center);
    EXPECT_EQ(label.foreColor(), 65280u);
    EXPECT_EQ(label.fontSize(), 13.5f);
    EXPECT_THROW(label.setForeColor(0x01000000), RuntimeFailure);
    EXPECT_THROW(label.setFontSize(0), RuntimeFailure);

    label.setAutoSize(true);
    label.setCaption("短");
    const float narrow = label.width();
    label.setCaption("长一些的名字");
    EXPECT_GT(label.width(), narrow);
    EXPECT_GT(label.height(), 0.0f);
}

TEST_F(ControlsTest, ATextBoxRaisesChangeWhenItsTextChanges) {
    table.Chat.setText("hello");
    table.Chat.setText("hello");
    table.Chat.setText("");
    EXPECT_THAT(log, ::testing::ElementsAre("Form_Load", "Chat_Change(hello)", "Chat_Change()"));
}

TEST_F(ControlsTest, AListBoxKeepsItsLinesAndRaisesClickOnANewSelection) {
    forms::ListBox& list = table.Sysmsg;
    list.addItem("b");
    list.addItem("a", 0);
    list.addItem("c");
    EXPECT_EQ(list.listCount(), 3);
    EXPECT_EQ(list.list(0), "a");
    EXPECT_EQ(list.list(3), "");  // past the end reads empty
    list.setListIndex(2);
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1);  // follows its line
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    list.setTopIndex(0);
    list.clear();
    EXPECT_EQ(list.listCount(), 0);
    EXPECT_THAT(log, ::testing::ElementsAre("Form_Load", "Sysmsg_Click(2)"));

    list.addItem("x");
    struct Misuse {
        const char* name;
        std::function<void()> act;
    };
    const Misuse misuses[] = {
        {"ListIndex past the end", [&] { list.setListIndex(1); }},
        {"ListIndex below -1", [&] { list.setListIndex(-2); }},
        {"RemoveItem past the end", [&] { list.removeItem(1); }},
        {"AddItem past the end", [&] { list.addItem("y", 2); }},
        {"TopIndex past the end", [&] { list.setTopIndex(1); }},
        {"List set past the end", [&] { list.setList(1, "y"); }},
    };
    for (const Misuse& misuse : misuses) {
        SCOPED_TRACE(misuse.name);
        EXPECT_THROW(misuse.act(), RuntimeFailure);
    }
}

}  // namespace
}  // namespace forms_test
