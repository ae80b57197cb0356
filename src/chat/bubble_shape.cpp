#include "chat/bubble_shape.h"

namespace chat {

std::vector<QRect> OpaqueRuns(const QImage& picture, QRgb transparent) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb see = transparent & RGB_MASK;
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            if ((row[x] & RGB_MASK) == see) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < image.width() && (row[x] & RGB_MASK) != see) ++x;
            runs.emplace_back(first, y, x - first, 1);
        }
    }
    return runs;
}

QRegion BubbleShape(const QImage& picture, QRgb transparent) {
    QRegion shape;
    for (const QRect& run : OpaqueRuns(picture, transparent)) shape += run;
    return shape;
}

}  // namespace chat
