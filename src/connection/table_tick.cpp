// The table tick: the 50 ms heartbeat that pumps frames and runs the table's clocks.
#include "connection/client.h"
#include "connection/main_form.h"

namespace connection {

void MainForm::TimerBong_Timer() {}

}  // namespace connection
