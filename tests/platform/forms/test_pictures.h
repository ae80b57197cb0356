#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <filesystem>

namespace forms_test {

// A GIF of one colour, made here so the tests need no picture files (Qt only reads GIF).
QByteArray makeGif(QSize size, QColor color);
QByteArray makeJpeg(QSize size, QColor color);
QByteArray makePng(QSize size, QColor color);

// A fresh folder under the build's test folder for one test.
std::filesystem::path testFolder(const QString& name);
QString writeFile(const std::filesystem::path& folder, const QString& name, const QByteArray& data);

}  // namespace forms_test
