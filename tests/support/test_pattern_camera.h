#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <memory>

#include "platform/runtime/scheduler.h"
#include "platform/video/camera_source.h"

namespace support {

// Colour bars in `tint`'s hue with `label` across them and a bar that moves with `frame`, at
// the component's frame size: what the test camera shows.
QImage TestPattern(int frame, const QString& label, QColor tint);

// A camera for the tests, where the machines have none: the test pattern at the component's
// frame rate, on the scheduler's timers (virtual time in tests).
class TestPatternCamera final : public platform::CameraSource {
  public:
    TestPatternCamera(platform::Scheduler& scheduler, QString label, QColor tint);
    ~TestPatternCamera() override;

    bool start(platform::CameraSink sink) override;
    void stop() override;
    int framesMade() const { return frame_; }

  private:
    platform::Timer timer_;
    QString label_;
    QColor tint_;
    platform::CameraSink sink_;
    int frame_ = 0;
};

}  // namespace support
