#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "platform/forms/picture.h"
#include "props/prop_dll.h"

namespace props {

// The chest layout as the client keeps it once GetBaoInfo's answer has passed the checks: every
// array has the bounds the show indexes.
struct BaoLayout {
    std::array<std::array<std::int32_t, 2>, 15> g_aBaoPos{};
    std::array<std::int32_t, 2> g_aBaoCentre{};
    std::array<std::array<std::int32_t, 2>, 4> g_aBaoSeatPos{};
    std::array<std::int32_t, 2> g_aBaoLabelPos{};
    std::array<std::int16_t, 2> g_aBaoTiming{};  // interval ms (1..65535), ticks (1 or more)
    forms::Picture g_oBaoClosedPic;
    std::array<std::int32_t, 2> g_aBaoClosedSize{};
    forms::Picture g_oBaoOpenPic;
    std::array<std::int32_t, 2> g_aBaoOpenSize{};
};

// What ShowBaoPrize keeps between its calls.
struct BaoPrizeState {
    std::array<float, 4> step{};
    std::array<float, 4> amount{};
    std::int32_t nameWidth = 0;
    std::int32_t digitWidth = 0;
};

// The props subsystem's own state beside the shared variables: the floating text, the chest
// layout and show, the held settlement and the player video asked of the plug-in.
struct PropsState {
    bool g_bPropTextShown = false;
    std::int16_t g_nPropTextTicks = 0;
    std::int16_t g_nPropTextRepeat = 0;

    BaoLayout layout;
    std::array<std::int16_t, 4> g_aBaoPick{-1, -1, -1, -1};
    bool g_bBaoCounting = false;
    std::int16_t g_nBaoPrizeTick = 0;
    std::int16_t g_nBaoPrizeTicks = 0;
    std::array<QString, 4> g_aBaoNames;
    BaoPrizeState prize;

    // A result frame waits in g_aHeldResultFrame for the settlement; cleared by the one release.
    bool settlementHeld = false;

    bool g_bPropVideoAsked = false;
    std::int16_t g_nPropVideoSeat = 0;
};

}  // namespace props
