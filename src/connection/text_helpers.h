#pragma once

#include <QString>
#include <QStringList>

namespace connection {

// True when the character takes one column (a single byte in GBK).
bool IsSingleByteChar(QChar ch);

// Trim of the original: blanks only, not tabs, line ends or full-width spaces.
QString TrimBlanks(const QString& text);

// s preceded by blanks up to `width` characters (characters, not columns).
QString PadLeft(const QString& s, int width);

// The lines AddWrappedText adds for `text` at `width` columns: the first line runs up to and
// including the character at which the width is reached; each continuation line starts with
// one blank. Text after a NUL is ignored.
QStringList WrappedLines(const QString& text, int width);

// Adds text to a list box as lines of about `width` columns.
template <typename ListBox>
void AddWrappedText(ListBox& list, const QString& text, int width) {
    for (const QString& line : WrappedLines(text, width)) list.addItem(line);
}

}  // namespace connection
