#include "cards/display/trick_cards.h"

#include "cards/display/card_images.h"
#include "client/main_form.h"
#include "platform/runtime/failure.h"

namespace cards {

namespace {

constexpr std::size_t kCountEntry = 27;

// The images a seat's row lists; a count beyond the 27 entries is a run-time failure rather
// than a read past the row.
template <typename Action>
void ForEachTrickImage(client::MainForm& form, const TrickTable& trick, Action action) {
    for (int seat = 0; seat < 4; ++seat) {
        const auto& row = trick[std::size_t(seat)];
        const std::int16_t n = row[kCountEntry];
        if (n > std::int16_t(kCountEntry)) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "Subscript out of range");
        }
        forms::ControlArray<forms::Image>& images = *SeatCardImages(form, seat);
        for (std::int16_t i = 0; i < n; ++i) action(images[row[std::size_t(i)]]);
    }
}

}  // namespace

void HideTrick(client::MainForm& form, const TrickTable& trick) {
    ForEachTrickImage(form, trick, [](forms::Image& card) { card.setVisible(false); });
}

void ShowTrick(client::MainForm& form, const TrickTable& trick) {
    ForEachTrickImage(form, trick, [](forms::Image& card) {
        card.setVisible(true);
        card.zOrder(0);
    });
}

}  // namespace cards
