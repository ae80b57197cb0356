#pragma once

#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/timer.h"

namespace client {
class Client;
}

namespace chat {

// The speech-bubble window, one instance per seat; the table finds them by their caption.
class frmSpeakBox : public forms::Form {
  public:
    static constexpr const char* kCaption = "speakbox";

    explicit frmSpeakBox(forms::Forms& forms);

    forms::Timer tmrFadeIn{*this, "tmrFadeIn", 0, false};
};

// Every open speech-bubble window (every open window captioned "speakbox").
std::vector<forms::Form*> OpenSpeakBoxes(client::Client& c);

// Makes the window layered with the whole-window transparency alpha (0..255); false otherwise.
bool SetWindowAlpha(forms::Form& window, int alpha);
// Places the window topmost or not, without moving or sizing it.
void SetWindowTopMost(forms::Form& window, bool topmost);

}  // namespace chat
