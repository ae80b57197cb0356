#pragma once

#include <QString>

#include "client/client_fwd.h"
#include "platform/forms/picture.h"
#include "resources/design_names.h"

namespace forms {
class Form;
class Image;
}  // namespace forms

namespace connection {

using client::Client;
using client::MainForm;

// A design picture of the windows; empty when it is missing.
forms::Picture DesignPicture(const resources::design::DesignPicture& which);

// The table's dialogs are borderless picture dialogs: the background picture sets their size.
void DressDialog(forms::Form& dialog, const resources::design::DesignPicture& background);

// The dialogs are layered with a constant opacity of 200 of 255 where the system draws layered
// windows, as every desktop this client runs on does.
void MakeDialogLayered(forms::Form& dialog);

// A picture button of a dialog: sized w x h (in its dialog's pixels) and given resource picture
// `id` (a picture-id table entry) by way of its temporary file. A picture that cannot be had
// leaves the button's design look.
void PutDialogButton(Client& c, forms::Image& button, const QString& id, int w, int h);

// Auxiliary windows sit centred over the table window.
void CentreOverTable(Client& c, forms::Form& dialog);

}  // namespace connection
