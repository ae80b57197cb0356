#pragma once

// A loaded table at one of the two scales, reset for a hand, with the four seats' flags known
// (the local player holds flag 1) and sound effects on: the deal, the other seats' plays and the
// local play run on it as the dispatcher and the buttons run them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/display/receive_dealt_cards.h"
#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/failure_guard.h"
#include "state/shared_state.h"
#include "support/server_frames.h"
#include "table/table_fixture.h"
#include "table/table_layout.h"

namespace cards_display_test {

using table_test::Screen;

// "9h" style names of cards on the wire: rank 3..10, J Q K A 2, suit letter; ids count up from
// `firstId`.
inline std::vector<std::int32_t> WireCards(const std::vector<std::string>& names,
                                           std::uint8_t firstId = 0) {
    std::vector<std::int32_t> cards;
    for (const std::string& name : names) {
        const std::string rank = name.substr(0, name.size() - 1);
        const char suit = name.back();
        std::uint8_t r = 0;
        if (rank == "J")
            r = 11;
        else if (rank == "Q")
            r = 12;
        else if (rank == "K")
            r = 13;
        else if (rank == "A")
            r = 14;
        else if (rank == "2")
            r = 15;
        else
            r = std::uint8_t(std::stoi(rank));
        const std::uint8_t s = suit == 'd' ? 1 : suit == 'c' ? 2 : suit == 'h' ? 4 : 8;
        cards.push_back(support::CardWord(s, r, std::uint8_t(firstId + cards.size())));
    }
    return cards;
}

class TablePlay {
  public:
    explicit TablePlay(Screen screen, bool withView = false) : table(screen, withView) {
        c.s.g_sHallCaption = QString::fromUtf16(support::ClientHarness::kHallCaption);
        table::ResetPlayersForNewHand(c);
        table::ResetTableForNewHand(c);
        for (int k = 0; k < 4; ++k) c.s.custom[std::size_t(k)].seat = std::uint8_t(1 << k);
        c.soundState.g_bEffectsOn = true;
        table.harness.desktop.clearRecords(table.harness.hall);
    }

    // One batch as the dispatcher hands it over: its flag set, then the call under the guard.
    // A count byte that is not the number of cards given makes a malformed frame.
    void dealBatch(std::uint8_t batch, const std::vector<std::int32_t>& cards,
                   std::optional<std::uint8_t> cardCount = std::nullopt) {
        c.s.g_bDealPhase1 = batch == 1;
        c.s.g_bDealPhase2 = batch == 2;
        c.s.g_bDealPhase3 = batch == 3;
        state::Frame frame = support::BuildDeal({.dealPhase = batch, .cards = cards});
        if (cardCount) frame[11] = *cardCount;
        dispatch::RunUnderFailureGuard(c, [&] {
            cards::ReceiveDealtCards(c, frame, std::int16_t(frame[11]));
            if (batch == 3) c.s.g_nDealtCards = 0;
        });
    }
    // A whole hand of thirteen: 5, 4 and 4 cards.
    void dealHand(const std::vector<std::string>& names) {
        const auto cards = WireCards(names);
        dealBatch(1, {cards.begin(), cards.begin() + 5});
        dealBatch(2, {cards.begin() + 5, cards.begin() + 9});
        dealBatch(3, {cards.begin() + 9, cards.end()});
    }

    bool hallRestored() const {
        return !table.harness.desktop.systemCommands(table.harness.hall).empty();
    }

    table_test::LoadedTable table;
    client::Client& c = *table.c;
    client::MainForm& form = table.form();
};

}  // namespace cards_display_test
