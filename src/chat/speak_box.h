#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "client/client_fwd.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"

namespace chat {

// The speech-bubble window, one instance per seat, made the first time the seat speaks a quick
// phrase and kept until the table window closes. The table finds every bubble by the caption,
// the chat finds a seat's bubble by its tag: the seat's digit and "speak" (e.g. "2speak").
class frmSpeakBox : public forms::Form {
  public:
    static constexpr const char* kCaption = "speakbox";

    frmSpeakBox(forms::Forms& forms, client::Client& client);

    client::Client& c;

    // The bubble pictures, one per seat (4 is never used); the top-left pixel's colour is the
    // see-through colour.
    forms::ControlArray<forms::Image> imgSpeakBox{*this, "imgSpeakBox", {0, 1, 2, 3, 4}};
    // Holds the picture only while the window is being shaped.
    forms::PictureBox picSplash{*this, "picSplash"};
    forms::Label labPhrase{*this, "labPhrase"};
    // Ticks as fast as the timers allow.
    forms::Timer tmrFadeIn{*this, "tmrFadeIn", 1, false};

    // Places the bubble by its seat and fades the phrase in, holds it and fades it out; a new
    // phrase during a fade starts it again from the beginning.
    void showMe(std::int16_t seat, const QString& phrase, std::int16_t perc, std::int16_t fadeIn,
                std::int16_t fadeOut, std::int16_t showTime);

    // Set by showMe: the fade counter (in fade-in units), the target opacity (then the opacity
    // while fading out), the steps, the hold and the seat.
    std::int16_t m_nCounter = 0;
    std::int16_t m_nPerc = 0;
    std::int16_t m_nFadeIn = 0;
    std::int16_t m_nFadeOut = 0;
    std::int16_t m_nShowTime = 0;
    std::int16_t m_nSeat = 0;

  private:
    void tmrFadeIn_Timer();
};

// The tag of a seat's bubble.
QString SpeakBoxTag(int seat);
// Every open speech-bubble window (every open window captioned "speakbox").
std::vector<forms::Form*> OpenSpeakBoxes(client::Client& c);
// The first open window tagged as the seat's bubble, or nullptr.
frmSpeakBox* FindSpeakBox(client::Client& c, int seat);

// Makes, shapes and places the bubble window of a seat unless one exists. Failing steps are
// skipped (a missing picture leaves the window unshaped).
void InitSpeakBox(client::Client& c, std::int16_t seat);
// Shapes a new bubble window to the seat's picture: everything that is not the see-through
// colour (transColor when 1 or more, else the colour of the window's top-left pixel). False,
// with the window untouched, when a bubble of that seat is already open.
bool MakeSpeakBoxShape(frmSpeakBox& form, std::int16_t seat, std::int32_t transColor);

// Makes the window layered with the whole-window opacity alpha (0..255); false, and nothing
// applied, for another value.
bool SetWindowAlpha(forms::Form& window, int alpha);
// Puts the window into the topmost band or takes it out, without moving or sizing it.
void SetWindowTopMost(forms::Form& window, bool topmost);

}  // namespace chat
