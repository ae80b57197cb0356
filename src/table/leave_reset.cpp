#include "table/leave_reset.h"

#include "client/client.h"
#include "client/main_form.h"

namespace table {

void ClearSeatPanelsOnLeave(client::Client& c) {
    auto& form = *c.MainForm;
    for (int i = 0; i < 4; ++i) form.Speak[i].setVisible(false);
}

}  // namespace table
