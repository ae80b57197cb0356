#include "platform/runtime/environment.h"

#include <QGuiApplication>
#include <QScreen>
#include <system_error>

namespace platform {

QString joinCommandLine(const QStringList& argumentsAfterProgram) {
    return argumentsAfterProgram.join(u' ');
}

Environment Environment::fromProcess(const QStringList& arguments) {
    Environment env;
    env.commandLine = joinCommandLine(arguments.mid(1));
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    env.programFolder = error ? std::filesystem::current_path() : exe.parent_path();
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = gui->primaryScreen()) env.screenSize = screen->size();
    }
    return env;
}

}  // namespace platform
