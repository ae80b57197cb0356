#include "client/main_form.h"

#include "client/client.h"
#include "connection/dialog_look.h"
#include "platform/desktop/desktop.h"
#include "resources/design_names.h"
#include "table/table_design.h"
#include "video/video_events.h"

namespace client {

MainForm::MainForm(forms::Forms& forms, Client& client)
    : Form(forms),
      c(client),
      Winsock1(forms.scheduler()),
      P2PSocket1(video::makeP2PSocket(c.sys.videoComponent, [this] { return c.s.custom[0].name; })),
      ziva1(video::makeZiva(c.sys.videoComponent, Pic1, QStringLiteral("ziva1"))),
      vshow1([this](int) {
          return video::makeVShow(c.sys.videoComponent, Pic1, QStringLiteral("vshow1"));
      }) {
    Winsock1.onDataArrival = [this](std::size_t bytesTotal) { Winsock1_DataArrival(bytesTotal); };
    Winsock1.onClose = [this] { Winsock1_Close(); };
    TimerBong.onTimer.bind(this, &MainForm::TimerBong_Timer);
    TimerKeepAlive.onTimer.bind(this, &MainForm::TimerKeepAlive_Timer);
    TimerProxy.onTimer.bind(this, &MainForm::TimerProxy_Timer);
    cardImage0.onMouseMove.bind(this, &MainForm::cardImage0_MouseMove);
    cardImage0.onMouseDown.bind(this, &MainForm::cardImage0_MouseDown);
    Pic1.onMouseDown.bind(this, &MainForm::Pic1_MouseDown);
    Pic2.onMouseDown.bind(this, &MainForm::Pic2_MouseDown);
    Operation.onClick.bind(this, &MainForm::Operation_Click);
    btnJiaofen.onClick.bind(this, &MainForm::btnJiaofen_Click);
    xuan_img.onClick.bind(this, &MainForm::xuan_img_Click);
    TimerShuffle.onTimer.bind(this, &MainForm::TimerShuffle_Timer);
    Timerformer.onTimer.bind(this, &MainForm::Timerformer_Timer);
    // The chat line holds at most 100 characters.
    Chat.setMaxLength(100);
    Chat.onKeyPress.bind(this, &MainForm::Chat_KeyPress);
    Chat.onChange.bind(this, &MainForm::Chat_Change);
    Chat.onGotFocus.bind(this, &MainForm::Chat_GotFocus);
    Chat.onLostFocus.bind(this, &MainForm::Chat_LostFocus);
    TimerChat.onTimer.bind(this, &MainForm::TimerChat_Timer);
    Lbchat.onClick.bind(this, &MainForm::Lbchat_Click);
    imgword1.onClick.bind(this, &MainForm::imgword1_Click);
    imgword2.onClick.bind(this, &MainForm::imgword2_Click);
    TimerProp.onTimer.bind(this, &MainForm::TimerProp_Timer);
    ImgProp.onClick.bind(this, &MainForm::ImgProp_Click);
    Bank.onClick.bind(this, &MainForm::Bank_Click);
    Bank.onMouseMove.bind(this, &MainForm::Bank_MouseMove);
    // The toolbar, the hover pictures, the information card and the keys.
    AnNiu.onClick.bind(this, &MainForm::AnNiu_Click);
    AnNiu.onMouseMove.bind(this, &MainForm::AnNiu_MouseMove);
    Operation.onMouseMove.bind(this, &MainForm::Operation_MouseMove);
    btnJiaofen.onMouseMove.bind(this, &MainForm::btnJiaofen_MouseMove);
    imgword1.onMouseMove.bind(this, &MainForm::imgword1_MouseMove);
    imgword2.onMouseMove.bind(this, &MainForm::imgword2_MouseMove);
    Pic1.onMouseMove.bind(this, &MainForm::Pic1_MouseMove);
    imgLocation.onMouseMove.bind(this, &MainForm::imgLocation_MouseMove);
    Imgwealth.onMouseMove.bind(this, &MainForm::Imgwealth_MouseMove);
    lbwealth.onMouseMove.bind(this, &MainForm::lbwealth_MouseMove);
    Tou.onMouseMove.bind(this, &MainForm::Tou_MouseMove);
    Cash.onMouseMove.bind(this, &MainForm::Cash_MouseMove);
    Level.onMouseMove.bind(this, &MainForm::Level_MouseMove);
    Nid.onMouseMove.bind(this, &MainForm::Nid_MouseMove);
    ImCmd.onClick.bind(this, &MainForm::ImCmd_Click);
    ImCmd.onMouseMove.bind(this, &MainForm::ImCmd_MouseMove);
    PicLocal.onMouseMove.bind(this, &MainForm::PicLocal_MouseMove);
    Chat.onKeyDown.bind(this, &MainForm::Chat_KeyDown);
    Pic1.onKeyDown.bind(this, &MainForm::Pic1_KeyDown);
    Pic2.onKeyDown.bind(this, &MainForm::Pic2_KeyDown);
    Pic3.onKeyDown.bind(this, &MainForm::Pic3_KeyDown);
    Pic4.onKeyDown.bind(this, &MainForm::Pic4_KeyDown);
    Timer_Vshow1.onTimer.bind(this, &MainForm::Timer_Vshow1_Timer);
    Timer_Vshow2.onTimer.bind(this, &MainForm::Timer_Vshow2_Timer);
    Timer_Vshow3.onTimer.bind(this, &MainForm::Timer_Vshow3_Timer);
    Timer_Zoom.onTimer.bind(this, &MainForm::Timer_Zoom_Timer);
    ImgShow.onClick.bind(this, &MainForm::ImgShow_Click);
    Proponeself.onMouseMove.bind(this, &MainForm::Proponeself_MouseMove);
    video::BindVideoEvents(*this);
    // The window's design: a skinned, borderless window whose table pane measures its controls
    // in pixels and carries the table picture; the reduced picture waits in Pic2.
    setBorderless(true);
    Pic1.setScaleMode(forms::ScaleMode::Pixels);
    Pic2.setVisible(false);
    Pic1.setPicture(connection::DesignPicture(resources::design::kTable));
    // The table picture is on screen from the first paint: decoded here, before start-up starts
    // the table tick, so that the first paint does not hold back the tick's first steps.
    Pic1.picture().image();
    Pic2.setPicture(connection::DesignPicture(resources::design::kTableSmall));
    table::DressTableWindow(*this);
}

MainForm::~MainForm() {
    // The desktop must not hand messages to a window that is gone.
    if (hWnd) c.sys.desktop.detachWindow(hWnd);
}

}  // namespace client
