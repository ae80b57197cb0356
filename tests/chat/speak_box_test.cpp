#include "chat/speak_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPainter>

#include "chat/bubble_shape.h"
#include "chat_table.h"
#include "connection/client_loading.h"
#include "platform/forms/render.h"

namespace chat_test {
namespace {

using chat::frmSpeakBox;
using ::testing::ElementsAre;

// A picture from rows of characters: '.' the see-through colour, anything else opaque; 'o' has
// the see-through colour too (a hole inside the bubble).
QImage PictureOf(const std::vector<std::string>& rows) {
    const int w = int(rows.front().size());
    QImage image(w, int(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (const std::string& row : rows) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(
                x, y, row[x] == '.' || row[x] == 'o' ? qRgb(255, 0, 255) : qRgb(250, 240, 200));
        }
        ++y;
    }
    return image;
}

struct RunsCase {
    const char* name;
    std::vector<std::string> rows;
    std::vector<QRect> runs;
};

class BubbleRuns : public ::testing::TestWithParam<RunsCase> {};

TEST_P(BubbleRuns, AreTheRowsStretchesThatAreNotSeeThrough) {
    EXPECT_EQ(chat::OpaqueRuns(PictureOf(GetParam().rows), qRgb(255, 0, 255)), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BubbleRuns,
    ::testing::Values(
        RunsCase{"AllSeeThrough", {"....", "...."}, {}},
        RunsCase{"ARunInTheMiddle", {".##.", "...."}, {QRect(1, 0, 2, 1)}},
        RunsCase{"TheLastColumnBelongs", {"..##", "...#"}, {QRect(2, 0, 2, 1), QRect(3, 1, 1, 1)}},
        RunsCase{"AHoleOfTheKeyColourSplitsARun",
                 {"#####", "##o##"},
                 {QRect(0, 0, 5, 1), QRect(0, 1, 2, 1), QRect(3, 1, 2, 1)}},
        RunsCase{"AWholeRow", {"###"}, {QRect(0, 0, 3, 1)}}),
    [](const ::testing::TestParamInfo<RunsCase>& info) { return info.param.name; });

class SpeechBubbles : public ChatTable {
  protected:
    SpeechBubbles() {
        table().move(1500, 900, 15600, 11940);
        table().Pic1.move(30, 300, 15360, 11520);
    }
    frmSpeakBox& bubble(int seat) {
        chat::InitSpeakBox(c, std::int16_t(seat));
        frmSpeakBox* box = chat::FindSpeakBox(c, seat);
        EXPECT_NE(box, nullptr);
        return *box;
    }
    static void say(frmSpeakBox& box, int seat, const QString& phrase) {
        box.setVisible(true);
        box.showMe(std::int16_t(seat), phrase, 210, 8, 4, 2000);
    }
};

TEST_F(SpeechBubbles, AreShapedToThePicturesOpaquePixels) {
    const QSize sizes[4] = {{174, 92}, {208, 104}, {208, 104}, {198, 92}};
    for (int seat = 0; seat < 4; ++seat) {
        frmSpeakBox& box = bubble(seat);
        const QImage picture = box.imgSpeakBox[seat].picture().image();
        ASSERT_EQ(picture.size(), sizes[seat]);
        EXPECT_FLOAT_EQ(box.width(), sizes[seat].width() * 15.0f);
        EXPECT_FLOAT_EQ(box.height(), sizes[seat].height() * 15.0f);
        ASSERT_TRUE(box.region());
        const QRgb key = picture.pixel(0, 0);
        int inside = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool opaque = (picture.pixel(x, y) & RGB_MASK) != (key & RGB_MASK);
                ASSERT_EQ(box.region()->contains(QPoint(x, y)), opaque)
                    << seat << " " << x << "," << y;
                inside += opaque;
            }
        }
        EXPECT_GT(inside, picture.width() * picture.height() / 2) << "a bubble, not a sliver";
        EXPECT_TRUE(box.picSplash.picture().isEmpty()) << "emptied once shaped";
        EXPECT_EQ(box.tag(), QString::number(seat) + "speak");
        EXPECT_EQ(box.caption(), "speakbox");
        EXPECT_TRUE(box.topmost());
        EXPECT_TRUE(box.visible());
        EXPECT_EQ(box.labPhrase.caption(), "  ");
    }
    EXPECT_EQ(chat::OpenSpeakBoxes(c).size(), 4u);
}

TEST_F(SpeechBubbles, ASeatGetsOneWindowOnly) {
    frmSpeakBox& first = bubble(2);
    chat::InitSpeakBox(c, 2);
    EXPECT_EQ(chat::OpenSpeakBoxes(c).size(), 1u);
    frmSpeakBox extra(c.forms, c);
    EXPECT_FALSE(chat::MakeSpeakBoxShape(extra, 2, 0));
    EXPECT_TRUE(extra.tag().isEmpty()) << "the new window is left untouched";
    EXPECT_EQ(chat::FindSpeakBox(c, 2), &first);
}

TEST_F(SpeechBubbles, AGivenSeeThroughColourShapesByIt) {
    frmSpeakBox box(c.forms, c);
    // The bubble's cream body as the see-through colour: only the outline and the key remain.
    const QImage picture = box.imgSpeakBox[0].picture().image();
    const QRgb body = picture.pixel(picture.width() / 2, picture.height() / 3);
    ASSERT_TRUE(chat::MakeSpeakBoxShape(box, 0, std::int32_t(forms::fromQColor(QColor(body)))));
    ASSERT_TRUE(box.region());
    EXPECT_TRUE(box.region()->contains(QPoint(0, 0)));
    EXPECT_FALSE(box.region()->contains(QPoint(picture.width() / 2, picture.height() / 3)));
}

TEST_F(SpeechBubbles, FadeInHoldAndFadeOutOnTheTimer) {
    frmSpeakBox& box = bubble(1);
    say(box, 1, u"快点吧"_qs);
    std::vector<int> alphas;
    for (int tick = 1; tick <= 330; ++tick) {
        advance(16);
        alphas.push_back(box.alpha().value_or(-1));
        if (tick == 328) {
            EXPECT_TRUE(box.tmrFadeIn.enabled());
            EXPECT_EQ(box.labPhrase.caption(), u"快点吧"_qs);
        }
    }
    for (int t = 1; t <= 26; ++t) ASSERT_EQ(alphas[t - 1], 8 * t) << "tick " << t;
    for (int t = 27; t <= 276; ++t) ASSERT_EQ(alphas[t - 1], 208) << "tick " << t;
    for (int t = 277; t <= 328; ++t) ASSERT_EQ(alphas[t - 1], 210 - 4 * (t - 276)) << "tick " << t;
    EXPECT_EQ(alphas[328], 2) << "-2 is not applied";
    EXPECT_FALSE(box.tmrFadeIn.enabled());
    EXPECT_EQ(box.labPhrase.caption(), "");
    EXPECT_FLOAT_EQ(box.left(), -2 * box.width()) << "parked to the left";
}

TEST_F(SpeechBubbles, BubblesOfDifferentSeatsFadeIndependently) {
    frmSpeakBox& left = bubble(1);
    frmSpeakBox& right = bubble(3);
    say(left, 1, "a");
    advance(16 * 10);
    say(right, 3, "b");
    advance(16 * 5);
    EXPECT_EQ(left.alpha(), 8 * 15);
    EXPECT_EQ(right.alpha(), 8 * 5);
    advance(16 * 330);
    EXPECT_FLOAT_EQ(left.left(), -2 * left.width());
    EXPECT_FLOAT_EQ(right.top(), -2 * right.height()) << "the upper seats park above";
}

// Where each seat's bubble stands: as made, and when it speaks.
struct PlaceCase {
    int seat;
    float scale;
};

class BubblePlaces : public SpeechBubbles, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(BubblePlaces, FollowTheTableWindowAndTheScale) {
    const auto [seat, k] = GetParam();
    s.g_fScaleX = s.g_fScaleY = k;
    frmSpeakBox& box = bubble(seat);
    const float W = box.width(), H = box.height();
    const float side = 900 + 300 + 0.11f * 11520 + 80 * k;
    const QPointF made[4] = {{-W, 900 + 8550 * k},
                             {-W - 400 * k, side},
                             {1500 + 6150 * k, -H},
                             {1500 + 10775 * k, side}};
    const QPointF label[4] = {
        {260 * k, 190 * k}, {510 * k, 665 * k}, {450 * k, 620 * k}, {430 * k, 705 * k}};
    const QPointF speaking[4] = {{1500 + 1500 * k, 900 + 8550 * k},
                                 {1500 + 650 * k, side},
                                 {1500 + 6150 * k, 900 + 1050 * k},
                                 {1500 + 10775 * k, side}};
    EXPECT_FLOAT_EQ(box.left(), float(made[seat].x()));
    EXPECT_FLOAT_EQ(box.top(), float(made[seat].y()));
    EXPECT_FLOAT_EQ(box.labPhrase.left(), float(label[seat].x()));
    EXPECT_FLOAT_EQ(box.labPhrase.top(), float(label[seat].y()));
    say(box, seat, "x");
    EXPECT_FLOAT_EQ(box.left(), float(speaking[seat].x()));
    EXPECT_FLOAT_EQ(box.top(), float(speaking[seat].y()));
    // The table window was dragged: the next phrase follows it.
    table().move(3000, 600);
    say(box, seat, "y");
    EXPECT_FLOAT_EQ(box.left(), float(speaking[seat].x()) + 1500);
}

INSTANTIATE_TEST_SUITE_P(Seats, BubblePlaces,
                         ::testing::Values(PlaceCase{0, 1.0f}, PlaceCase{1, 1.0f},
                                           PlaceCase{2, 1.0f}, PlaceCase{3, 1.0f},
                                           PlaceCase{0, 0.78125f}, PlaceCase{1, 0.78125f},
                                           PlaceCase{2, 0.78125f}, PlaceCase{3, 0.78125f}),
                         [](const ::testing::TestParamInfo<PlaceCase>& info) {
                             return "Seat" + std::to_string(info.param.seat) +
                                    (info.param.scale < 1 ? "Small" : "Full");
                         });

TEST_F(SpeechBubbles, MinimisingHidesThemAndRestoringResetsThem) {
    frmSpeakBox& box = bubble(2);
    say(box, 2, "x");
    advance(16 * 5);
    table().setWindowState(forms::WindowState::Minimized);
    EXPECT_FALSE(box.visible());
    EXPECT_TRUE(box.tmrFadeIn.enabled()) << "the fade goes on, unseen";
    table().setWindowState(forms::WindowState::Normal);
    EXPECT_FALSE(box.visible());
    EXPECT_FALSE(box.tmrFadeIn.enabled());
    EXPECT_EQ(box.alpha(), 0);
    EXPECT_TRUE(box.topmost());
    say(box, 2, "again");
    EXPECT_TRUE(box.visible());
}

TEST_F(SpeechBubbles, RenderAsShapedBubblesWithThePhrase) {
    support::ensureApplication();
    for (int seat = 0; seat < 4; ++seat) {
        frmSpeakBox& box = bubble(seat);
        say(box, seat, u"快点吧，我等得花儿都谢了！"_qs);
        // As the screen shows it: nothing outside the window's shape.
        QImage image = forms::renderWindow(box).convertToFormat(QImage::Format_ARGB32);
        ASSERT_TRUE(box.region());
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!box.region()->contains(QPoint(x, y))) image.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
        const QString path = QString::fromStdString(
            (harness.folder / ("bubble" + std::to_string(seat) + ".png")).string());
        ASSERT_TRUE(image.save(path));
        if (const char* keep = std::getenv("KORVASH_KEEP_PNG")) {
            image.save(QString::fromUtf8(keep) + "/bubble" + QString::number(seat) + ".png");
        }
        // The phrase is drawn in the bubble's body: dark pixels around the label.
        const QRect labelRect = box.labPhrase.rectInForm().toRect();
        int dark = 0;
        for (int y = labelRect.top(); y < labelRect.bottom() && y < image.height(); ++y) {
            for (int x = labelRect.left(); x < labelRect.right() && x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 128;
            }
        }
        EXPECT_GT(dark, 20) << "seat " << seat;
    }
}

}  // namespace
}  // namespace chat_test
