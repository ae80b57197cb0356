#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <filesystem>
#include <memory>

namespace forms {

// A picture as the toolkit's Picture property holds it: an immutable image shared by every
// control that shows it, or nothing. Copying is cheap.
class Picture {
  public:
    Picture() = default;
    explicit Picture(QImage image);
    // A picture decoded from a file's bytes, which it keeps (what a user control stores).
    Picture(QImage image, QByteArray sourceData);

    // Decodes GIF (its first frame), JPEG or BMP data, recognised by content; anything else is a
    // ControlFailed run-time failure.
    static Picture fromData(const QByteArray& data);
    // A picture built into the program (data that lives as long as the program, such as the
    // embedded pack): only its size is read now, and the image is decoded the first time it is
    // drawn or read, so a picture the program never shows costs neither time nor memory. The
    // data is the program's own, so it is not checked beyond its header; data that does not
    // decode shows as an empty image of that size. A header that is not GIF, JPEG or BMP is a
    // ControlFailed run-time failure.
    static Picture fromEmbedded(QByteArray data);
    // LoadPicture: reads and decodes a file, whatever its name says. An empty path gives the
    // empty picture; a missing, unreadable or undecodable file is a run-time failure.
    static Picture load(const QString& path);
    // The same for a file named as the system names it (a Windows path already mapped).
    static Picture load(const std::filesystem::path& file);

    bool isEmpty() const { return !source_; }
    QSize size() const;  // pixels; 0 x 0 when empty
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    const QImage& image() const;  // a null image when empty
    // The bytes of the file the picture was decoded from; empty for one made from an image.
    const QByteArray& sourceData() const;

    // Same picture object (the toolkit compares picture handles, not contents).
    bool sameAs(const Picture& other) const { return source_ == other.source_; }

  private:
    class Source;
    std::shared_ptr<const Source> source_;
};

// The toolkit's LoadPicture.
inline Picture loadPicture(const QString& path = {}) {
    return Picture::load(path);
}
inline Picture loadPicture(const std::filesystem::path& file) {
    return Picture::load(file);
}

}  // namespace forms
