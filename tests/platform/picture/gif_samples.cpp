#include "gif_samples.h"

#include <algorithm>

namespace gif_test {

TestPlane::TestPlane(int width, int height, int margin)
    : width_(width),
      height_(height),
      stride_(width + margin),
      bytes_(std::size_t(stride_ * height), kUntouched) {}

platform::IndexPlane TestPlane::view() {
    return {bytes_.data(), stride_, width_, height_};
}

std::vector<std::uint8_t> TestPlane::pixels() const {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) out.push_back(at(x, y));
    }
    return out;
}

bool TestPlane::marginsUntouched() const {
    for (int y = 0; y < height_; ++y) {
        for (int x = width_; x < stride_; ++x) {
            if (at(x, y) != kUntouched) return false;
        }
    }
    return true;
}

CodeWriter::CodeWriter(int minimumCodeSize) : minimumCodeSize_(minimumCodeSize) {
    width_ = minimumCodeSize + 1;
    nextCode_ = clearCode() + 2;
}

CodeWriter& CodeWriter::clear() {
    write(clearCode());
    width_ = minimumCodeSize_ + 1;
    nextCode_ = clearCode() + 2;
    first_ = true;
    return *this;
}

CodeWriter& CodeWriter::end() {
    write(endCode());
    return *this;
}

CodeWriter& CodeWriter::put(int code) {
    write(code);
    if (first_) {
        first_ = false;
    } else if (nextCode_ < 4096 && ++nextCode_ == 1 << width_ && width_ < 12) {
        ++width_;
    }
    return *this;
}

void CodeWriter::write(int code) {
    accumulator_ |= std::uint32_t(code) << bits_;
    bits_ += width_;
    while (bits_ >= 8) {
        bytes_.push_back(std::uint8_t(accumulator_));
        accumulator_ >>= 8;
        bits_ -= 8;
    }
}

std::vector<std::uint8_t> CodeWriter::bytes() const {
    std::vector<std::uint8_t> out = bytes_;
    if (bits_ > 0) out.push_back(std::uint8_t(accumulator_));
    return out;
}

std::vector<std::uint8_t> gifWithCodes(int width, int height, int minimumCodeSize,
                                       const std::vector<std::uint8_t>& data, int tableBits) {
    const auto word = [](std::vector<std::uint8_t>& out, int value) {
        out.push_back(std::uint8_t(value));
        out.push_back(std::uint8_t(value >> 8));
    };
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    word(out, width);
    word(out, height);
    out.insert(out.end(), {std::uint8_t(0x80 | (tableBits - 1)), 0, 0});
    const int entries = 1 << tableBits;
    for (int i = 0; i < entries; ++i) {
        const auto grey = std::uint8_t(i * 255 / std::max(1, entries - 1));
        out.insert(out.end(), {grey, grey, grey});
    }
    out.push_back(',');
    word(out, 0);
    word(out, 0);
    word(out, width);
    word(out, height);
    out.push_back(0);
    out.push_back(std::uint8_t(minimumCodeSize));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + n));
    }
    out.push_back(0);
    out.push_back(';');
    return out;
}

}  // namespace gif_test
