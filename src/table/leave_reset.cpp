#include "table/leave_reset.h"

#include "connection/client.h"
#include "connection/main_form.h"

namespace table {

void ClearSeatPanelsOnLeave(connection::Client& c) {
    auto& form = *c.MainForm;
    for (int i = 0; i < 4; ++i) form.Speak[i].setVisible(false);
}

}  // namespace table
