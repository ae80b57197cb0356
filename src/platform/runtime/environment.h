#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTime>
#include <filesystem>
#include <functional>

namespace platform {

// What the program learns of its surroundings at start. Tests build one by hand.
struct Environment {
    // The command line as the original toolkit's Command gives it: everything after the
    // program's name, arguments joined by one blank.
    QString commandLine;
    // The folder of the executable (App.Path), without a trailing separator.
    std::filesystem::path programFolder;
    // The primary screen in pixels.
    QSize screenSize{1024, 768};
    // The time of day; replaceable so tests can choose it.
    std::function<QTime()> timeOfDay = [] { return QTime::currentTime(); };
    // The local date and time; replaceable so tests can choose it.
    std::function<QDateTime()> localDateTime = [] { return QDateTime::currentDateTime(); };

    // The running program's environment; the screen is read from the primary screen when a
    // GUI application exists.
    static Environment fromProcess(const QStringList& arguments);
};

// Joins arguments the way the hall's single command line reaches the program.
QString joinCommandLine(const QStringList& argumentsAfterProgram);

}  // namespace platform
