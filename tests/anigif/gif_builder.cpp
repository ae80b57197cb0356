#include "gif_builder.h"

#include <algorithm>

#include "resources/encoding/lzw_encoder.h"

namespace anigif_test {
namespace {

void word(std::vector<std::uint8_t>& out, int value) {
    out.push_back(std::uint8_t(value & 255));
    out.push_back(std::uint8_t((value >> 8) & 255));
}

int tableBits(std::size_t entries) {
    int bits = 1;
    while ((1u << bits) < entries) ++bits;
    return bits;
}

void table(std::vector<std::uint8_t>& out, const Colours& colours) {
    const int bits = tableBits(colours.size());
    for (int i = 0; i < (1 << bits); ++i) {
        const std::uint32_t c = i < int(colours.size()) ? colours[std::size_t(i)] : 0;
        out.push_back(std::uint8_t(c >> 16));
        out.push_back(std::uint8_t(c >> 8));
        out.push_back(std::uint8_t(c));
    }
}

std::vector<std::uint8_t> interlace(const FrameSpec& f) {
    std::vector<std::uint8_t> out;
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < f.height; y += step) {
            out.insert(out.end(), f.indices.begin() + y * f.width,
                       f.indices.begin() + (y + 1) * f.width);
        }
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> buildGif(const GifPlan& plan) {
    std::vector<std::uint8_t> out(plan.signature.begin(), plan.signature.end());
    word(out, plan.screenWidth);
    word(out, plan.screenHeight);
    out.push_back(plan.globalTable ? std::uint8_t(0xF0 | (tableBits(plan.globalTable->size()) - 1))
                                   : std::uint8_t(0x70));
    out.push_back(0);
    out.push_back(0);
    if (plan.globalTable) table(out, *plan.globalTable);
    if (plan.loops) {
        const char id[] = "NETSCAPE2.0";
        out.push_back(0x21);
        out.push_back(0xFF);
        out.push_back(11);
        out.insert(out.end(), id, id + 11);
        out.push_back(3);
        out.push_back(1);
        word(out, *plan.loops);
        out.push_back(0);
    }
    for (const FrameSpec& f : plan.frames) {
        if (f.withControl || f.transparent || f.disposal || f.delayCs) {
            out.insert(out.end(), {0x21, 0xF9, 4});
            out.push_back(std::uint8_t((f.disposal << 2) | (f.transparent ? 1 : 0)));
            word(out, f.delayCs);
            out.push_back(std::uint8_t(f.transIndex));
            out.push_back(0);
        }
        out.push_back(0x2C);
        word(out, f.left);
        word(out, f.top);
        word(out, f.width);
        word(out, f.height);
        std::uint8_t packed = f.interlaced ? 0x40 : 0;
        if (f.localTable) packed |= std::uint8_t(0x80 | (tableBits(f.localTable->size()) - 1));
        out.push_back(packed);
        if (f.localTable) table(out, *f.localTable);
        const std::size_t entries = f.localTable       ? f.localTable->size()
                                    : plan.globalTable ? plan.globalTable->size()
                                                       : 2;
        const int minCodeSize = std::max(2, tableBits(entries));
        out.push_back(std::uint8_t(minCodeSize));
        const std::vector<std::uint8_t> data =
            resources::lzwEncode(f.interlaced ? interlace(f) : f.indices, minCodeSize);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out.push_back(std::uint8_t(n));
            out.insert(out.end(), data.begin() + at, data.begin() + at + n);
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

Colours paletteOf(int n, std::uint32_t seed) {
    Colours colours;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t v = (std::uint32_t(i) + 1) * 2654435761u * seed;
        colours.push_back((v >> 8) & 0xFFFFFF);
    }
    return colours;
}

FrameSpec patternFrame(int left, int top, int w, int h, int colours, int seed) {
    FrameSpec f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            f.indices.push_back(std::uint8_t(((x / 3) * 7 + (y / 2) * 5 + seed) % colours));
        }
    }
    return f;
}

std::vector<std::uint8_t> randomGif(std::mt19937_64& random) {
    GifPlan plan;
    plan.screenWidth = int(random() % 40);
    plan.screenHeight = int(random() % 40);
    if (random() % 4 != 0) plan.globalTable = paletteOf(1 + int(random() % 200));
    if (random() % 2) plan.loops = int(random() % 4);
    const int frames = 1 + int(random() % 5);
    for (int k = 0; k < frames; ++k) {
        FrameSpec f = patternFrame(int(random() % 30), int(random() % 30), 1 + int(random() % 30),
                                   1 + int(random() % 30), 2, k);
        if (random() % 3 == 0 || !plan.globalTable) f.localTable = paletteOf(2 + int(random() % 6));
        f.withControl = random() % 2;
        f.disposal = int(random() % 8);
        f.transparent = random() % 2;
        f.transIndex = int(random() % 4);
        f.interlaced = random() % 4 == 0;
        plan.frames.push_back(f);
    }
    return buildGif(plan);
}

void mutateGif(std::vector<std::uint8_t>& bytes, std::mt19937_64& random, std::size_t maxLength) {
    const int edits = int(random() % 6);
    for (int i = 0; i < edits && !bytes.empty(); ++i) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 4) {
            case 0:
                bytes[at] = std::uint8_t(random());
                break;
            case 1:
                bytes.resize(at);
                break;
            case 2:
                bytes.insert(bytes.begin() + at, bytes.begin() + at,
                             bytes.begin() + std::min(bytes.size(), at + 16));
                break;
            default:
                bytes[at] ^= std::uint8_t(1u << (random() % 8));
                break;
        }
    }
    if (bytes.size() > maxLength) bytes.resize(maxLength);
}

}  // namespace anigif_test
