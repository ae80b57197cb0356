// Fuzz target: the GIF reader of the picture layer, decoding a file's first image as colour
// indices into planes smaller and larger than the image and one of the screen's own size (the
// pictures' whole-image path), the plane guarded on both sides.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/picture/gif_index_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint8_t kGuard = 0xA5;
    constexpr std::size_t kMargin = 64;
    const std::span<const std::uint8_t> file(data, size);
    std::vector<std::array<int, 2>> sizes{{7, 5}, {64, 48}};
    const auto info = platform::ReadGifImageInfo(file);
    if (info && info->screenWidth <= 512 && info->screenHeight <= 512) {
        // A table of colours is whole RGB triples.
        if (info->colourTable.size() % 3 != 0) std::abort();
        sizes.push_back({info->screenWidth, info->screenHeight});
    }
    for (const auto [width, height] : sizes) {
        const std::ptrdiff_t stride = width + 3;
        std::vector<std::uint8_t> memory(kMargin * 2 + std::size_t(stride * height), kGuard);
        const platform::IndexPlane plane{memory.data() + kMargin, stride, width, height};
        const auto outcome = platform::DecodeWholeGifIndices(file, plane);
        // The two readings of the blocks before the image agree on whether there is one.
        if (info.has_value() != (outcome != platform::GifDecoding::Refused)) std::abort();
        const bool guardsKept = std::all_of(memory.begin(), memory.begin() + kMargin,
                                            [](std::uint8_t b) { return b == kGuard; }) &&
                                std::all_of(memory.end() - kMargin, memory.end(),
                                            [](std::uint8_t b) { return b == kGuard; });
        if (!guardsKept) std::abort();
    }
    return 0;
}
