// Declaration bubbles, badge plates, ready marks, place badges and the twenty avatars.
#include <QLinearGradient>
#include <QRadialGradient>
#include <array>

#include "picture_set.h"
#include "style.h"

namespace picgen {
namespace {

using namespace style;

enum class Tail { LowerLeft, UpperLeft, UpperRight };

// A 91 x 116 speech bubble with its word; the tail points at the seat that spoke.
QImage bubble(const QString& word, Tail tail, QColor ink) {
    constexpr int kWidth = 91, kHeight = 116;
    QImage image = canvas(kWidth, kHeight);
    QPainter p;
    begin(p, image);
    const bool tailUp = tail != Tail::LowerLeft;
    const QRectF body(2, tailUp ? 24 : 2, kWidth - 4, kHeight - 28);
    QPainterPath shape;
    shape.addRoundedRect(body, 26, 26);
    QPainterPath point;
    if (tail == Tail::LowerLeft) {
        point.moveTo(18, body.bottom() - 8);
        point.lineTo(8, kHeight - 2);
        point.lineTo(40, body.bottom() - 4);
    } else if (tail == Tail::UpperLeft) {
        point.moveTo(18, body.top() + 8);
        point.lineTo(8, 2);
        point.lineTo(40, body.top() + 4);
    } else {
        point.moveTo(kWidth - 18, body.top() + 8);
        point.lineTo(kWidth - 8, 2);
        point.lineTo(kWidth - 40, body.top() + 4);
    }
    point.closeSubpath();
    shape = shape.united(point);
    QLinearGradient shade(0, body.top(), 0, body.bottom());
    shade.setColorAt(0, QColor(255, 255, 250));
    shade.setColorAt(1, QColor(250, 236, 190));
    p.setBrush(shade);
    p.setPen(QPen(darker(ink, 0.2), 2.5));
    p.drawPath(shape);
    const double size = word.size() == 1 ? 46 : 30;
    p.setFont(font(size));
    p.setPen(ink);
    p.drawText(body, Qt::AlignCenter, word);
    return image;
}

void drawBubbles(PictureSet& set) {
    const std::array<QString, 9> words{
        QStringLiteral("宣"),   QStringLiteral("揣"),   QStringLiteral("蹭"),
        QStringLiteral("平打"), QStringLiteral("反揣"), QStringLiteral("跟揣"),
        QStringLiteral("放弃"), QStringLiteral("包打"), QStringLiteral("过")};
    const std::array<Tail, 3> tails{Tail::LowerLeft, Tail::UpperLeft, Tail::UpperRight};
    for (size_t k = 0; k < words.size(); ++k) {
        const QColor ink = k == 8 ? QColor(40, 90, 150) : kCardRed;
        for (size_t t = 0; t < tails.size(); ++t)
            set.addGif(450 + 3 * int(k) + int(t), bubble(words[k], tails[t], ink));
    }
    // The bomb bubbles; 477 keeps the set of three complete for the local seat.
    for (size_t t = 0; t < tails.size(); ++t)
        set.addGif(477 + int(t), bubble(QStringLiteral("炮"), tails[t], QColor(200, 60, 0)));
}

QImage plate(int width, int height, const QString& words, QColor base, QColor ink) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0, lighter(base, 0.35));
    shade.setColorAt(1, darker(base, 0.2));
    p.setBrush(shade);
    p.setPen(QPen(kGold, 2));
    p.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 6, 6);
    p.setFont(font(height * 0.5));
    shadowedText(p, QRectF(0, 0, width, height), words, ink);
    return image;
}

void drawBadges(PictureSet& set) {
    set.addGif(480, plate(80, 40, QStringLiteral("被包打"), QColor(150, 30, 30), kCream));
    set.addGif(481, plate(80, 40, QStringLiteral("甩牌"), QColor(40, 80, 150), kCream));
    // Ready marks by the player's wealth: bronze, silver, gold.
    const std::array<QColor, 3> metals{QColor(176, 110, 60), QColor(150, 160, 175),
                                       QColor(214, 168, 40)};
    for (int i = 0; i < 3; ++i)
        set.addGif(280 + i, plate(70, 29, QStringLiteral("准备"), metals[size_t(i)], Qt::white));
    const std::array<QString, 3> places{QStringLiteral("第一名"), QStringLiteral("第二名"),
                                        QStringLiteral("第三名")};
    const std::array<QColor, 3> placeColours{QColor(200, 40, 40), QColor(220, 120, 20),
                                             QColor(60, 110, 180)};
    for (int i = 0; i < 3; ++i)
        set.addGif(360 + i, plate(70, 29, places[size_t(i)], placeColours[size_t(i)], kCream));
}

// Avatars 240..249 are men, 250..259 women: a head and shoulders before a coloured ground.
QImage avatar(int number) {
    constexpr int kWidth = 85, kHeight = 90;
    const bool woman = number >= 10;
    const int n = number % 10;
    static const std::array<QColor, 10> grounds{
        QColor(90, 140, 200),  QColor(120, 180, 120), QColor(210, 160, 90),  QColor(160, 110, 190),
        QColor(90, 170, 170),  QColor(200, 110, 110), QColor(130, 130, 170), QColor(180, 170, 90),
        QColor(100, 150, 110), QColor(170, 120, 90)};
    static const std::array<QColor, 4> skins{QColor(250, 220, 190), QColor(238, 200, 160),
                                             QColor(222, 180, 140), QColor(196, 150, 110)};
    static const std::array<QColor, 5> hairs{QColor(30, 24, 20), QColor(90, 60, 30),
                                             QColor(60, 40, 30), QColor(140, 90, 40),
                                             QColor(50, 50, 60)};
    static const std::array<QColor, 6> shirts{QColor(40, 70, 140),  QColor(150, 40, 50),
                                              QColor(40, 120, 80),  QColor(230, 230, 235),
                                              QColor(200, 120, 40), QColor(90, 60, 130)};
    const QColor ground = grounds[size_t((n + (woman ? 3 : 0)) % 10)];
    const QColor skin = skins[size_t(n % 4)];
    const QColor hair = hairs[size_t((n * 3 + (woman ? 1 : 0)) % 5)];
    const QColor shirt = shirts[size_t((n + (woman ? 2 : 0)) % 6)];

    QImage image = canvas(kWidth, kHeight);
    QPainter p;
    begin(p, image);
    QRadialGradient light(QPointF(kWidth / 2.0, 30), 70);
    light.setColorAt(0, lighter(ground, 0.35));
    light.setColorAt(1, darker(ground, 0.1));
    p.fillRect(image.rect(), light);
    p.setPen(Qt::NoPen);
    if (woman) {  // long hair behind the shoulders
        p.setBrush(hair);
        p.drawRoundedRect(QRectF(18, 18, 49, 58 + (n % 3) * 4), 20, 20);
    }
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(10, 66, 65, 40), 22, 22);
    p.setBrush(skin);
    p.drawRect(QRectF(36, 56, 13, 12));
    p.drawEllipse(QRectF(23, 20, 39, 44));
    p.setBrush(hair);
    if (woman) {
        QPainterPath fringe;
        fringe.moveTo(22, 40);
        fringe.cubicTo(20, 10, 65, 10, 63, 40);
        fringe.cubicTo(55, 26 + n % 4, 40, 24, 22, 40);
        p.drawPath(fringe);
    } else {
        QPainterPath cut;
        cut.moveTo(22, 38);
        cut.cubicTo(20 - n % 3, 12, 65 + n % 3, 12, 63, 38);
        cut.lineTo(60, 30);
        cut.cubicTo(50, 24 + n % 5, 35, 24, 25, 30);
        cut.closeSubpath();
        p.drawPath(cut);
    }
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(35.5, 43), 2.3, 2.6);
    p.drawEllipse(QPointF(49.5, 43), 2.3, 2.6);
    p.setPen(QPen(QColor(170, 70, 70), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(36, 46, 13, 9), -20 * 16, -140 * 16);
    if (woman) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 140, 150, 110));
        p.drawEllipse(QPointF(30, 51), 4, 2.5);
        p.drawEllipse(QPointF(55, 51), 4, 2.5);
    }
    p.setPen(QPen(darker(ground, 0.45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    return image;
}

}  // namespace

void drawFigures(PictureSet& set) {
    drawBubbles(set);
    drawBadges(set);
    for (int number = 0; number < 20; ++number) set.addGif(240 + number, avatar(number));
}

}  // namespace picgen
