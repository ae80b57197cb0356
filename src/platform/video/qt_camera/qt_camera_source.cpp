// The machine's camera through Qt Multimedia: a capture session feeding a video sink, its
// pictures handed on at most once per frame interval.
#include <QCamera>
#include <QElapsedTimer>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>
#include <memory>

#include "platform/video/camera_source.h"

namespace {

class QtCameraSource final : public platform::CameraSource {
  public:
    explicit QtCameraSource(const QCameraDevice& device) : camera_(device) {
        session_.setCamera(&camera_);
        session_.setVideoSink(&sink_);
    }
    ~QtCameraSource() override { stop(); }

    bool start(platform::CameraSink sink) override {
        sink_.disconnect(&context_);
        deliver_ = std::move(sink);
        // The sink may report from the camera's thread: the context object brings every
        // picture to the program's thread.
        QObject::connect(
            &sink_, &QVideoSink::videoFrameChanged, &context_,
            [this](const QVideoFrame& frame) { frameArrived(frame); }, Qt::QueuedConnection);
        camera_.start();
        return camera_.isActive() || camera_.error() == QCamera::NoError;
    }

    void stop() override {
        camera_.stop();
        sink_.disconnect(&context_);
    }

  private:
    void frameArrived(const QVideoFrame& frame) {
        if (last_.isValid() && last_.elapsed() < platform::kCameraFrameIntervalMs) return;
        last_.start();
        const QImage picture = frame.toImage();
        if (!picture.isNull() && deliver_) deliver_(picture);
    }

    QCamera camera_;
    QMediaCaptureSession session_;
    QVideoSink sink_;
    QObject context_;
    QElapsedTimer last_;
    platform::CameraSink deliver_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) std::unique_ptr<platform::CameraSource>
korvash_open_camera_source(std::string& problem) {
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull()) {
        problem = "no camera";
        return nullptr;
    }
    return std::make_unique<QtCameraSource>(device);
}
