#include "settlement/leave_reset.h"

namespace settlement {

void ClearScoreBoardsOnLeave(connection::Client&) {}

}  // namespace settlement
