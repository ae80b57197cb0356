#pragma once

#include <functional>
#include <memory>

#include "platform/forms/picture_box.h"
#include "platform/runtime/scheduler.h"
#include "platform/video/camera_source.h"
#include "video/video_component.h"

namespace platform {

// The camera control: starts its source on StartCapture, shows each picture as its own preview
// and raises FrameCaptured with the picture as a frame (JPEG bytes), from the scheduler like
// every other event. Without a source there is no camera.
class CameraControl final : public video::Ziva {
  public:
    // The answers of StartCapture: no device, or a device that would not start.
    static constexpr std::int16_t kNoDevice = -1;
    static constexpr std::int16_t kBusy = -2;

    CameraControl(Scheduler& scheduler, forms::Container& container, const QString& name,
                  std::function<std::unique_ptr<CameraSource>()> openSource);
    ~CameraControl() override;

    void ZOrder(std::int16_t position) override;
    void InitCapture() override;
    std::int16_t StartCapture() override;
    void StopCapture() override;
    void CloseCapture() override;

    const forms::PictureBox& box() const { return box_; }

  protected:
    void extenderChanged() override;

  private:
    void pictureArrived(const QImage& picture);

    Scheduler& scheduler_;
    forms::PictureBox box_;
    std::function<std::unique_ptr<CameraSource>()> openSource_;
    std::unique_ptr<CameraSource> source_;
    bool capturing_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
