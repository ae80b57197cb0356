#include "settlement/leave_reset.h"

namespace settlement {

void ClearScoreBoardsOnLeave(client::Client&) {}

}  // namespace settlement
