#pragma once

#include <QString>
#include <QStringList>

namespace chat {

// A list holds at most this many phrases: a frame carries the phrase's position + 1 in one byte.
inline constexpr int MaxPhrases = 255;

// The number of phrases a "num" value gives: its leading number (none counts 0), rounded to a
// whole number with halves to the even neighbour, at most MaxPhrases; negative counts 0.
int PhraseCount(const QString& numValue);

// Both lists of the quick-phrase file "chat.txt" at `path` (Windows-style): section "chat" for
// list 1 and "chat1" for list 2, each with "num" and the keys 1..num; a missing key gives an
// empty phrase, which still takes its place. A missing file gives two empty lists.
struct QuickPhrases {
    QStringList list1;
    QStringList list2;
};
QuickPhrases ReadQuickPhraseFile(const QString& path);

}  // namespace chat
