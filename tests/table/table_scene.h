#pragma once

// A table in the middle of a hand, for pictures and benchmarks: four seated players with names,
// gold and levels, thirteen cards in the local hand on the rest line, and a trick of three
// cards from the other seats at their play points.
#include <QString>

#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "connection/resource_pictures.h"
#include "platform/forms/render.h"
#include "table/table_layout.h"
#include "table_fixture.h"

namespace table_test {

inline void SetUpScene(LoadedTable& table) {
    client::Client& c = *table.c;
    client::MainForm& form = table.form();
    state::SharedState& s = c.s;
    table::ResetTableForNewHand(c);
    table::ResetPlayersForNewHand(c);

    const QString names[4] = {QStringLiteral("我自己"), QStringLiteral("左边的玩家"),
                              QStringLiteral("对家"), QStringLiteral("右边的玩家")};
    const char* gold[4] = {"金币:12800", "金币:5300", "金币:990", "金币:47000"};
    const QString levels[4] = {QStringLiteral("新手"), QStringLiteral("高手"),
                               QStringLiteral("大师"), QStringLiteral("宗师")};
    for (int k = 0; k < 4; ++k) {
        connection::ShowResourcePicture(
            c, connection::IntegerArg(c.ids.g_aIdAvatar[std::size_t(3 * k + 1)]).toInteger(),
            form.Tou[k]);
        form.Nid[k].setCaption(names[k]);
        form.Cash[k].setCaption(QString::fromUtf8(gold[k]));
        form.Level[k].setCaption(levels[k]);
    }
    form.Location.setCaption(QStringLiteral("北京"));

    // Thirteen cards, spread across the bottom on the rest line.
    const float sc = s.g_fScaleX;
    const float step = 30 * sc;
    const float width = form.cardImage0[0].width();
    const float left0 = (1024 * sc - (12 * step + width)) / 2;
    const std::int16_t suits[4] = {1, 2, 4, 8};
    for (int i = 0; i < 13; ++i) {
        const std::int16_t suit = suits[i % 4];
        const std::int16_t rank = std::int16_t(3 + i);
        cards::ShowCardPicture(c, suit, rank, 0, std::int16_t(i),
                               std::int16_t(cards::CardPictureCodeOf(suit, rank)), 0);
        auto& card = form.cardImage0[i];
        card.move(left0 + float(i) * step, s.g_nCardBaseTop);
        card.setVisible(true);
        card.zOrder(0);
    }
    // One card raised, as a click leaves it.
    form.cardImage0[6].setTop(s.g_nCardBaseTop - form.cardImage0[6].height() / 5);

    // The trick: one card from each other seat at its play point.
    forms::ControlArray<forms::Image>* plays[4] = {nullptr, &form.cardImage1, &form.cardImage2,
                                                   &form.cardImage3};
    const int trick[4][2] = {{0, 0}, {8, 11}, {4, 12}, {2, 14}};
    for (int k = 1; k <= 3; ++k) {
        const int code =
            cards::CardPictureCodeOf(std::int16_t(trick[k][0]), std::int16_t(trick[k][1]));
        auto& card = (*plays[k])[0];
        connection::ShowResourcePicture(
            c, connection::IntegerArg(c.ids.g_aIdCards[std::size_t(code)]).toInteger(), card);
        card.move(s.custom[k].playX, s.custom[k].playY);
        card.setVisible(true);
    }
    form.Time_Img.move(900 * sc, 300 * sc);
    form.Time_Img.setVisible(true);
    form.Number.move(form.Time_Img.left() + 48 * sc, form.Time_Img.top() + 5 * sc);
    form.Number.setCaption(QStringLiteral("15"));
    form.Number.setVisible(true);
    for (int k = 0; k <= 2; ++k) {
        form.Operation[k].setVisible(true);
        form.Operation[k].setEnabled(true);
    }
}

}  // namespace table_test
