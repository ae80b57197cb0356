// The toolbar's click handler. Only the exit button is here yet: the skinned frame's close
// button reaches it too. The other buttons come with the toolbar.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"

namespace client {

namespace {

constexpr int kExitButton = 8;

}  // namespace

void MainForm::AnNiu_Click(int Index) {
    if (Index != kExitButton) return;
    auto& dialog = *c.frmExit;
    if (dialog.visible()) {
        dialog.hide();
        return;
    }
    dialog.setTopmost(true);
    dialog.move(left() + (width() - dialog.width()) / 2, top() + (height() - dialog.height()) / 2);
    dialog.Label2.setVisible(c.s.g_bGameRunning && !c.s.g_bSpectator);
    dialog.show();
}

}  // namespace client
