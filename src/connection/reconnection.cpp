#include "connection/reconnection.h"

#include "connection/client.h"

namespace connection {

void StartReconnection(Client& c) { (void)c; }

}  // namespace connection
