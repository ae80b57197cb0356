// The table's seat and key input as the props plug-in's work items reach it. The information
// card and the function keys come with the table screen; the avatar click (a whisper) is the
// chat's.
#include "client/client.h"
#include "client/main_form.h"

namespace client {
using namespace connection;

void MainForm::Tou_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Index;
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
}

void MainForm::Pic1_KeyDown(int& KeyCode, int Shift) {
    (void)KeyCode;
    (void)Shift;
}

}  // namespace client
