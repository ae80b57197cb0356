#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

// The one look of the program's pictures: green felt, white cards, rounded glossy buttons.
namespace picgen::style {

inline const QColor kFeltLight{38, 128, 70};
inline const QColor kFeltDark{14, 66, 36};
inline const QColor kCardRed{200, 22, 42};
inline const QColor kCardBlack{26, 26, 30};
inline const QColor kWood{122, 78, 38};
inline const QColor kGold{232, 186, 72};
inline const QColor kCream{250, 244, 226};

// A blank picture: transparent, or filled with one colour.
QImage canvas(int width, int height, QColor fill = Qt::transparent);

// The program's text face (it carries the Chinese words), by pixel size.
QFont font(double pixelSize, bool bold = true);

// Starts painting with smoothing on.
void begin(QPainter& painter, QImage& image);

QColor lighter(QColor colour, double towardWhite);
QColor darker(QColor colour, double towardBlack);

// A rounded, lit-from-above button face filling the whole picture, with its word centred.
struct ButtonLook {
    QColor base;
    QColor text = Qt::white;
    bool hover = false;     // lighter face and a bright rim
    bool disabled = false;  // greyed
};
QImage button(int width, int height, const QString& word, const ButtonLook& look,
              double textSize = 0);

// Text centred in a rectangle with a soft dark shadow under it.
void shadowedText(QPainter& painter, const QRectF& rect, const QString& text, QColor colour,
                  int flags = Qt::AlignCenter);

// The four suit signs in a unit box (0..1 both ways), by suit index 0 diamonds, 1 clubs,
// 2 hearts, 3 spades.
QPainterPath suitSign(int suitIndex);
QColor suitColour(int suitIndex);
void drawSuit(QPainter& painter, int suitIndex, const QRectF& box, bool upsideDown = false);

// The felt of a card table, a soft light in the middle.
void paintFelt(QPainter& painter, const QRectF& area, QColor light = kFeltLight,
               QColor dark = kFeltDark);

}  // namespace picgen::style
