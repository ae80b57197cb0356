#pragma once

#include <cstdint>
#include <optional>

#include "anigif/uc_ani_gif.h"
#include "platform/desktop/window_message.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "platform/net/tcp_socket.h"
#include "platform/web/web_browser.h"
#include "state/frame.h"
#include "video/video_component.h"

namespace client {

class Client;

// The table window. Loading it starts the client and unloading it ends the client. Its
// handlers live with the parts of the client they belong to (start-up, the socket events, the
// table tick, the hall link); the table screen lays its controls out.
class MainForm : public forms::Form {
  public:
    MainForm(forms::Forms& forms, Client& client);
    ~MainForm() override;

    Client& c;

    // The table pane and the reduced table picture painted into it on a small screen; Pic3 and
    // Pic4 only take keys.
    forms::PictureBox Pic1{*this, "Pic1"};
    forms::PictureBox Pic2{*this, "Pic2"};
    forms::PictureBox Pic3{*this, "Pic3"};
    forms::PictureBox Pic4{*this, "Pic4"};

    // Seat panels, by relative seat (0 the local player at the bottom, 1 left, 2 opposite,
    // 3 right); members beyond 0 are made at load.
    forms::ControlArray<forms::Image> Tou{Pic1, "Tou"};    // avatar
    forms::ControlArray<forms::Label> Nid{Pic1, "Nid"};    // nickname
    forms::ControlArray<forms::Label> Cash{Pic1, "Cash"};  // gold
    forms::ControlArray<forms::Label> Level{Pic1, "Level"};
    forms::ControlArray<forms::Image> OK{Pic1, "OK"};        // ready mark
    forms::ControlArray<forms::Image> first{Pic1, "first"};  // finishing-place badge
    forms::ControlArray<forms::Image> shou{Pic1, "shou"};    // holder of the marked aces
    forms::ControlArray<forms::Image> Img_bao_shuai{Pic1, "Img_bao_shuai"};
    // Declaration bubbles and their words.
    forms::ControlArray<forms::Image> Speak{Pic1, "Speak", {0, 1, 2, 3}};
    forms::Label Words{Pic1, "Words"};

    // The location banner with its two quick-phrase buttons, and the props bank button.
    forms::Image imgLocation{Pic1, "imgLocation"};
    forms::Label Location{Pic1, "Location"};
    forms::Image imgword1{Pic1, "imgword1"};
    forms::Image imgword2{Pic1, "imgword2"};
    forms::Image Bank{Pic1, "Bank"};

    // Toolbar buttons (by button number).
    forms::ControlArray<forms::Image> AnNiu{Pic1, "AnNiu"};

    // The system message area, its arrows and the chat history button, and the chat line.
    forms::ControlArray<forms::ListBox> Sysmsg{Pic1, "Sysmsg", {0, 1}};
    forms::ControlArray<forms::Image> sc_chat{Pic1, "sc_chat", {0, 1}};
    forms::Label Lbchat{Pic1, "Lbchat"};
    forms::TextBox Chat{Pic1, "Chat"};

    // The turn clock and its digits.
    forms::Image Time_Img{Pic1, "Time_Img"};
    forms::Label Number{Pic1, "Number"};
    // Action buttons: 0 play, 1 hint, 2 pass, 3 hand order, 4 previous trick, 5 reselect.
    forms::ControlArray<forms::Image> Operation{Pic1, "Operation"};
    // Declaration buttons and the option pictures offered during the deal.
    forms::ControlArray<forms::Image> btnJiaofen{Pic1, "btnJiaofen"};
    forms::ControlArray<forms::Image> xuan_img{Pic1, "xuan_img"};
    // The declared multiplier.
    forms::Image imgfanshu{Pic1, "imgfanshu"};
    forms::Label lblfanshu{Pic1, "lblfanshu"};
    // The other seats' hand-back piles (element k shows relative seat k + 1).
    forms::ControlArray<forms::Image> shanImage{Pic1, "shanImage", {0, 1, 2}};
    // Card pictures: the hand row and the local seat's plays, the plays of relative seats 1 to
    // 3 (members beyond 0 made at load).
    forms::ControlArray<forms::Image> cardImage0{Pic1, "cardImage0"};
    forms::ControlArray<forms::Image> cardImage1{Pic1, "cardImage1"};
    forms::ControlArray<forms::Image> cardImage2{Pic1, "cardImage2"};
    forms::ControlArray<forms::Image> cardImage3{Pic1, "cardImage3"};

    // Seat change animation.
    forms::Label LblShuffle{Pic1, "LblShuffle"};
    forms::Image ImgShuffle{Pic1, "ImgShuffle"};
    // The wealth multiplier: its picture and number, and the three labels about it.
    forms::Image Imgwealth{Pic1, "Imgwealth"};
    forms::Label lbwealth{Pic1, "lbwealth"};
    forms::ControlArray<forms::Label> lbfont{Pic1, "lbfont", {0, 1, 2}};

    // The advertising pane over its picture, and the seat-change pane.
    forms::Image Bird{Pic1, "Bird"};
    web::WebBrowser WebBrowser1{Pic1, "WebBrowser1"};
    web::WebBrowser WebBrowser2{Pic1, "WebBrowser2"};
    // The documents the panes show now, through which their context menus are kept shut.
    std::shared_ptr<web::WebDocument> M_Dom_1;
    std::shared_ptr<web::WebDocument> M_Dom2;

    // Props: the card backs (members beyond 0 made at load), the props picture and the
    // floating text.
    forms::ControlArray<forms::Image> imgDipai{Pic1, "imgDipai"};
    forms::ControlArray<forms::Image> ImgProp{Pic1, "ImgProp"};  // treasure chests 0..14
    forms::Label LbProp{Pic1, "LbProp"};

    // Video: the frames of the three remote panes, the four button bars (0 the local one), the
    // buttons that reopen a closed remote pane, and the frame around the camera preview.
    forms::ControlArray<forms::Image> ImgKuang{Pic1, "ImgKuang", {1, 2, 3}};
    forms::ControlArray<forms::PictureBox> PicLocal{Pic1, "PicLocal", {0, 1, 2, 3}};
    // The pane buttons, four on each bar: bar k holds buttons 4k to 4k + 3.
    forms::ControlArray<forms::Image> ImCmd{
        "ImCmd",
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
        [this](int k) -> forms::Container& { return PicLocal[k / 4]; }};
    forms::ControlArray<forms::Image> ImgShow{Pic1, "ImgShow", {1, 2, 3}};
    forms::Label Proponeself{Pic1, "Proponeself"};
    // The tooltip box beside the local pane's buttons (the remote buttons carry their own).
    forms::TextBox Tiplbl{Pic1, "Tiplbl"};

    // The skinned frame: the frame picture, icon, caption, drag bar and the caption buttons
    // (element 0 shows; 1 normal, 2 hover, 3 pressed).
    forms::Image Skin{*this, "Skin"};
    forms::Image ImgIcon{*this, "ImgIcon"};
    forms::Label lcaption{*this, "lcaption"};
    forms::Label LbMove{*this, "LbMove"};
    forms::ControlArray<forms::Image> ImgClose{*this, "ImgClose", {0, 1, 2, 3}};
    forms::ControlArray<forms::Image> ImgMin{*this, "ImgMin", {0, 1, 2, 3}};

    // Table timers: the seat-change captions and the previous trick's 3 s showing.
    forms::Timer TimerShuffle{*this, "TimerShuffle", 300, false};
    forms::Timer Timerformer{*this, "Timerformer", 3000, false};

    // The game connection.
    platform::TcpSocket Winsock1;
    // The table tick and the keep-alive.
    forms::Timer TimerBong{*this, "TimerBong", 50, false};
    forms::Timer TimerKeepAlive{*this, "TimerKeepAlive", 5000, false};
    // The longest wait for each reply of the SOCKS5 hand-shake.
    forms::Timer TimerProxy{*this, "TimerProxy", 30000, false};
    // The chat line's flood gate: Enter closes it for 800 ms.
    forms::Timer TimerChat{*this, "TimerChat", 800, false};
    forms::Timer TimerProp{*this, "TimerProp", 50, false};
    // The animated GIF control the window carries; nothing gives it a GIF.
    anigif::ucAniGIF ucAniGIF1{*this, "ucAniGIF1"};

    // The music box is started with the player's password (kept from the command line).
    QString m_sPassword;
    // The skinned frame's close and minimise buttons both show their normal pictures.
    bool m_bCaptionButtonsNormal = true;
    // The window procedure start-up replaced, given back at shutdown.
    platform::WindowProcedure g_nOldWndProc;
    platform::WindowHandle hWnd;

    // Handlers.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;
    void Winsock1_DataArrival(std::size_t bytesTotal);
    void Winsock1_Close();
    void TimerKeepAlive_Timer();
    void TimerBong_Timer();
    void TimerProxy_Timer();
    void DrawSkinFrame();
    // The skinned frame's caption buttons and drag bar, and the window's own surface.
    void ImgClose_Click(int Index);
    void ImgClose_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ImgClose_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void ImgClose_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void ImgMin_Click(int Index);
    void ImgMin_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ImgMin_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void ImgMin_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void LbMove_MouseDown(int Button, int Shift, float X, float Y);
    void LbMove_MouseMove(int Button, int Shift, float X, float Y);
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    // The web panes' events.
    void WebBrowser1_DownloadComplete();
    void WebBrowser2_DownloadComplete();
    void WebBrowser1_DocumentComplete();
    void WebBrowser2_DocumentComplete();
    void WebBrowser1_NavigateError();
    void WebBrowser2_NavigateError();
    bool M_Dom_1_oncontextmenu();
    bool M_Dom2_oncontextmenu();
    bool Is_File_Exist(const QString& path, const QString& fileName);

    // Start-up, the hall link and the video component's controls.
    // The video component's relay socket and camera (stand-ins while none is installed). Their
    // events reach the handlers below once bound (video::BindVideoEvents).
    std::unique_ptr<video::P2PSocket> P2PSocket1;
    std::unique_ptr<video::Ziva> ziva1;
    // The remote seats' video panes, vshow1(1..3).
    video::VShowArray vshow1;
    // The one-shot redraw timers of remote panes 1..3 and the zoom window's refresh.
    forms::Timer Timer_Vshow1{*this, "Timer_Vshow1", 30, false};
    forms::Timer Timer_Vshow2{*this, "Timer_Vshow2", 30, false};
    forms::Timer Timer_Vshow3{*this, "Timer_Vshow3", 30, false};
    forms::Timer Timer_Zoom{*this, "Timer_Zoom", 100, false};
    // The video exchange (src/video).
    void P2PSocket1_ServerState(std::int16_t code);
    void P2PSocket1_PeerState(std::int16_t slot, std::int16_t state);
    void P2PSocket1_FrameArrival(std::int16_t slot, const QByteArray& data);
    void ziva1_FrameCaptured(const QByteArray& data);
    void ImgShow_Click(int Index);
    void Timer_Vshow1_Timer();
    void Timer_Vshow2_Timer();
    void Timer_Vshow3_Timer();
    void Timer_Zoom_Timer();
    void vshow1_PaneMouseMove(int Index, int Button, int Shift, float X, float Y);
    void Proponeself_MouseMove(int Button, int Shift, float X, float Y);
    void ShowPhotoSavedNotice();
    // Seat and key input that the props plug-in's work items also reach.
    void Tou_Click(int Index);
    void Tou_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Pic1_KeyDown(int& KeyCode, int Shift);

    // The toolbar, hover pictures and tooltips, and the keys. The skinned frame's close button
    // is the exit button (8). The bank button shows its hover picture.
    bool m_bBankHover = false;
    void AnNiu_Click(int Index);
    void AnNiu_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Operation_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void btnJiaofen_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void imgword1_MouseMove(int Button, int Shift, float X, float Y);
    void imgword2_MouseMove(int Button, int Shift, float X, float Y);
    void Pic1_MouseMove(int Button, int Shift, float X, float Y);
    void imgLocation_MouseMove(int Button, int Shift, float X, float Y);
    void Imgwealth_MouseMove(int Button, int Shift, float X, float Y);
    void lbwealth_MouseMove(int Button, int Shift, float X, float Y);
    void Cash_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Level_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Nid_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Chat_KeyDown(int& KeyCode, int Shift);
    void Pic2_KeyDown(int& KeyCode, int Shift);
    void Pic3_KeyDown(int& KeyCode, int Shift);
    void Pic4_KeyDown(int& KeyCode, int Shift);

    // The hand's mouse handling, the action and declaration buttons and the table timers.
    void cardImage0_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void cardImage0_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Pic1_MouseDown(int Button, int Shift, float X, float Y);
    void Pic2_MouseDown(int Button, int Shift, float X, float Y);
    void Operation_Click(int Index);
    void btnJiaofen_Click(int Index);
    void xuan_img_Click(int Index);
    void TimerShuffle_Timer();
    void Timerformer_Timer();
    // The last steps of the turn clock and of the next-hand clock on the scheduler's monotonic
    // milliseconds; none before a clock's first step.
    std::optional<std::int64_t> m_vTurnStepTime;
    std::optional<std::int64_t> m_fReadyStepTime;
    // The chat line, the chat history label and the quick-phrase buttons. A Backspace into the
    // whisper prefix keeps the line as it stood and marks the prefix for removal at the next
    // change.
    QString m_sChatBeforeKey;
    bool m_bDropWhisperPrefix = false;
    void Chat_KeyPress(int& KeyAscii);
    void Chat_Change();
    void Chat_GotFocus();
    void Chat_LostFocus();
    void TimerChat_Timer();
    // Props: the floating text's timer and the chest count-up, a chest clicked, the bank button.
    void TimerProp_Timer();
    void ImgProp_Click(int Index);
    void Bank_Click();
    void Bank_MouseMove(int Button, int Shift, float X, float Y);
    void Lbchat_Click();
    void imgword1_Click();
    void imgword2_Click();
    // The video pane buttons: their actions, their hover pictures and tooltips.
    void ImCmd_Click(int Index);
    void ImCmd_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void PicLocal_MouseMove(int Index, int Button, int Shift, float X, float Y);
};

}  // namespace client
