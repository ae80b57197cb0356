#include "style.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace picgen::style {

QImage canvas(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QFont font(double pixelSize, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void begin(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QColor lighter(QColor colour, double towardWhite) {
    const auto mix = [towardWhite](int c) { return int(c + (255 - c) * towardWhite); };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()), colour.alpha());
}

QColor darker(QColor colour, double towardBlack) {
    const auto mix = [towardBlack](int c) { return int(c * (1.0 - towardBlack)); };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()), colour.alpha());
}

void shadowedText(QPainter& painter, const QRectF& rect, const QString& text, QColor colour,
                  int flags) {
    painter.setPen(QColor(0, 0, 0, 140));
    painter.drawText(rect.translated(1, 1), flags, text);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
}

QImage button(int width, int height, const QString& word, const ButtonLook& look, double textSize) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    QColor base = look.base;
    if (look.disabled) {
        const int grey = qGray(base.rgb());
        base = QColor(grey, grey, grey);
    }
    if (look.hover) base = lighter(base, 0.38);
    const QRectF face(0.5, 0.5, width - 1.0, height - 1.0);
    const double radius = std::min(width, height) * 0.28;
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0.0, lighter(base, 0.45));
    shade.setColorAt(0.48, base);
    shade.setColorAt(1.0, darker(base, 0.35));
    p.setPen(QPen(look.hover ? lighter(look.base, 0.75) : darker(base, 0.55), 1.0));
    p.setBrush(shade);
    p.drawRoundedRect(face, radius, radius);
    // The gloss on the upper half makes the face read as raised.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, look.hover ? 70 : 50));
    p.drawRoundedRect(QRectF(2, 1.5, width - 4.0, height * 0.42), radius * 0.8, radius * 0.8);
    const double size =
        textSize > 0 ? textSize
                     : std::min(height * 0.52, width * 0.9 / std::max<qsizetype>(1, word.size()));
    p.setFont(font(size));
    QColor textColour = look.disabled ? QColor(225, 225, 225) : look.text;
    if (look.hover && !look.disabled) textColour = lighter(textColour, 0.5);
    shadowedText(p, QRectF(0, 0, width, height - 1), word, textColour);
    return image;
}

QPainterPath suitSign(int suitIndex) {
    QPainterPath path;
    switch (suitIndex) {
        case 0:  // diamond
            path.moveTo(0.5, 0.0);
            path.quadTo(0.68, 0.3, 0.9, 0.5);
            path.quadTo(0.68, 0.7, 0.5, 1.0);
            path.quadTo(0.32, 0.7, 0.1, 0.5);
            path.quadTo(0.32, 0.3, 0.5, 0.0);
            break;
        case 1:  // club: three leaves and a foot
            path.addEllipse(QPointF(0.5, 0.27), 0.22, 0.22);
            path.addEllipse(QPointF(0.25, 0.58), 0.22, 0.22);
            path.addEllipse(QPointF(0.75, 0.58), 0.22, 0.22);
            path.addRect(QRectF(0.42, 0.4, 0.16, 0.3));
            path.moveTo(0.5, 0.55);
            path.quadTo(0.52, 0.88, 0.28, 1.0);
            path.lineTo(0.72, 1.0);
            path.quadTo(0.48, 0.88, 0.5, 0.55);
            path.setFillRule(Qt::WindingFill);
            break;
        case 2:  // heart
            path.moveTo(0.5, 0.28);
            path.cubicTo(0.42, 0.02, 0.0, 0.04, 0.02, 0.38);
            path.cubicTo(0.04, 0.62, 0.35, 0.78, 0.5, 1.0);
            path.cubicTo(0.65, 0.78, 0.96, 0.62, 0.98, 0.38);
            path.cubicTo(1.0, 0.04, 0.58, 0.02, 0.5, 0.28);
            break;
        default:  // spade: a heart upside down and a foot
            path.moveTo(0.5, 0.0);
            path.cubicTo(0.65, 0.22, 0.98, 0.36, 0.98, 0.6);
            path.cubicTo(0.98, 0.86, 0.62, 0.9, 0.52, 0.7);
            path.quadTo(0.54, 0.9, 0.7, 1.0);
            path.lineTo(0.3, 1.0);
            path.quadTo(0.46, 0.9, 0.48, 0.7);
            path.cubicTo(0.38, 0.9, 0.02, 0.86, 0.02, 0.6);
            path.cubicTo(0.02, 0.36, 0.35, 0.22, 0.5, 0.0);
            break;
    }
    return path;
}

QColor suitColour(int suitIndex) {
    return suitIndex == 0 || suitIndex == 2 ? kCardRed : kCardBlack;
}

void drawSuit(QPainter& painter, int suitIndex, const QRectF& box, bool upsideDown) {
    painter.save();
    painter.translate(box.center());
    if (upsideDown) painter.rotate(180);
    painter.translate(-box.width() / 2, -box.height() / 2);
    painter.scale(box.width(), box.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(suitColour(suitIndex));
    painter.drawPath(suitSign(suitIndex));
    painter.restore();
}

void paintFelt(QPainter& painter, const QRectF& area, QColor light, QColor dark) {
    QRadialGradient glow(area.center(), std::hypot(area.width(), area.height()) * 0.55);
    glow.setColorAt(0.0, light);
    glow.setColorAt(1.0, dark);
    painter.fillRect(area, glow);
}

}  // namespace picgen::style
