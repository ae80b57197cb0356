#include "chat/speak_box.h"

#include "client/client.h"

namespace chat {

frmSpeakBox::frmSpeakBox(forms::Forms& forms) : Form(forms) {
    setCaption(QString::fromLatin1(kCaption));
    setBorderless(true);
}

std::vector<forms::Form*> OpenSpeakBoxes(client::Client& c) {
    std::vector<forms::Form*> boxes;
    for (forms::Form* form : c.forms.openForms()) {
        if (form->caption() == QLatin1String(frmSpeakBox::kCaption)) boxes.push_back(form);
    }
    return boxes;
}

bool SetWindowAlpha(forms::Form& window, int alpha) {
    return window.setAlpha(alpha);
}

void SetWindowTopMost(forms::Form& window, bool topmost) {
    window.setTopmost(topmost);
}

}  // namespace chat
