// The exit dialog and the message dialog that offers the way back to the hall.
#include "connection/exit_dialogs.h"

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "connection/leaving.h"
#include "table/table_layout.h"

namespace connection {

namespace {

constexpr forms::OleColor LightYellow = 0x80FFFF;  // 0x00BBGGRR

void PlaceTransparentLabel(forms::Label& label, float top, float height) {
    label.setTransparent(true);
    label.setAlignment(forms::Alignment::Center);
    label.move(10, top, 260, height);
}

}  // namespace

frmExit::frmExit(forms::Forms& forms, Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("退出"));
    DressDialog(*this, resources::design::kExitDialog);
    setScaleMode(forms::ScaleMode::Pixels);
    Label1.setCaption(QStringLiteral("您真的要退出吗？"));
    Label1.setFontSize(11);
    Label1.setFontBold(true);
    Label1.setForeColor(forms::kWhite);
    PlaceTransparentLabel(Label1, 38, 22);
    Label2.setCaption(QStringLiteral("游戏正在进行，逃跑会扣分！"));
    Label2.setForeColor(LightYellow);
    PlaceTransparentLabel(Label2, 66, 18);
    pbCloseMe.move(60, 100);
    pbCancel.move(155, 100);
    pbCloseMe.onClick.bind(this, &frmExit::pbCloseMe_Click);
    pbCancel.onClick.bind(this, &frmExit::pbCancel_Click);
}

void frmExit::Form_Load() {
    MakeDialogLayered(*this);
    PutDialogButton(c, pbCloseMe, c.ids.g_aIdDialog[0], 65, 30);
    PutDialogButton(c, pbCancel, c.ids.g_aIdDialog[2], 65, 30);
    Label2.setVisible(c.s.g_bGameRunning && !c.s.g_bSpectator);
}

void frmExit::pbCancel_Click() {
    unload();
}

void frmExit::pbCloseMe_Click() {
    auto& s = c.s;
    s.g_bGameRunning = false;
    QuitTable(c);
    if (c.MainForm->Winsock1.state() == platform::SocketState::Connected) {
        s.channels.disarm(state::ChannelDisconnect);
    }
    s.Inited = false;
    ResetTableState(c);
    table::ResetPlayersOnLeave(c);
    table::ResetTableForNewHand(c);
    ReturnToHall(c);
    chat::UnloadQuickPhrasesIfShowing(c);
    unload();
}

frmOtherExit::frmOtherExit(forms::Forms& forms, Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("退出"));
    DressDialog(*this, resources::design::kOtherExitDialog);
    setScaleMode(forms::ScaleMode::Pixels);
    Label1.setForeColor(forms::kWhite);
    Label1.setFontSize(10);
    PlaceTransparentLabel(Label1, 36, 44);
    imgOK.setPicture(DesignPicture(resources::design::kOtherExitOk));
    imgCancel.setPicture(DesignPicture(resources::design::kOtherExitCancel));
    imgOK.move(55, 100);
    imgCancel.move(155, 100);
    imgOK.onClick.bind(this, &frmOtherExit::imgOK_Click);
    imgCancel.onClick.bind(this, &frmOtherExit::imgCancel_Click);
}

void frmOtherExit::Form_Load() {
    MakeDialogLayered(*this);
    for (forms::Image* button : {&imgOK, &imgCancel}) {
        button->setStretch(true);
        button->setWidth(70);
        button->setHeight(30);
    }
}

void frmOtherExit::imgOK_Click() {
    c.s.Inited = false;
    ResetTableState(c);
    table::ResetPlayersOnLeave(c);
    table::ResetTableForNewHand(c);
    unload();
    ReturnToHall(c);
}

void frmOtherExit::imgCancel_Click() {
    c.s.g_bTableClosed = true;
    unload();
}

}  // namespace connection
