#include "platform/text/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <memory>

namespace platform {
namespace {

// glibc's CP936 is Windows' variant of GBK (0x80 is the euro sign).
constexpr const char* kGbkCharset = "CP936";
constexpr const char* kUtf16Charset =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr std::uint16_t kQuestionMark = '?';

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false on a conversion error (errno tells which).
    // The shift state is reset afterwards so the next call starts clean.
    bool convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        char* input = const_cast<char*>(in);  // iconv never writes through its input
        const std::size_t result = iconv(handle_, &input, &inLeft, &out, &outLeft);
        in = input;
        if (result != static_cast<std::size_t>(-1)) return true;
        const int error = errno;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        errno = error;
        return false;
    }

  private:
    iconv_t handle_;
};

// The GBK code of every UTF-16 unit, '?' for those GBK cannot hold. Asked for once per character
// by display-width counting, so it is a lookup rather than a conversion. It is filled a page of
// 256 units at a time, on first use of the page: a run touches few pages, and filling all of
// them would cost more than the program's whole start-up of text.
class EncodingTable {
  public:
    std::uint16_t operator[](QChar ch) {
        const std::uint16_t unit = ch.unicode();
        auto& page = pages_[unit >> 8];
        if (!page) page = buildPage(unit >> 8);
        return (*page)[unit & 0xFF];
    }

  private:
    using Page = std::array<std::uint16_t, 256>;

    std::unique_ptr<Page> buildPage(std::uint16_t high) {
        auto page = std::make_unique<Page>();
        page->fill(kQuestionMark);
        for (std::uint32_t low = 0; low < 256; ++low) {
            const std::uint32_t unit = std::uint32_t(high) << 8 | low;
            if (unit < 0x80) {
                (*page)[low] = static_cast<std::uint16_t>(unit);
                continue;
            }
            if (QChar::isSurrogate(unit) || !encoder_.valid()) continue;
            const char16_t source = static_cast<char16_t>(unit);
            const char* in = reinterpret_cast<const char*>(&source);
            std::size_t inLeft = sizeof source;
            std::array<unsigned char, 4> bytes{};
            char* out = reinterpret_cast<char*>(bytes.data());
            std::size_t outLeft = bytes.size();
            if (!encoder_.convert(in, inLeft, out, outLeft)) continue;
            const std::size_t length = bytes.size() - outLeft;
            if (length == 1) (*page)[low] = bytes[0];
            if (length == 2) (*page)[low] = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
        }
        return page;
    }

    IconvHandle encoder_{kGbkCharset, kUtf16Charset};
    std::array<std::unique_ptr<Page>, 256> pages_;
};

std::uint16_t encodedUnit(QChar ch) {
    thread_local EncodingTable table;
    return table[ch];
}

IconvHandle& threadDecoder() {
    thread_local IconvHandle decoder(kUtf16Charset, kGbkCharset);
    return decoder;
}

QString decodeAsciiOnly(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char byte : bytes)
        text += byte < 0x80 ? QChar(byte) : QChar(QChar::ReplacementCharacter);
    return text;
}

}  // namespace

std::string encodeGbk(const QString& text) {
    // ASCII, most of what is encoded, is its own code: copied as it is up to the first other
    // character, without the table.
    const char16_t* const units = QStringView(text).utf16();
    qsizetype i = 0;
    while (i < text.size() && units[i] < 0x80) ++i;
    std::string bytes(units, units + i);
    if (i == text.size()) return bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        // A character beyond the 16-bit range is one unknown character, not two.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        const std::uint16_t code = encodedUnit(ch);
        if (code > 0xFF) bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
    }
    return bytes;
}

QString decodeGbk(std::string_view bytes) {
    // Plain ASCII, most of what is decoded, reads the same in GBK: no conversion to set up.
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) == 0; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    IconvHandle& decoder = threadDecoder();
    if (!decoder.valid()) return decodeAsciiOnly(bytes);

    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    std::array<char16_t, 512> chunk;
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(chunk.data());
        std::size_t outLeft = sizeof chunk;
        const bool complete = decoder.convert(in, inLeft, out, outLeft);
        const int error = errno;
        text.append(QStringView(chunk.data(), (sizeof chunk - outLeft) / sizeof(char16_t)));
        if (complete || error == E2BIG) continue;
        // An invalid or cut-off sequence: give up one byte only, so a following ASCII byte that
        // was taken for a trail byte is not lost.
        text.append(QChar(QChar::ReplacementCharacter));
        ++in;
        --inLeft;
    }
    return text;
}

int gbkCode(QChar ch) {
    return static_cast<std::int16_t>(encodedUnit(ch));
}

}  // namespace platform
