#include "platform/forms/placement.h"

#include "platform/forms/form.h"

namespace forms {

void centreOver(Form& window, const Form& over) {
    window.move((over.width() - window.width()) / 2 + over.left(),
                (over.height() - window.height()) / 2 + over.top());
}

}  // namespace forms
