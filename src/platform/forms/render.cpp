#include "platform/forms/render.h"

#include <memory>

#include "platform/forms/form.h"
#include "platform/forms/form_view.h"

namespace forms {

QImage renderWindow(Form& form) {
    if (auto* view = dynamic_cast<FormView*>(form.view())) return view->grab().toImage();
    FormView offscreen(form, /*followVisibility=*/false);
    return offscreen.grab().toImage();
}

bool saveWindowPng(Form& form, const QString& path) {
    return renderWindow(form).save(path, "PNG");
}

}  // namespace forms
