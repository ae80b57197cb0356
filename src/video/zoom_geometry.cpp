#include "video/zoom_geometry.h"

#include <array>

#include "connection/resource_pictures.h"

namespace video {

namespace {

// Each full-layout window is its background picture at 15 twips to the pixel.
constexpr std::array<ZoomStepDesign, 3> kSteps{{
    {2625, 2070, 110, 230, 2400, 1800},
    {4140, 3225, 150, 240, 3840, 2880},
    {6510, 5115, 240, 480, 6000, 4500},
}};

// The opening offsets of each pane, as fractions of the table's width and height.
struct Offset {
    float across;
    float down;
};
constexpr std::array<Offset, 4> kOpenOffsets{
    {{-0.2f, 0.2f}, {-0.25f, -0.2f}, {0, -0.2f}, {0.25f, -0.2f}}};
// The offsets of a window changing to the small or middle step (the right seat's window goes
// where the left seat's does).
constexpr std::array<Offset, 4> kResizeOffsets{
    {{-0.2f, 0.2f}, {-0.2f, -0.2f}, {0.2f, -0.2f}, {-0.2f, -0.2f}}};
// At the large step a window keeps 5 % of the table's width from a side and 7 % of its height
// from the top or bottom.
constexpr float kLargeSideMargin = 0.05f;
constexpr float kLargeEndMargin = 0.07f;
constexpr int kLocalPane = 0;
constexpr int kOppositePane = 2;

}  // namespace

const ZoomStepDesign& ZoomStepSize(ZoomStep step) {
    return kSteps[static_cast<std::size_t>(step)];
}

std::optional<ZoomStep> EnlargedStep(ZoomStep step) {
    switch (step) {
        case ZoomStep::Small:
            return ZoomStep::Middle;
        case ZoomStep::Middle:
            return ZoomStep::Large;
        case ZoomStep::Large:
            break;
    }
    return std::nullopt;
}

std::optional<ZoomStep> ShrunkStep(ZoomStep step) {
    switch (step) {
        case ZoomStep::Middle:
            return ZoomStep::Small;
        case ZoomStep::Large:
            return ZoomStep::Middle;
        case ZoomStep::Small:
            break;
    }
    return std::nullopt;
}

int ZoomBackgroundId(const resources::PictureIds& ids, ZoomStep step, int backIdOffset) {
    const QString& entry = ids.g_aIdVideoBack.at(static_cast<std::size_t>(step));
    return connection::IntegerArg(entry).toInteger() + backIdOffset;
}

QPointF ZoomOpenPlace(int pane, const TableRect& table, float w, float h) {
    const Offset offset = kOpenOffsets.at(static_cast<std::size_t>(pane));
    const float top = (table.height - h) / 2 + table.top + offset.down * table.height;
    const float left = (table.width - w) / 2 + table.left + offset.across * table.width;
    return {left, top};
}

QPointF ZoomResizePlace(int pane, ZoomStep step, const TableRect& table, float w, float h) {
    const auto& t = table;
    if (step != ZoomStep::Large) {
        const Offset offset = kResizeOffsets.at(static_cast<std::size_t>(pane));
        const float top = t.top + (t.height - h) / 2 + offset.down * t.height;
        const float left = t.left + (t.width - w) / 2 + offset.across * t.width;
        return {left, top};
    }
    const float left = pane == kOppositePane ? t.left + t.width - w - kLargeSideMargin * t.width
                                             : t.left + kLargeSideMargin * t.width;
    const float top = pane == kLocalPane ? t.top + t.height - h - kLargeEndMargin * t.height
                                         : t.top + kLargeEndMargin * t.height;
    return {left, top};
}

}  // namespace video
