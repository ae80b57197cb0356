#pragma once

#include <QString>
#include <array>

namespace chat {

// The banned words, in the order FilterChat removes them. A word that begins another word comes
// after it, so that the longer word goes whole.
extern const std::array<QString, 15> kBannedWords;

// The text with every banned word deleted: word by word in list order, every occurrence of the
// word (exact, case-sensitive) in one pass over what the earlier words left. Nothing is put in
// a deleted word's place, so the text around it may join into a word already passed; it stays.
QString FilterChat(const QString& text);

}  // namespace chat
