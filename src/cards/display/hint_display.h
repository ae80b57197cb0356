#pragma once

#include <cstdint>
#include <span>

namespace client {
class Client;
}

namespace cards {

// PromptBeat: raises (to 20 pixels above the rest line) the local cards of the next play of kind
// `type` with `len` cards that beats `last`, or of the next bomb, and keeps the hint's state in
// `hint` of the shared state; g_bHintFound tells whether anything rose. Cards already raised are
// not lowered.
void PromptBeat(client::Client& c, std::int16_t type, std::int16_t len,
                std::span<const std::int32_t> last);

// PromptLead: raises every card of the lowest rank held; the hint's state is not touched.
void PromptLead(client::Client& c);

}  // namespace cards
