// The two-row system message area under the table.
#include "client/client.h"
#include "client/main_form.h"
#include "table/table_layout.h"

namespace table {

void AddSystemMessage(client::Client& c, const QString& line) {
    auto& form = *c.MainForm;
    auto& row0 = form.Sysmsg[0];
    auto& row1 = form.Sysmsg[1];
    if (row1.listCount() > 0) {
        const QString moved = row1.list(0);
        row0.clear();
        row0.addItem(moved);
        row1.clear();
        row1.addItem(line);
    } else if (row0.listCount() > 0) {
        row1.clear();
        row1.addItem(line);
    } else {
        row0.clear();
        row0.addItem(line);
    }
}

}  // namespace table
