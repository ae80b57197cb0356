#include "platform/forms/control_painter.h"

#include <QPainter>
#include <cmath>

#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/picture_blit.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"

namespace forms {

namespace {

constexpr int kTextMargin = 2;

void paintImage(QPainter& painter, const Image& image, const QRectF& rect) {
    if (image.picture().isEmpty()) return;
    if (image.stretch()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(rect, image.picture().image());
    } else {
        drawPicture(painter, QPoint(0, 0), image.picture().image());
    }
}

int alignmentFlags(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

void paintLabel(QPainter& painter, const Label& label, const QRectF& rect) {
    if (!label.transparent()) painter.fillRect(rect, toQColor(label.backColor()));
    painter.setFont(toQFont(label.font()));
    painter.setPen(toQColor(label.foreColor()));
    QString text = label.caption();
    text.replace("\r\n", "\n");
    painter.drawText(rect, alignmentFlags(label.alignment()) | Qt::AlignTop | Qt::TextWrapAnywhere,
                     text);
}

void paintPictureBox(QPainter& painter, const PictureBox& box, const QRectF& rect) {
    // The table's play area is a picture box the size of its picture: filling it first doubled
    // the cost of drawing it.
    if (!box.surface().covers(rect.size().toSize()))
        painter.fillRect(rect, toQColor(box.backColor()));
    box.surface().drawOn(painter);
}

void paintFrame(QPainter& painter, const QRectF& rect) {
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void paintTextBox(QPainter& painter, const TextBox& box, const QRectF& rect) {
    painter.fillRect(rect, toQColor(box.backColor()));
    paintFrame(painter, rect);
    const QFont font = toQFont(box.font());
    painter.setFont(font);
    painter.setPen(toQColor(box.foreColor()));
    const QRectF textRect = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, box.text());
    if (box.hasFocus()) {
        const QFontMetricsF metrics(font);
        const qreal x =
            textRect.left() + metrics.horizontalAdvance(box.text().left(box.selStart()));
        const qreal middle = rect.center().y();
        const qreal half = metrics.height() / 2;
        painter.drawLine(QPointF(x, middle - half), QPointF(x, middle + half));
    }
}

void paintListBox(QPainter& painter, const ListBox& list, const QRectF& rect) {
    painter.fillRect(rect, toQColor(list.backColor()));
    painter.setFont(toQFont(list.font()));
    const qreal rowHeight = list.itemHeight();
    qreal y = 0;
    for (int row = list.topIndex(); row < list.listCount() && y < rect.height(); ++row) {
        const QRectF rowRect(0, y, rect.width(), rowHeight);
        const bool selected = row == list.listIndex();
        if (selected) painter.fillRect(rowRect, toQColor(kSystemHighlight));
        painter.setPen(toQColor(selected ? kSystemHighlightText : list.foreColor()));
        painter.drawText(rowRect.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         list.list(row));
        y += rowHeight;
    }
    paintFrame(painter, rect);
}

}  // namespace

void paintControl(QPainter& painter, const Control& control, const QRectF& rect) {
    switch (control.kind()) {
        case ControlKind::Image:
            return paintImage(painter, static_cast<const Image&>(control), rect);
        case ControlKind::Label:
            return paintLabel(painter, static_cast<const Label&>(control), rect);
        case ControlKind::PictureBox:
            return paintPictureBox(painter, static_cast<const PictureBox&>(control), rect);
        case ControlKind::TextBox:
            return paintTextBox(painter, static_cast<const TextBox&>(control), rect);
        case ControlKind::ListBox:
            return paintListBox(painter, static_cast<const ListBox&>(control), rect);
    }
}

}  // namespace forms
