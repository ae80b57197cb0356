#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

// The members of the video component that the table calls directly. The component lies
// outside the program; without one the client runs with the "no component" stand-ins below.
namespace video {

// The relay socket: the peers' video travels through the game server's relay.
class P2PSocket {
  public:
    virtual ~P2PSocket() = default;

    QString ServerHost;
    std::int32_t ServerPort = 0;
    std::int16_t SlotCount = 0;
    bool Visible = true;

    virtual void ServerLogout() = 0;
    virtual void CloseSlot(std::int16_t& slot) = 0;
    // The peer slots 1..SlotCount: the user each holds (empty when free) and its state (below
    // 1 free, below 10 not connected, above 9 connected).
    virtual QString UserID(std::int16_t& slot) = 0;
    virtual std::int16_t SlotState(std::int16_t& slot) = 0;
    // Asks the relay for `user`'s video in `slot`.
    virtual void RequestVideo(std::int16_t& slot, QString& user) = 0;
};

// The camera control over the local player's avatar.
class Ziva {
  public:
    virtual ~Ziva() = default;

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    bool CaptureFlag1 = false;
    bool CaptureFlag2 = false;
    bool CaptureFlag4 = false;
    std::int16_t CaptureMode = 0;

    // The extender's ZOrder: 0 brings the preview to the front of the table's controls.
    virtual void ZOrder(std::int16_t position = 0) = 0;
    virtual void InitCapture() = 0;
    // 0 when the preview runs; anything else when there is no camera or it is busy.
    virtual std::int16_t StartCapture() = 0;
    virtual void StopCapture() = 0;
    virtual void CloseCapture() = 0;
};

// A display pane that shows a remote seat's video, with the extender's place and visibility.
class VShow {
  public:
    virtual ~VShow() = default;

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    bool DisplayFlag1 = false;
};

// The table's display panes vshow1(1..3), one per remote seat. As with a control array,
// addressing a pane that does not exist is a run-time failure.
class VShowArray {
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 3;

    explicit VShowArray(const std::function<std::unique_ptr<VShow>()>& make);
    VShow& operator[](int index);

  private:
    std::array<std::unique_ptr<VShow>, kLast - kFirst + 1> panes_;
};

// No component installed: the relay keeps its settings and never connects; there is no camera;
// the display panes keep their place and show nothing.
std::unique_ptr<P2PSocket> makeNoComponentP2PSocket();
std::unique_ptr<Ziva> makeNoComponentZiva();
std::unique_ptr<VShow> makeNoComponentVShow();

}  // namespace video
