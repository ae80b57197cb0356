#include "table/table_dialogs.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/exit_dialogs.h"

namespace table {

namespace {

constexpr std::int16_t kBankDialogOpens = 2;

props::PropDll* LoadedPlugin(client::Client& c) {
    return c.s.g_nPropState > 0 ? c.g_oPropDll.get() : nullptr;
}

}  // namespace

void CentreOverTable(client::Client& c, forms::Form& window) {
    const client::MainForm& table = *c.MainForm;
    window.setTop((table.height() - window.height()) / 2 + table.top());
    window.setLeft((table.width() - window.width()) / 2 + table.left());
}

void ToggleExitDialog(client::Client& c, bool topmost) {
    auto& dialog = *c.frmExit;
    if (dialog.visible()) {
        dialog.hide();
        return;
    }
    if (topmost) dialog.setTopmost(true);
    CentreOverTable(c, dialog);
    dialog.Label2.setVisible(c.s.g_bGameRunning && !c.s.g_bSpectator);
    dialog.show();
}

void TellBankDialogOpens(client::Client& c) {
    if (auto* plugin = LoadedPlugin(c)) plugin->setbankstate(kBankDialogOpens);
}

void ForwardKeyToPlugin(client::Client& c, std::int16_t keyCode) {
    if (auto* plugin = LoadedPlugin(c)) plugin->SetKeyDown(keyCode);
}

}  // namespace table
