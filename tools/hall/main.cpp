#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "hall_window.h"
#include "platform/desktop/x11_desktop.h"
#include "platform/runtime/scheduler.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in hall for the Korvash table client"));
    parser.addHelpOption();
    const QCommandLineOption client(QStringLiteral("client"),
                                    QStringLiteral("The client program to start."),
                                    QStringLiteral("path"));
    parser.addOption(client);
    const QCommandLineOption start(
        QStringLiteral("start"),
        QStringLiteral("Start the client at once, as the start button does."));
    parser.addOption(start);
    const QCommandLineOption field(
        QStringLiteral("field"),
        QStringLiteral("Sets a command-line field of the client (1 to 15), e.g. 4=7789; may be "
                       "repeated."),
        QStringLiteral("n=text"));
    parser.addOption(field);
    parser.process(app);
    // Built at <build>/tools/hall/, beside which the client lies at <build>/korvash.
    const QString clientPath = parser.isSet(client)
                                   ? parser.value(client)
                                   : QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                     QStringLiteral("/../../korvash"));

    platform::Scheduler scheduler(platform::Scheduler::Mode::Real);
    std::unique_ptr<platform::X11Desktop> desktop;
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        desktop = platform::X11Desktop::open(scheduler);
    }
    hall::HallWindow window(desktop.get(), clientPath);
    for (const QString& setting : parser.values(field)) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        bool numeric = false;
        const int number = setting.left(equals).toInt(&numeric);
        if (equals < 0 || !numeric || !window.setField(number, setting.mid(equals + 1))) {
            std::fprintf(stderr, "korvash-hall: --field wants n=text with n from 1 to %d\n",
                         hall::HallWindow::kFieldCount);
            return 2;
        }
    }
    window.show();
    if (parser.isSet(start)) window.startClient();
    return app.exec();
}
