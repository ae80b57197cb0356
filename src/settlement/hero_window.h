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

// The history window "英雄榜": one line per hand settled at this table (Num, the hand number)
// and, per relative seat, that hand's result (Grade) and the running total (sunScore). The five
// lists move in step; a double click opens the hand in the score board. Either Image1 button
// hides the window.
class Hero : public forms::Form {
  public:
    Hero(forms::Forms& forms, client::Client& client);

    client::Client& c;

    forms::ControlArray<forms::Image> Tou{*this, "Tou", {0, 1, 2, 3}};
    forms::ControlArray<forms::Label> ID{*this, "ID", {0, 1, 2, 3}};
    forms::Label Label1{*this, "Label1"};
    forms::ListBox Num{*this, "Num"};
    forms::ControlArray<forms::ListBox> Grade{*this, "Grade", {0, 1, 2, 3}};
    forms::Label Label2{*this, "Label2"};
    forms::ControlArray<forms::Label> sunScore{*this, "sunScore", {0, 1, 2, 3}};
    forms::ControlArray<forms::Image> Image1{*this, "Image1", {0, 1}};

    void Image1_Click(int Index);
    void Num_Click();
    void Num_DblClick();
    void Grade_Click(int Index);
    void Grade_DblClick(int Index);

  protected:
    void Form_Load() override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
};

}  // namespace settlement
