#pragma once

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"

namespace client {
class Client;
}

namespace settlement {

// The score board "战绩板": one hand's settlement sheet. State(0..3) hold the sheet of relative
// seats 0..3 and State(4..7) their final lines once more; above each column the seat's avatar
// (Tou) and nickname (ID). Either Image1 button hides the window, which keeps its contents.
class Score : public forms::Form {
  public:
    Score(forms::Forms& forms, client::Client& client);

    client::Client& c;

    forms::ControlArray<forms::Image> Tou{*this, "Tou", {0, 1, 2, 3}};
    forms::ControlArray<forms::Label> ID{*this, "ID", {0, 1, 2, 3}};
    forms::ControlArray<forms::ListBox> State{*this, "State", {0, 1, 2, 3, 4, 5, 6, 7}};
    forms::ControlArray<forms::Image> Image1{*this, "Image1", {0, 1}};

    void Image1_Click(int Index);

  protected:
    void Form_Load() override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
};

}  // namespace settlement
