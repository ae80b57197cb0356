#include "table/leave_reset.h"

#include "client/client.h"
#include "client/main_form.h"

namespace table {

void ClearSeatPanelsOnLeave(client::Client& c) {
    auto& form = *c.MainForm;
    for (int i = 0; i < 4; ++i) {
        form.Tou[i].setPicture({});
        form.Nid[i].setCaption({});
        form.Cash[i].setCaption({});
        form.Level[i].setCaption({});
    }
    for (int i = 0; i < 4; ++i) {
        form.Speak[i].setVisible(false);
        form.OK[i].setVisible(false);
    }
    for (int k = 0; k <= 3; ++k) form.btnJiaofen[k].setVisible(false);
}

void ClearWealthOnLeave(client::Client& c) {
    auto& form = *c.MainForm;
    form.lbwealth.setCaption(QStringLiteral("0"));
    form.lbwealth.setVisible(false);
    form.Imgwealth.setVisible(false);
}

}  // namespace table
