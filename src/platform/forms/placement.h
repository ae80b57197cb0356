#pragma once

namespace forms {

class Form;

// Places a window centred over another (the auxiliary windows over the table window):
// Top = (other height - own height) / 2 + other top, Left likewise.
void centreOver(Form& window, const Form& over);

}  // namespace forms
