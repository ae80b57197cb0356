#pragma once

// The props plug-in's contract. This header is all a plug-in library needs: it holds only Qt
// value types and the standard library, so a plug-in links nothing of the client.
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "state/frame.h"

namespace props {

// One work item the plug-in hands over through GetSendBuff.
struct PropWorkItem {
    QImage g_oPropPicture;  // kept, never shown
    QString g_sPropText;
    std::vector<std::uint8_t> g_aPropBytes;  // a whole frame: 272 bytes
    std::int16_t g_nPropWorkType = -1;       // the client presets -1
    std::vector<std::int32_t> g_aPropRect;   // width, height, left, top
    std::vector<std::int32_t> g_aPropStyle;  // interval, repeat, font size, fore colour, alignment
};

// The chest layout GetBaoInfo fills, in its argument order; positions and sizes in the table
// window's units. The plug-in chooses the bounds, so the client checks them.
struct BaoInfo {
    std::vector<std::array<std::int32_t, 2>> g_aBaoPos;      // fifteen chests: x, y
    std::vector<std::int32_t> g_aBaoCentre;                  // x, y
    std::vector<std::array<std::int32_t, 2>> g_aBaoSeatPos;  // four seats: x, y
    std::vector<std::int32_t> g_aBaoLabelPos;                // middle x, top
    std::vector<std::int16_t> g_aBaoTiming;                  // interval ms, ticks
    QImage g_oBaoClosedPic;
    std::vector<std::int32_t> g_aBaoClosedSize;  // width, height
    QImage g_oBaoOpenPic;
    std::vector<std::int32_t> g_aBaoOpenSize;
};

using ScoreLines = std::array<QString, 4>;
using PrizeAmounts = std::array<double, 4>;
using PrizeInfo = std::array<std::array<QString, 4>, 2>;  // (0, seat) name, (1, seat) lines

// The props plug-in component: exactly the members the table calls on it. It lies outside the
// program; a call may throw, which the caller treats as a failing call.
class PropDll {
  public:
    virtual ~PropDll() = default;

    // layout: 1 full size, 2 reduced. False: the client drops the object.
    virtual bool Initdll(QString& account, QString& password, const QString& kind,
                         std::uint64_t tableWindow, const QString& game, PropDll& self,
                         std::optional<std::int32_t> omitted, std::int16_t& layout,
                         std::int16_t& propParam) = 0;
    // True: treasure chests, with their layout filled in.
    virtual bool GetBaoInfo(BaoInfo& layout) = 0;
    // False: the client unloads the plug-in.
    virtual bool SetUserinfo(QString& nickname, QString& account, std::uint8_t& seatFlag,
                             std::int16_t& seat, bool credit, std::uint8_t& sex, QString& tag,
                             QString& face) = 0;
    virtual void ClearUser(std::int16_t seat) = 0;
    // A whole server frame, by reference.
    virtual void Rec_MSG(state::Frame& message) = 0;
    // The number of waiting work items.
    virtual std::int16_t CheckSendBuff() = 0;
    virtual void GetSendBuff(PropWorkItem& item) = 0;
    // 1 when the score data is complete.
    virtual std::int16_t GetScoreInfo(ScoreLines& lines, PrizeAmounts& prizes, PrizeInfo& info) = 0;
    // The hand's results are in: the plug-in starts its end-of-hand show.
    virtual void InitShowEnd() = 0;
    // True: the table's props display was reset; False: the held settlement was shown.
    virtual void InitShowNext(bool reset) = 0;
    // (1, True) the chests open; (1, False) the prize count-up ended.
    virtual void ShowGif(std::int16_t one, bool open) = 0;
    // (3, connected): the game server link is up or down.
    virtual void rec_state(std::int16_t kind, bool connected) = 0;
    // (2, closed, pane): a video pane shows video (False) or was closed (True); pane 0 is own.
    virtual void rec_state(std::int16_t kind, bool closed, std::int16_t pane) = 0;
    // F1..F6 as 112..117; 112 also for the boss key.
    virtual void SetKeyDown(std::int16_t keyCode) = 0;
    // 0 the bank button; 2 Esc or another toolbar action.
    virtual void setbankstate(std::int16_t state) = 0;
    // The table window was restored.
    virtual void FixBuffPos() = 0;
    // True: the plug-in shows that seat's video until called with False.
    virtual bool ShowBrmVideo(std::int16_t seat, bool show, std::int16_t zero) = 0;
    // code 1 when the table window unloads, else 0.
    virtual void InitExit(std::int16_t& code) = 0;
};

// The one C entry point of a plug-in library: a new plug-in object, or null. The caller owns it.
inline constexpr const char* PropDllEntryPoint = "CreatePropDll";
using CreatePropDllFn = PropDll* (*)();

}  // namespace props
