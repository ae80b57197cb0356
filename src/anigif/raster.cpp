#include "anigif/raster.h"

#include <QPainter>
#include <algorithm>
#include <optional>
#include <utility>

namespace anigif {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

template <Rop R>
std::uint32_t combine(std::uint32_t dest, std::uint32_t src) {
    if constexpr (R == Rop::SrcAnd) return dest & src;
    if constexpr (R == Rop::SrcPaint) return dest | src;
    return src;
}

// Source rows, each pixel read as 0x00RRGGBB.
struct IndexedRow {
    const uchar* pixels;
    const ColorTable& colors;
    std::uint32_t operator[](int i) const { return colors[pixels[i]]; }
};
struct GreyRow {
    const uchar* pixels;
    std::uint32_t operator[](int i) const { return std::uint32_t(pixels[i]) * 0x010101u; }
};
struct RgbRow {
    const std::uint32_t* pixels;
    std::uint32_t operator[](int i) const { return pixels[i] & 0xFFFFFFu; }
};

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

// The rows of one transfer: source rectangle `from` onto `to`'s top left, both clipped already.
struct Span {
    QRect from;
    QPoint to;
};

// The transfer's inner loop, made for each source kind, operation and destination depth so that
// nothing is decided per pixel.
template <Rop R, typename Row>
void transferRows(QImage& dest, const Span& span, Row (*rowAt)(const BlitSource&, int, int),
                  const BlitSource& src) {
    uchar* const destBits = dest.bits();
    const qsizetype destStride = dest.bytesPerLine();
    const int width = span.from.width();
    const bool greyDest = dest.format() == QImage::Format_Grayscale8;
    for (int row = 0; row < span.from.height(); ++row) {
        const Row in = rowAt(src, span.from.top() + row, span.from.left());
        uchar* line = destBits + qsizetype(span.to.y() + row) * destStride;
        if (greyDest) {
            uchar* out = line + span.to.x();
            for (int i = 0; i < width; ++i) out[i] = uchar(combine<R>(out[i], in[i] & 0xFF));
        } else {
            auto* out = reinterpret_cast<std::uint32_t*>(line) + span.to.x();
            for (int i = 0; i < width; ++i) {
                out[i] = kOpaque | combine<R>(out[i] & 0xFFFFFFu, in[i]);
            }
        }
    }
}

IndexedRow indexedRowAt(const BlitSource& src, int y, int x) {
    return {src.image.constBits() + qsizetype(y) * src.image.bytesPerLine() + x, *src.colors};
}
GreyRow greyRowAt(const BlitSource& src, int y, int x) {
    return {src.image.constBits() + qsizetype(y) * src.image.bytesPerLine() + x};
}
RgbRow rgbRowAt(const BlitSource& src, int y, int x) {
    return {reinterpret_cast<const std::uint32_t*>(src.image.constBits() +
                                                   qsizetype(y) * src.image.bytesPerLine()) +
            x};
}

template <Rop R>
void transfer(QImage& dest, const Span& span, const BlitSource& src) {
    switch (src.image.format()) {
        case QImage::Format_Indexed8:
            return transferRows<R>(dest, span, indexedRowAt, src);
        case QImage::Format_Grayscale8:
            return transferRows<R>(dest, span, greyRowAt, src);
        default:
            return transferRows<R>(dest, span, rgbRowAt, src);
    }
}

// Clips the source rectangle to its image, then the destination to its own; empty when nothing
// is left.
std::optional<Span> clip(const QImage& dest, QPoint to, const QImage& src, QRect from) {
    QRect clipped = from.intersected(src.rect());
    if (clipped.isEmpty()) return std::nullopt;
    to += clipped.topLeft() - from.topLeft();
    QRect target(to, clipped.size());
    const QRect destClipped = target.intersected(dest.rect());
    if (destClipped.isEmpty()) return std::nullopt;
    clipped.translate(destClipped.topLeft() - target.topLeft());
    clipped.setSize(destClipped.size());
    return Span{clipped, destClipped.topLeft()};
}

void blitUnscaled(QImage& dest, QPoint to, const BlitSource& src, QRect from, Rop rop) {
    const std::optional<Span> clipped = clip(dest, to, src.image, from);
    if (!clipped) return;
    const Span& span = *clipped;
    switch (rop) {
        case Rop::SrcCopy:
            return transfer<Rop::SrcCopy>(dest, span, src);
        case Rop::SrcAnd:
            return transfer<Rop::SrcAnd>(dest, span, src);
        case Rop::SrcPaint:
            return transfer<Rop::SrcPaint>(dest, span, src);
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

namespace {

// The hottest loop of every animation frame: built for wider vector units as well, the fitting
// version chosen when the program loads.
__attribute__((target_clones("avx2", "default"))) void maskedRow(std::uint32_t* out,
                                                                 const uchar* mask,
                                                                 const std::uint32_t* pixels,
                                                                 int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t kept = out[i] & (std::uint32_t(mask[i]) * 0x010101u);
        out[i] = kOpaque | ((kept | pixels[i]) & 0xFFFFFFu);
    }
}

}  // namespace

void BlitMasked(QImage& dest, const QRect& to, const QImage& mask, const QImage& pixels,
                const QRect& from, bool stretch) {
    const bool oneSweep =
        !stretch && mask.size() == pixels.size() && mask.format() == QImage::Format_Grayscale8 &&
        pixels.format() == QImage::Format_RGB32 && dest.format() == QImage::Format_RGB32;
    if (!oneSweep) {
        Blit(dest, to, BlitSource{mask}, from, Rop::SrcAnd, stretch);
        Blit(dest, to, BlitSource{pixels}, from, Rop::SrcPaint, stretch);
        return;
    }
    if (dest.isNull() || to.width() < 1 || to.height() < 1) return;
    const std::optional<Span> span =
        clip(dest, to.topLeft(), pixels, QRect(from.topLeft(), to.size()));
    if (!span) return;
    uchar* const destBits = dest.bits();
    for (int row = 0; row < span->from.height(); ++row) {
        const int y = span->from.top() + row;
        const uchar* m = mask.constScanLine(y) + span->from.left();
        const auto* p =
            reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(y)) + span->from.left();
        auto* out = reinterpret_cast<std::uint32_t*>(destBits + qsizetype(span->to.y() + row) *
                                                                    dest.bytesPerLine()) +
                    span->to.x();
        maskedRow(out, m, p, span->from.width());
    }
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
