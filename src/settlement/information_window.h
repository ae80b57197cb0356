#pragma once

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"

namespace client {
class Client;
}

namespace settlement {

// The player information card: nine captions (Label1..Label9) and beside them the values
// Inf(0..8) of the player under the mouse, which the table's hover handlers fill and place.
class Information : public forms::Form {
  public:
    Information(forms::Forms& forms, client::Client& client);

    client::Client& c;

    forms::Label Label1{*this, "Label1"};
    forms::Label Label2{*this, "Label2"};
    forms::Label Label3{*this, "Label3"};
    forms::Label Label4{*this, "Label4"};
    forms::Label Label5{*this, "Label5"};
    forms::Label Label6{*this, "Label6"};
    forms::Label Label7{*this, "Label7"};
    forms::Label Label8{*this, "Label8"};
    forms::Label Label9{*this, "Label9"};
    forms::ControlArray<forms::Label> Inf{*this, "Inf", {0, 1, 2, 3, 4, 5, 6, 7, 8}};

  protected:
    void Form_Load() override;
};

}  // namespace settlement
