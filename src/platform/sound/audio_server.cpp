#include "platform/sound/audio_server.h"

#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/files/file_system.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace platform {

namespace {

namespace fs = std::filesystem;

bool present(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::exists(path, error);
}

// A "default-server = ..." line with a value; ";" and "#" start comments.
bool namesDefaultServer(const fs::path& file) {
    // A client configuration is a few lines; only its first megabyte is looked at, so a device
    // file named there cannot keep the start-up reading.
    const std::string text = readFileBytes(file, std::size_t(1) << 20).value_or(std::string());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line(text.data() + at, end - at);
        at = end + 1;
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == ';' || line[start] == '#') continue;
        const std::string_view key = "default-server";
        if (line.substr(start, key.size()) != key) continue;
        const auto equals = line.find('=', start + key.size());
        if (equals == std::string::npos) continue;
        if (line.find_first_not_of(" \t\r", equals + 1) != std::string::npos) return true;
    }
    return false;
}

std::vector<fs::path> clientConfigFiles(const AudioServerPlaces& places) {
    std::vector<fs::path> files;
    const auto env = [&](const char* name) { return places.environment(name).value_or(""); };
    if (!env("PULSE_CLIENTCONFIG").empty()) files.emplace_back(env("PULSE_CLIENTCONFIG"));
    if (!env("XDG_CONFIG_HOME").empty()) {
        files.push_back(fs::path(env("XDG_CONFIG_HOME")) / "pulse/client.conf");
    } else if (!env("HOME").empty()) {
        files.push_back(fs::path(env("HOME")) / ".config/pulse/client.conf");
    }
    files.push_back(places.root / "etc/pulse/client.conf");
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(places.root / "etc/pulse/client.conf.d", error))
        if (entry.path().extension() == ".conf") files.push_back(entry.path());
    return files;
}

bool x11RootNamesServer() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return false;
    // Only if the name was ever made on this server: no property can carry it otherwise.
    const Atom name = XInternAtom(display, "PULSE_SERVER", True);
    if (name == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* value = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), name, 0, 1024, False,
                                          AnyPropertyType, &type, &format, &count, &after, &value);
    if (value) XFree(value);
    return status == Success && type != None && count > 0;
}

}  // namespace

bool audioServerMayExist(const AudioServerPlaces& places) {
    const auto env = [&](const char* name) { return places.environment(name).value_or(""); };
    if (!env("PULSE_SERVER").empty()) return true;
    const std::string user = std::to_string(places.userId);
    const fs::path sockets[] = {
        env("PULSE_RUNTIME_PATH").empty() ? fs::path()
                                          : fs::path(env("PULSE_RUNTIME_PATH")) / "native",
        env("XDG_RUNTIME_DIR").empty() ? fs::path()
                                       : fs::path(env("XDG_RUNTIME_DIR")) / "pulse/native",
        places.root / "run/user" / user / "pulse/native",
        places.root / "run/pulse/native",
        places.root / "var/run/pulse/native",
    };
    for (const auto& socket : sockets)
        if (present(socket)) return true;
    for (const auto& file : clientConfigFiles(places))
        if (namesDefaultServer(file)) return true;
    // The client library starts a daemon itself, but never for the super-user.
    if (places.userId != 0 && present(places.root / "usr/bin/pulseaudio")) return true;
    return places.displayNamesServer && places.displayNamesServer();
}

bool audioServerMayExist() {
    AudioServerPlaces places;
    places.environment = [](const std::string& name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name.c_str())) return std::string(value);
        return std::nullopt;
    };
    places.userId = ::getuid();
    places.displayNamesServer = x11RootNamesServer;
    return audioServerMayExist(places);
}

}  // namespace platform
