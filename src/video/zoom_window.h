#pragma once

#include <memory>
#include <optional>

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "video/video_component.h"
#include "video/zoom_geometry.h"

namespace client {
class Client;
}

namespace video {

// A video pane shown enlarged: a borderless window framed by its background picture, holding
// one display pane and the close, enlarge and shrink buttons, in three size steps. The four
// zoom windows (frm_Local for pane 0, frm_Remote1 to frm_Remote3 for panes 1 to 3) are this
// window for their pane; they differ only in the pane they report and where they go.
class ZoomWindow : public forms::Form {
  public:
    ZoomWindow(forms::Forms& forms, client::Client& client, int pane);

    client::Client& c;
    const int m_nPane;

    // The display pane (the video component's, or the stand-in without one).
    std::unique_ptr<VShow> vshow1;
    // 0 close, 1 enlarge, 2 shrink.
    forms::ControlArray<forms::Image> ImgCmd{*this, "ImgCmd", {0, 1, 2}};

    // Selects the backgrounds of the layout: 0 full, 3 reduced.
    std::int16_t m_nBackIdOffset = 0;
    // The size step the window was last laid out at. Kept rather than read back from the
    // width, which in the reduced layout is no whole number of twips and cannot be matched.
    ZoomStep m_nSizeStep = ZoomStep::Middle;

    // The window's size step; none when its width is no longer the one its step gave it.
    std::optional<ZoomStep> SizeStep() const;

    void ImgCmd_Click(int Index);

  protected:
    void Form_Load() override;
    void Form_MouseDown(int button, int shift, float x, float y) override;

  private:
    void ShowBackground(ZoomStep step);
    void ChangeToStep(ZoomStep step);
    void ArrangeButtons(ZoomStep from, ZoomStep to);
};

}  // namespace video
