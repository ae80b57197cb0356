#include "settlement/settlement_sheet.h"

#include <algorithm>

#include "settlement/settlement_record.h"

namespace settlement {

namespace {

constexpr int ColourDigits = 8;
constexpr std::int32_t HighestColour = 0xFFFFFF;

const QString Blank = QStringLiteral(" ");

// The bonus items, one line per byte in byte order: the first two times four, then six times
// two (the last two with two blanks before the sign).
QStringList BonusLines(const HandResult& r) {
    QStringList lines;
    lines << (r.mengXuan == 1 ? QStringLiteral("梦宣： × 4") : Blank);
    lines << (r.mengChuai != 0 ? QStringLiteral("梦踹： × 4") : QString());
    static const std::array<QString, 6> x2 = {
        QStringLiteral("蹭储： × 2"), QStringLiteral("平踹： × 2"),  QStringLiteral("跟踹： × 2"),
        QStringLiteral("反踹： × 2"), QStringLiteral("包打：  × 2"), QStringLiteral("全捕：  × 2")};
    for (std::size_t i = 0; i < x2.size(); ++i) lines << (r.bonusX2[i] == 1 ? x2[i] : QString());
    return lines;
}

QString SubtotalLine(const HandResult& r) {
    switch (r.subtotalSign) {
        case 1:
            return QStringLiteral("小计：+") + FormatAmount(r.subtotalAmount) +
                   QStringLiteral("金币");
        case 2:
            return QStringLiteral("小计：-") + FormatAmount(r.subtotalAmount) +
                   QStringLiteral("金币");
        default:
            return QStringLiteral("小计：0");
    }
}

QString TotalLine(const HandResult& r) {
    const QString amount = FormatAmount(r.totalAmount) + QStringLiteral("金币");
    if (r.totalSign == 1) return QStringLiteral("总分：") + amount;
    if (r.totalAmount != 0) return QStringLiteral("总分：- ") + amount;
    return QStringLiteral("总分： ") + amount;
}

void PadTo(QStringList& column, qsizetype count, const QString& filler) {
    while (column.size() < count) column << filler;
}

// The props block of one column: its pieces as lines, in the colour the last good colour
// number gives, then one empty line. `c` carries the colour number from column to column.
qsizetype AddPropsLines(QStringList& column, std::uint32_t& colour, std::int32_t& c,
                        const QString& scoreLines) {
    const QStringList pieces = scoreLines.split(u'|');
    for (QString piece : pieces) {
        if (const auto number = PieceColour(piece)) c = *number;
        if (c >= 0 && c <= HighestColour) colour = std::uint32_t(c);
        if (piece.size() >= ColourDigits) piece.chop(ColourDigits);
        column << piece;
    }
    column << QString();
    return pieces.size() + 1;
}

}  // namespace

QString PlaceLine(std::uint8_t place) {
    static const std::array<QString, 5> captions = {
        QStringLiteral("第一名"), QStringLiteral("第二名"), QStringLiteral("第三名"),
        QStringLiteral("第四名"), QStringLiteral("放弃")};
    return place >= 1 && place <= 5 ? captions[place - 1] : QString();
}

std::optional<std::int32_t> PieceColour(const QString& piece) {
    const QString tail = piece.size() > ColourDigits ? piece.right(ColourDigits) : piece;
    const QString number = tail.trimmed();
    qsizetype p = 0;
    if (p < number.size() && (number[p] == u'+' || number[p] == u'-')) ++p;
    if (p == number.size()) return std::nullopt;
    for (qsizetype i = p; i < number.size(); ++i) {
        if (number[i] < u'0' || number[i] > u'9') return std::nullopt;
    }
    // At most eight characters: the value fits 32 bits.
    return number.toInt();
}

Sheet BuildSheet(const SheetInput& in) {
    Sheet sheet;
    auto& lines = sheet.lines;
    const HandResult& last = in.frames[3].result;
    sheet.baseGold = last.baseGold;

    // Header lines.
    for (std::size_t k = 0; k < 4; ++k) {
        lines[k] << QStringLiteral("初始：") + in.startGold[k];
        lines[k] << QStringLiteral("房间底金：") + QString::number(sheet.baseGold) +
                        QStringLiteral("金币");
    }

    // The props blocks, ending on the same row in every column.
    std::int32_t c = 0;
    std::array<double, 4> adjustment{};
    std::array<qsizetype, 4> blockLines{};
    for (std::size_t k = 0; k < 4; ++k) {
        sheet.colour[k] = 0;
        if (in.scoreLines[k].isEmpty()) continue;
        blockLines[k] = AddPropsLines(lines[k], sheet.colour[k], c, in.scoreLines[k]);
        adjustment[k] = in.prizeAmount[k];
        sheet.propsTaken[k] = true;
    }
    const qsizetype longestBlock = *std::max_element(blockLines.begin(), blockLines.end());
    for (std::size_t k = 0; k < 4; ++k) {
        for (qsizetype i = blockLines[k]; i < longestBlock; ++i) lines[k] << QString();
    }

    // First pass: places and bonus items.
    for (const PlacedResult& f : in.frames) {
        QStringList& column = lines[std::size_t(f.column)];
        column << PlaceLine(f.result.place) << QString();
        column << BonusLines(f.result);
    }

    // Every column as long as the longest before the amounts.
    qsizetype longest = 0;
    for (std::size_t k = 0; k < 4; ++k) longest = std::max(longest, lines[k].size());
    for (std::size_t k = 0; k < 4; ++k) PadTo(lines[k], longest, Blank);

    // Second pass: the amounts and the final lines.
    const QString note = in.note.left(in.note.indexOf(QChar(0)));
    for (std::size_t i = 0; i < in.frames.size(); ++i) {
        const PlacedResult& f = in.frames[i];
        const HandResult& r = f.result;
        const auto k = std::size_t(f.column);
        QStringList& column = lines[k];
        if (in.beishu != 0) {
            column << SubtotalLine(r) << QStringLiteral("财富加倍 ×") + in.beishuText;
        }
        column << (r.capped == 1 ? QStringLiteral("封顶") : QString());
        column << TotalLine(r) << QStringLiteral("-----------");
        const double s = SignedFinal(r, adjustment[k]);
        sheet.signedFinal[i] = s;
        const QString finalLine = FinalLine(r, s);
        if (r.finalSign == 1) {
            column << QString() << note << QString() << finalLine;
        } else {
            column << QString() << QString() << QString() << finalLine;
        }
        lines[k + 4] << finalLine;
    }
    return sheet;
}

}  // namespace settlement
