// Linked into every test program: the environment the tests rely on, however they are started
// (ctest, ./dev test, or the program run by hand).
#include <cstdlib>
#include <filesystem>

extern "C" {
// Qt's, fontconfig's and the X libraries' process-lifetime caches are freed by the OS at exit.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libQt6Gui\n"
           "leak:libQt6Core\n"
           "leak:libQt6Widgets\n"
           "leak:libdbus\n"
           "leak:libharfbuzz\n"
           "leak:libfreetype\n"
           "leak:libX11\n"
           "leak:libxcb\n";
}
}

namespace {

struct TestEnvironment {
    TestEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        const auto folder = std::filesystem::path(KORVASH_BUILD_DIR) / "test-tmp";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        ::setenv("KORVASH_TEST_TMP", folder.c_str(), 0);
    }
};

const TestEnvironment environment;

}  // namespace
