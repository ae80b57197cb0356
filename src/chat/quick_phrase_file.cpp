#include "chat/quick_phrase_file.h"

#include <algorithm>
#include <cmath>

#include "connection/ini_file.h"
#include "platform/files/file_system.h"
#include "platform/files/windows_path.h"
#include "platform/runtime/conversions.h"

namespace chat {

int PhraseCount(const QString& numValue) {
    const double count = platform::roundHalfEven(platform::val(numValue));
    if (!(count > 0)) return 0;  // negative, zero, or no number at all
    return int(std::min(count, double(MaxPhrases)));
}

QuickPhrases ReadQuickPhraseFile(const QString& path) {
    QuickPhrases phrases;
    if (!platform::fileExists(platform::mapWindowsPath(path))) return phrases;
    connection::classIniFile ini;
    ini.setINIFileName(path);
    const connection::classIniFile::Reader file = ini.reader();
    // Both counts first, then the phrases in key order.
    const int count1 = PhraseCount(file.GetIniKey(QStringLiteral("chat"), QStringLiteral("num")));
    const int count2 = PhraseCount(file.GetIniKey(QStringLiteral("chat1"), QStringLiteral("num")));
    for (int i = 1; i <= count1; ++i) {
        phrases.list1 << file.GetIniKey(QStringLiteral("chat"), QString::number(i));
    }
    for (int i = 1; i <= count2; ++i) {
        phrases.list2 << file.GetIniKey(QStringLiteral("chat1"), QString::number(i));
    }
    return phrases;
}

}  // namespace chat
