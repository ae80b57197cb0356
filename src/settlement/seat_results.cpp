// What a settlement does to the seats and the history: the hands left shown face up, each
// seat's gold, record, level and gold label, and the hand's line in the history window.
#include "cards/card_value.h"
#include "cards/display/card_picture_display.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/text_helpers.h"
#include "platform/runtime/conversions.h"
#include "settlement/hero_window.h"
#include "settlement/settlement_record.h"
#include "settlement/settlement_steps.h"
#include "settlement/skip_step.h"

namespace settlement {

namespace {

constexpr int HandSlots = 13;
constexpr int HistoryNumberWidth = 12;

forms::ControlArray<forms::Image>& SeatCardImages(client::MainForm& table, int k) {
    switch (k) {
        case 1:
            return table.cardImage1;
        case 2:
            return table.cardImage2;
        default:
            return table.cardImage3;
    }
}

// Lays the revealed card of slot j out in the seat's play area, in the row the seat's cards
// take there.
void PlaceRevealedCard(client::Client& c, int k, int j, int n) {
    auto& s = c.s;
    auto& images = SeatCardImages(*c.MainForm, k);
    forms::Image& card = images[s.custom[std::size_t(k)].slots[std::size_t(j)].image];
    const double W = images[0].width();
    const double sx = s.g_fScaleX;
    const double sy = s.g_fScaleY;
    double left = (j - s.g_aPlayedCount[std::size_t(k - 1)]) * 0.22 * W * sx +
                  ((0.11 * n - 1) + 0.39) * 90 * sx + s.custom[std::size_t(k)].playX;
    if (k == 2 || k == 3) left += 150 * sx;
    card.setLeft(float(left));
    card.setTop(s.custom[std::size_t(k)].playY);
    card.setWidth(float(80 * sx));
    card.setHeight(float(108 * sy));
    card.setVisible(true);
    card.zOrder(0);
    card.setStretch(true);
}

}  // namespace

void RevealHandLeft(client::Client& c, const PlacedResult& f) {
    auto& seat = c.s.custom[std::size_t(f.column)];
    const HandResult& r = f.result;
    seat.count = r.cardsLeft;
    const int n = r.cardsLeft;
    if (n < 1) return;
    for (int j = 0; j < n && j < HandSlots; ++j) {
        const cards::CardValue v = r.cardsHeld[std::size_t(j)];
        seat.slots[std::size_t(j)].card = v;
        // The picture is the suit bit and the rank; the card id does not change it.
        const auto bits = std::uint32_t(v);
        const auto suit = std::int16_t(bits & 0x0F);
        const auto rank = std::int16_t((bits >> 8) & 0xFF);
        const auto code = std::int16_t(cards::BitIndex(suit) * 16 + rank);
        Skipping([&] {
            cards::ShowCardPicture(c, suit, rank, std::int16_t(f.column), std::int16_t(j), code, 0);
        });
        Skipping([&] { PlaceRevealedCard(c, f.column, j, n); });
    }
}

void ApplyResultToSeat(client::Client& c, const PlacedResult& f, double signedFinal) {
    auto& s = c.s;
    const auto k = std::size_t(f.column);
    const HandResult& r = f.result;
    Skipping([&] { c.Hero->Grade[f.column].addItem(HistoryLine(signedFinal)); });
    Skipping([&] {
        s.g_aSessionScore[k] += signedFinal;
        c.Hero->sunScore[f.column].setCaption(FormatAmount(s.g_aSessionScore[k]));
    });
    state::PlayerInfo& info = s.g_aPlayerInfo[k];
    Skipping([&] {
        const SeatTally after = ApplyResult({info.gold, info.wins, info.losses}, r, signedFinal);
        info.gold = after.gold;
        info.wins = after.wins;
        info.losses = after.losses;
    });
    auto& table = *c.MainForm;
    if (const auto title = LevelTitle(r.level)) {
        Skipping([&] {
            table.Level[f.column].setCaption(*title);
            table.Level[f.column].zOrder(0);
        });
    }
    Skipping([&] { table.Cash[f.column].setCaption(GoldLabel(info.gold, r.currency)); });
}

void CountHand(client::Client& c) {
    auto& s = c.s;
    s.g_nHandCount = platform::checkedInteger(std::int64_t(s.g_nHandCount) + 1);
    c.Hero->Num.addItem(connection::PadLeft(QString::number(s.g_nHandCount), HistoryNumberWidth));
}

}  // namespace settlement
