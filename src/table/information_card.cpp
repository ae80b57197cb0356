// The player information card opened by the mouse over a seat's avatar or labels, and by the
// props plug-in's request for a seat.
#include "table/information_card.h"

#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/conversions.h"
#include "settlement/information_window.h"

namespace table {

namespace {

// Opponents' cards start this share of the table's height below its top; the local player's
// card this share down, or on the reduced layout this share from the screen's top.
constexpr float kOpponentTopShare = 0.11f;
constexpr float kLocalTopShare = 0.42f;
constexpr float kLocalTopShareReduced = 0.3f;

// Doubles as the toolkit's general format writes them: whole values without a point.
QString GeneralNumber(double value) {
    return QString::number(value, 'g', 15);
}

}  // namespace

CardPlace InformationCardPlace(int index, const TwipsRect& table, float pic1Left, float pic1Top,
                               float scaleX) {
    CardPlace place;
    if (index >= 1 && index <= 3) {
        place.top = table.top + pic1Top + kOpponentTopShare * table.height;
        // The offset is rounded to a whole twip before the integer division by three.
        const auto across = static_cast<std::int32_t>(
            platform::roundHalfEven(static_cast<float>(index - 1) * table.width));
        place.left = table.left + pic1Left + static_cast<float>(across / 3);
        return place;
    }
    place.left = table.left + pic1Left;
    place.top = table.top + pic1Top + kLocalTopShare * table.height;
    if (scaleX < 1.0f) place.top = kLocalTopShareReduced * table.height;
    return place;
}

std::array<QString, 9> InformationCardValues(const state::PlayerInfo& info) {
    return {info.nickname,
            info.sex != 0 ? QStringLiteral("男") : QStringLiteral("女"),
            info.location,
            GeneralNumber(info.points),
            GeneralNumber(info.credit),
            QString::number(info.logins),
            QString::number(info.drops),
            QString::number(info.wins),
            QString::number(info.losses)};
}

}  // namespace table

namespace client {
using namespace table;

void MainForm::Tou_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
    auto& card = *c.Information;
    const state::PlayerInfo& info = c.s.g_aPlayerInfo.at(static_cast<std::size_t>(Index));
    if (card.visible() || info.nickname.isEmpty()) return;
    const CardPlace place = InformationCardPlace(Index, {left(), top(), width(), height()},
                                                 Pic1.left(), Pic1.top(), c.s.g_fScaleX);
    card.setLeft(place.left);
    card.setTop(place.top);
    const auto values = InformationCardValues(info);
    for (int k = 0; k < static_cast<int>(values.size()); ++k) card.Inf[k].setCaption(values[k]);
    card.show();
}

}  // namespace client
