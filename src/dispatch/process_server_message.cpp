#include "dispatch/process_server_message.h"

#include "connection/client.h"

namespace dispatch {

void ProcessServerMessage(connection::Client& c, state::Frame& message) {
    // The handlers of the server's frame types come with the dispatcher; until then a frame
    // handed over is taken and dropped.
    (void)c;
    (void)message;
}

}  // namespace dispatch
