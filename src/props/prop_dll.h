#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/forms/picture.h"
#include "state/frame.h"

namespace props {

// One work item the plug-in hands over through GetSendBuff.
struct PropWorkItem {
    forms::Picture g_oPropPicture;
    QString g_sPropText;
    std::vector<std::uint8_t> g_aPropBytes;
    std::int32_t g_nPropWorkType = -1;
    std::vector<std::int32_t> g_aPropRect;   // width, height, left, top
    std::vector<std::int32_t> g_aPropStyle;  // interval, repeat, font size, fore colour, alignment
};

// The props plug-in component: exactly the members the table calls on it. It lies outside the
// program; the client holds one only while it is loaded.
class PropDll {
  public:
    virtual ~PropDll() = default;

    virtual void FixBuffPos() = 0;
    virtual void rec_state(std::int16_t link, bool up) = 0;
    // The number of waiting work items.
    virtual std::int32_t CheckSendBuff() = 0;
    virtual void GetSendBuff(PropWorkItem& item) = 0;
    // 1 when the score data is ready.
    virtual std::int32_t GetScoreInfo() = 0;
    virtual void InitShowNext(bool value) = 0;
    // The hand's results are in: the plug-in starts its end-of-hand show.
    virtual void InitShowEnd() = 0;
    virtual void InitExit(std::int16_t& code) = 0;
    // A server frame for the plug-in, passed by reference as a byte array.
    virtual void Rec_MSG(state::Frame& message) = 0;
};

}  // namespace props
