#include "settlement/settlement_record.h"

#include <array>
#include <cmath>

#include "platform/runtime/conversions.h"

namespace settlement {

namespace {
constexpr std::uint8_t Won = 1;
constexpr std::uint8_t Lost = 0;
}  // namespace

double SignedFinal(const HandResult& r, double propsAmount) {
    return (r.finalSign == Won ? r.finalAmount : -r.finalAmount) + propsAmount;
}

QString FinalLine(const HandResult& r, double s) {
    const QString unit = QStringLiteral("金币");
    if (s > 0 || (s == 0 && r.finalSign == Won)) {
        return QStringLiteral("最终分：") + FormatAmount(s) + unit;
    }
    if (s < 0) return QStringLiteral("最终分：- ") + FormatAmount(-s) + unit;
    return QStringLiteral("最终分： ") + FormatAmount(0) + unit;
}

QString HistoryLine(double s) {
    return s < 0 ? QStringLiteral("-") + FormatAmount(-s) : FormatAmount(s);
}

SeatTally ApplyResult(SeatTally before, const HandResult& r, double s) {
    SeatTally after = before;
    if (r.finalSign == Won) {
        after.wins = platform::toLong(double(after.wins) + 1);
    } else if (r.finalSign == Lost) {
        after.losses = platform::toLong(double(after.losses) + 1);
    } else {
        return after;
    }
    after.gold += s;
    if (after.gold < 0) after.gold = 0;
    return after;
}

std::optional<QString> LevelTitle(std::uint8_t level) {
    static const std::array<QString, 10> units = {QString(),
                                                  QStringLiteral("一"),
                                                  QStringLiteral("二"),
                                                  QStringLiteral("三"),
                                                  QStringLiteral("四"),
                                                  QStringLiteral("五"),
                                                  QStringLiteral("六"),
                                                  QStringLiteral("七"),
                                                  QStringLiteral("八"),
                                                  QStringLiteral("九")};
    if (level < 1 || level > 40) return std::nullopt;
    // 第一级 .. 第十级, 第十一级 .. 第二十级, 第二十一级 .. 第四十级.
    const int tens = level / 10;
    const int ones = level % 10;
    QString number;
    if (tens > 1) number += units[std::size_t(tens)];
    if (tens > 0) number += QStringLiteral("十");
    number += units[std::size_t(ones)];
    return QStringLiteral("第") + number + QStringLiteral("级");
}

QString GoldLabel(double gold, std::uint8_t currency) {
    return FormatAmount(gold) + (currency == 1 ? QStringLiteral("金币") : QStringLiteral("金条"));
}

}  // namespace settlement
