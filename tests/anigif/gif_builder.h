#pragma once

#include <QColor>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace anigif_test {

// Colours for a table: index i gets colours[i].
using Colours = std::vector<std::uint32_t>;  // 0xRRGGBB

struct FrameSpec {
    int left = 0, top = 0, width = 1, height = 1;
    std::vector<std::uint8_t> indices;  // width * height, rows from the top
    std::optional<Colours> localTable;
    bool withControl = false;  // a graphic control extension
    int disposal = 0;
    int delayCs = 0;
    bool transparent = false;
    int transIndex = 0;
    bool interlaced = false;
};

struct GifPlan {
    std::string signature = "GIF89a";
    int screenWidth = 0, screenHeight = 0;
    std::optional<Colours> globalTable;
    std::optional<int> loops;  // a NETSCAPE2.0 extension
    std::vector<FrameSpec> frames;
};

// Writes a GIF file by hand, the image data compressed by the picture set's LZW encoder.
std::vector<std::uint8_t> buildGif(const GifPlan& plan);

// A palette of n distinct, recognisable colours.
Colours paletteOf(int n, std::uint32_t seed = 1);

// A frame of w x h filled with a pattern of indices below `colours`.
FrameSpec patternFrame(int left, int top, int w, int h, int colours, int seed);

// A small GIF of up to five frames with random screen, tables, placement and control fields,
// for the fuzz drivers to start from.
std::vector<std::uint8_t> randomGif(std::mt19937_64& random);

// A few random edits (bytes replaced, bits flipped, a cut, a stretch repeated), the result no
// longer than maxLength: inputs that get past the signature and break further in.
void mutateGif(std::vector<std::uint8_t>& bytes, std::mt19937_64& random, std::size_t maxLength);

}  // namespace anigif_test
