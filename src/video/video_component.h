#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace forms {
class Container;
}

// The video component's controls as the table calls them: the relay socket, the camera and
// the display panes. The component itself (src/platform/video) is optional; without one the
// client runs with the "no component" stand-ins below.
namespace video {

// A property of a component control that the control hears being set, as an extender's Left
// or Visible moves the control's window. Reads back exactly what was set.
template <typename T>
class Property {
  public:
    explicit Property(std::function<void()> changed, T initial = T{})
        : value_(std::move(initial)), changed_(std::move(changed)) {}
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    Property& operator=(T value) {
        if (value_ == value) return *this;
        value_ = std::move(value);
        if (changed_) changed_();
        return *this;
    }
    operator const T&() const { return value_; }
    const T& get() const { return value_; }

  private:
    T value_;
    std::function<void()> changed_;
};

// The relay socket: the peers' video travels through a relay beside the game server, one peer
// per slot 1..SlotCount. Its events come on the program's one thread.
class P2PSocket {
  public:
    virtual ~P2PSocket() = default;

    Property<QString> ServerHost{[this] { settingsChanged(); }};
    Property<std::int32_t> ServerPort{[this] { settingsChanged(); }};
    Property<std::int16_t> SlotCount{[this] { settingsChanged(); }};
    bool Visible = true;

    virtual void ServerLogout() = 0;
    virtual void CloseSlot(std::int16_t& slot) = 0;
    // The user each slot holds (empty when free) and its state: below 1 free, 1 to 9 not
    // connected, 10 and above connected, 15 at the full frame rate.
    virtual QString UserID(std::int16_t& slot) = 0;
    virtual std::int16_t SlotState(std::int16_t& slot) = 0;
    // Asks the relay for `user`'s video in `slot`; the slot stops reading as free.
    virtual void RequestVideo(std::int16_t& slot, QString& user) = 0;
    // What the slot's peer receives: the camera's format and mode, then frames.
    virtual void SendFormat(std::int16_t& slot, std::int32_t format) = 0;
    virtual void SendMode(std::int16_t& slot, std::int16_t mode) = 0;
    virtual void SendFrame(std::int16_t& slot, const QByteArray& frame) = 0;

    // A peer's frame arrived in a slot.
    std::function<void(std::int16_t slot, const QByteArray& data)> FrameArrival;
    // The relay login: 2 logged in, anything else not.
    std::function<void(std::int16_t code)> ServerState;
    // A slot's state changed.
    std::function<void(std::int16_t slot, std::int16_t state)> PeerState;

  protected:
    // The relay address or slot count was set.
    virtual void settingsChanged() {}
};

// The camera control over the local player's avatar, showing its own preview.
class Ziva {
  public:
    virtual ~Ziva() = default;

    Property<float> Left{[this] { extenderChanged(); }};
    Property<float> Top{[this] { extenderChanged(); }};
    Property<float> Width{[this] { extenderChanged(); }};
    Property<float> Height{[this] { extenderChanged(); }};
    Property<bool> Visible{[this] { extenderChanged(); }, true};
    bool CaptureFlag1 = false;
    bool CaptureFlag2 = false;
    bool CaptureFlag4 = false;
    std::int16_t CaptureMode = 0;
    // The format of the frames the camera delivers, passed on unchanged to a peer.
    std::int32_t CaptureFormat = 0;

    // The extender's ZOrder: 0 brings the preview to the front of the table's controls.
    virtual void ZOrder(std::int16_t position = 0) = 0;
    virtual void InitCapture() = 0;
    // 0 when the preview runs; anything else when there is no camera or it is busy.
    virtual std::int16_t StartCapture() = 0;
    virtual void StopCapture() = 0;
    virtual void CloseCapture() = 0;

    // One captured frame.
    std::function<void(const QByteArray& data)> FrameCaptured;

  protected:
    // The place or visibility was set.
    virtual void extenderChanged() {}
};

// A display pane that draws the frames it is given, with the extender's place and visibility.
class VShow {
  public:
    virtual ~VShow() = default;

    Property<float> Left{[this] { extenderChanged(); }};
    Property<float> Top{[this] { extenderChanged(); }};
    Property<float> Width{[this] { extenderChanged(); }};
    Property<float> Height{[this] { extenderChanged(); }};
    Property<bool> Visible{[this] { extenderChanged(); }, true};
    bool DisplayFlag0 = false;
    bool DisplayFlag1 = false;

    virtual void ZOrder(std::int16_t position = 0) = 0;
    virtual void ShowFrame(const QByteArray& frame) = 0;

    // The pointer moved over the pane: Button, Shift, X and Y in twips from its corner.
    std::function<void(std::int16_t button, std::int16_t shift, float x, float y)> PaneMouseMove;

  protected:
    virtual void extenderChanged() {}
};

// The component's control classes, made on a window's container (the table picture or a zoom
// window). `account` gives the local player's account, with which the socket logs in at the
// relay once it has an address.
class Component {
  public:
    virtual ~Component() = default;
    virtual std::unique_ptr<P2PSocket> makeP2PSocket(std::function<QString()> account) = 0;
    virtual std::unique_ptr<Ziva> makeZiva(forms::Container& container, const QString& name) = 0;
    virtual std::unique_ptr<VShow> makeVShow(forms::Container& container, const QString& name) = 0;
};

// The table's display panes vshow1(1..3), one per remote seat. As with a control array,
// addressing a pane that does not exist is a run-time failure.
class VShowArray {
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 3;

    explicit VShowArray(const std::function<std::unique_ptr<VShow>(int index)>& make);
    VShow& operator[](int index);

  private:
    std::array<std::unique_ptr<VShow>, kLast - kFirst + 1> panes_;
};

// No component installed: the relay keeps its settings and never connects; there is no camera;
// the display panes keep their place and show nothing.
std::unique_ptr<P2PSocket> makeNoComponentP2PSocket();
std::unique_ptr<Ziva> makeNoComponentZiva();
std::unique_ptr<VShow> makeNoComponentVShow();

// The component's controls where one is installed (`component` not null), else the stand-ins.
std::unique_ptr<P2PSocket> makeP2PSocket(Component* component, std::function<QString()> account);
std::unique_ptr<Ziva> makeZiva(Component* component, forms::Container& container,
                               const QString& name);
std::unique_ptr<VShow> makeVShow(Component* component, forms::Container& container,
                                 const QString& name);

}  // namespace video
