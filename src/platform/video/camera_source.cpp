#include "platform/video/camera_source.h"

#include <dlfcn.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <filesystem>

namespace platform {

namespace {

constexpr const char* kModuleFile = "libkorvash_qt_camera.so";

// A video device node exists: only then is the multimedia stack worth loading.
// A plain prefix test: a name filter would compile a regular expression (and load its library)
// at every table start just to find no camera.
bool VideoDeviceMayExist() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
        if (entry.path().filename().string().starts_with("video")) return true;
    }
    return false;
}

OpenCameraSource LoadModule() {
    QStringList candidates;
    if (QCoreApplication::instance()) {
        candidates << QCoreApplication::applicationDirPath() + u'/' + QLatin1String(kModuleFile);
    }
#ifdef KORVASH_QT_CAMERA_MODULE
    candidates << QStringLiteral(KORVASH_QT_CAMERA_MODULE);
#endif
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) continue;
        void* module = ::dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        if (void* entry = ::dlsym(module, kOpenCameraSourceSymbol)) {
            return reinterpret_cast<OpenCameraSource>(entry);
        }
    }
    return nullptr;
}

}  // namespace

QByteArray EncodeFrame(const QImage& picture) {
    if (picture.isNull()) return {};
    const QImage frame = picture.size() == QSize(kCameraFrameWidth, kCameraFrameHeight)
                             ? picture
                             : picture.scaled(kCameraFrameWidth, kCameraFrameHeight,
                                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    frame.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", kCameraJpegQuality);
    return bytes;
}

std::unique_ptr<CameraSource> OpenMachineCamera() {
    if (!VideoDeviceMayExist()) return nullptr;
    const OpenCameraSource open = LoadModule();
    if (!open) return nullptr;
    std::string problem;
    return open(problem);
}

}  // namespace platform
