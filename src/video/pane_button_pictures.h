#pragma once

#include <QString>
#include <optional>

#include "resources/picture_ids.h"

// The video pane buttons' two pictures and the local buttons' tooltip. Pure, so that the
// sixteen buttons' pictures are checked without windows.
namespace video {

inline constexpr int kPaneButtonCount = 16;

// A button's normal and hover picture ids (the album button's are fixed, the others come from
// g_aIdPaneButtons).
struct PaneButtonPictureIds {
    int normal;
    int hover;
    bool operator==(const PaneButtonPictureIds&) const = default;
};
PaneButtonPictureIds PaneButtonPictures(const resources::PictureIds& ids, int index);

// The tooltip box beside a button of the local pane (0..3): its text and its width in design
// pixels. The remote buttons carry their own tooltip texts instead (none here).
struct LocalTooltip {
    QString text;
    float designWidth;
};
std::optional<LocalTooltip> LocalPaneTooltip(int index);

}  // namespace video
