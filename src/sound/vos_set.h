#pragma once

#include <array>

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"

namespace client {
class Client;
}

namespace sound {

// The sound settings window: four on/off options that take effect the moment they are pressed.
// OK keeps them; Cancel turns back every option pressed an odd number of times since the window
// was loaded or last closed.
class VosSet : public forms::Form {
  public:
    // The options, by button index.
    enum Option { OptionMusic = 0, OptionEffects = 1, OptionSound = 2, OptionBackground = 3 };
    // Command1's buttons.
    enum Closing { ClosingOk = 0, ClosingCancel = 1 };

    VosSet(forms::Forms& forms, client::Client& client);

    client::Client& c;

    // The option labels, the option buttons (elements 1 to 3 made at load), OK and Cancel.
    forms::ControlArray<forms::Image> Image1{*this, "Image1", {0, 1, 2, 3}};
    forms::ControlArray<forms::Image> Command2{*this, "Command2"};
    forms::ControlArray<forms::Image> Command1{*this, "Command1", {0, 1}};

    void Command2_Click(int Index);
    void Command1_Click(int Index);

    // Set for an option pressed an odd number of times since the load or the last OK or Cancel.
    std::array<bool, 4> m_bPending{};

  protected:
    void Form_Load() override;

  private:
    // Flips the option's switch with everything that goes with it, and shows the new value.
    void ToggleOption(int Index);
    void ShowOptionValue(int Index);
};

}  // namespace sound
