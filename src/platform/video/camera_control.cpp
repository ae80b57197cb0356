#include "platform/video/camera_control.h"

#include <algorithm>

#include "platform/forms/color.h"
#include "platform/forms/picture.h"
#include "platform/video/frame_display.h"

namespace platform {

CameraControl::CameraControl(Scheduler& scheduler, forms::Container& container, const QString& name,
                             std::function<std::unique_ptr<CameraSource>()> openSource)
    : scheduler_(scheduler), box_(container, name), openSource_(std::move(openSource)) {
    box_.setBackColor(forms::kBlack);
    CaptureFormat = kCaptureFormatJpeg;
    extenderChanged();
}

CameraControl::~CameraControl() {
    *alive_ = false;
    if (source_) source_->stop();
}

void CameraControl::extenderChanged() {
    box_.move(Left, Top, std::max(0.0f, Width.get()), std::max(0.0f, Height.get()));
    box_.setVisible(Visible);
}

void CameraControl::ZOrder(std::int16_t position) {
    box_.zOrder(position);
}

void CameraControl::InitCapture() {
    if (!source_ && openSource_) source_ = openSource_();
}

std::int16_t CameraControl::StartCapture() {
    if (!source_) return kNoDevice;
    if (capturing_) return 0;
    std::weak_ptr<bool> alive = alive_;
    capturing_ = source_->start([this, alive](const QImage& picture) {
        scheduler_.post([this, alive, picture] {
            if (!alive.expired() && *alive.lock() && capturing_) pictureArrived(picture);
        });
    });
    return capturing_ ? 0 : kBusy;
}

void CameraControl::StopCapture() {
    if (source_ && capturing_) source_->stop();
    capturing_ = false;
}

void CameraControl::CloseCapture() {
    StopCapture();
    source_.reset();
}

void CameraControl::pictureArrived(const QImage& picture) {
    const QImage preview = ScaleFrame(picture, box_.rectInContainer().size().toSize());
    if (!preview.isNull()) box_.setPicture(forms::Picture(preview));
    if (FrameCaptured) FrameCaptured(EncodeFrame(picture));
}

}  // namespace platform
