#include "support/test_pattern_camera.h"

#include <QFont>
#include <QPainter>

namespace support {

QImage TestPattern(int frame, const QString& label, QColor tint) {
    const int width = platform::kCameraFrameWidth;
    const int height = platform::kCameraFrameHeight;
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    constexpr int kBars = 7;
    for (int i = 0; i < kBars; ++i) {
        QColor bar = QColor::fromHsv((tint.hsvHue() + i * 50) % 360, 160 + 10 * i, 230 - 15 * i);
        painter.fillRect(i * width / kBars, 0, width / kBars + 1, height, bar);
    }
    painter.fillRect((frame * 4) % width, 0, 6, height, Qt::white);
    painter.fillRect(0, height - 34, width, 34, QColor(0, 0, 0, 170));
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, height - 34, width, 34), Qt::AlignCenter, label);
    return picture;
}

TestPatternCamera::TestPatternCamera(platform::Scheduler& scheduler, QString label, QColor tint)
    : timer_(scheduler), label_(std::move(label)), tint_(tint) {
    timer_.setEnabled(false);
    timer_.setInterval(platform::kCameraFrameIntervalMs);
    timer_.onTimer = [this] {
        if (sink_) sink_(TestPattern(frame_++, label_, tint_));
    };
}

TestPatternCamera::~TestPatternCamera() = default;

bool TestPatternCamera::start(platform::CameraSink sink) {
    sink_ = std::move(sink);
    timer_.setEnabled(true);
    return true;
}

void TestPatternCamera::stop() {
    timer_.setEnabled(false);
    sink_ = nullptr;
}

}  // namespace support
