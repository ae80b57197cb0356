#include "video/zoom_window.h"

#include <array>
#include <cmath>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "connection/resource_pictures.h"
#include "platform/forms/units.h"
#include "resources/design_names.h"
#include "resources/resource_store.h"

namespace video {

namespace {

namespace design = resources::design;

constexpr int kLeftButton = 1;
constexpr int kClose = 0;
constexpr int kEnlarge = 1;
constexpr int kShrink = 2;
// The buttons at the middle step, in design twips; the other steps scale them by 3 / 2.
constexpr float kMiddleButtonWidth = 225;
constexpr float kMiddleButtonHeight = 240;
constexpr std::array<float, 3> kMiddleButtonLefts{3750, 3380, 3000};
constexpr float kButtonGap = 60;

// The window's design background, shown until a picture of the resources replaces it.
constexpr int kDesignBackground = 871;

forms::Picture EmbeddedPicture(int id) {
    const auto bytes = resources::findResource("GIF", id);
    if (!bytes) return {};
    return forms::Picture::fromEmbedded(QByteArray::fromRawData(
        reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
}

std::int64_t WholePixels(float twips) {
    return std::llround(double(twips) / forms::kTwipsPerPixel);
}

}  // namespace

ZoomWindow::ZoomWindow(forms::Forms& forms, client::Client& client, int pane)
    : Form(forms),
      c(client),
      m_nPane(pane),
      vshow1(makeVShow(c.sys.videoComponent, *this, QStringLiteral("vshow1"))) {
    setBorderless(true);
    setPicture(EmbeddedPicture(kDesignBackground));
    const std::array<design::DesignPicture, 3> pictures{design::kZoomClose, design::kZoomEnlarge,
                                                        design::kZoomShrink};
    const std::array<QString, 3> tips{QStringLiteral("关闭"), QStringLiteral("放大"),
                                      QStringLiteral("缩小")};
    for (int i = 0; i < 3; ++i) {
        ImgCmd[i].setPicture(connection::DesignPicture(pictures[std::size_t(i)]));
        ImgCmd[i].setStretch(true);
        ImgCmd[i].setToolTipText(tips[std::size_t(i)]);
    }
    ImgCmd.onClick.bind(this, &ZoomWindow::ImgCmd_Click);
}

std::optional<ZoomStep> ZoomWindow::SizeStep() const {
    // Compared in whole pixels, as the window system keeps a window's width.
    const float stepWidth = ZoomStepSize(m_nSizeStep).width * c.s.g_fScaleX;
    if (WholePixels(width()) != WholePixels(stepWidth)) return std::nullopt;
    return m_nSizeStep;
}

void ZoomWindow::Form_Load() {
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    if (sx < 1.0f) m_nBackIdOffset = 3;
    if (sx == 1.0f) m_nBackIdOffset = 0;
    ShowBackground(ZoomStep::Middle);
    vshow1->DisplayFlag0 = true;
    vshow1->DisplayFlag1 = true;
    const ZoomStepDesign& middle = ZoomStepSize(ZoomStep::Middle);
    setWidth(middle.width * sx);
    setHeight(middle.height * sy);
    m_nSizeStep = ZoomStep::Middle;
    vshow1->Width = middle.paneWidth * sx;
    vshow1->Height = middle.paneHeight * sy;
    vshow1->Top = middle.paneTop * sy;
    vshow1->Left = middle.paneLeft * sx;
    for (int i = 0; i < 3; ++i) {
        forms::Image& button = ImgCmd[i];
        button.setWidth(kMiddleButtonWidth * sx);
        button.setHeight(kMiddleButtonHeight * sy);
        const float w = button.width();
        button.setLeft(width() - vshow1->Left - float(i + 1) * w - float(i) * 0.5f * w);
        button.setTop(0);
    }
}

void ZoomWindow::ShowBackground(ZoomStep step) {
    const int id = ZoomBackgroundId(c.ids, step, m_nBackIdOffset);
    // A picture that cannot be written keeps the background the window has.
    connection::ShowResourcePicture(c, static_cast<std::int16_t>(id), *this);
}

void ZoomWindow::ImgCmd_Click(int Index) {
    const auto step = SizeStep();
    switch (Index) {
        case kClose:
            unload();
            return;
        case kEnlarge:
            if (!step) return;
            if (const auto next = EnlargedStep(*step)) ChangeToStep(*next);
            return;
        case kShrink:
            if (!step) return;
            if (const auto next = ShrunkStep(*step)) ChangeToStep(*next);
            return;
        default:
            return;
    }
}

void ZoomWindow::ChangeToStep(ZoomStep step) {
    const ZoomStep from = m_nSizeStep;
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    const ZoomStepDesign& size = ZoomStepSize(step);
    ShowBackground(step);
    setWidth(size.width * sx);
    setHeight(size.height * sy);
    m_nSizeStep = step;

    const client::MainForm& table = *c.MainForm;
    const TableRect rect{table.left(), table.top(), table.width(), table.height()};
    const QPointF place = ZoomResizePlace(m_nPane, step, rect, width(), height());
    if (step == ZoomStep::Large) {
        setLeft(float(place.x()));
        setTop(float(place.y()));
    } else {
        setTop(float(place.y()));
        setLeft(float(place.x()));
    }

    vshow1->Width = size.paneWidth * sx;
    vshow1->Height = size.paneHeight * sy;
    vshow1->Top = size.paneTop * sy;
    vshow1->Left = size.paneLeft * sx;

    c.s.g_nZoomPane = static_cast<std::int16_t>(m_nPane);
    c.MainForm->Timer_Zoom.setEnabled(true);

    ArrangeButtons(from, step);
}

void ZoomWindow::ArrangeButtons(ZoomStep from, ZoomStep to) {
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    // Each new size is the product first multiplied, then divided, kept unrounded.
    const bool growing = to > from;
    const auto resize = [growing](forms::Image& button) {
        button.setWidth(growing ? button.width() * 3 / 2 : button.width() * 2 / 3);
        button.setHeight(growing ? button.height() * 3 / 2 : button.height() * 2 / 3);
    };
    if (to == ZoomStep::Middle) {
        for (int i = 0; i < 3; ++i) ImgCmd[i].setLeft(kMiddleButtonLefts[std::size_t(i)] * sx);
        for (int i = 0; i < 3; ++i) {
            resize(ImgCmd[i]);
            ImgCmd[i].setTop(0);
        }
        return;
    }
    // Small and large: a row from the right edge along the top edge.
    const bool large = to == ZoomStep::Large;
    const float closeMargin = (large ? 150 : 80) * sx;
    const float top = (large ? 80 : 30) * sy;
    resize(ImgCmd[0]);
    ImgCmd[0].setLeft(width() - ImgCmd[0].width() - closeMargin);
    ImgCmd[0].setTop(top);
    for (int i = 1; i < 3; ++i) {
        resize(ImgCmd[i]);
        ImgCmd[i].setLeft(ImgCmd[i - 1].left() - ImgCmd[i].width() - kButtonGap * sx);
        ImgCmd[i].setTop(top);
    }
}

void ZoomWindow::Form_MouseDown(int button, int shift, float x, float y) {
    (void)shift;
    if (button != kLeftButton) return;
    // The display pane is the component's own window: a press there never reaches the window.
    const VShow& pane = *vshow1;
    const bool onPane = pane.Visible && x >= pane.Left && x < pane.Left + pane.Width &&
                        y >= pane.Top && y < pane.Top + pane.Height;
    if (onPane) return;
    beginMoveByMouse();
}

}  // namespace video
