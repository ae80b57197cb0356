#pragma once

#include <QPoint>

class QImage;
class QPainter;

namespace forms {

// Draws `picture` unscaled with its top left at `at` (the painter's coordinates), as
// QPainter::drawImage does. An opaque indexed picture (the table's, say) going onto a window's
// 32-bit raster at a whole-pixel position has its colours looked up straight into the window's
// pixels: the toolkit's general path converts it on its thread pool, starting a thread per core
// on the first paint. True when the pixels were written that way.
bool drawPicture(QPainter& painter, QPoint at, const QImage& picture);

}  // namespace forms
