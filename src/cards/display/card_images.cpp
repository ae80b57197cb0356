#include "cards/display/card_images.h"

#include "client/main_form.h"

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

}  // namespace cards
