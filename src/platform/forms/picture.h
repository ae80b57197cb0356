#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
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
    // LoadPicture: reads and decodes a file, whatever its name says. An empty path gives the
    // empty picture; a missing, unreadable or undecodable file is a run-time failure.
    static Picture load(const QString& path);

    bool isEmpty() const { return !image_; }
    QSize size() const;  // pixels; 0 x 0 when empty
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    const QImage& image() const;  // a null image when empty
    // The bytes of the file the picture was decoded from; empty for one made from an image.
    const QByteArray& sourceData() const;

    // Same picture object (the toolkit compares picture handles, not contents).
    bool sameAs(const Picture& other) const { return image_ == other.image_; }

  private:
    std::shared_ptr<const QImage> image_;
    std::shared_ptr<const QByteArray> source_;
};

// The toolkit's LoadPicture.
inline Picture loadPicture(const QString& path = {}) {
    return Picture::load(path);
}

}  // namespace forms
