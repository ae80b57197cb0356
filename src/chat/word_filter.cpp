#include "chat/word_filter.h"

namespace chat {

const std::array<QString, 15> kBannedWords{
    // Names of persons.
    QStringLiteral("李洪志"),
    QStringLiteral("达赖"),
    QStringLiteral("陈水扁"),
    QStringLiteral("吕秀莲"),
    // An organisation.
    QStringLiteral("法轮功"),
    // One insult, three pronouns.
    QStringLiteral("你妈的"),
    QStringLiteral("他妈的"),
    QStringLiteral("她妈的"),
    // An insult, then its first two characters, an insult of their own.
    QStringLiteral("王八羔子"),
    QStringLiteral("王八"),
    // Obscene and pornographic content.
    QStringLiteral("屄"),
    QStringLiteral("色情"),
    QStringLiteral("淫秽"),
    // English swearing, lower case only.
    QStringLiteral("fuck"),
    QStringLiteral("shit"),
};

QString FilterChat(const QString& text) {
    QString filtered = text;
    for (const QString& word : kBannedWords) filtered.remove(word, Qt::CaseSensitive);
    return filtered;
}

}  // namespace chat
