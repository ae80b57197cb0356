// The video pane buttons answer the mouse with a hover picture. Image controls report the mouse
// over themselves but never its leaving, so a button only enters its hover picture here; the
// normal pictures come back when the mouse crosses any pane's button strip.
#include "video/pane_button_pictures.h"

#include <array>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"

namespace video {

namespace {

// The album button's pictures are not in the id table.
constexpr int kAlbumNormal = 863;
constexpr int kAlbumHover = 864;
// The add-friend buttons (slot 3 of a remote pane) use the elements after the hover row.
constexpr int kFriendNormalElement = 8;
constexpr int kFriendHoverElement = 9;
constexpr int kHoverRow = 4;

// Every hovered button goes back in this order: the local pane, then the first three slots of
// each remote pane, then the add-friend buttons.
constexpr std::array<int, kPaneButtonCount> kRestoreOrder{0, 1,  2,  3,  4,  5, 6,  8,
                                                          9, 10, 12, 13, 14, 7, 11, 15};

int IdAt(const resources::PictureIds& ids, int element) {
    return connection::IntegerArg(ids.g_aIdPaneButtons.at(static_cast<std::size_t>(element)))
        .toInteger();
}

std::int16_t NormalId(client::Client& c, int index) {
    return static_cast<std::int16_t>(PaneButtonPictures(c.ids, index).normal);
}

std::int16_t HoverId(client::Client& c, int index) {
    return static_cast<std::int16_t>(PaneButtonPictures(c.ids, index).hover);
}

}  // namespace

PaneButtonPictureIds PaneButtonPictures(const resources::PictureIds& ids, int index) {
    if (index == 0) return {kAlbumNormal, kAlbumHover};
    if (index <= 3) return {IdAt(ids, index), IdAt(ids, index + kHoverRow)};
    const int slot = index % 4;
    if (slot == 3) return {IdAt(ids, kFriendNormalElement), IdAt(ids, kFriendHoverElement)};
    return {IdAt(ids, slot), IdAt(ids, slot + kHoverRow)};
}

std::optional<LocalTooltip> LocalPaneTooltip(int index) {
    switch (index) {
        case 0:
            return LocalTooltip{QStringLiteral("像册"), 28};
        case 1:
            return LocalTooltip{QStringLiteral("放大"), 28};
        case 2:
            return LocalTooltip{QStringLiteral("拍照"), 28};
        case 3:
            return LocalTooltip{QStringLiteral("dovo"), 54};
        default:
            return std::nullopt;
    }
}

}  // namespace video

namespace client {
using namespace video;

void MainForm::ImCmd_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    if (Index < 0 || Index >= kPaneButtonCount) return;
    const auto tip = LocalPaneTooltip(Index);
    if (tip && Index > 0) Tiplbl.setWidth(tip->designWidth * c.s.g_fScaleX);
    bool& hover = c.s.g_aPaneButtonHover[static_cast<std::size_t>(Index)];
    if (!hover) {
        hover = true;
        // A picture that cannot be written leaves the button as it is, the mark set all the same.
        connection::ShowResourcePicture(c, HoverId(c, Index), ImCmd[Index]);
    }
    if (!tip) return;
    if (Index == 0) Tiplbl.setWidth(tip->designWidth * c.s.g_fScaleX);
    Tiplbl.setText(tip->text);
    const forms::Image& button = ImCmd[Index];
    Tiplbl.setLeft(PicLocal[0].left() + button.left() + button.width());
    Tiplbl.setTop(PicLocal[0].top() + 10 * c.s.g_fScaleY);
    Tiplbl.setVisible(true);
    Tiplbl.zOrder(0);
}

void MainForm::PicLocal_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Index, (void)Button, (void)Shift, (void)X, (void)Y;
    if (Tiplbl.visible()) Tiplbl.setVisible(false);
    for (const int k : kRestoreOrder) {
        bool& hover = c.s.g_aPaneButtonHover[static_cast<std::size_t>(k)];
        if (!hover) continue;
        hover = false;
        connection::ShowResourcePicture(c, NormalId(c, k), ImCmd[k]);
    }
}

}  // namespace client
