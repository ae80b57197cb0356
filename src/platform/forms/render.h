#pragma once

#include <QImage>
#include <QString>

namespace forms {

class Form;

// Draws a window as its view shows it (needs a QApplication; works offscreen), whether or not
// it is shown. Uses the window's own view when it has one.
QImage renderWindow(Form& form);
// The same, saved as a PNG file; false when the file cannot be written.
bool saveWindowPng(Form& form, const QString& path);

}  // namespace forms
