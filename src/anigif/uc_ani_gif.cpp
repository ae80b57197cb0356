#include "anigif/uc_ani_gif.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "anigif/frame_drawing.h"
#include "anigif/frame_encoder.h"
#include "anigif/frame_strip.h"
#include "platform/forms/color.h"
#include "platform/forms/form.h"
#include "platform/forms/forms.h"
#include "platform/runtime/failure.h"

namespace anigif {
namespace {

constexpr int kDelayLoadMs = 20;
constexpr const char* kRemoteReadName = "remoteGIF";
constexpr int kRemoteMinimumLength = 15;
constexpr forms::OleColor kSystemWindowFrame = 0x80000006;

bool isGifSignature(const QByteArray& first) {
    const QByteArray signature = first.left(6).toLower();
    return signature == "gif89a" || signature == "gif87a";
}

}  // namespace

ucAniGIF::ucAniGIF(forms::Container& container, QString name)
    : forms::PictureBox(container, std::move(name)), m_Timer(form().forms().scheduler()) {
    m_Timer.setEnabled(false);
    m_Timer.onTimer = [this] {
        forms::Forms::HandlerScope scope(form().forms());
        timerTick();
    };
    onClick = [this] { Click.raise(); };
    onMouseDown = [this](int b, int sh, float x, float y) { mouseEvent(MouseDown, b, sh, x, y); };
    onMouseMove = [this](int b, int sh, float x, float y) { mouseEvent(MouseMove, b, sh, x, y); };
    onMouseUp = [this](int b, int sh, float x, float y) { mouseEvent(MouseUp, b, sh, x, y); };
}

ucAniGIF::~ucAniGIF() {
    ClearGif();
}

// ---- Properties --------------------------------------------------------------------------

forms::Picture ucAniGIF::AnimatedGIF() const {
    if (s_.m_CurrentFrame == 0) return {};
    std::vector<std::uint8_t> file = FrameToGifFile(s_, s_.m_CurrentFrame);
    QImage picture = PictureFromBytes(file);
    if (picture.isNull()) return {};
    return forms::Picture(std::move(picture), QByteArray(reinterpret_cast<const char*>(file.data()),
                                                         qsizetype(file.size())));
}

void ucAniGIF::letAnimatedGIF(const forms::Picture& picture) {
    const QByteArray& bytes = picture.sourceData();
    s_.m_GifBytes.assign(bytes.begin(), bytes.end());
    if (LoadGifData() > 0 && !m_UserMode) {
        // At design time the control takes the GIF's own size.
        const std::int32_t mode = s_.m_StretchMode;
        s_.m_StretchMode = 4;
        UserControl_Resize();
        s_.m_StretchMode = mode;
        s_.gif.screen.scaleX = s_.gif.screen.scaleY = 1.0f;
    }
    Refresh();
    reportChange("AnimatedGIF");
}

void ucAniGIF::letEnabled(bool value) {
    setEnabled(value);
    reportChange("Enabled");
}

std::int32_t ucAniGIF::FrameCount() const {
    return s_.m_CurrentFrame != 0 ? s_.gif.frameCount() : 0;
}

std::int32_t ucAniGIF::ActualWidth() const {
    return std::int32_t(std::floor(toContainerUnits(float(s_.gif.screen.width))));
}

std::int32_t ucAniGIF::ActualHeight() const {
    return std::int32_t(std::floor(toContainerUnits(float(s_.gif.screen.height))));
}

void ucAniGIF::letStretch(std::int32_t value) {
    if (value < 0 || value > 4 || value == s_.m_StretchMode) return;
    const std::int32_t remembered = m_ActionState;
    s_.m_StretchMode = value;
    letAction(2);
    UserControl_Resize();
    // A stopped GIF stays stopped and on show (Action 0 would empty it).
    if (remembered != 0) letAction(remembered);
    if (remembered != 1) Refresh();
    reportChange("Stretch");
}

void ucAniGIF::letMinFrameDelay(std::int32_t value) {
    const auto clamped = std::int16_t(std::clamp(value, 10, 32700));
    if (clamped == m_MinDelay) return;
    m_MinDelay = clamped;
    reportChange("Delay");
}

void ucAniGIF::letLoops(std::int32_t value) {
    if (value == s_.gif.screen.loops) return;
    if (value == std::numeric_limits<std::int32_t>::min()) {
        platform::fail(platform::RuntimeFailure::Kind::Overflow, "Overflow");
    }
    s_.gif.screen.loops = std::abs(value);
    reportChange("Loops");
}

std::int32_t ucAniGIF::LoopsRemaining() const {
    if (s_.m_CurrentFrame == 0) return -1;
    if (s_.gif.screen.loops == 0) return 0;
    return std::int32_t(s_.gif.screen.loops - m_LoopsPlayed);
}

void ucAniGIF::letMirrored(std::int32_t value) {
    if (value < 0 || value > 3) return;
    if (s_.m_CurrentFrame == 0) {
        s_.m_MirrorStyle = value;
        reportChange("Mirrored");
        return;
    }
    const std::int32_t from = s_.m_MirrorStyle & 3;
    if (value == from) return;
    const std::int32_t remembered = m_ActionState;
    letAction(2);
    // Before a deferred decoding only frame 1 exists: it alone takes the new style, and the
    // decoding mirrors the later frames to it.
    const bool laterFramesPending = (s_.m_MirrorStyle & kMirrorFirstOnlyBit) != 0;
    s_.m_MirrorStyle = value;
    ApplyMirror(s_, from, !m_UserMode || laterFramesPending, m_UserMode);
    if (laterFramesPending) s_.m_MirrorStyle |= kMirrorFirstOnlyBit;
    if (remembered == 1) {
        letAction(1);
    } else {
        Refresh();
    }
    reportChange("Mirrored");
}

void ucAniGIF::letAction(std::int32_t value) {
    if (!m_UserMode || s_.m_CurrentFrame == 0) return;
    switch (value) {
        case 0:
            StartStopTimer(0);
            m_LoopsPlayed = 0;
            s_.m_CurrentFrame = 0;
            Refresh();
            break;
        case 1:
            StartStopTimer(1);
            break;
        case 2:
            if (m_ActionState != 0) {
                StartStopTimer(0);
                m_ActionState = 2;
            }
            break;
        case 3:
            StartStopTimer(0);
            // A step shows real frames: the later frames are decoded first when still pending.
            if (s_.deferredDecodePending) FinishDeferredDecode();
            s_.m_CurrentFrame =
                s_.m_CurrentFrame + 1 > s_.gif.frameCount() ? 1 : s_.m_CurrentFrame + 1;
            m_ActionState = 2;
            Refresh();
            break;
        case 4:
            StartStopTimer(0);
            m_LoopsPlayed = 0;
            s_.m_CurrentFrame = 1;
            Refresh();
            StartStopTimer(1);
            break;
        default:
            break;
    }
}

void ucAniGIF::letDelayAnimation(std::int32_t value) {
    if (value < 0 || value > 3 || value == m_DelayFlags) return;
    m_DelayFlags = value;
    reportChange("DelayAnimation");
}

void ucAniGIF::letMouseIcon(forms::Picture icon) {
    try {
        const bool none = icon.isEmpty();
        setMouseIcon(std::move(icon));
        if (none) setMousePointer(0);
        reportChange("MouseIcon");
    } catch (const platform::RuntimeFailure&) {
    }
}

void ucAniGIF::letMousePointer(std::int32_t value) {
    try {
        setMousePointer(std::int16_t(value));
    } catch (const platform::RuntimeFailure&) {
    }
}

// ---- Loads ---------------------------------------------------------------------------------

bool ucAniGIF::resizesAfterLoad() const {
    return s_.m_StretchMode == 1 || s_.m_StretchMode == 3 || s_.m_StretchMode == 4;
}

bool ucAniGIF::LoadAnimatedGIF_File(const QString& FileName) {
    // A file that cannot be read loads nothing: the GIF on show stays as it is.
    const QFileInfo info(FileName);
    if (FileName.isEmpty() || !info.isFile()) return false;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return false;
    s_.m_GifBytes.assign(bytes.begin(), bytes.end());
    if (LoadGifData() == 0) return false;
    if (resizesAfterLoad()) UserControl_Resize();
    return true;
}

bool ucAniGIF::LoadAnimatedGIF_Array(const ArrayArgument& Bytes) {
    try {
        // An unallocated array, or one of more than two dimensions, loads nothing.
        if (!Bytes.memory || Bytes.counts.empty() || Bytes.counts.size() > 2) return false;
        std::size_t length = Bytes.elementSize;
        for (std::size_t count : Bytes.counts) length *= count;
        if (length == 0) return false;
        const auto* memory = static_cast<const std::uint8_t*>(Bytes.memory);
        s_.m_GifBytes.assign(memory, memory + length);
        if (LoadGifData() == 0) return false;
        if (resizesAfterLoad()) UserControl_Resize();
        return true;
    } catch (const platform::RuntimeFailure&) {
        return false;
    }
}

void ucAniGIF::LoadAnimatedGIF_Remote(const QString& RemotePath) {
    if (RemotePath.isEmpty()) return;
    AsyncReader::Handlers handlers{
        [this](const QString& name, int status) { AsyncReadProgress(name, status); },
        [this](const QString& name, const QByteArray& bytes) { AsyncReadComplete(name, bytes); }};
    if (!m_AsyncReader ||
        !m_AsyncReader->AsyncRead(RemotePath, kRemoteReadName, true, std::move(handlers))) {
        RemoteLoadFailure.raise();
    }
}

void ucAniGIF::AsyncReadProgress(const QString& name, int statusCode) {
    if (statusCode != 0) return;
    if (m_AsyncReader) m_AsyncReader->CancelAsyncRead(name);
    RemoteLoadFailure.raise();
}

void ucAniGIF::AsyncReadComplete(const QString&, const QByteArray& bytes) {
    if (bytes.size() < kRemoteMinimumLength) {
        RemoteLoadFailure.raise();
        return;
    }
    s_.m_GifBytes.assign(bytes.begin(), bytes.begin() + 10);
    if (!isGifSignature(bytes)) {
        RemoteLoadFailure.raise();
        s_.m_GifBytes.clear();
        return;
    }
    const auto word = [&bytes](int at) {
        return std::uint8_t(bytes[at]) | (std::uint8_t(bytes[at + 1]) << 8);
    };
    bool Cancel = false;
    RemoteLoadComplete.raise(std::floor(toContainerUnits(float(word(6)))),
                             std::floor(toContainerUnits(float(word(8)))), Cancel);
    s_.m_GifBytes.clear();
    if (Cancel) return;
    s_.m_GifBytes.assign(bytes.begin(), bytes.end());
    try {
        if (LoadGifData() > 0 && resizesAfterLoad()) UserControl_Resize();
    } catch (const platform::RuntimeFailure&) {
    }
}

std::int32_t ucAniGIF::LoadGifData() {
    ClearGif();
    s_.gif.screen = GifScreen{};
    std::int32_t n = 0;
    if (!s_.m_GifBytes.empty()) {
        n = ScanGifStructure(s_.m_GifBytes, s_.gif);
        if (n > 0) {
            try {
                bool firstPass = true;
                const StripHost host{m_UserMode, m_DelayFlags, scaleWidthPixels(),
                                     scaleHeightPixels(),
                                     [this](int mode) { StartStopTimer(mode); }};
                m_FrameTotal = n;
                if (!BuildFrameStrip(s_, firstPass, host)) {
                    n = 0;
                } else if (m_UserMode && n == 1) {
                    Refresh();
                }
            } catch (const platform::RuntimeFailure&) {
            }
        }
    }
    if (n == 0) {
        s_.m_GifBytes.clear();
        ClearGif();
    }
    m_FrameTotal = n;
    return n;
}

void ucAniGIF::ClearGif() {
    s_.deferredDecodePending = false;
    StartStopTimer(0);
    s_.gif.frames.clear();
    m_ActionState = 0;
    s_.m_CurrentFrame = 0;
    s_.m_Strip = FrameStrip{};
    s_.m_Canvas = Canvas{};
    s_.gif.palettes.clear();
    s_.gif.spans.clear();
    s_.gif.paletteCount = 0;
    s_.m_FrameGif.clear();
    // A new GIF starts with its loops uncounted and no frame waiting for its mirror style.
    s_.m_MirrorStyle &= 3;
    m_LoopsPlayed = 0;
}

// ---- Timer ---------------------------------------------------------------------------------

void ucAniGIF::armTimer(std::int64_t ms) {
    const std::int64_t period = std::min<std::int64_t>(ms, platform::Timer::kMaxInterval);
    m_TimerRemaining = ms - period;
    m_Timer.setEnabled(false);
    m_Timer.setInterval(int(period));
    m_Timer.setEnabled(true);
}

void ucAniGIF::timerTick() {
    if (m_TimerRemaining > 0) return armTimer(m_TimerRemaining);
    if (m_TimerMode == 1) {
        TimerCallbackAnimate();
    } else {
        TimerCallbackDelayLoad();
    }
}

bool ucAniGIF::StartStopTimer(int mode) {
    if (mode == 0) {
        if (m_UserMode) m_Timer.setEnabled(false);
        m_ActionState = 0;
        return false;
    }
    if (m_ActionState == 1) return false;
    m_ActionState = 0;
    if (s_.m_CurrentFrame == 0 || !m_UserMode || (s_.gif.frameCount() == 1 && mode == 1)) {
        return false;
    }
    // A deferred decoding that a stop interrupted runs now, before the animation goes on.
    if (mode == 1 && s_.deferredDecodePending) FinishDeferredDecode();
    m_TimerMode = mode;
    const std::int32_t delay = s_.gif.frame(s_.m_CurrentFrame).delay;
    armTimer(mode == 2 ? kDelayLoadMs : std::max<std::int32_t>(delay, m_MinDelay));
    m_ActionState = 1;
    return true;
}

void ucAniGIF::FinishDeferredDecode() {
    bool firstPass = false;
    const StripHost host{m_UserMode, m_DelayFlags, scaleWidthPixels(), scaleHeightPixels(), {}};
    BuildFrameStrip(s_, firstPass, host);
}

void ucAniGIF::TimerCallbackAnimate() {
    m_Timer.setEnabled(false);
    bool wrapped = false;
    if (++s_.m_CurrentFrame > s_.gif.frameCount()) {
        s_.m_CurrentFrame = 1;
        wrapped = true;
    }
    bool newTimer = true;
    if (wrapped && s_.gif.screen.loops != 0) {
        ++m_LoopsPlayed;
        if (m_LoopsPlayed >= s_.gif.screen.loops) {
            m_ActionState = 0;
            letAction(0);
            m_LoopsPlayed = 0;
            newTimer = false;
        }
    }
    Refresh();
    if (newTimer) {
        const std::int32_t delay = s_.gif.frame(s_.m_CurrentFrame).delay;
        armTimer(std::max<std::int32_t>(delay, m_MinDelay));
    } else {
        LoopsEnded.raise();
    }
}

void ucAniGIF::TimerCallbackDelayLoad() {
    StartStopTimer(0);
    bool firstPass = false;
    const StripHost host{m_UserMode, m_DelayFlags, scaleWidthPixels(), scaleHeightPixels(),
                         [this](int mode) { StartStopTimer(mode); }};
    BuildFrameStrip(s_, firstPass, host);
}

// ---- Hosting -------------------------------------------------------------------------------

std::int32_t ucAniGIF::scaleWidthPixels() const {
    return std::int32_t(std::lround(rectInContainer().width()));
}

std::int32_t ucAniGIF::scaleHeightPixels() const {
    return std::int32_t(std::lround(rectInContainer().height()));
}

float ucAniGIF::toContainerUnits(float pixels) const {
    return container() ? container()->fromPixels(pixels) : pixels;
}

void ucAniGIF::UserControl_Resize() {
    if (s_.m_CurrentFrame == 0 || s_.gif.screen.height < 0) return;
    std::int32_t w = scaleWidthPixels(), h = scaleHeightPixels();
    CalcStretch(s_, w, h, s_.gif.screen.scaleX, s_.gif.screen.scaleY);
    s_.gif.screen.height = -s_.gif.screen.height;
    move(left(), top(), toContainerUnits(float(w)), toContainerUnits(float(h)));
    s_.gif.screen.height = -s_.gif.screen.height;
}

void ucAniGIF::UserControl_Show() {
    StartStopTimer(1);
}

void ucAniGIF::UserControl_Hide() {
    letAction(2);
}

void ucAniGIF::Refresh() {
    UserControl_Paint();
}

void ucAniGIF::UserControl_Paint() {
    const std::int32_t w = scaleWidthPixels(), h = scaleHeightPixels();
    if (w < 1 || h < 1 || std::int64_t(w) * h > kMaxSurfacePixels) {
        m_DeviceContext = QImage();
    } else {
        m_DeviceContext = QImage(w, h, QImage::Format_RGB32);
        m_DeviceContext.fill(forms::toQColor(backColor()));
        PaintCurrentFrame(s_, s_.m_CurrentFrame, m_DeviceContext);
    }
    if (s_.m_CurrentFrame == m_FrameTotal) reportOver.raise(s_.m_CurrentFrame);
    if (!m_UserMode && !m_DeviceContext.isNull()) {
        QPainter painter(&m_DeviceContext);
        painter.setPen(QPen(forms::toQColor(kSystemWindowFrame), 1, Qt::DotLine));
        painter.drawRect(0, 0, w - 1, h - 1);
    }
    setPicture(forms::Picture(m_DeviceContext));
}

void ucAniGIF::mouseEvent(forms::Event<std::int16_t, std::int16_t, float, float>& event, int button,
                          int shift, float x, float y) {
    // The toolkit hands twips from the control's corner; the container hears its own units.
    const float X = std::floor(toContainerUnits(forms::twipsToPixels(x)));
    const float Y = std::floor(toContainerUnits(forms::twipsToPixels(y)));
    event.raise(std::int16_t(button), std::int16_t(shift), X, Y);
}

void ucAniGIF::ReadProperties(const PropertyBag& bag) {
    const QByteArray held(reinterpret_cast<const char*>(s_.m_GifBytes.data()),
                          qsizetype(s_.m_GifBytes.size()));
    const QByteArray gif = bag.ReadProperty<QByteArray>("GIF", held);
    s_.m_GifBytes.assign(gif.begin(), gif.end());
    m_MinDelay = std::int16_t(bag.ReadProperty<std::int32_t>("Delay", m_MinDelay));
    s_.m_StretchMode = bag.ReadProperty<std::int32_t>("Stretch", 1);
    m_DelayFlags = bag.ReadProperty<std::int32_t>("DelayLoad", 1);
    if (m_DelayFlags == -1) m_DelayFlags = 1;
    s_.m_MirrorStyle = bag.ReadProperty<std::int32_t>("Mirror", 0);
    setEnabled(bag.ReadProperty<bool>("Enabled", true));
    setMouseIcon(bag.ReadProperty<forms::Picture>("MouseIcon", forms::Picture()));
    letMousePointer(bag.ReadProperty<std::int32_t>("MousePointer", 0));
    if (LoadGifData() > 0) {
        s_.gif.screen.loops = bag.ReadProperty<std::int32_t>("Loops", s_.gif.screen.loops);
    }
}

void ucAniGIF::WriteProperties(PropertyBag& bag) const {
    const std::int32_t delay = 50, stretch = 1, loops = 0, delayLoad = 1, mirror = 0, pointer = 0;
    const bool enabledDefault = true;
    const forms::Picture noIcon;
    bag.WriteProperty("GIF", QByteArray(reinterpret_cast<const char*>(s_.m_GifBytes.data()),
                                        qsizetype(s_.m_GifBytes.size())));
    bag.WriteProperty("Delay", std::int32_t(m_MinDelay), &delay);
    bag.WriteProperty("Stretch", s_.m_StretchMode, &stretch);
    bag.WriteProperty("Loops", s_.gif.screen.loops, &loops);
    bag.WriteProperty("DelayLoad", m_DelayFlags, &delayLoad);
    bag.WriteProperty("Mirror", s_.m_MirrorStyle, &mirror);
    bag.WriteProperty("MouseIcon", mouseIcon(), &noIcon);
    bag.WriteProperty("MousePointer", std::int32_t(std::int16_t(mousePointer())), &pointer);
    bag.WriteProperty("Enabled", enabled(), &enabledDefault);
}

}  // namespace anigif
