// The windows' own pictures: the table backgrounds, the skinned frame, dialog and window
// backgrounds, small design buttons, and the zoom window backgrounds (JPEG, 870..875).
#include <QLinearGradient>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "picture_set.h"
#include "resources/design_names.h"
#include "style.h"

namespace picgen {
namespace {

using namespace style;
namespace design = resources::design;

const QColor kPanel{44, 30, 20};
const QColor kWoodLight{168, 116, 64};

QImage blank(const design::DesignPicture& picture, QColor fill = Qt::transparent) {
    return canvas(picture.width, picture.height, fill);
}

// The table at design size: felt, a ring where the cards are played, and the bottom panel
// that carries the local player's controls.
void paintTable(QPainter& p, QColor light, QColor dark) {
    const QRectF area(0, 0, 1024, 768);
    paintFelt(p, area, light, dark);
    p.setPen(QPen(QColor(255, 255, 255, 28), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(150, 150, 724, 420), 180, 180);
    p.setPen(QPen(QColor(0, 0, 0, 40), 2));
    p.drawRoundedRect(QRectF(140, 140, 744, 440), 190, 190);
    const QRectF panel(0, 650, 1024, 118);
    QLinearGradient wood(0, panel.top(), 0, panel.bottom());
    wood.setColorAt(0, QColor(96, 64, 36));
    wood.setColorAt(0.08, QColor(70, 46, 26));
    wood.setColorAt(1, kPanel);
    p.fillRect(panel, wood);
    p.fillRect(QRectF(0, 650, 1024, 2), kGold);
}

void drawTables(PictureSet& set) {
    QImage table = blank(design::kTable);
    QPainter p;
    begin(p, table);
    paintTable(p, kFeltLight, kFeltDark);
    p.end();
    set.addDesign(design::kTable.name, table);

    QImage alternative = blank(design::kTableAlternative);
    begin(p, alternative);
    paintTable(p, QColor(40, 96, 150), QColor(16, 40, 76));
    p.end();
    set.addDesign(design::kTableAlternative.name, alternative);

    QImage small = blank(design::kTableSmall);
    begin(p, small);
    p.scale(800.0 / 1024.0, 600.0 / 768.0);
    paintTable(p, kFeltLight, kFeltDark);
    p.end();
    set.addDesign(design::kTableSmall.name, small);
}

// The frame picture: a 20-pixel top band, 8-pixel sides and bottom, cut into slices by the
// frame painter (left 0..8, middle 8..16, right 38..46; top 0..20, bottom 212..220).
void drawFrame(PictureSet& set) {
    QImage skin = blank(design::kSkin, kPanel);
    QPainter p;
    begin(p, skin);
    QLinearGradient band(0, 0, 0, 20);
    band.setColorAt(0, QColor(120, 84, 48));
    band.setColorAt(1, QColor(64, 42, 24));
    p.fillRect(QRectF(0, 0, 46, 20), band);
    p.fillRect(QRectF(0, 19, 46, 1), kGold);
    p.fillRect(QRectF(0, 0, 46, 1), kWoodLight);
    p.fillRect(QRectF(0, 0, 1, 220), kWoodLight);
    p.fillRect(QRectF(45, 0, 1, 220), QColor(20, 12, 8));
    p.fillRect(QRectF(0, 219, 46, 1), QColor(20, 12, 8));
    p.fillRect(QRectF(7, 20, 1, 192), darker(kGold, 0.3));
    p.fillRect(QRectF(38, 20, 1, 192), darker(kGold, 0.3));
    p.fillRect(QRectF(0, 212, 46, 1), darker(kGold, 0.3));
    p.end();
    set.addDesign(design::kSkin.name, skin);

    const auto captionButton = [](bool close, int state) {
        QImage image = canvas(16, 16);
        QPainter q;
        begin(q, image);
        QColor base = close && state > 0 ? QColor(200, 50, 40) : QColor(90, 64, 40);
        if (state == 1) base = lighter(base, 0.25);
        if (state == 2) base = darker(base, 0.3);
        q.setPen(QPen(kGold, 1));
        q.setBrush(base);
        q.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        q.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
        const double shift = state == 2 ? 0.7 : 0;
        if (close) {
            q.drawLine(QPointF(5 + shift, 5 + shift), QPointF(11 + shift, 11 + shift));
            q.drawLine(QPointF(11 + shift, 5 + shift), QPointF(5 + shift, 11 + shift));
        } else {
            q.drawLine(QPointF(4.5 + shift, 11 + shift), QPointF(11.5 + shift, 11 + shift));
        }
        return image;
    };
    set.addDesign(design::kCloseNormal.name, captionButton(true, 0));
    set.addDesign(design::kCloseHover.name, captionButton(true, 1));
    set.addDesign(design::kClosePressed.name, captionButton(true, 2));
    set.addDesign(design::kMinimiseNormal.name, captionButton(false, 0));
    set.addDesign(design::kMinimiseHover.name, captionButton(false, 1));
    set.addDesign(design::kMinimisePressed.name, captionButton(false, 2));

    QImage icon = blank(design::kIcon);
    begin(p, icon);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 2, 2);
    drawSuit(p, 3, QRectF(4, 3.5, 8, 9));
    p.end();
    set.addDesign(design::kIcon.name, icon);
}

QImage woodPanel(int width, int height, double radius = 6) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    QLinearGradient wood(0, 0, 0, height);
    wood.setColorAt(0, kWoodLight);
    wood.setColorAt(1, QColor(92, 60, 32));
    p.setBrush(wood);
    p.setPen(QPen(QColor(60, 38, 20), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1.0, height - 1.0), radius, radius);
    p.setPen(QPen(QColor(255, 230, 170, 90), 1));
    p.drawRoundedRect(QRectF(2, 2, width - 4.0, height - 4.0), radius - 1, radius - 1);
    return image;
}

void drawTableParts(PictureSet& set) {
    QImage clock = blank(design::kClock);
    QPainter p;
    begin(p, clock);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(40, 40, 46, 230));
    p.drawRoundedRect(QRectF(0.5, 0.5, 80, 37), 10, 10);
    p.setBrush(QColor(245, 240, 225));
    p.setPen(QPen(kGold, 2));
    p.drawEllipse(QPointF(22, 19), 13, 13);
    p.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 19), QPointF(22, 11));
    p.drawLine(QPointF(22, 19), QPointF(28, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 10, 12));
    p.drawRoundedRect(QRectF(45, 4, 30, 30), 5, 5);
    p.end();
    set.addDesign(design::kClock.name, clock);

    set.addDesign(design::kBanner.name, woodPanel(398, 50, 8));

    QImage frame = woodPanel(126, 105, 5);
    begin(p, frame);
    p.fillRect(QRectF(5, 5, 116, 95), QColor(12, 12, 16));
    p.end();
    set.addDesign(design::kVideoFrame.name, frame);

    QImage reopen = blank(design::kReopenPane);
    begin(p, reopen);
    p.setBrush(QColor(50, 60, 80));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 16, 14), 3, 3);
    p.setPen(QPen(QColor(225, 230, 240), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 6.5), 3.5, 3.5);
    p.drawLine(QPointF(5, 12), QPointF(11, 12));
    p.end();
    set.addDesign(design::kReopenPane.name, reopen);

    const auto bar = [](const design::DesignPicture& picture) {
        QImage image = blank(picture);
        QPainter q;
        begin(q, image);
        QLinearGradient shade(0, 0, 0, picture.height);
        shade.setColorAt(0, QColor(70, 76, 90));
        shade.setColorAt(1, QColor(30, 32, 40));
        q.fillRect(image.rect(), shade);
        return image;
    };
    set.addDesign(design::kPaneBarLocal.name, bar(design::kPaneBarLocal));
    set.addDesign(design::kPaneBarRemote.name, bar(design::kPaneBarRemote));

    QImage bird = woodPanel(82, 80, 8);
    begin(p, bird);
    QPainterPath wings;
    wings.moveTo(18, 44);
    wings.quadTo(30, 26, 41, 42);
    wings.quadTo(52, 26, 64, 44);
    wings.quadTo(52, 34, 41, 48);
    wings.quadTo(30, 34, 18, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(kCream);
    p.drawPath(wings);
    p.end();
    set.addDesign(design::kBird.name, bird);

    QImage wealth = blank(design::kWealth);
    begin(p, wealth);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(150, 100, 10), 1));
        p.setBrush(kGold);
        p.drawEllipse(QRectF(2, 24 - i * 8, 28, 12));
    }
    p.setFont(font(22));
    shadowedText(p, QRectF(29, 4, 19, 32), QStringLiteral("×"), Qt::white);
    p.end();
    set.addDesign(design::kWealth.name, wealth);

    QImage fanshu = woodPanel(60, 30, 6);
    begin(p, fanshu);
    p.setFont(font(14));
    shadowedText(p, QRectF(0, 0, 60, 30), QStringLiteral("倍数"), kCream);
    p.end();
    set.addDesign(design::kFanshu.name, fanshu);

    QImage shuffle = blank(design::kShuffle);
    begin(p, shuffle);
    p.setPen(QPen(kGold, 2));
    p.setBrush(QColor(20, 30, 24, 235));
    p.drawRoundedRect(QRectF(1, 1, 298, 78), 14, 14);
    p.end();
    set.addDesign(design::kShuffle.name, shuffle);
}

// A window background: a lit wooden board with a title strip and a gold rim.
QImage windowBackground(const design::DesignPicture& picture, const QString& title,
                        QColor tone = QColor(36, 70, 52), double band = 26) {
    QImage image = blank(picture);
    QPainter p;
    begin(p, image);
    const QRectF all(0, 0, picture.width, picture.height);
    QLinearGradient body(0, 0, 0, picture.height);
    body.setColorAt(0, lighter(tone, 0.15));
    body.setColorAt(1, darker(tone, 0.35));
    p.fillRect(all, body);
    QLinearGradient strip(0, 0, 0, band);
    strip.setColorAt(0, QColor(120, 84, 48));
    strip.setColorAt(1, QColor(70, 46, 26));
    p.fillRect(QRectF(0, 0, picture.width, band), strip);
    p.setPen(QPen(kGold, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(1, 1, -1, -1));
    p.drawLine(QPointF(1, band), QPointF(picture.width - 1, band));
    if (!title.isEmpty()) {
        p.setFont(font(band * 0.6));
        shadowedText(p, QRectF(10, 0, picture.width - 20, band), title, kCream,
                     Qt::AlignLeft | Qt::AlignVCenter);
    }
    return image;
}

// A minimise-looking and a close-looking button, each filling its rectangle.
void drawClosingButtons(QImage& image, const QRectF& first, const QRectF& second) {
    QPainter p;
    begin(p, image);
    p.setPen(QPen(kGold, 1));
    p.setBrush(QColor(90, 64, 40));
    p.drawRoundedRect(first.adjusted(0.5, 0.5, -1.5, -1.5), 3, 3);
    p.setBrush(QColor(190, 50, 40));
    p.drawRoundedRect(second.adjusted(0.5, 0.5, -1.5, -1.5), 3, 3);
    p.setPen(QPen(Qt::white, 2));
    const QPointF mid = first.center();
    p.drawLine(QPointF(first.left() + 6, mid.y() + 3), QPointF(first.right() - 7, mid.y() + 3));
    const QRectF cross = second.adjusted(7, 4, -8, -5);
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.topRight(), cross.bottomLeft());
    p.end();
}

void drawWindows(PictureSet& set) {
    set.addDesign(design::kExitDialog.name, windowBackground(design::kExitDialog, "退出"));
    set.addDesign(design::kOtherExitDialog.name,
                  windowBackground(design::kOtherExitDialog, "退出"));
    set.addDesign(design::kReconnectDialog.name,
                  windowBackground(design::kReconnectDialog, "重新连接"));
    set.addDesign(design::kOtherExitOk.name,
                  button(70, 30, QStringLiteral("确定"), {QColor(44, 104, 176)}, 15));
    set.addDesign(design::kOtherExitCancel.name,
                  button(70, 30, QStringLiteral("取消"), {QColor(44, 104, 176)}, 15));
    set.addDesign(design::kSoundSettings.name,
                  windowBackground(design::kSoundSettings, "音效设置"));
    const std::array<std::pair<design::DesignPicture, QString>, 4> options{{
        {design::kSoundOptionMusic, QStringLiteral("背景音乐")},
        {design::kSoundOptionEffects, QStringLiteral("游戏音效")},
        {design::kSoundOptionSound, QStringLiteral("声音语音")},
        {design::kSoundOptionBackground, QStringLiteral("桌面背景")},
    }};
    for (const auto& [picture, words] : options) {
        QImage label = woodPanel(picture.width, picture.height, 6);
        QPainter p;
        begin(p, label);
        p.setFont(font(15));
        shadowedText(p, QRectF(0, 0, picture.width, picture.height), words, kCream);
        p.end();
        set.addDesign(picture.name, label);
    }
    // The score board and the history window close by either of two buttons at their top
    // right, drawn here under the window's transparent button controls.
    QImage score = windowBackground(design::kScoreBoard, "战绩板");
    drawClosingButtons(score, QRectF(592, 8, 25, 25), QRectF(616, 8, 25, 25));
    set.addDesign(design::kScoreBoard.name, score);
    QImage hero = windowBackground(design::kHeroBoard, "英雄榜", QColor(40, 60, 96), 22);
    drawClosingButtons(hero, QRectF(600, 8, 25, 17), QRectF(624, 8, 25, 17));
    set.addDesign(design::kHeroBoard.name, hero);
    set.addDesign(design::kInformationCard.name,
                  windowBackground(design::kInformationCard, "玩家信息"));

    QImage notice = windowBackground(design::kIllegalPlay, "出牌非法", QColor(120, 40, 36), 17);
    QPainter p;
    begin(p, notice);
    // The drawn minimise and close buttons sit under the label that hides the window.
    p.setPen(QPen(kGold, 1));
    p.setBrush(QColor(90, 64, 40));
    p.drawRoundedRect(QRectF(140.5, 2.5, 16, 12), 2, 2);
    p.setBrush(QColor(190, 50, 40));
    p.drawRoundedRect(QRectF(159.5, 2.5, 16, 12), 2, 2);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(144, 11), QPointF(153, 11));
    p.drawLine(QPointF(164, 5), QPointF(171, 12));
    p.drawLine(QPointF(171, 5), QPointF(164, 12));
    p.end();
    set.addDesign(design::kIllegalPlay.name, notice);

    const auto zoomButton = [](int kind) {
        QImage image = canvas(17, 16, QColor(150, 100, 56));
        QPainter q;
        begin(q, image);
        q.setPen(QPen(QColor(90, 58, 30), 1));
        q.setBrush(Qt::NoBrush);
        q.drawRect(QRectF(0.5, 0.5, 16, 15));
        q.setPen(QPen(kCream, 1.6));
        if (kind == 0) {
            q.drawLine(QPointF(5, 4.5), QPointF(12, 11.5));
            q.drawLine(QPointF(12, 4.5), QPointF(5, 11.5));
        } else if (kind == 1) {
            q.drawRect(QRectF(3.5, 5.5, 7, 6));
            q.drawRect(QRectF(6.5, 3.5, 7, 6));
        } else {
            q.drawLine(QPointF(4, 11), QPointF(13, 11));
        }
        return image;
    };
    set.addDesign(design::kZoomClose.name, zoomButton(0));
    set.addDesign(design::kZoomEnlarge.name, zoomButton(1));
    set.addDesign(design::kZoomShrink.name, zoomButton(2));
}

// The chat bubbles: a hard-edged cream bubble on the key colour of the top-left pixel, since
// the bubble window is shaped to everything that differs from it.
void drawSpeakBoxes(PictureSet& set) {
    const QColor key(255, 0, 255);
    const std::array<design::DesignPicture, 5> boxes{design::kSpeakBox0, design::kSpeakBox1,
                                                     design::kSpeakBox2, design::kSpeakBox3,
                                                     design::kSpeakBox4};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const auto& box = boxes[i];
        QImage image = blank(box, key);
        QPainter p(&image);  // no smoothing: edge pixels must not mix with the key colour
        const double w = box.width, h = box.height;
        QPainterPath shape;
        QPolygonF tail;
        QRectF body(2, 2, w - 4, h - 20);
        switch (i) {
            case 1:  // tail to the left
                body = QRectF(18, 2, w - 20, h - 4);
                tail << QPointF(22, h * 0.45) << QPointF(2, h * 0.6) << QPointF(22, h * 0.65);
                break;
            case 2:  // tail up
                body = QRectF(2, 18, w - 4, h - 20);
                tail << QPointF(w * 0.45, 22) << QPointF(w * 0.5, 2) << QPointF(w * 0.6, 22);
                break;
            case 3:  // tail to the right
                body = QRectF(2, 2, w - 20, h - 4);
                tail << QPointF(w - 22, h * 0.45) << QPointF(w - 2, h * 0.6)
                     << QPointF(w - 22, h * 0.65);
                break;
            default:  // tail down at the left
                tail << QPointF(24, h - 22) << QPointF(14, h - 2) << QPointF(46, h - 22);
                break;
        }
        shape.addRoundedRect(body, 16, 16);
        QPainterPath point;
        point.addPolygon(tail);
        shape = shape.united(point);
        p.setPen(QPen(QColor(120, 90, 40), 2));
        p.setBrush(QColor(255, 250, 232));
        p.drawPath(shape);
        p.end();
        set.addDesign(box.name, image);
    }
}

// Zoom window backgrounds: a wooden frame round the video, JPEG pictures.
QImage zoomBackground(int width, int height) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    QLinearGradient wood(0, 0, width, height);
    wood.setColorAt(0, kWoodLight);
    wood.setColorAt(0.5, QColor(126, 82, 44));
    wood.setColorAt(1, QColor(86, 54, 28));
    p.fillRect(image.rect(), wood);
    p.setPen(QPen(QColor(255, 230, 170, 60), 1));
    for (int y = 3; y < height; y += 6)
        p.drawLine(QPointF(0, y), QPointF(width, y + std::sin(y * 0.3) * 2));
    const double margin = std::max(4.0, width * 0.035);
    const double top = std::max(10.0, height * 0.09);
    p.setPen(QPen(kGold, 1.5));
    p.setBrush(QColor(10, 10, 14));
    p.drawRect(QRectF(margin, top, width - 2 * margin, height - top - margin));
    return image;
}

void drawZoomBackgrounds(PictureSet& set) {
    const std::array<QSize, 6> sizes{QSize(175, 138), QSize(276, 215), QSize(434, 341),
                                     QSize(137, 108), QSize(216, 168), QSize(339, 266)};
    for (size_t i = 0; i < sizes.size(); ++i)
        set.addJpeg(870 + int(i), zoomBackground(sizes[i].width(), sizes[i].height()));
}

}  // namespace

void drawDesigns(PictureSet& set) {
    drawTables(set);
    drawFrame(set);
    drawTableParts(set);
    drawWindows(set);
    drawSpeakBoxes(set);
    drawZoomBackgrounds(set);
}

}  // namespace picgen
