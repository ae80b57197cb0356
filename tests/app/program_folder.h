#pragma once

#include <sys/stat.h>

#include <QProcessEnvironment>
#include <QString>
#include <filesystem>
#include <string>

// The client's own program folder (its video switch file and temporary pictures land there)
// and runtime folder (its single-instance lock), under a test's temporary folder. The program
// is a hard link, not a symbolic one: it takes the folder of the file the system ran as its own.
namespace app_test {

inline std::filesystem::path ProgramIn(const std::filesystem::path& folder) {
    return folder / "bin" / "korvash";
}

inline std::filesystem::path RuntimeFolderIn(const std::filesystem::path& folder) {
    return folder / "runtime";
}

inline void PrepareProgramFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "bin");
    std::filesystem::create_directories(RuntimeFolderIn(folder));
    ::chmod(RuntimeFolderIn(folder).c_str(), 0700);
    std::error_code linkError;
    std::filesystem::create_hard_link(KORVASH_EXE, ProgramIn(folder), linkError);
    if (linkError) std::filesystem::copy_file(KORVASH_EXE, ProgramIn(folder));
}

// The environment the programs run in: the test's X server, and the runtime folder above.
inline QProcessEnvironment ProgramEnvironment(const std::string& display,
                                              const std::filesystem::path& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
               QString::fromStdString(RuntimeFolderIn(folder).string()));
    return env;
}

}  // namespace app_test
