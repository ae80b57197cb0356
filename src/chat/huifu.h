#pragma once

#include "client/client_fwd.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"

namespace chat {

// The quick-phrase window: two lists of ready-made lines from the quick-phrase file, one shown
// at a time in the same place; a double click sends the entry. Loading it (also by reading the
// lists without showing it) reads the file.
class huifu : public forms::Form {
  public:
    huifu(forms::Forms& forms, client::Client& client);

    client::Client& c;

    forms::ListBox List1{*this, "List1"};
    forms::ListBox List2{*this, "List2"};
    forms::Label Label1{*this, "Label1"};  // closes the window

  protected:
    void Form_Load() override;

  private:
    void List1_DblClick();
    void List2_DblClick();
    void Label1_Click();
};

}  // namespace chat
