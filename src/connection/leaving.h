#pragma once

namespace connection {

class Client;

// Sends the leave frame while connected, stops the tick and the keep-alive.
void QuitTable(Client& c);
// Closes the connection, clears the table and minimises the table window.
void ResetTableState(Client& c);

}  // namespace connection
