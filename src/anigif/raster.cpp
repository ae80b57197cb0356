#include "anigif/raster.h"

#include <QPainter>
#include <algorithm>
#include <utility>

namespace anigif {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint32_t combine(std::uint32_t dest, std::uint32_t src, Rop rop) {
    switch (rop) {
        case Rop::SrcCopy:
            return src;
        case Rop::SrcAnd:
            return dest & src;
        case Rop::SrcPaint:
            return dest | src;
    }
    return src;
}

// One source row as 0x00RRGGBB values.
template <typename Fn>
void forEachSourcePixel(const BlitSource& src, int y, int x0, int count, Fn&& put) {
    const QImage& image = src.image;
    const uchar* row = image.constScanLine(y);
    switch (image.format()) {
        case QImage::Format_Indexed8:
            for (int i = 0; i < count; ++i) put(i, (*src.colors)[row[x0 + i]]);
            break;
        case QImage::Format_Grayscale8:
            for (int i = 0; i < count; ++i) put(i, std::uint32_t(row[x0 + i]) * 0x010101u);
            break;
        default: {
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(row);
            for (int i = 0; i < count; ++i) put(i, pixels[x0 + i] & 0xFFFFFFu);
        }
    }
}

void blitUnscaled(QImage& dest, QPoint to, const BlitSource& src, QRect from, Rop rop) {
    // Clip the source to its image, then the destination to its own.
    const QRect sourceBounds = src.image.rect();
    QRect clipped = from.intersected(sourceBounds);
    if (clipped.isEmpty()) return;
    to += clipped.topLeft() - from.topLeft();
    QRect target(to, clipped.size());
    const QRect destClipped = target.intersected(dest.rect());
    if (destClipped.isEmpty()) return;
    clipped.translate(destClipped.topLeft() - target.topLeft());
    clipped.setSize(destClipped.size());

    const bool greyDest = dest.format() == QImage::Format_Grayscale8;
    for (int row = 0; row < destClipped.height(); ++row) {
        uchar* line = dest.scanLine(destClipped.top() + row);
        if (greyDest) {
            uchar* out = line + destClipped.left();
            forEachSourcePixel(
                src, clipped.top() + row, clipped.left(), clipped.width(),
                [&](int i, std::uint32_t c) { out[i] = uchar(combine(out[i], c & 0xFF, rop)); });
        } else {
            auto* out = reinterpret_cast<std::uint32_t*>(line) + destClipped.left();
            forEachSourcePixel(src, clipped.top() + row, clipped.left(), clipped.width(),
                               [&](int i, std::uint32_t c) {
                                   out[i] = kOpaque | (combine(out[i] & 0xFFFFFFu, c, rop));
                               });
        }
    }
}

}  // namespace

void Blit(QImage& dest, const QRect& to, const BlitSource& src, const QRect& from, Rop rop,
          bool stretch) {
    if (dest.isNull() || src.image.isNull() || to.width() < 1 || to.height() < 1) return;
    if (!stretch)
        return blitUnscaled(dest, to.topLeft(), src, QRect(from.topLeft(), to.size()), rop);
    const QRect sourcePart = from.intersected(src.image.rect());
    if (sourcePart.isEmpty()) return;
    QImage part(sourcePart.size(), QImage::Format_RGB32);
    for (int y = 0; y < sourcePart.height(); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(part.scanLine(y));
        forEachSourcePixel(src, sourcePart.top() + y, sourcePart.left(), sourcePart.width(),
                           [&](int i, std::uint32_t c) { out[i] = kOpaque | c; });
    }
    const QImage scaled = part.scaled(to.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    blitUnscaled(dest, to.topLeft(), BlitSource{scaled}, scaled.rect(), rop);
}

void FlipInPlace(QImage& image, const QRect& area, bool leftRight, bool topBottom) {
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty() || (!leftRight && !topBottom)) return;
    const int bytes = image.depth() / 8;
    if (leftRight) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* line = image.scanLine(y);
            for (int a = r.left(), b = r.right(); a < b; ++a, --b) {
                std::swap_ranges(line + a * bytes, line + (a + 1) * bytes, line + b * bytes);
            }
        }
    }
    if (topBottom) {
        for (int a = r.top(), b = r.bottom(); a < b; ++a, --b) {
            uchar* upper = image.scanLine(a) + r.left() * bytes;
            uchar* lower = image.scanLine(b) + r.left() * bytes;
            std::swap_ranges(upper, upper + r.width() * bytes, lower);
        }
    }
}

void FillRect(QImage& image, const QRect& area, std::uint32_t value) {
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty()) return;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if (image.depth() == 8) {
            std::fill_n(image.scanLine(y) + r.left(), r.width(), uchar(value));
        } else {
            std::fill_n(reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + r.left(), r.width(),
                        value);
        }
    }
}

void PutImage(QImage& dest, QPoint at, const QImage& src) {
    const QRect target = QRect(at, src.size()).intersected(dest.rect());
    if (target.isEmpty()) return;
    const int bytes = dest.depth() / 8;
    const QPoint offset = target.topLeft() - at;
    for (int y = 0; y < target.height(); ++y) {
        std::copy_n(src.constScanLine(offset.y() + y) + offset.x() * bytes, target.width() * bytes,
                    dest.scanLine(target.top() + y) + target.left() * bytes);
    }
}

}  // namespace anigif
