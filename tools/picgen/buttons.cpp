// Picture buttons: toolbar, dialogs, actions, declarations, quick phrases, the bank, the chat
// arrows and the video pane buttons. Every hover picture is a lighter copy of its normal one.
#include <QLinearGradient>
#include <array>
#include <functional>

#include "picture_set.h"
#include "style.h"

namespace picgen {
namespace {

using namespace style;

const QColor kToolbar{146, 92, 40};
const QColor kDialog{44, 104, 176};
const QColor kAction{214, 138, 24};
const QColor kDeclare{178, 40, 36};
const QColor kOn{40, 150, 70};
const QColor kOff{120, 120, 120};

void addPair(PictureSet& set, int normalId, int width, int height, const QString& word, QColor base,
             double textSize = 0) {
    set.addGif(normalId, button(width, height, word, {base}, textSize));
    set.addGif(normalId + 1, button(width, height, word, {base, Qt::white, true}, textSize));
}

void drawToolbar(PictureSet& set) {
    addPair(set, 150, 48, 30, QStringLiteral("发送"), kToolbar, 15);
    // Elements 2..19 of the toolbar table: chat, start, continue, settings, hide, record,
    // history, rules, exit, normal and hover each.
    const std::array<QString, 9> words{
        QStringLiteral("聊天"), QStringLiteral("开始"), QStringLiteral("继续"),
        QStringLiteral("设置"), QStringLiteral("隐藏"), QStringLiteral("战绩"),
        QStringLiteral("历史"), QStringLiteral("规则"), QStringLiteral("退出")};
    for (size_t i = 0; i < words.size(); ++i) {
        const int element = 2 + 2 * int(i);
        const QColor base = i == 1 || i == 2 ? QColor(200, 110, 30) : kToolbar;
        addPair(set, 150 + element, 55, 31, words[i], base, 16);
        addPair(set, 281 + element, 43, 24, words[i], base, 12.5);
    }
}

void drawDialogButtons(PictureSet& set) {
    addPair(set, 170, 65, 30, QStringLiteral("确定"), kDialog, 15);
    addPair(set, 172, 65, 30, QStringLiteral("取消"), kDialog, 15);
    set.addGif(174, button(65, 30, QStringLiteral("开"), {kOn}, 16));
    set.addGif(175, button(65, 30, QStringLiteral("关"), {kOff}, 16));
    set.addGif(176, button(65, 30, QStringLiteral("标准"), {kDialog}, 15));
    set.addGif(177, button(65, 30, QStringLiteral("另选"), {QColor(120, 70, 160)}, 15));
}

void drawActionButtons(PictureSet& set) {
    // Play, hint and pass: normal, hover, disabled.
    const std::array<QString, 3> big{QStringLiteral("出牌"), QStringLiteral("提示"),
                                     QStringLiteral("不出")};
    for (size_t i = 0; i < big.size(); ++i) {
        const int id = 178 + 3 * int(i);
        const QColor base = i == 2 ? QColor(60, 120, 170) : kAction;
        set.addGif(id, button(60, 40, big[i], {base}, 18));
        set.addGif(id + 1, button(60, 40, big[i], {base, Qt::white, true}, 18));
        set.addGif(id + 2, button(60, 40, big[i], {base, Qt::white, false, true}, 18));
    }
    // Hand order, previous trick, reselect: normal and hover.
    const std::array<QString, 3> small{QStringLiteral("理牌"), QStringLiteral("上轮"),
                                       QStringLiteral("重选")};
    for (size_t i = 0; i < small.size(); ++i)
        addPair(set, 187 + 2 * int(i), 62, 25, small[i], QColor(70, 110, 60), 14);
}

void drawDeclarationButtons(PictureSet& set) {
    const std::array<QString, 9> words{
        QStringLiteral("宣"),   QStringLiteral("揣"),   QStringLiteral("蹭"),
        QStringLiteral("平打"), QStringLiteral("反揣"), QStringLiteral("跟揣"),
        QStringLiteral("甩牌"), QStringLiteral("包打"), QStringLiteral("过")};
    for (size_t k = 0; k < words.size(); ++k) {
        const QColor base = k == 8 ? QColor(60, 120, 170) : kDeclare;
        set.addGif(430 + 2 * int(k), button(66, 38, words[k], {base, kCream}, 20));
        set.addGif(431 + 2 * int(k), button(66, 38, words[k], {base, kCream, true}, 20));
    }
}

QImage flatLabel(int width, int height, const QString& word, QColor base, bool hover) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? lighter(base, 0.4) : base);
    p.drawRoundedRect(QRectF(0, 0, width, height), 3, 3);
    p.setFont(font(height - 2.5, false));
    p.setPen(hover ? QColor(255, 255, 200) : Qt::white);
    p.drawText(QRectF(0, 0, width, height), Qt::AlignCenter, word);
    return image;
}

void drawQuickPhraseAndBank(PictureSet& set) {
    const QString first = QStringLiteral("常用短语"), second = QStringLiteral("个性短语");
    set.addGif(506, flatLabel(57, 13, first, QColor(90, 70, 40), false));
    set.addGif(507, flatLabel(57, 13, second, QColor(90, 70, 40), false));
    set.addGif(508, flatLabel(57, 13, first, QColor(90, 70, 40), true));
    set.addGif(509, flatLabel(57, 13, second, QColor(90, 70, 40), true));
    addPair(set, 600, 60, 29, QStringLiteral("银行"), QColor(196, 150, 30), 15);
}

// Up and down arrows beside the system message rows, full and reduced.
QImage arrow(int width, int height, bool up) {
    QImage image = canvas(width, height);
    QPainter p;
    begin(p, image);
    p.setPen(QPen(darker(kToolbar, 0.4), 1));
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0, lighter(kToolbar, 0.4));
    shade.setColorAt(1, kToolbar);
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(0.5, 0.5, width - 1.0, height - 1.0), 3, 3);
    QPolygonF head;
    const double cx = width / 2.0, top = height * 0.28, bottom = height * 0.72, half = width * 0.28;
    if (up)
        head << QPointF(cx, top) << QPointF(cx + half, bottom) << QPointF(cx - half, bottom);
    else
        head << QPointF(cx, bottom) << QPointF(cx + half, top) << QPointF(cx - half, top);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(head);
    return image;
}

void drawArrows(PictureSet& set) {
    set.addGif(201, arrow(20, 15, true));
    set.addGif(202, arrow(20, 15, false));
    set.addGif(203, arrow(16, 12, true));
    set.addGif(204, arrow(16, 12, false));
}

// The 16 x 14 pane buttons: a small glyph on a dark key, brighter when hovered.
using Glyph = std::function<void(QPainter&)>;

QImage paneButton(const Glyph& glyph, bool hover) {
    QImage image = canvas(16, 14);
    QPainter p;
    begin(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(hover ? QColor(90, 150, 220) : QColor(50, 60, 80));
    p.drawRoundedRect(QRectF(0, 0, 16, 14), 3, 3);
    p.setPen(QPen(hover ? QColor(255, 255, 210) : QColor(225, 230, 240), 1.3));
    p.setBrush(Qt::NoBrush);
    glyph(p);
    return image;
}

void drawPaneButtons(PictureSet& set) {
    const Glyph webCamera = [](QPainter& p) {
        p.drawEllipse(QPointF(8, 6), 3.5, 3.5);
        p.drawLine(QPointF(5, 12), QPointF(11, 12));
        p.drawLine(QPointF(3, 2), QPointF(13, 11));  // struck through: hide this video
    };
    const Glyph magnifier = [](QPainter& p) {
        p.drawEllipse(QPointF(7, 6), 3.5, 3.5);
        p.drawLine(QPointF(9.5, 8.5), QPointF(13, 12));
    };
    const Glyph camera = [](QPainter& p) {
        p.drawRect(QRectF(3, 4.5, 10, 7));
        p.drawEllipse(QPointF(8, 8), 2, 2);
        p.drawLine(QPointF(5, 4.5), QPointF(6, 3));
    };
    const Glyph notes = [](QPainter& p) {
        p.drawLine(QPointF(6, 3), QPointF(6, 10));
        p.drawLine(QPointF(11, 2), QPointF(11, 9));
        p.drawLine(QPointF(6, 3), QPointF(11, 2));
        p.setBrush(p.pen().color());
        p.drawEllipse(QPointF(4.8, 10.5), 1.6, 1.3);
        p.drawEllipse(QPointF(9.8, 9.5), 1.6, 1.3);
    };
    const Glyph person = [](QPainter& p) {
        p.drawEllipse(QPointF(7, 5), 2.3, 2.3);
        p.drawArc(QRectF(3, 8, 8, 7), 0, 180 * 16);
        p.drawLine(QPointF(13, 4), QPointF(13, 8));
        p.drawLine(QPointF(11, 6), QPointF(15, 6));
    };
    const Glyph speaker = [](QPainter& p) {
        p.drawRect(QRectF(3, 5, 3, 4));
        p.drawLine(QPointF(6, 5), QPointF(9, 2.5));
        p.drawLine(QPointF(6, 9), QPointF(9, 11.5));
        p.drawLine(QPointF(9, 2.5), QPointF(9, 11.5));
        p.drawArc(QRectF(8, 4, 5, 6), -60 * 16, 120 * 16);
    };
    const Glyph screen = [](QPainter& p) {
        p.drawRect(QRectF(2.5, 2.5, 11, 7));
        p.drawLine(QPointF(8, 9.5), QPointF(8, 11.5));
        p.drawLine(QPointF(5, 11.5), QPointF(11, 11.5));
    };
    const std::array<Glyph, 4> kinds{webCamera, magnifier, camera, notes};
    for (size_t i = 0; i < kinds.size(); ++i) {
        set.addGif(850 + int(i), paneButton(kinds[i], false));
        set.addGif(854 + int(i), paneButton(kinds[i], true));
    }
    set.addGif(858, paneButton(person, false));
    set.addGif(859, paneButton(person, true));
    set.addGif(860, paneButton(speaker, false));
    set.addGif(861, paneButton(speaker, true));
    set.addGif(862, paneButton(
                        [&](QPainter& p) {
                            speaker(p);
                            p.drawLine(QPointF(2, 12), QPointF(14, 2));
                        },
                        false));
    set.addGif(863, paneButton(screen, false));
    set.addGif(864, paneButton(screen, true));
}

}  // namespace

void drawButtons(PictureSet& set) {
    drawToolbar(set);
    drawDialogButtons(set);
    drawActionButtons(set);
    drawDeclarationButtons(set);
    drawQuickPhraseAndBank(set);
    drawArrows(set);
    drawPaneButtons(set);
}

}  // namespace picgen
