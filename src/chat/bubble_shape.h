#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <vector>

namespace chat {

// The runs of a bubble picture that are not the see-through colour: for every row, each
// maximal stretch of horizontally adjacent pixels whose colour (alpha ignored) differs from
// `transparent`, as a rectangle one pixel high, from its first pixel to its last inclusive.
// Runs that reach the right edge count like any other.
std::vector<QRect> OpaqueRuns(const QImage& picture, QRgb transparent);

// The union of those runs: the window shape of a bubble.
QRegion BubbleShape(const QImage& picture, QRgb transparent);

}  // namespace chat
