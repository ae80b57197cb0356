#include "connection/text_helpers.h"

#include "platform/text/display_width.h"

namespace connection {

bool IsSingleByteChar(QChar ch) {
    return platform::isSingleByteGbk(ch);
}

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}

QString PadLeft(const QString& s, int width) {
    if (width <= s.size()) return s;
    return QString(width - s.size(), u' ') + s;
}

QStringList WrappedLines(const QString& text, int width) {
    QStringList lines;
    qsizetype len = text.size();
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0) len = nul;
    if (len == 0) return lines;
    // Positions are 1-based to follow the original procedure step by step.
    int w = 0;
    qsizetype start = 1;
    for (qsizetype i = 1; i <= len; ++i) {
        if (i == len || w >= width) {
            if (start == 1) {
                lines << text.mid(start - 1, i - start + 1);
                start = i + 1;
            } else {
                const qsizetype end = (i == len) ? i : i - 1;
                lines << u' ' + text.mid(start - 1, end - start + 1);
                start = i;
            }
            w = 0;
        }
        w += platform::displayWidth(text[i - 1]);
    }
    return lines;
}

}  // namespace connection
