// Card faces (full 92 x 122, reduced 72 x 95), the jokers, the back (78 x 103) and the piles of
// backs that stand for the other players' hands.
#include <QLinearGradient>
#include <array>
#include <cmath>
#include <vector>

#include "picture_set.h"
#include "style.h"

namespace picgen {
namespace {

using namespace style;

constexpr int kFullWidth = 92, kFullHeight = 122;
constexpr int kSmallWidth = 72, kSmallHeight = 95;
constexpr int kBackWidth = 78, kBackHeight = 103;

QString rankText(int rank) {
    switch (rank) {
        case 11:
            return QStringLiteral("J");
        case 12:
            return QStringLiteral("Q");
        case 13:
            return QStringLiteral("K");
        case 14:
            return QStringLiteral("A");
        case 15:
            return QStringLiteral("2");
        default:
            return QString::number(rank);
    }
}

// Pip places in the centre field, as (column 0..2, row 0..1) per number of pips.
std::vector<QPointF> pipPlaces(int pips) {
    const double third = 1.0 / 3.0;
    switch (pips) {
        case 2:
            return {{1, 0}, {1, 1}};
        case 3:
            return {{1, 0}, {1, 0.5}, {1, 1}};
        case 4:
            return {{0, 0}, {2, 0}, {0, 1}, {2, 1}};
        case 5:
            return {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}};
        case 6:
            return {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
        case 7:
            return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
        case 8:
            return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}};
        case 9:
            return {{0, 0},         {2, 0},         {0, third}, {2, third}, {1, 0.5},
                    {0, 2 * third}, {2, 2 * third}, {0, 1},     {2, 1}};
        default:
            return {{0, 0},         {2, 0},         {1, third / 2},     {0, third}, {2, third},
                    {0, 2 * third}, {2, 2 * third}, {1, 1 - third / 2}, {0, 1},     {2, 1}};
    }
}

void paintCardBlank(QPainter& p) {
    p.setPen(QPen(QColor(120, 120, 120), 1.0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(0.5, 0.5, kFullWidth - 1.0, kFullHeight - 1.0), 7, 7);
}

// The index in the top-left corner and, turned round, in the bottom-right one: the rank large
// enough to read where the cards overlap, the suit sign under it.
void paintIndex(QPainter& p, int suit, const QString& rank) {
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(kFullWidth, kFullHeight);
            p.rotate(180);
        }
        p.setFont(font(rank.size() > 1 ? 21 : 24));
        p.setPen(suitColour(suit));
        QFont f = p.font();
        if (rank.size() > 1) f.setLetterSpacing(QFont::AbsoluteSpacing, -2);
        p.setFont(f);
        p.drawText(QRectF(1, 2, 26, 26), Qt::AlignCenter, rank);
        drawSuit(p, suit, QRectF(7, 29, 14, 15));
        p.restore();
    }
}

void paintCourt(QPainter& p, int suit, int rank) {
    static const std::array<QColor, 3> kTints{QColor(222, 234, 250), QColor(252, 228, 236),
                                              QColor(252, 240, 200)};
    const QRectF frame(24, 16, 44, 90);
    QLinearGradient tint(frame.topLeft(), frame.bottomRight());
    tint.setColorAt(0, kTints[size_t(rank - 11)]);
    tint.setColorAt(1, lighter(kTints[size_t(rank - 11)], 0.6));
    p.setBrush(tint);
    p.setPen(QPen(suitColour(suit), 1.5));
    p.drawRoundedRect(frame, 4, 4);
    p.setPen(QPen(kGold, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame.adjusted(3, 3, -3, -3), 3, 3);
    drawSuit(p, suit, QRectF(37, 22, 18, 19));
    drawSuit(p, suit, QRectF(37, 81, 18, 19), true);
    p.setFont(font(36));
    p.setPen(suitColour(suit));
    p.drawText(QRectF(24, 38, 44, 46), Qt::AlignCenter, rankText(rank));
}

void paintPips(QPainter& p, int suit, int pips) {
    const QRectF field(30, 14, 32, 78);  // pip centres run over this rectangle
    const double size = pips <= 3 ? 20 : 17;
    for (const QPointF& place : pipPlaces(pips)) {
        const QPointF centre(field.left() + place.x() / 2 * field.width(),
                             field.top() + place.y() * field.height() + size / 2);
        drawSuit(p, suit, QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size * 1.05),
                 place.y() > 0.5);
    }
}

QImage cardFace(int suit, int rank) {
    QImage image = canvas(kFullWidth, kFullHeight);
    QPainter p;
    begin(p, image);
    paintCardBlank(p);
    paintIndex(p, suit, rankText(rank));
    if (rank >= 11 && rank <= 13) {
        paintCourt(p, suit, rank);
    } else if (rank == 14) {
        drawSuit(p, suit, QRectF(26, 37, 40, 44));
    } else {
        paintPips(p, suit, rank == 15 ? 2 : rank);
    }
    return image;
}

QImage joker(bool red) {
    QImage image = canvas(kFullWidth, kFullHeight);
    QPainter p;
    begin(p, image);
    paintCardBlank(p);
    const QColor ink = red ? kCardRed : kCardBlack;
    p.setPen(ink);
    p.setFont(font(13));
    const QString letters = QStringLiteral("JOKER");
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(kFullWidth, kFullHeight);
            p.rotate(180);
        }
        for (int i = 0; i < letters.size(); ++i)
            p.drawText(QRectF(3, 3 + i * 14, 16, 15), Qt::AlignCenter, letters.mid(i, 1));
        p.restore();
    }
    // A star over the word: 大王 for the red joker, 小王 for the black one.
    QPainterPath star;
    const QPointF c(46, 46);
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? 20 : 8.5;
        const QPointF at(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        i == 0 ? star.moveTo(at) : star.lineTo(at);
    }
    star.closeSubpath();
    p.setBrush(red ? kGold : QColor(150, 150, 160));
    p.setPen(QPen(ink, 1.5));
    p.drawPath(star);
    p.setFont(font(20));
    p.setPen(ink);
    p.drawText(QRectF(18, 70, 56, 28), Qt::AlignCenter,
               red ? QStringLiteral("大王") : QStringLiteral("小王"));
    return image;
}

QImage cardBack(int width, int height) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    p.scale(width / double(kBackWidth), height / double(kBackHeight));
    p.setPen(QPen(QColor(110, 110, 110), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, kBackWidth - 1.0, kBackHeight - 1.0), 6, 6);
    const QRectF inner(5, 5, kBackWidth - 10.0, kBackHeight - 10.0);
    QLinearGradient shade(inner.topLeft(), inner.bottomRight());
    shade.setColorAt(0, QColor(160, 32, 48));
    shade.setColorAt(1, QColor(110, 16, 32));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(inner, 4, 4);
    p.save();
    p.setClipRect(inner);
    p.setPen(QPen(QColor(220, 120, 120, 150), 1.0));
    for (double d = -inner.height(); d < inner.width() + inner.height(); d += 8) {
        p.drawLine(QPointF(inner.left() + d, inner.top()),
                   QPointF(inner.left() + d + inner.height(), inner.bottom()));
        p.drawLine(QPointF(inner.left() + d, inner.bottom()),
                   QPointF(inner.left() + d + inner.height(), inner.top()));
    }
    p.restore();
    p.setPen(QPen(kGold, 2.0));
    p.setBrush(QColor(120, 20, 36));
    p.drawEllipse(inner.center(), 15, 15);
    p.setFont(font(20));
    p.setPen(kGold);
    p.drawText(QRectF(inner.center().x() - 15, inner.center().y() - 15, 30, 30), Qt::AlignCenter,
               QStringLiteral("K"));
    return image;
}

QImage reduced(const QImage& full) {
    return full.scaled(kSmallWidth, kSmallHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A pile of `cards` backs, fanned down (side seats, cards lying across) or right (top seat).
QImage pile(int cards, bool sideways, double scale) {
    const int longSide = int(74 * scale), shortSide = int(56 * scale);
    const int step = int(10 * scale);
    const int fan = step * (cards - 1);
    const QImage back = cardBack(shortSide, longSide);
    const QImage card = sideways ? back.transformed(QTransform().rotate(90)) : back;
    QImage image = sideways ? canvas(longSide, shortSide + fan) : canvas(shortSide + fan, longSide);
    QPainter p;
    begin(p, image);
    for (int i = 0; i < cards; ++i)
        p.drawImage(sideways ? QPointF(0, i * step) : QPointF(i * step, 0), card);
    return image;
}

}  // namespace

void drawCards(PictureSet& set) {
    for (int suit = 0; suit <= 3; ++suit) {
        for (int rank = 3; rank <= 15; ++rank) {
            const QImage face = cardFace(suit, rank);
            set.addGif(16 * suit + rank, face);
            set.addGif(rank <= 13 ? 300 + 13 * suit + rank : 287 + 13 * suit + rank, reduced(face));
        }
    }
    const QImage blackJoker = joker(false), redJoker = joker(true);
    set.addGif(16, blackJoker);
    set.addGif(17, redJoker);
    set.addGif(353, reduced(blackJoker));
    set.addGif(354, reduced(redJoker));
    set.addGif(18, cardBack(kBackWidth, kBackHeight));

    const double kReduced = 0.78125;
    for (int held = 1; held <= 13; ++held) {
        const QImage side = pile(held, true, 1.0), top = pile(held, false, 1.0);
        const QImage sideSmall = pile(held, true, kReduced), topSmall = pile(held, false, kReduced);
        set.addGif(900 + held - 1, side);
        set.addGif(930 + held - 1, top);
        set.addGif(960 + held - 1, side);
        set.addGif(915 + held - 1, sideSmall);
        set.addGif(945 + held - 1, topSmall);
        set.addGif(975 + held - 1, sideSmall);
    }
}

}  // namespace picgen
