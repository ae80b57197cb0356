#include "platform/forms/picture.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/picture/gif_index_decoder.h"
#include "platform/runtime/failure.h"

namespace forms {

namespace {

[[noreturn]] void invalidPicture() {
    platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Invalid picture");
}

// The whole file at the front of `buffer` (grown to hold it), its length; nullopt when it
// cannot be opened or is a folder. The program's pictures go through a temporary file each time
// one is shown (every card), so the file is read with the few calls it needs (a folder opens,
// and its first read tells what it is) into a buffer kept for the next one.
std::optional<std::size_t> readPictureFile(const char* file, std::vector<char>& buffer) {
    const int fd = ::open(file, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    if (buffer.size() < (std::size_t(64) << 10)) buffer.resize(std::size_t(64) << 10);
    std::size_t have = 0;
    bool folder = false;
    for (;;) {
        if (have == buffer.size()) buffer.resize(buffer.size() * 2);
        const ssize_t got = ::read(fd, buffer.data() + have, buffer.size() - have);
        if (got < 0 && errno == EINTR) continue;
        folder = got < 0 && errno == EISDIR;
        if (got <= 0) break;
        have += std::size_t(got);
    }
    ::close(fd);
    if (folder) return std::nullopt;
    return have;
}

// Qt's resource paths go through a QFile.
std::optional<std::size_t> readResourcePicture(const QString& path, std::vector<char>& buffer) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = file.readAll();
    buffer.assign(data.begin(), data.end());
    return buffer.size();
}

// The last file read, kept for the next: a picture's file is read into it and only copied when
// it holds a picture not seen before.
std::vector<char>& fileBuffer() {
    thread_local std::vector<char> buffer;
    return buffer;
}

[[noreturn]] void fileNotFound(const std::string& path) {
    platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "File not found: " + path);
}

// The formats the original's picture loader understood that still matter here, told by their
// first bytes as the toolkit's own readers tell them; asking the toolkit instead would load
// every image plug-in it has to let each of them look.
QByteArray acceptedFormatOf(const QByteArray& data) {
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a")) return "gif";
    if (data.startsWith("\xFF\xD8")) return "jpeg";
    if (data.startsWith("BM")) return "bmp";
    invalidPicture();
}

QImage read(const QByteArray& data, const QByteArray& format) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

// From this size up an opaque GIF or bitmap keeps its colour indices: a quarter of the memory of
// its colours, and painted as it is where it is drawn unscaled (the table's picture, say).
constexpr qsizetype kIndexedFromPixels = 256 * 256;

QImage keptForm(QImage indexed, bool opaque) {
    if (opaque && qsizetype(indexed.width()) * indexed.height() >= kIndexedFromPixels)
        return indexed;
    return indexed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Little-endian numbers in a header whose length was checked.
std::uint32_t le16(const QByteArray& data, qsizetype at) {
    const auto byte = [&](qsizetype i) { return std::uint32_t(std::uint8_t(data[at + i])); };
    return byte(0) | byte(1) << 8;
}
std::uint32_t le32(const QByteArray& data, qsizetype at) {
    return le16(data, at) | le16(data, at + 2) << 16;
}

// GIFs, the program's own pictures among them, are decoded without the toolkit's image plug-in.
// Whatever that plug-in might render otherwise (an image not filling its screen, data cut short,
// an index outside the colour table) is left to it: nullopt.
std::optional<QImage> decodeGif(const QByteArray& data) {
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                          std::size_t(data.size()));
    const std::optional<platform::GifImageInfo> info = platform::ReadGifImageInfo(bytes);
    if (!info || info->colourTable.empty()) return std::nullopt;
    QImage image(info->screenWidth, info->screenHeight, QImage::Format_Indexed8);
    if (image.isNull()) return std::nullopt;
    const auto& table = info->colourTable;
    QList<QRgb> colours(qsizetype(table.size() / 3));
    for (qsizetype i = 0; i < colours.size(); ++i) {
        colours[i] = qRgb(table[std::size_t(3 * i)], table[std::size_t(3 * i + 1)],
                          table[std::size_t(3 * i + 2)]);
    }
    const int transparent = info->transparentIndex;
    const bool opaque = transparent < 0 || transparent >= colours.size();
    if (!opaque) colours[transparent] = qRgba(0, 0, 0, 0);
    image.setColorTable(colours);
    // Transparent pixels keep what the plane held.
    image.fill(opaque ? 0u : uint(transparent));
    const platform::IndexPlane plane{image.bits(), image.bytesPerLine(), image.width(),
                                     image.height()};
    if (platform::DecodeWholeGifIndices(bytes, plane) != platform::GifDecoding::Whole)
        return std::nullopt;
    return keptForm(std::move(image), opaque);
}

// An uncompressed 8-bit bitmap (the program's large pictures are stored so) is read by copying
// its rows. Anything else it might be (another depth, compression, a colour table or rows
// reaching past the data, an index beyond the table) is left to the toolkit's reader: nullopt.
std::optional<QImage> decodeIndexedBmp(const QByteArray& data) {
    constexpr qsizetype kInfoAt = 14;
    if (data.size() < kInfoAt + 40 || !data.startsWith("BM")) return std::nullopt;
    const std::uint64_t size = std::uint64_t(data.size());
    const std::uint64_t pixelsAt = le32(data, 10);
    const std::uint64_t infoSize = le32(data, kInfoAt);
    const auto width = std::int32_t(le32(data, 18));
    const auto height = std::int32_t(le32(data, 22));
    if (infoSize < 40 || width <= 0 || height == 0 || height == INT32_MIN || le16(data, 26) != 1 ||
        le16(data, 28) != 8 || le32(data, 30) != 0) {
        return std::nullopt;
    }
    const std::uint64_t colourCount = le32(data, 46) == 0 ? 256 : le32(data, 46);
    const std::uint64_t rows = std::uint64_t(std::abs(height));
    const std::uint64_t stride = (std::uint64_t(width) + 3) / 4 * 4;
    const std::uint64_t tableAt = kInfoAt + infoSize;
    if (colourCount > 256 || tableAt + 4 * colourCount > pixelsAt || pixelsAt > size ||
        stride * rows > size - pixelsAt) {
        return std::nullopt;
    }
    QImage image(width, int(rows), QImage::Format_Indexed8);
    if (image.isNull()) return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    QList<QRgb> colours(static_cast<qsizetype>(colourCount));
    for (qsizetype i = 0; i < colours.size(); ++i) {
        const std::uint8_t* entry = bytes + tableAt + 4 * std::uint64_t(i);
        colours[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    image.setColorTable(colours);
    // With a full table no index can fall beyond it; only a shorter one needs a look.
    std::uint8_t highest = 0;
    for (std::uint64_t y = 0; y < rows; ++y) {
        // Rows run bottom up unless the height is negative.
        const std::uint64_t from = height < 0 ? y : rows - 1 - y;
        const std::uint8_t* row = bytes + pixelsAt + from * stride;
        std::memcpy(image.scanLine(int(y)), row, std::size_t(width));
        if (colourCount < 256) {
            for (std::int32_t x = 0; x < width; ++x) highest = std::max(highest, row[x]);
        }
    }
    if (highest >= colourCount) return std::nullopt;
    return keptForm(std::move(image), true);
}

// Every other picture is kept as premultiplied ARGB, which is what painting wants; an rvalue
// converts in place where the formats allow (32-bit RGB does), so no second copy is made. The GIF
// reader keeps a share of the frame it returned, so the reader must be gone before the
// conversion, or a full-window picture would briefly take twice its memory.
QImage decode(const QByteArray& data, const QByteArray& format) {
    if (format == "gif") {
        if (std::optional<QImage> image = decodeGif(data)) return std::move(*image);
    }
    if (format == "bmp") {
        if (std::optional<QImage> image = decodeIndexedBmp(data)) return std::move(*image);
    }
    QImage image = read(data, format);
    if (image.isNull()) return image;
    return std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Decoded pictures by the bytes they were decoded from. The program shows the same few hundred
// pictures of its own again and again, each through a file it writes and loads anew (a card at
// every deal, an avatar at every seating); each is decoded once per process. A picture whose
// bytes differ in any way is another entry, so a file changed on disk is decoded afresh. The
// cache is bounded: past its limits it starts empty again rather than grow.
class DecodedPictures {
  public:
    std::optional<QImage> find(const QByteArray& data) {
        const std::lock_guard lock(mutex_);
        const auto found = images_.constFind(data);
        if (found == images_.cend()) return std::nullopt;
        return *found;
    }
    // The bytes as the cache keeps them (a share, not a copy) and their image.
    std::optional<std::pair<QByteArray, QImage>> findKept(const QByteArray& data) {
        const std::lock_guard lock(mutex_);
        const auto found = images_.constFind(data);
        if (found == images_.cend()) return std::nullopt;
        return std::pair(found.key(), found.value());
    }
    void keep(const QByteArray& data, const QImage& image) {
        const std::lock_guard lock(mutex_);
        const qsizetype cost = data.size() + image.sizeInBytes();
        if (cost > kMostBytes) return;
        if (images_.size() >= kMostPictures || bytes_ + cost > kMostBytes) {
            images_.clear();
            bytes_ = 0;
        }
        images_.insert(data, image);
        bytes_ += cost;
    }

    // The program's own pictures, by where their bytes lie: hashing a large one (the table's
    // bitmap is 770 KB) at every lookup cost more than copying its rows. The entry keeps a
    // share of the bytes, so no other data can come to lie there while it is kept.
    std::optional<QImage> findEmbedded(const QByteArray& data) {
        const std::lock_guard lock(mutex_);
        const auto found = embedded_.constFind(data.constData());
        if (found == embedded_.cend() || found->first.size() != data.size()) return std::nullopt;
        return found->second;
    }
    void keepEmbedded(const QByteArray& data, const QImage& image) {
        const std::lock_guard lock(mutex_);
        if (embedded_.size() >= kMostPictures) embedded_.clear();
        embedded_.insert(data.constData(), {data, image});
    }

  private:
    static constexpr qsizetype kMostPictures = 2048;
    static constexpr qsizetype kMostBytes = qsizetype(32) << 20;
    std::mutex mutex_;
    QHash<QByteArray, QImage> images_;
    qsizetype bytes_ = 0;
    QHash<const char*, std::pair<QByteArray, QImage>> embedded_;
};

DecodedPictures& decodedPictures() {
    static DecodedPictures pictures;
    return pictures;
}

}  // namespace

// The image, decoded now or on first use. The program has one thread, so the lazy decode
// needs no lock.
class Picture::Source {
  public:
    Source(QImage image, QByteArray data)
        : size_(image.size()), data_(std::move(data)), image_(std::move(image)) {}
    // The program's own picture, decoded on first use.
    Source(QByteArray data, QByteArray format, QSize size)
        : size_(size), data_(std::move(data)), format_(std::move(format)), embedded_(true) {}

    QSize size() const { return size_; }
    const QByteArray& data() const { return data_; }

    const QImage& image() const {
        if (!image_) {
            DecodedPictures& cache = decodedPictures();
            std::optional<QImage> known = embedded_ ? cache.findEmbedded(data_) : cache.find(data_);
            if (known && known->size() == size_) {
                image_ = std::move(*known);
                return *image_;
            }
            QImage decoded = decode(data_, format_);
            if (decoded.size() == size_) {
                if (embedded_) {
                    cache.keepEmbedded(data_, decoded);
                } else {
                    cache.keep(data_, decoded);
                }
            } else {
                decoded = QImage(size_, QImage::Format_ARGB32_Premultiplied);
                decoded.fill(Qt::transparent);
            }
            image_ = std::move(decoded);
        }
        return *image_;
    }

  private:
    QSize size_;
    QByteArray data_;
    QByteArray format_;
    bool embedded_ = false;
    mutable std::optional<QImage> image_;
};

Picture::Picture(QImage image) : Picture(std::move(image), QByteArray()) {}

Picture::Picture(QImage image, QByteArray sourceData) {
    if (!image.isNull())
        source_ = std::make_shared<const Source>(std::move(image), std::move(sourceData));
}

Picture Picture::fromData(const QByteArray& data) {
    // Each load is a picture object of its own, as the toolkit's are; only the pixels are shared.
    if (std::optional<QImage> known = decodedPictures().find(data))
        return Picture(std::move(*known), data);
    QImage image = decode(data, acceptedFormatOf(data));
    if (image.isNull()) invalidPicture();
    decodedPictures().keep(data, image);
    return Picture(std::move(image), data);
}

// The size a GIF's logical screen declares, read from its header without any image plug-in;
// nullopt when the data is not a GIF.
std::optional<QSize> gifSize(const QByteArray& data) {
    if (data.size() < 10 || !(data.startsWith("GIF87a") || data.startsWith("GIF89a")))
        return std::nullopt;
    const auto byte = [&](int i) { return int(static_cast<unsigned char>(data[i])); };
    return QSize(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8);
}

// The same for a Windows bitmap.
std::optional<QSize> bmpSize(const QByteArray& data) {
    if (data.size() < 26 || !data.startsWith("BM")) return std::nullopt;
    const auto width = std::int32_t(le32(data, 18));
    const auto height = std::int32_t(le32(data, 22));
    if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    return QSize(width, std::abs(height));
}

Picture Picture::fromEmbedded(QByteArray data) {
    // The program's own pictures are GIFs and bitmaps: their size is in the header, and no
    // image plug-in is loaded before the first one is drawn.
    QByteArray format = "gif";
    std::optional<QSize> size = gifSize(data);
    if (!size && (size = bmpSize(data))) format = "bmp";
    if (!size) {
        format = acceptedFormatOf(data);
        QBuffer buffer;
        buffer.setData(data);
        buffer.open(QIODevice::ReadOnly);
        size = QImageReader(&buffer, format).size();
    }
    if (!size->isValid() || size->isEmpty()) invalidPicture();
    Picture picture;
    picture.source_ = std::make_shared<const Source>(std::move(data), std::move(format), *size);
    return picture;
}

namespace {

// The picture of the first `length` bytes of the file buffer. A picture shown before keeps the
// cache's copy of its bytes: the file's are only looked at.
Picture pictureOfFileBuffer(std::size_t length) {
    std::vector<char>& buffer = fileBuffer();
    const QByteArray bytes = QByteArray::fromRawData(buffer.data(), qsizetype(length));
    std::optional<std::pair<QByteArray, QImage>> known = decodedPictures().findKept(bytes);
    // The buffer follows the largest file read: one far above the program's pictures is let go.
    const auto release = qScopeGuard([&] {
        if (buffer.size() > (std::size_t(4) << 20)) std::vector<char>().swap(buffer);
    });
    if (known) return Picture(std::move(known->second), std::move(known->first));
    return Picture::fromData(QByteArray(bytes.constData(), bytes.size()));
}

}  // namespace

Picture Picture::load(const QString& path) {
    if (path.isEmpty()) return {};
    const std::optional<std::size_t> length =
        path.startsWith(u':') ? readResourcePicture(path, fileBuffer())
                              : readPictureFile(QFile::encodeName(path).constData(), fileBuffer());
    if (!length) fileNotFound(path.toStdString());
    return pictureOfFileBuffer(*length);
}

Picture Picture::load(const std::filesystem::path& file) {
    if (file.empty()) return {};
    const std::optional<std::size_t> length = readPictureFile(file.c_str(), fileBuffer());
    if (!length) fileNotFound(file.string());
    return pictureOfFileBuffer(*length);
}

QSize Picture::size() const {
    return source_ ? source_->size() : QSize(0, 0);
}

const QByteArray& Picture::sourceData() const {
    static const QByteArray kNone;
    return source_ ? source_->data() : kNone;
}

const QImage& Picture::image() const {
    static const QImage kNone;
    return source_ ? source_->image() : kNone;
}

}  // namespace forms
