#pragma once

#include "platform/forms/form.h"
#include "platform/forms/label.h"

namespace client {
class Client;
}

namespace cards {

// The illegal-play notice: a small borderless window over the table, above every other window,
// whose picture draws its frame with a minimise and a close button; a click on the drawn buttons
// hides it. Once made it is only shown and hidden, keeping the place its load gave it.
class ChuPai : public forms::Form {
  public:
    ChuPai(forms::Forms& forms, client::Client& client);

    client::Client& c;

    // The text, and the transparent label over the two drawn buttons.
    forms::Label Label2{*this, "Label2"};
    forms::Label Label1{*this, "Label1"};

    void Label1_Click();

  protected:
    void Form_Load() override;
};

// Shows the notice (making it first when it does not exist).
void ShowIllegalPlayNotice(client::Client& c);
// Hides the notice when it shows; a notice that does not exist is not made for it.
void HideIllegalPlayNotice(client::Client& c);

}  // namespace cards
