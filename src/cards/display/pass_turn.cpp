#include "cards/display/pass_turn.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "state/message_types.h"
#include "state/shared_state.h"

namespace cards {

namespace {
// The play, hint and pass buttons; their normal pictures are every third picture id.
constexpr int kPlayButtons = 3;
constexpr int kPicturesPerButton = 3;
}  // namespace

void HideClock(client::MainForm& form) {
    form.Number.setVisible(false);
    form.Time_Img.setVisible(false);
}

void RestPlayButtons(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    for (int i = 0; i < kPlayButtons; ++i) {
        form.Operation[i].setEnabled(false);
        const auto& id = c.ids.g_aIdOperation[std::size_t(kPicturesPerButton * i)];
        connection::ShowResourcePicture(c, connection::IntegerArg(id).toInteger(),
                                        form.Operation[i]);
    }
}

}  // namespace cards
