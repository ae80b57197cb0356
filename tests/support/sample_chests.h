#pragma once

#include <QColor>
#include <QImage>

#include "props/prop_dll.h"

namespace support {

// The chest layout a well-behaved plug-in gives: three rows of five, the centre, the seats'
// targets and the label above the play area, a count-up of 4 ticks of 100 ms.
inline props::BaoInfo SampleChests() {
    props::BaoInfo l;
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < 5; ++k) l.g_aBaoPos.push_back({352 + 68 * k, 460 - 70 * group});
    }
    l.g_aBaoCentre = {512, 330};
    l.g_aBaoSeatPos = {{{120, 620}}, {{60, 130}}, {{400, 130}}, {{745, 130}}};
    l.g_aBaoLabelPos = {512, 170};
    l.g_aBaoTiming = {100, 4};
    QImage closed(60, 50, QImage::Format_RGB32);
    closed.fill(QColor(139, 69, 19));
    QImage open(80, 64, QImage::Format_RGB32);
    open.fill(QColor(255, 200, 40));
    l.g_oBaoClosedPic = closed;
    l.g_aBaoClosedSize = {60, 50};
    l.g_oBaoOpenPic = open;
    l.g_aBaoOpenSize = {80, 64};
    return l;
}

}  // namespace support
