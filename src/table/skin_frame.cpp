// The skinned frame of the table window: the frame painted from one small picture, the icon,
// the caption, the close and minimise buttons with their three pictures, and the drag bar.
#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "platform/forms/input.h"
#include "table/table_design.h"

namespace table {
namespace {

namespace design = resources::design;
using connection::DesignPicture;

// Picture elements of the caption button arrays: 0 shows, 1..3 hold the pictures.
constexpr int kShown = 0;
constexpr int kNormal = 1;
constexpr int kHover = 2;
constexpr int kPressed = 3;
constexpr int kLeftButton = 1;
constexpr int kExitButton = 8;
constexpr forms::OleColor kCaptionInk = 0xFFFFFF;

void DressCaptionButton(forms::ControlArray<forms::Image>& button,
                        const design::DesignPicture& normal, const design::DesignPicture& hover,
                        const design::DesignPicture& pressed) {
    button[kNormal].setPicture(DesignPicture(normal));
    button[kHover].setPicture(DesignPicture(hover));
    button[kPressed].setPicture(DesignPicture(pressed));
    button[kShown].setPicture(button[kNormal].picture());
    for (int k : {kNormal, kHover, kPressed}) button[k].setVisible(false);
}

}  // namespace

void DressSkinFrame(client::MainForm& form) {
    form.Skin.setPicture(DesignPicture(design::kSkin));
    form.Skin.setVisible(false);
    form.setIcon(DesignPicture(design::kIcon));
    form.ImgIcon.setStretch(true);
    DressCaptionButton(form.ImgClose, design::kCloseNormal, design::kCloseHover,
                       design::kClosePressed);
    DressCaptionButton(form.ImgMin, design::kMinimiseNormal, design::kMinimiseHover,
                       design::kMinimisePressed);
    form.lcaption.setCaption(QStringLiteral("Korvash"));
    form.lcaption.setTransparent(true);
    form.lcaption.setAutoSize(true);
    form.LbMove.setCaption({});
    form.LbMove.setTransparent(true);

    using client::MainForm;
    form.ImgClose.onClick.bind(&form, &MainForm::ImgClose_Click);
    form.ImgClose.onMouseDown.bind(&form, &MainForm::ImgClose_MouseDown);
    form.ImgClose.onMouseMove.bind(&form, &MainForm::ImgClose_MouseMove);
    form.ImgClose.onMouseUp.bind(&form, &MainForm::ImgClose_MouseUp);
    form.ImgMin.onClick.bind(&form, &MainForm::ImgMin_Click);
    form.ImgMin.onMouseDown.bind(&form, &MainForm::ImgMin_MouseDown);
    form.ImgMin.onMouseMove.bind(&form, &MainForm::ImgMin_MouseMove);
    form.ImgMin.onMouseUp.bind(&form, &MainForm::ImgMin_MouseUp);
    form.LbMove.onMouseDown.bind(&form, &MainForm::LbMove_MouseDown);
    form.LbMove.onMouseMove.bind(&form, &MainForm::LbMove_MouseMove);
}

}  // namespace table

namespace client {
using namespace table;

void MainForm::DrawSkinFrame() {
    const float W = width();
    const float H = height();
    const forms::Picture& frame = Skin.picture();
    // Corners keep their size; the edges stretch their 120-twip slices.
    paintPicture(frame, 0, 0, 120, 300, 0, 0, 120, 300);
    paintPicture(frame, 120, 0, W - 240, 300, 120, 0, 120, 300);
    paintPicture(frame, W - 120, 0, 120, 300, 570, 0, 120, 300);
    paintPicture(frame, 0, 300, 120, H - 420, 0, 300, 120, 2880);
    paintPicture(frame, W - 120, 300, 120, H - 420, 570, 300, 120, 2880);
    paintPicture(frame, 0, H - 120, 120, 120, 0, 3180, 120, 120);
    paintPicture(frame, 120, H - 120, W - 240, 120, 120, 3180, 120, 120);
    paintPicture(frame, W - 120, H - 120, 120, 120, 570, 3180, 120, 120);

    if (!icon().isEmpty()) {
        ImgIcon.setPicture(icon());
        ImgIcon.move(50, 50, 240, 240);
    }

    ImgClose[kShown].setLeft(scaleWidth() - ImgClose[kShown].width() - 70);
    ImgClose[kShown].setTop(25);
    ImgClose[kShown].setPicture(ImgClose[kNormal].picture());
    ImgClose[kShown].zOrder(0);

    ImgMin[kShown].setLeft(ImgClose[kShown].left() - ImgMin[kShown].width() - 30);
    ImgMin[kShown].setTop(25);
    ImgMin[kShown].setPicture(ImgMin[kNormal].picture());
    ImgMin[kShown].zOrder(0);

    LbMove.move(290, 0, ImgMin[kShown].left() - 290, ImgClose[kShown].height() + 50);
    lcaption.move(300, 25);
    lcaption.setForeColor(kCaptionInk);
}

namespace {

void PressCaptionButton(forms::ControlArray<forms::Image>& button) {
    button[kShown].setPicture(button[kPressed].picture());
}

void ReleaseCaptionButton(forms::ControlArray<forms::Image>& button) {
    button[kShown].setPicture(button[kHover].picture());
}

// One hover at a time: the first button hovered shows it until the pointer is back over the
// window's surface or the drag bar.
void HoverCaptionButton(MainForm& form, forms::ControlArray<forms::Image>& button) {
    if (!form.m_bCaptionButtonsNormal) return;
    button[kShown].setPicture(button[kHover].picture());
    form.m_bCaptionButtonsNormal = false;
}

void CaptionButtonsToNormal(MainForm& form) {
    if (form.m_bCaptionButtonsNormal) return;
    form.ImgClose[kShown].setPicture(form.ImgClose[kNormal].picture());
    form.ImgMin[kShown].setPicture(form.ImgMin[kNormal].picture());
    form.m_bCaptionButtonsNormal = true;
}

}  // namespace

void MainForm::ImgClose_Click(int Index) {
    if (Index != kShown) return;
    AnNiu_Click(kExitButton);
}

void MainForm::ImgClose_MouseDown(int Index, int, int, float, float) {
    if (Index == kShown) PressCaptionButton(ImgClose);
}

void MainForm::ImgClose_MouseMove(int Index, int, int, float, float) {
    if (Index == kShown) HoverCaptionButton(*this, ImgClose);
}

void MainForm::ImgClose_MouseUp(int Index, int, int, float, float) {
    if (Index == kShown) ReleaseCaptionButton(ImgClose);
}

void MainForm::ImgMin_Click(int Index) {
    if (Index != kShown) return;
    // Only the table goes down; the hall stays as it is.
    setWindowState(forms::WindowState::Minimized);
}

void MainForm::ImgMin_MouseDown(int Index, int, int, float, float) {
    if (Index == kShown) PressCaptionButton(ImgMin);
}

void MainForm::ImgMin_MouseMove(int Index, int, int, float, float) {
    if (Index == kShown) HoverCaptionButton(*this, ImgMin);
}

void MainForm::ImgMin_MouseUp(int Index, int, int, float, float) {
    if (Index == kShown) ReleaseCaptionButton(ImgMin);
}

void MainForm::LbMove_MouseDown(int Button, int, float, float) {
    if (Button != kLeftButton) return;
    chat::HideChatHistory(c);
    chat::HideQuickPhrases(c);
    LbMove.setMousePointer(forms::pointer::SizeAll);
    beginMoveByMouse();
}

void MainForm::LbMove_MouseMove(int, int, float, float) {
    LbMove.setMousePointer(forms::pointer::Arrow);
    CaptionButtonsToNormal(*this);
}

void MainForm::Form_MouseMove(int, int, float, float) {
    CaptionButtonsToNormal(*this);
}

}  // namespace client
