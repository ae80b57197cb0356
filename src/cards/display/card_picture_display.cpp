#include "cards/display/card_picture_display.h"

#include "cards/card_picture.h"
#include "cards/display/card_images.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/hall_link.h"
#include "connection/resource_pictures.h"
#include "platform/files/file_system.h"
#include "platform/forms/picture.h"
#include "platform/runtime/conversions.h"

namespace cards {

namespace {

// The control that shows the picture; none for a seat that has no card controls.
forms::Image* CardPictureTarget(client::MainForm& form, std::int16_t seat, std::int16_t imgIndex,
                                std::int16_t toOption) {
    if (toOption == 1) return &form.xuan_img[imgIndex];
    auto* images = SeatCardImages(form, seat);
    return images ? &(*images)[imgIndex] : nullptr;
}

}  // namespace

void ShowCardPicture(client::Client& c, std::int16_t suitMask, std::int16_t rank, std::int16_t seat,
                     std::int16_t imgIndex, std::int16_t code, std::int16_t toOption) {
    const auto shown = CardPictureCodeToShow(suitMask, rank, code);
    if (!shown) {
        // A code without a picture means the table is beyond repair: back to the hall.
        c.MainForm->setWindowState(forms::WindowState::Minimized);
        connection::RestoreHall(c);
        return;
    }

    c.s.g_nResId = platform::textToInteger(c.ids.g_aIdCards[std::size_t(*shown)]);
    const auto file =
        connection::WriteResourcePicture(c, connection::TempPicturePath(c, c.s.g_nResId));
    if (!file) return;

    if (forms::Image* target = CardPictureTarget(*c.MainForm, seat, imgIndex, toOption)) {
        target->setPicture(forms::loadPicture(*file));
    }
    connection::DeleteTempPicture(*file);
}

}  // namespace cards
