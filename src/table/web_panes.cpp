// The web panes' own events: a pane shows its page once the page is complete, hides for good
// when a navigation fails, and never opens a context menu.
#include "table/web_panes.h"

#include "client/client.h"
#include "client/main_form.h"
#include "table/table_design.h"

namespace table {

void DressWebPanes(client::MainForm& form) {
    using client::MainForm;
    form.WebBrowser1.onDownloadComplete.bind(&form, &MainForm::WebBrowser1_DownloadComplete);
    form.WebBrowser2.onDownloadComplete.bind(&form, &MainForm::WebBrowser2_DownloadComplete);
    form.WebBrowser1.onDocumentComplete.bind(&form, &MainForm::WebBrowser1_DocumentComplete);
    form.WebBrowser2.onDocumentComplete.bind(&form, &MainForm::WebBrowser2_DocumentComplete);
    form.WebBrowser1.onNavigateError.bind(&form, &MainForm::WebBrowser1_NavigateError);
    form.WebBrowser2.onNavigateError.bind(&form, &MainForm::WebBrowser2_NavigateError);
}

void ShowSeatChangePane(client::Client& c) {
    auto& pane = c.MainForm->WebBrowser2;
    pane.navigate(c.s.g_sShuffleAdUrl);
    pane.zOrder(0);
    pane.setVisible(true);
}

}  // namespace table

namespace client {

// Every download re-hooks the document shown now, so pages reached by links keep the menu shut.
void MainForm::WebBrowser1_DownloadComplete() {
    M_Dom_1 = WebBrowser1.document();
    if (M_Dom_1) M_Dom_1->oncontextmenu = [this] { return M_Dom_1_oncontextmenu(); };
}

void MainForm::WebBrowser2_DownloadComplete() {
    M_Dom2 = WebBrowser2.document();
    if (M_Dom2) M_Dom2->oncontextmenu = [this] { return M_Dom2_oncontextmenu(); };
}

bool MainForm::M_Dom_1_oncontextmenu() {
    return false;
}

bool MainForm::M_Dom2_oncontextmenu() {
    return false;
}

void MainForm::WebBrowser1_DocumentComplete() {
    if (c.s.g_vWeb1Failed) return;
    WebBrowser1.setTop(Bird.top() + 2);
    WebBrowser1.setLeft(Bird.left() + 2);
    WebBrowser1.setVisible(true);
    WebBrowser1.zOrder(0);
}

void MainForm::WebBrowser2_DocumentComplete() {
    if (c.s.g_bWeb2Failed) {
        WebBrowser2.setVisible(false);
        return;
    }
    WebBrowser2.zOrder(0);
    WebBrowser2.setVisible(true);
}

void MainForm::WebBrowser1_NavigateError() {
    WebBrowser1.setVisible(false);
    c.s.g_vWeb1Failed = true;
}

void MainForm::WebBrowser2_NavigateError() {
    WebBrowser2.setVisible(false);
    c.s.g_bWeb2Failed = true;
}

}  // namespace client
