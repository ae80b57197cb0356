#include "cards/display/chu_pai.h"

#include "client/client.h"
#include "connection/dialog_look.h"
#include "platform/forms/input.h"
#include "platform/forms/units.h"
#include "resources/design_names.h"

namespace cards {

ChuPai::ChuPai(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("出牌非法"));
    setBorderless(true);
    setPicture(connection::DesignPicture(resources::design::kIllegalPlay));
    // The client area is a pixel smaller than the picture each way: its last row and column
    // are never seen.
    setWidth(forms::pixelsToTwips(178));
    setHeight(forms::pixelsToTwips(63));
    setScaleMode(forms::ScaleMode::Pixels);
    Label2.move(24, 24, 139, 27);
    Label2.setTransparent(true);
    Label2.setFontSize(13.5f);
    Label2.setFontBold(true);
    Label1.move(136, 0, 41, 17);
    Label1.setTransparent(true);
    Label1.setMousePointer(forms::pointer::Custom);
    Label1.onClick.bind(this, &ChuPai::Label1_Click);
}

void ChuPai::Form_Load() {
    show();
    setTopmost(true);
    connection::CentreOverTable(c, *this);
    Label2.setCaption(QStringLiteral("不符合规则！"));
    Label2.zOrder(0);
    Label1.zOrder(0);
}

void ChuPai::Label1_Click() {
    hide();
}

void ShowIllegalPlayNotice(client::Client& c) {
    c.ChuPai->show();
}

void HideIllegalPlayNotice(client::Client& c) {
    if (ChuPai* notice = c.ChuPai.ifLoaded(); notice && notice->visible()) notice->hide();
}

}  // namespace cards
