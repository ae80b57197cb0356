#pragma once

// A table on a fake game server, logged in, with a hand dealt into the local row as the deal
// lays it out: slot k shown by cardImage0(k), 30 pixels apart on the rest line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_recorders.h"
#include "cards/card_notation.h"
#include "cards/card_picture.h"
#include "cards/display/card_picture_display.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/client_loading.h"
#include "platform/forms/testing/driver.h"
#include "state/shared_state.h"
#include "table/table_layout.h"

namespace table_input {

inline constexpr float kCardStep = 30;
inline constexpr std::uint8_t kOwnSeat = 0x23;

class HandTable : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetCalls();
        ASSERT_TRUE(table.loaded);
        ASSERT_TRUE(table.loggedIn());
        s().g_bLoggedIn = true;  // as the login answer leaves it
        s().custom[0].seat = kOwnSeat;
        table::ResetTableForNewHand(c());
        table.server->clearFrames();
        c().soundState.g_bEffectsOn = true;
    }

    client::Client& c() { return table.c(); }
    client::MainForm& form() { return table.form(); }
    state::SharedState& s() { return c().s; }

    void deal(const char* notation) {
        const auto cards = card_notation::Hand(notation);
        state::SeatRecord& hand = s().custom[0];
        for (std::size_t k = 0; k < cards.size(); ++k) {
            if (!form().cardImage0.exists(int(k))) form().cardImage0.load(int(k));
            forms::Image& image = form().cardImage0[int(k)];
            hand.slots[k] = {cards[k], std::int16_t(k)};
            const auto suit = std::int16_t(cards[k] & 15);
            const auto rank = std::int16_t((cards[k] >> 8) & 255);
            cards::ShowCardPicture(c(), suit, rank, 0, std::int16_t(k),
                                   std::int16_t(cards::CardPictureCodeOf(suit, rank)), 0);
            image.move(200 + kCardStep * float(k), s().g_nCardBaseTop);
            image.setVisible(true);
            image.zOrder(0);
        }
        hand.count = std::int16_t(cards.size());
    }
    forms::Image& card(int slot) { return form().cardImage0[s().custom[0].slots[slot].image]; }
    float rest() { return float(s().g_nCardBaseTop); }
    // The slots whose cards stand above the rest line, as "0 3 4".
    std::string raised() {
        std::string out;
        for (int k = 0; k < s().custom[0].count; ++k) {
            if (card(k).top() < rest()) out += (out.empty() ? "" : " ") + std::to_string(k);
        }
        return out;
    }
    // The local player's turn against a play (or leading when `former` is empty).
    void turn(cards::PatternType type = cards::PatternType::PatternInvalid, int num = 0,
              std::vector<std::int32_t> former = {}) {
        s().g_bTurnOpen = true;
        s().g_bCanPlay = true;
        s().g_bTurnToAct = true;
        s().FlgIsMe = true;
        s().former.formerType = type;
        s().former.formerNum = std::int16_t(num);
        for (std::size_t k = 0; k < former.size(); ++k) s().former.g_aFormerCards[k] = former[k];
        s().hint = {};
        s().hint.g_nHintType = std::int16_t(type);
        s().hint.g_nHintLen = std::int16_t(num);
        for (int k = 0; k <= 2; ++k) {
            form().Operation[k].setVisible(true);
            form().Operation[k].setEnabled(true);
        }
    }
    // Lets the tick send what was queued and returns the frames the server has by then.
    std::vector<support::FakeGameServer::Frame> sent(std::size_t expected) {
        table.ticks(int(expected) + 2);
        table.server->waitForFrames(expected, std::chrono::milliseconds(2000));
        return table.server->frames();
    }
    // The pass frame: type 7, the own seat, the pass kind, nothing else.
    static support::FakeGameServer::Frame passFrame() {
        support::FakeGameServer::Frame frame{};
        frame[3] = 7;
        frame[6] = kOwnSeat;
        frame[15] = 1;
        return frame;
    }
    QString lastEffect() { return c().soundState.g_sSoundPath; }

    support::DirectTable table;
};

}  // namespace table_input
