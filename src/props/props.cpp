#include "props/props.h"

#include "client/client.h"
#include "client/main_form.h"
#include "props/prop_dll.h"

namespace props {

bool InitGameDll(client::Client& c) {
    if (c.g_oPropDll || c.s.g_nPropState != 0 || !c.s.g_bLoggedIn) return c.s.g_nPropState > 0;
    c.s.g_nPropState = -1;
    return false;
}

void ExitGameDll(client::Client& c, std::int16_t& code) {
    if (c.s.g_nPropState < 1) return;
    if (c.g_oPropDll) c.g_oPropDll->InitExit(code);
    c.s.g_nPropState = 0;
    c.s.g_bPropRunning = false;
    c.s.g_bBaoChoosing = false;
    auto& form = *c.MainForm;
    form.LbProp.setCaption({});
    form.LbProp.setVisible(false);
}

// The chat history, the floating text and the treasure chests come with the props subsystem;
// nothing reaches them while the plug-in cannot be loaded.
void AddPropChatLine(client::Client&, const QString&) {}

void ShowPropText(client::Client&, const QString&, const std::vector<std::int32_t>&,
                  const std::vector<std::int32_t>&) {}

void PlayBaoXiang(client::Client&) {}

void ResetPropShow(client::Client& c) {
    auto& form = *c.MainForm;
    if (form.ImgProp.visible() || form.ImgProp.enabled()) {
        form.ImgProp.setVisible(false);
        form.ImgProp.setEnabled(false);
    }
    if (form.LbProp.visible()) {
        form.LbProp.setCaption({});
        form.LbProp.setVisible(false);
    }
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(true);
    c.s.g_aScoreLines = {};
    c.s.g_aPrizeAmount = {};
}

void OpenBaoXiang(client::Client&, std::int16_t&) {}

}  // namespace props
