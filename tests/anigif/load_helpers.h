#pragma once

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <vector>

#include "anigif/ani_gif_state.h"
#include "anigif/frame_strip.h"

namespace anigif_test {

// Loads a GIF as the control does at run time with every frame decoded at once and no timer.
inline bool loadState(anigif::AniGifState& s, const std::vector<std::uint8_t>& bytes) {
    s = anigif::AniGifState{};
    s.m_GifBytes = bytes;
    if (anigif::ScanGifStructure(s.m_GifBytes, s.gif) == 0) return false;
    bool firstPass = true;
    anigif::StripHost host{true, 0, s.gif.screen.width, s.gif.screen.height, {}};
    return anigif::BuildFrameStrip(s, firstPass, host);
}

// Qt's own animated reading: every frame as Qt composes it.
inline std::vector<QImage> qtFrames(const std::vector<std::uint8_t>& bytes) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    std::vector<QImage> frames;
    while (reader.canRead()) {
        QImage frame = reader.read();
        if (frame.isNull()) break;
        frames.push_back(frame.convertToFormat(QImage::Format_ARGB32));
    }
    return frames;
}

// A Qt frame over a background colour, as the control's surface shows it.
inline QImage over(const QImage& frame, QRgb background) {
    QImage out(frame.size(), QImage::Format_RGB32);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb p = frame.pixel(x, y);
            out.setPixel(x, y, qAlpha(p) == 0 ? background : (p | 0xFF000000u));
        }
    }
    return out;
}

// Number of pixels that differ.
inline int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) ++n;
        }
    }
    return n;
}

}  // namespace anigif_test
