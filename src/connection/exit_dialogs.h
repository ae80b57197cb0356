#pragma once

#include "client/client_fwd.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"

namespace connection {

using client::Client;
using client::MainForm;

// The exit dialog: asks the player to confirm leaving the table, with a warning while a game
// runs.
class frmExit : public forms::Form {
  public:
    frmExit(forms::Forms& forms, Client& client);

    Client& c;

    forms::Label Label1{*this, "Label1"};
    forms::Label Label2{*this, "Label2"};
    forms::Image pbCloseMe{*this, "pbCloseMe"};
    forms::Image pbCancel{*this, "pbCancel"};

    void pbCloseMe_Click();
    void pbCancel_Click();

  protected:
    void Form_Load() override;
};

// A message that another part of the client has prepared in Label1, with the offer to return
// to the hall (OK) or to stay (Cancel).
class frmOtherExit : public forms::Form {
  public:
    frmOtherExit(forms::Forms& forms, Client& client);

    Client& c;

    forms::Label Label1{*this, "Label1"};
    forms::Image imgOK{*this, "imgOK"};
    forms::Image imgCancel{*this, "imgCancel"};

    void imgOK_Click();
    void imgCancel_Click();

  protected:
    void Form_Load() override;
};

}  // namespace connection
