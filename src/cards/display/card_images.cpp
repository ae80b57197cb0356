#include "cards/display/card_images.h"

#include <array>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/runtime/failure.h"
#include "state/shared_state.h"

namespace cards {

forms::ControlArray<forms::Image>* SeatCardImages(client::MainForm& form, int seat) {
    switch (seat) {
        case 0:
            return &form.cardImage0;
        case 1:
            return &form.cardImage1;
        case 2:
            return &form.cardImage2;
        case 3:
            return &form.cardImage3;
        default:
            return nullptr;
    }
}

std::int16_t HandBackPictureId(const client::Client& c, int seat, int held) {
    if (seat < 1 || seat > 3 || held < 1 || held > 13) {
        platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange, "Subscript out of range");
    }
    const resources::PictureIds& ids = c.ids;
    const std::array tables =
        c.s.g_fScaleX == 1.0f
            ? std::array{&ids.g_aIdPile1, &ids.g_aIdPile2, &ids.g_aIdPile3}
            : std::array{&ids.g_aIdPile1Small, &ids.g_aIdPile2Small, &ids.g_aIdPile3Small};
    return connection::IntegerArg((*tables[std::size_t(seat - 1)])[std::size_t(held - 1)])
        .toInteger();
}

}  // namespace cards
