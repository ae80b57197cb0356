#include "cards/display/trick_bookkeeping.h"

#include <algorithm>
#include <string>

#include "cards/display/card_images.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/runtime/failure.h"
#include "state/shared_state.h"

namespace cards {
namespace {

using TrickRow = std::array<std::int16_t, state::SharedState::TrickEntries>;
constexpr std::size_t TrickCountEntry = state::SharedState::TrickEntries - 1;

// The entries a row's count covers: never below none, never into the count itself.
std::size_t Listed(const TrickRow& row) {
    return std::size_t(std::clamp<int>(row[TrickCountEntry], 0, int(TrickCountEntry)));
}

}  // namespace

void StartSeatTurn(client::Client& c, int relSeat) {
    auto* images = SeatCardImages(*c.MainForm, relSeat);
    if (!images) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                       "no seat " + std::to_string(relSeat));
    }
    TrickRow& previous = c.s.g_aPrevTrickCards[std::size_t(relSeat)];
    TrickRow& current = c.s.g_aTrickCards[std::size_t(relSeat)];

    for (std::size_t k = 0; k < Listed(previous); ++k) {
        if (IsCardImageIndex(previous[k])) (*images)[previous[k]].setVisible(false);
    }
    previous[TrickCountEntry] = current[TrickCountEntry];
    for (std::size_t k = 0; k < Listed(current); ++k) {
        if (!IsCardImageIndex(current[k])) continue;
        (*images)[current[k]].setVisible(false);
        previous[k] = current[k];
    }
    current[TrickCountEntry] = 0;
}

void AwardFinishingBadge(client::Client& c, int relSeat) {
    std::int16_t& finished = c.s.g_nFinishedCount;
    if (finished < 0 || finished >= 3) return;
    forms::Image& badge = c.MainForm->first[relSeat];
    connection::ShowResourcePicture(
        c, connection::IntegerArg(c.ids.g_aIdPlaceBadge[std::size_t(finished)]).toInteger(), badge);
    badge.setVisible(true);
    badge.zOrder(0);
    ++finished;
}

}  // namespace cards
