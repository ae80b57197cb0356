#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include "platform/forms/picture_box.h"
#include "video/video_component.h"

namespace platform {

// Decodes one frame: a JPEG picture of at most kMaxFrameSize; anything else gives a null image.
inline constexpr QSize kMaxFrameSize{1280, 1024};
QImage DecodeFrame(const QByteArray& frame);
// The frame's picture at the pane's size in pixels.
QImage ScaleFrame(const QImage& picture, QSize pane);

// The display pane: a picture box on its window that shows each frame it is given scaled to
// its size, over black. A frame that does not decode leaves the last picture standing.
class FrameDisplay final : public video::VShow {
  public:
    FrameDisplay(forms::Container& container, const QString& name);

    void ZOrder(std::int16_t position) override;
    void ShowFrame(const QByteArray& frame) override;

    const forms::PictureBox& box() const { return box_; }
    std::size_t framesShown() const { return framesShown_; }

  protected:
    void extenderChanged() override;

  private:
    forms::PictureBox box_;
    std::size_t framesShown_ = 0;
};

}  // namespace platform
