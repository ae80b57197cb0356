#include "platform/runtime/conversions.h"

#include <cmath>
#include <limits>
#include <optional>

#include "platform/runtime/failure.h"

namespace platform {

namespace {

bool isSkippedBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return 99;
}

template <typename Int>
Int roundedInto(double value) {
    if (std::isnan(value)) fail(RuntimeFailure::Kind::Overflow, "Overflow");
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        fail(RuntimeFailure::Kind::Overflow, "Overflow");
    }
    return static_cast<Int>(rounded);
}

// Reads a number at the start of `s` (no blanks inside); returns it and how many characters it
// took, or nothing when `s` does not start with a number.
struct Reading {
    double value;
    qsizetype length;
};

std::optional<Reading> readRadix(const QString& s) {
    if (s.size() < 2 || s[0] != u'&') return std::nullopt;
    const QChar kind = s[1].toUpper();
    int base = 0;
    qsizetype pos = 2;
    if (kind == u'H') {
        base = 16;
    } else if (kind == u'O') {
        base = 8;
    } else if (kind.isDigit()) {
        base = 8;
        pos = 1;
    } else {
        return std::nullopt;
    }
    std::uint64_t acc = 0;
    const qsizetype start = pos;
    while (pos < s.size()) {
        const int digit = hexDigitValue(s[pos]);
        if (digit >= base) break;
        acc = acc * base + digit;
        if (acc > 0xFFFFFFFFull) break;
        ++pos;
    }
    if (pos == start) return Reading{0, pos};
    // Like the original: up to 16 bits reads as a signed Integer, else as a signed Long.
    double value;
    if (acc <= 0xFFFF) {
        value = static_cast<std::int16_t>(static_cast<std::uint16_t>(acc));
    } else {
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    }
    return Reading{value, pos};
}

std::optional<Reading> readDecimal(const QString& s) {
    qsizetype pos = 0;
    QString text;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) text += s[pos++];
    qsizetype digits = 0;
    while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128) {
        text += s[pos++];
        ++digits;
    }
    if (pos < s.size() && s[pos] == u'.') {
        text += s[pos++];
        while (pos < s.size() && s[pos].isDigit() && s[pos].unicode() < 128) {
            text += s[pos++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (pos < s.size() && (s[pos] == u'e' || s[pos] == u'E' || s[pos] == u'd' || s[pos] == u'D')) {
        qsizetype exp = pos + 1;
        QString expText = "e";
        if (exp < s.size() && (s[exp] == u'+' || s[exp] == u'-')) expText += s[exp++];
        qsizetype expDigits = 0;
        while (exp < s.size() && s[exp].isDigit() && s[exp].unicode() < 128) {
            expText += s[exp++];
            ++expDigits;
        }
        if (expDigits > 0) {
            text += expText;
            pos = exp;
        }
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) return Reading{text.startsWith(u'-') ? -HUGE_VAL : HUGE_VAL, pos};
    return Reading{value, pos};
}

std::optional<Reading> readNumber(const QString& s) {
    if (auto radix = readRadix(s)) return radix;
    return readDecimal(s);
}

}  // namespace

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int16_t toInteger(double value) { return roundedInto<std::int16_t>(value); }

std::int32_t toLong(double value) { return roundedInto<std::int32_t>(value); }

std::int16_t checkedInteger(std::int64_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        fail(RuntimeFailure::Kind::Overflow, "Overflow");
    }
    return static_cast<std::int16_t>(value);
}

double val(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isSkippedBlank(c)) compact += c;
    }
    auto reading = readNumber(compact);
    if (!reading) return 0.0;
    if (!std::isfinite(reading->value)) fail(RuntimeFailure::Kind::Overflow, "Overflow");
    return reading->value;
}

double toNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    auto reading = readNumber(trimmed);
    if (!reading || reading->length != trimmed.size()) {
        fail(RuntimeFailure::Kind::TypeMismatch, "Type mismatch");
    }
    if (!std::isfinite(reading->value)) fail(RuntimeFailure::Kind::Overflow, "Overflow");
    return reading->value;
}

std::int16_t textToInteger(const QString& text) { return toInteger(toNumber(text)); }

}  // namespace platform
