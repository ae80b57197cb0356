#pragma once

#include <array>
#include <cstdint>

#include "client/client_fwd.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/timer.h"
#include "state/frame.h"

namespace connection {

using client::Client;
using client::MainForm;

// Reconnect attempts at most, one per TimerCount tick.
inline constexpr std::int16_t MaxReconnectAttempts = 21;

// The reconnect window: a hidden controller, loaded when the connection is lost after a
// login. Every 3 seconds it checks the socket and, while it is still down, reconnects with the
// reconnect frame; after the last attempt it gives up and sends the player back to the hall.
class frmReconnect : public forms::Form {
  public:
    frmReconnect(forms::Forms& forms, Client& client);

    Client& c;

    forms::Label lbReconnect{*this, "lbReconnect"};
    forms::Label lbTime{*this, "lbTime"};
    forms::Image pbReconnect{*this, "pbReconnect"};
    forms::Image pbCancel{*this, "pbCancel"};
    forms::Timer TimerReconnect{*this, "TimerReconnect", 1, false};
    forms::Timer TimerCount{*this, "TimerCount", 3000, false};

    void TimerReconnect_Timer();
    void TimerCount_Timer();

  protected:
    void Form_Load() override;

  private:
    void ShowCountdown();
};

// Loads the reconnect window without showing it; it reconnects on its own timers.
void StartReconnection(Client& c);

// The reconnect frame: the login frame with type 28, the server token in bytes 260 and 261
// and threadIndex (least significant byte first) in bytes 268 to 271.
state::Frame BuildReconnectFrame(const state::Frame& loginFrame,
                                 const std::array<std::uint8_t, 2>& serverToken,
                                 std::int32_t threadIndex);

// Builds the reconnect frame from loginFrame (which stays as it is), makes it the frame that
// the next login sends, and opens the connection again.
void reconnectSever(Client& c, const state::Frame& loginFrame);

}  // namespace connection
