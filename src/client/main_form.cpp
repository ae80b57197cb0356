#include "client/main_form.h"

#include "client/client.h"
#include "connection/dialog_look.h"
#include "platform/desktop/desktop.h"
#include "resources/design_names.h"
#include "table/table_design.h"

namespace client {

MainForm::MainForm(forms::Forms& forms, Client& client)
    : Form(forms), c(client), Winsock1(forms.scheduler()) {
    Winsock1.onDataArrival = [this](std::size_t bytesTotal) { Winsock1_DataArrival(bytesTotal); };
    Winsock1.onClose = [this] { Winsock1_Close(); };
    TimerBong.onTimer.bind(this, &MainForm::TimerBong_Timer);
    TimerKeepAlive.onTimer.bind(this, &MainForm::TimerKeepAlive_Timer);
    TimerProxy.onTimer.bind(this, &MainForm::TimerProxy_Timer);
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
