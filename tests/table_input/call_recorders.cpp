// Stand-ins linked into this test program in place of the play of the raised cards and the
// boss key, which their own subsystems build and test: they record each call.
#include "call_recorders.h"

#include "cards/display/local_hand.h"
#include "cards/display/play_selected_cards.h"
#include "client/client.h"
#include "table/boss_key.h"

namespace table_input {

Recorded& Calls() {
    static Recorded recorded;
    return recorded;
}

void ResetCalls() {
    Calls() = {};
}

}  // namespace table_input

namespace cards {
void PlaySelectedCards(client::Client& c) {
    table_input::Calls().plays.push_back(SlotsAboveRest(c).to_ulong());
}
}  // namespace cards

namespace table {
// As F1 on the table background: the game goes on by itself while the player is away.
void PressBossKey(client::Client& c) {
    ++table_input::Calls().bossKeys;
    c.s.g_bAutoPlay = true;
    c.s.g_bBossKeyPressed = true;
    c.s.g_bBossKey = true;
    c.s.g_nTurnSeconds = 0;
}
}  // namespace table
