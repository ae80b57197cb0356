#include "platform/forms/font.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <cmath>

#include "platform/text/display_width.h"

namespace forms {

namespace {

constexpr auto kChineseFallback = "WenQuanYi Micro Hei";

bool haveGui() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

float pixelSize(const FontSpec& font) {
    return std::round(font.size * 96.0f / 72.0f);
}

}  // namespace

void PrepareFontConfiguration() {
    FcInit();
}

QString resolveFontFamily(const QString& name) {
    if (!haveGui() || name.isEmpty()) return QString::fromLatin1(kChineseFallback);
    // Asking the font database costs a font-configuration substitution and a list of every
    // installed family, and each control's font is resolved whenever it is measured or drawn:
    // the installed fonts do not change under a running table, so each name is asked once.
    static QHash<QString, QString> resolved;
    auto known = resolved.constFind(name);
    if (known == resolved.constEnd()) {
        known = resolved.insert(
            name, QFontDatabase::hasFamily(name) ? name : QString::fromLatin1(kChineseFallback));
    }
    return *known;
}

QFont toQFont(const FontSpec& font) {
    QFont result(resolveFontFamily(font.name));
    result.setPixelSize(std::max(1, int(pixelSize(font))));
    result.setBold(font.bold);
    // The Chinese font carries no hinting instructions, so hinting means FreeType's auto-hinter
    // analysing every outline as it is first measured: over a millisecond of the table's first
    // screen, for a difference at these sizes one hardly sees.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

QSizeF measureText(const QString& text, const FontSpec& font) {
    const QStringList lines = QString(text).replace("\r\n", "\n").split('\n');
    if (haveGui()) {
        const QFontMetricsF metrics(toQFont(font));
        qreal width = 0;
        for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
        return {std::ceil(width), std::ceil(metrics.height()) * lines.size()};
    }
    const float px = pixelSize(font);
    int columns = 0;
    for (const QString& line : lines) columns = std::max(columns, platform::displayWidth(line));
    return {std::ceil(columns * px / 2.0f), std::ceil(px * 1.25f) * lines.size()};
}

float lineHeight(const FontSpec& font) {
    return pixelSize(font) + 1.0f;
}

}  // namespace forms
