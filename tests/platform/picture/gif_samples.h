#pragma once

#include <cstdint>
#include <vector>

#include "platform/picture/gif_index_decoder.h"

namespace gif_test {

// What a pixel holds until the decoder writes it; no sample image uses this index.
constexpr std::uint8_t kUntouched = 0xEE;

// A plane with a margin right of every row, to see that the decoder keeps inside it.
class TestPlane {
  public:
    TestPlane(int width, int height, int margin = 3);
    platform::IndexPlane view();
    std::uint8_t at(int x, int y) const { return bytes_[std::size_t(y * stride_ + x)]; }
    // Pixels row by row, margins left out.
    std::vector<std::uint8_t> pixels() const;
    bool marginsUntouched() const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_, height_, stride_;
    std::vector<std::uint8_t> bytes_;
};

// Packs LZW codes least significant bit first at the widths a reader takes them: the width grows
// as the dictionary fills and stops at 12 bits, where the dictionary stays full until a clear.
class CodeWriter {
  public:
    explicit CodeWriter(int minimumCodeSize);
    int clearCode() const { return 1 << minimumCodeSize_; }
    int endCode() const { return clearCode() + 1; }
    CodeWriter& clear();
    CodeWriter& end();
    CodeWriter& put(int code);
    int width() const { return width_; }
    std::vector<std::uint8_t> bytes() const;

  private:
    void write(int code);

    int minimumCodeSize_;
    int width_ = 0, nextCode_ = 0;
    bool first_ = true;
    std::uint32_t accumulator_ = 0;
    int bits_ = 0;
    std::vector<std::uint8_t> bytes_;
};

// A GIF of one width x height image at the screen's origin, with a global table of 2^tableBits
// grey levels and `data` (a packed code stream) split into sub-blocks.
std::vector<std::uint8_t> gifWithCodes(int width, int height, int minimumCodeSize,
                                       const std::vector<std::uint8_t>& data, int tableBits = 2);

}  // namespace gif_test
