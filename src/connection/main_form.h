#pragma once

#include <cstdint>

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
#include "state/frame.h"
#include "video/video_component.h"

namespace connection {

class Client;

// The table window. Loading it starts the client and unloading it ends the client. Its
// handlers live with the parts of the client they belong to (start-up, the socket events, the
// table tick, the hall link); the table screen lays its controls out.
class MainForm : public forms::Form {
  public:
    MainForm(forms::Forms& forms, Client& client);
    ~MainForm() override;

    Client& c;

    // The table pane and the reduced table picture painted into it on a small screen.
    forms::PictureBox Pic1{*this, "Pic1"};
    forms::PictureBox Pic2{*this, "Pic2"};
    // The two one-line system-message lists.
    forms::ControlArray<forms::ListBox> Sysmsg{Pic1, "Sysmsg", {0, 1}};
    forms::Label Location{Pic1, "Location"};
    // Toolbar buttons (by button number) and the chat line.
    forms::ControlArray<forms::Image> AnNiu{Pic1, "AnNiu", {0, 1, 2, 3, 4, 5, 6, 7, 8}};
    forms::TextBox Chat{Pic1, "Chat"};
    // The turn clock and its digits.
    forms::Image Time_Img{Pic1, "Time_Img"};
    forms::Label Number{Pic1, "Number"};
    // Seat change animation.
    forms::Label LblShuffle{Pic1, "LblShuffle"};
    forms::Image ImgShuffle{Pic1, "ImgShuffle"};
    forms::Timer TimerShuffle{*this, "TimerShuffle", 300, false};
    // Declaration bubbles and their words.
    forms::ControlArray<forms::Image> Speak{Pic1, "Speak", {0, 1, 2, 3}};
    forms::Label Words{Pic1, "Words"};
    // The advertising and seat-change web panes (their browser comes with the table screen).
    forms::PictureBox WebBrowser1{Pic1, "WebBrowser1"};
    forms::PictureBox WebBrowser2{Pic1, "WebBrowser2"};
    // Props: the chest cards and the floating text.
    forms::ControlArray<forms::Image> imgDipai{Pic1, "imgDipai", {0, 1, 2}};
    forms::Label LbProp{Pic1, "LbProp"};
    // Card pictures: the hand row and the local seat's plays, the plays of relative seats 1 to
    // 3, and the cards offered or declared during the deal (members beyond 0 made at load).
    forms::ControlArray<forms::Image> cardImage0{Pic1, "cardImage0"};
    forms::ControlArray<forms::Image> cardImage1{Pic1, "cardImage1"};
    forms::ControlArray<forms::Image> cardImage2{Pic1, "cardImage2"};
    forms::ControlArray<forms::Image> cardImage3{Pic1, "cardImage3"};
    forms::ControlArray<forms::Image> xuan_img{Pic1, "xuan_img"};

    // The game connection.
    platform::TcpSocket Winsock1;
    // The table tick and the keep-alive.
    forms::Timer TimerBong{*this, "TimerBong", 50, false};
    forms::Timer TimerKeepAlive{*this, "TimerKeepAlive", 5000, false};
    // The longest wait for each reply of the SOCKS5 hand-shake.
    forms::Timer TimerProxy{*this, "TimerProxy", 30000, false};
    // The animated GIF control the window carries; nothing gives it a GIF.
    anigif::ucAniGIF ucAniGIF1{*this, "ucAniGIF1"};

    // The music box is started with the player's password (kept from the command line).
    QString m_sPassword;
    // The skinned frame's close and minimise buttons show their normal pictures.
    bool m_bCloseNormal = true;
    bool m_bMinNormal = true;
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
    bool Is_File_Exist(const QString& path, const QString& fileName);

    // Start-up, the hall link and the video component's controls.
    // The video component's relay socket and camera (stand-ins while none is installed).
    std::unique_ptr<video::P2PSocket> P2PSocket1 = video::makeNoComponentP2PSocket();
    std::unique_ptr<video::Ziva> ziva1 = video::makeNoComponentZiva();
    // Seat and key input that the props plug-in's work items also reach.
    void Tou_Click(int Index);
    void Tou_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Pic1_KeyDown(int& KeyCode, int Shift);
};

}  // namespace connection
