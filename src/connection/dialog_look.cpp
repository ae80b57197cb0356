#include "connection/dialog_look.h"

#include <QByteArray>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/units.h"
#include "resources/resource_store.h"

namespace connection {

namespace {
constexpr int DialogOpacity = 200;
}

forms::Picture DesignPicture(const resources::design::DesignPicture& which) {
    const auto data = resources::findDesignPicture(which.name);
    if (!data) return {};
    return forms::Picture::fromEmbedded(QByteArray::fromRawData(
        reinterpret_cast<const char*>(data->data()), qsizetype(data->size())));
}

void DressDialog(forms::Form& dialog, const resources::design::DesignPicture& background) {
    dialog.setBorderless(true);
    dialog.setWidth(forms::pixelsToTwips(float(background.width)));
    dialog.setHeight(forms::pixelsToTwips(float(background.height)));
    dialog.setPicture(DesignPicture(background));
}

void MakeDialogLayered(forms::Form& dialog) {
    dialog.setAlpha(DialogOpacity);
}

void PutDialogButton(Client& c, forms::Image& button, const QString& id, int w, int h) {
    button.setStretch(true);
    button.setWidth(float(w));
    button.setHeight(float(h));
    try {
        ShowResourcePicture(c, IntegerArg(id).toInteger(), button);
    } catch (const platform::RuntimeFailure&) {
        // The button keeps the picture it had.
    }
}

void CentreOverTable(Client& c, forms::Form& dialog) {
    auto& table = *c.MainForm;
    dialog.move((table.width() - dialog.width()) / 2 + table.left(),
                (table.height() - dialog.height()) / 2 + table.top());
}

}  // namespace connection
