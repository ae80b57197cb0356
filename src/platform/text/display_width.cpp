#include "platform/text/display_width.h"

#include "platform/text/gbk.h"

namespace platform {

bool isSingleByteGbk(QChar ch) {
    const int code = gbkCode(ch);
    return code >= 0 && code <= 0xFF;
}

int displayWidth(QChar ch) {
    return isSingleByteGbk(ch) ? 1 : 2;
}

int displayWidth(const QString& text) {
    int width = 0;
    for (QChar ch : text) width += displayWidth(ch);
    return width;
}

}  // namespace platform
