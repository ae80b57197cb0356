#include "resources/encoding/colour_palette.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace resources {
namespace {

constexpr int kMaxPaletteSize = 256;

struct WeightedColour {
    QRgb colour;
    uint32_t count;
};

int channel(QRgb colour, int axis) {
    switch (axis) {
        case 0:
            return qRed(colour);
        case 1:
            return qGreen(colour);
        default:
            return qBlue(colour);
    }
}

// A box of the median cut: a run [begin, end) of the histogram.
struct Box {
    size_t begin;
    size_t end;
    int longestAxis = 0;
    int longestRange = 0;
    uint64_t weight = 0;
};

Box measure(const std::vector<WeightedColour>& colours, size_t begin, size_t end) {
    Box box{begin, end};
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            const int value = channel(colours[i].colour, axis);
            low[axis] = std::min(low[axis], value);
            high[axis] = std::max(high[axis], value);
        }
        box.weight += colours[i].count;
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (high[axis] - low[axis] > box.longestRange) {
            box.longestRange = high[axis] - low[axis];
            box.longestAxis = axis;
        }
    }
    return box;
}

QRgb meanColour(const std::vector<WeightedColour>& colours, const Box& box) {
    uint64_t r = 0, g = 0, b = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        r += uint64_t(qRed(colours[i].colour)) * colours[i].count;
        g += uint64_t(qGreen(colours[i].colour)) * colours[i].count;
        b += uint64_t(qBlue(colours[i].colour)) * colours[i].count;
    }
    const uint64_t half = box.weight / 2;
    return qRgb(int((r + half) / box.weight), int((g + half) / box.weight),
                int((b + half) / box.weight));
}

// Splits the widest box (by its longest channel range, weighted by how many pixels it holds)
// at the weighted median until the palette is full or no box can be split.
std::vector<Box> medianCut(std::vector<WeightedColour>& colours, int boxCount) {
    std::vector<Box> boxes{measure(colours, 0, colours.size())};
    while (int(boxes.size()) < boxCount) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return uint64_t(a.longestRange) * (a.end - a.begin > 1) <
                   uint64_t(b.longestRange) * (b.end - b.begin > 1);
        });
        if (widest->end - widest->begin < 2 || widest->longestRange == 0) break;
        const Box box = *widest;
        const int axis = box.longestAxis;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [axis](const WeightedColour& a, const WeightedColour& b) {
                      return channel(a.colour, axis) < channel(b.colour, axis);
                  });
        uint64_t seen = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            seen += colours[i].count;
            split = i + 1;
            if (seen * 2 >= box.weight) break;
        }
        *widest = measure(colours, box.begin, split);
        boxes.push_back(measure(colours, split, box.end));
    }
    return boxes;
}

}  // namespace

IndexedImage toIndexedImage(const QImage& source) {
    IndexedImage result;
    if (source.isNull()) return result;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    result.width = image.width();
    result.height = image.height();

    std::unordered_map<QRgb, uint32_t> histogram;
    bool anyTransparent = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                anyTransparent = true;
            else
                ++histogram[row[x] | 0xff000000u];
        }
    }

    const int opaqueSlots = kMaxPaletteSize - (anyTransparent ? 1 : 0);
    std::vector<WeightedColour> colours;
    colours.reserve(histogram.size());
    for (const auto& [colour, count] : histogram) colours.push_back({colour, count});
    // A fixed order keeps the output the same from run to run.
    std::sort(colours.begin(), colours.end(),
              [](const WeightedColour& a, const WeightedColour& b) { return a.colour < b.colour; });

    std::unordered_map<QRgb, uint8_t> indexOf;
    indexOf.reserve(colours.size());
    if (int(colours.size()) <= opaqueSlots) {
        for (const WeightedColour& c : colours) {
            indexOf[c.colour] = uint8_t(result.palette.size());
            result.palette.push_back(c.colour);
        }
    } else {
        for (const Box& box : medianCut(colours, opaqueSlots)) {
            const auto index = uint8_t(result.palette.size());
            result.palette.push_back(meanColour(colours, box));
            for (size_t i = box.begin; i < box.end; ++i) indexOf[colours[i].colour] = index;
        }
    }
    if (anyTransparent) {
        result.transparentIndex = uint8_t(result.palette.size());
        result.palette.push_back(qRgb(0, 0, 0));
    }
    if (result.palette.empty()) result.palette.push_back(qRgb(0, 0, 0));

    result.indices.resize(size_t(result.width) * size_t(result.height));
    size_t at = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            result.indices[at++] =
                qAlpha(row[x]) == 0 ? *result.transparentIndex : indexOf.at(row[x] | 0xff000000u);
    }
    return result;
}

}  // namespace resources
