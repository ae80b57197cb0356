#include "platform/video/camera_source.h"

#include <dlfcn.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

constexpr const char* kModuleFile = "libkorvash_qt_camera.so";

// A video device node exists: only then is the multimedia stack worth loading.
bool VideoDeviceMayExist() {
    return !QDir(QStringLiteral("/dev"))
                .entryList({QStringLiteral("video*")}, QDir::System)
                .isEmpty();
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
