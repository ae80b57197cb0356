#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <string>

// Where the camera control's frames come from: the machine's camera through Qt Multimedia (a
// module of its own, qt_camera/, loaded only where a video device exists), or a test pattern in
// the tests.
namespace platform {

// The component's frame rate and frame size: small JPEG pictures, 15 a second.
inline constexpr int kCameraFrameIntervalMs = 66;
inline constexpr int kCameraFrameWidth = 160;
inline constexpr int kCameraFrameHeight = 120;
inline constexpr int kCameraJpegQuality = 60;
// The capture format the camera announces to peers: JPEG pictures.
inline constexpr std::int32_t kCaptureFormatJpeg = 1;

// One captured picture, at most one per kCameraFrameIntervalMs.
using CameraSink = std::function<void(const QImage& picture)>;

class CameraSource {
  public:
    virtual ~CameraSource() = default;
    // Starts delivering pictures to `sink` on the program's thread (from its event loop); false
    // when there is no camera or it is busy.
    virtual bool start(CameraSink sink) = 0;
    virtual void stop() = 0;
};

// A picture as a frame: scaled to the component's frame size and encoded as JPEG.
QByteArray EncodeFrame(const QImage& picture);

// The Qt Multimedia module's one entry point: the default camera, or null with the reason in
// `problem` when there is none.
using OpenCameraSource = std::unique_ptr<CameraSource> (*)(std::string& problem);
inline constexpr const char* kOpenCameraSourceSymbol = "korvash_open_camera_source";

// The machine's camera: the module is loaded only when a video device exists; null otherwise.
std::unique_ptr<CameraSource> OpenMachineCamera();

}  // namespace platform
