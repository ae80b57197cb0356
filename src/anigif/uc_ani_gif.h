#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "anigif/ani_gif_state.h"
#include "anigif/async_read.h"
#include "anigif/property_bag.h"
#include "platform/forms/event.h"
#include "platform/forms/picture_box.h"
#include "platform/runtime/scheduler.h"

namespace anigif {

// An array handed to LoadAnimatedGIF_Array: its memory, element size and the element count of
// each dimension (none: not allocated).
struct ArrayArgument {
    const void* memory = nullptr;
    std::size_t elementSize = 1;
    std::vector<std::size_t> counts;
};

// The user control "Korvash.ucAniGIF": shows a GIF picture, single image or animation. Its
// container hands it a GIF (picture, file, byte array or address), chooses scaling, mirroring,
// looping and starting, drives it with Action and hears its events. The control draws into a
// device context of its own, which it shows as its picture.
class ucAniGIF : public forms::PictureBox {
  public:
    ucAniGIF(forms::Container& container, QString name);
    ~ucAniGIF() override;

    // Properties (Get as the name, Let as let...).
    forms::Picture AnimatedGIF() const;
    void letAnimatedGIF(const forms::Picture& picture);
    bool Enabled() const { return enabled(); }
    void letEnabled(bool value);
    std::int32_t FrameCount() const;
    void letFrameCount(std::int32_t) {}
    std::int32_t ActualWidth() const;
    std::int32_t ActualHeight() const;
    std::int32_t Stretch() const { return s_.m_StretchMode; }
    void letStretch(std::int32_t value);
    std::int32_t MinFrameDelay() const { return m_MinDelay; }
    void letMinFrameDelay(std::int32_t value);
    std::int32_t loops() const { return s_.gif.screen.loops; }
    void letLoops(std::int32_t value);
    std::int32_t LoopsRemaining() const;
    std::int32_t Mirrored() const { return s_.m_MirrorStyle & 3; }
    void letMirrored(std::int32_t value);
    std::int32_t Action() const { return m_ActionState; }
    void letAction(std::int32_t value);
    std::int32_t DelayAnimation() const { return m_DelayFlags; }
    void letDelayAnimation(std::int32_t value);
    void letMouseIcon(forms::Picture icon);
    void letMousePointer(std::int32_t value);

    // Methods.
    bool LoadAnimatedGIF_File(const QString& FileName);
    void LoadAnimatedGIF_Remote(const QString& RemotePath);
    bool LoadAnimatedGIF_Array(const ArrayArgument& Bytes);
    void Refresh();

    // Events, in their declared order.
    forms::Event<> Click;
    forms::Event<std::int16_t, std::int16_t, float, float> MouseDown;
    forms::Event<std::int16_t, std::int16_t, float, float> MouseUp;
    forms::Event<std::int16_t, std::int16_t, float, float> MouseMove;
    forms::Event<> LoopsEnded;
    forms::Event<float, float, bool&> RemoteLoadComplete;
    forms::Event<> RemoteLoadFailure;
    forms::Event<std::int32_t> reportOver;
    // The property-changed notice to the container.
    forms::Event<const QString&> PropertyChanged;

    // Hosting: design or run time (the container's ambient UserMode), the download facility,
    // persistence and the container's show and hide.
    bool userMode() const { return m_UserMode; }
    void setUserMode(bool runTime) { m_UserMode = runTime; }
    void setAsyncReader(AsyncReader* reader) { m_AsyncReader = reader; }
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    void UserControl_Show();
    void UserControl_Hide();
    void UserControl_Resize();
    // HitTest: every point hits the control (the toolkit's hit result 3).
    int UserControl_HitTest(float, float) const { return 3; }

    // What the control drew at its last paint, and its state, for those who look closer.
    const QImage& deviceContext() const { return m_DeviceContext; }
    const AniGifState& state() const { return s_; }
    std::int32_t FrameTotal() const { return m_FrameTotal; }

  private:
    std::int32_t LoadGifData();
    void ClearGif();
    bool StartStopTimer(int mode);
    void TimerCallbackAnimate();
    void TimerCallbackDelayLoad();
    void FinishDeferredDecode();
    void armTimer(std::int64_t ms);
    void timerTick();
    void UserControl_Paint();
    void AsyncReadProgress(const QString& name, int statusCode);
    void AsyncReadComplete(const QString& name, const QByteArray& bytes);
    void reportChange(const QString& name) { PropertyChanged.raise(name); }
    void mouseEvent(forms::Event<std::int16_t, std::int16_t, float, float>& event, int button,
                    int shift, float x, float y);
    bool resizesAfterLoad() const;
    std::int32_t scaleWidthPixels() const;
    std::int32_t scaleHeightPixels() const;
    float toContainerUnits(float pixels) const;

    AniGifState s_;
    std::int32_t m_FrameTotal = 0;
    std::int32_t m_ActionState = 0;
    std::int16_t m_MinDelay = 50;
    std::int64_t m_LoopsPlayed = 0;  // wide: a long run never wraps
    std::int32_t m_DelayFlags = 1;
    bool m_UserMode = true;
    QImage m_DeviceContext;
    AsyncReader* m_AsyncReader = nullptr;

    // The window timer: one-shot, re-armed per frame; longer waits than the toolkit timer's
    // limit are made of several periods.
    platform::Timer m_Timer;
    int m_TimerMode = 0;
    std::int64_t m_TimerRemaining = 0;
};

}  // namespace anigif
