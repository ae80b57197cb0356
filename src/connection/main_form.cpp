#include "connection/main_form.h"

#include "connection/client.h"

namespace connection {

MainForm::MainForm(forms::Forms& forms, Client& client)
    : Form(forms), c(client), Winsock1(forms.scheduler()) {
    Winsock1.onDataArrival = [this](std::size_t bytesTotal) { Winsock1_DataArrival(bytesTotal); };
    Winsock1.onClose = [this] { Winsock1_Close(); };
    TimerBong.onTimer.bind(this, &MainForm::TimerBong_Timer);
    TimerKeepAlive.onTimer.bind(this, &MainForm::TimerKeepAlive_Timer);
}

MainForm::~MainForm() = default;

}  // namespace connection
