#pragma once

#include "client/client_fwd.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"

namespace chat {

// The chat history window: every chat line since the player sat down, one list item per
// (wrapped) line. It floats over the table, translucent, and is only ever hidden, never
// unloaded, until the table window closes.
class Talk : public forms::Form {
  public:
    Talk(forms::Forms& forms, client::Client& client);

    client::Client& c;

    forms::ListBox Text1{*this, "Text1"};
    forms::Label Label1{*this, "Label1"};  // closes the window

  protected:
    void Form_Load() override;

  private:
    void Label1_Click();
    void Text1_KeyDown(int& KeyCode, int Shift);
};

}  // namespace chat
