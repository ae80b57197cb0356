#pragma once

#include <QPointF>
#include <optional>

#include "resources/picture_ids.h"

// The zoom windows' three size steps and where a zoom window goes, as plain numbers (design
// twips, screen twips), so that every step and placement is checked without windows.
namespace video {

enum class ZoomStep { Small = 0, Middle = 1, Large = 2 };

// A step's window size and display pane, in design twips (widths and lefts times g_fScaleX,
// heights and tops times g_fScaleY).
struct ZoomStepDesign {
    float width;
    float height;
    float paneLeft;
    float paneTop;
    float paneWidth;
    float paneHeight;
};
const ZoomStepDesign& ZoomStepSize(ZoomStep step);

// The enlarge and shrink buttons' next step; none at either end.
std::optional<ZoomStep> EnlargedStep(ZoomStep step);
std::optional<ZoomStep> ShrunkStep(ZoomStep step);

// The background picture of a step: the step's entry of g_aIdVideoBack plus the layout's offset
// (0 full, 3 reduced).
int ZoomBackgroundId(const resources::PictureIds& ids, ZoomStep step, int backIdOffset);

// The table window's place and size (screen twips).
struct TableRect {
    float left;
    float top;
    float width;
    float height;
};

// Where the pane's zoom button puts a window w x h (screen twips, left and top): around the
// table's centre, below and left for the local pane, above for the others (left, middle,
// right).
QPointF ZoomOpenPlace(int pane, const TableRect& table, float w, float h);
// Where a window w x h goes when it changes to `step`: the small and middle steps around the
// table's centre, the large step near a corner of the table.
QPointF ZoomResizePlace(int pane, ZoomStep step, const TableRect& table, float w, float h);

}  // namespace video
