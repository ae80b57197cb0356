#include "test_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

namespace forms_test {

namespace {

void appendWord(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

}  // namespace

// Uses 7-bit LZW codes that stay 8 bits wide (a clear code every 100 pixels keeps the table
// from growing), so every code is one byte.
QByteArray makeGif(QSize size, QColor color) {
    QByteArray out("GIF89a");
    appendWord(out, size.width());
    appendWord(out, size.height());
    out.append(char(0xF6));  // global table of 128 colours
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 128; ++i) {
        const QColor entry = i == 1 ? color : QColor(0, 0, 0);
        out.append(char(entry.red()));
        out.append(char(entry.green()));
        out.append(char(entry.blue()));
    }
    out.append(',');
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, size.width());
    appendWord(out, size.height());
    out.append(char(0));
    out.append(char(7));  // minimum code size
    QByteArray codes;
    const int pixels = size.width() * size.height();
    for (int i = 0; i < pixels; ++i) {
        if (i % 100 == 0) codes.append(char(0x80));  // clear
        codes.append(char(1));
    }
    codes.append(char(0x81));  // end of information
    for (int at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}

static QByteArray encode(QSize size, QColor color, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

QByteArray makeJpeg(QSize size, QColor color) {
    return encode(size, color, "JPEG");
}
QByteArray makePng(QSize size, QColor color) {
    return encode(size, color, "PNG");
}

std::filesystem::path testFolder(const QString& name) {
    const QByteArray root = qgetenv("KORVASH_TEST_TMP");
    std::filesystem::path folder = root.isEmpty() ? std::filesystem::temp_directory_path()
                                                  : std::filesystem::path(root.toStdString());
    folder /= "forms";
    folder /= name.toStdString();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

QString writeFile(const std::filesystem::path& folder, const QString& name,
                  const QByteArray& data) {
    const QString path = QString::fromStdString((folder / name.toStdString()).string());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return path;
}

}  // namespace forms_test
