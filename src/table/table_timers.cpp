// The table window's two small timers: the seat-change caption and the previous trick's
// three seconds on view.
#include "cards/display/trick_cards.h"
#include "client/client.h"
#include "client/main_form.h"
#include "platform/runtime/failure.h"

namespace client {

void MainForm::TimerShuffle_Timer() {
    state::SharedState& s = c.s;
    if (s.g_nShuffleIndex < 0 || std::size_t(s.g_nShuffleIndex) >= s.g_aShuffleText.size()) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    LblShuffle.setCaption(s.g_aShuffleText[std::size_t(s.g_nShuffleIndex)]);
    ++s.g_nShuffleIndex;
    if (s.g_nShuffleIndex > 3) s.g_nShuffleIndex = 0;
}

void MainForm::Timerformer_Timer() {
    Timerformer.setEnabled(false);
    cards::HideTrick(*this, c.s.g_aPrevTrickCards);
    cards::ShowTrick(*this, c.s.g_aTrickCards);
    c.s.g_bPrevTrickReady = true;
}

}  // namespace client
