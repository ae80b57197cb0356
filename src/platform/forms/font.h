#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

namespace forms {

// A control's font as the toolkit keeps it: the name asked for (the original's designs name
// "宋体"), the size in points and the bold flag.
struct FontSpec {
    QString name = QStringLiteral("宋体");
    float size = 9.0f;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

// Reads the system's font configuration now, once per process. Safe on any thread and before
// the GUI application exists; whatever draws text first reads it otherwise.
void PrepareFontConfiguration();

// The family that draws a font name here: the name itself when installed, else the CJK font
// that stands in for the original's Chinese fonts.
QString resolveFontFamily(const QString& name);

// The font to draw with, sized in pixels at the original's 96 dots per inch.
QFont toQFont(const FontSpec& font);

// The size a one-line (or CR LF separated) text takes in pixels. Uses the real font when a GUI
// application exists, else an estimate from the text's display width, so the model works
// without one.
QSizeF measureText(const QString& text, const FontSpec& font);

// The height of one line of a list box in pixels.
float lineHeight(const FontSpec& font);

}  // namespace forms
