#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Whether a sound server may be reachable, judged without loading any audio library. Qt
// Multimedia reaches an audio output here only through a PulseAudio server (PipeWire serves the
// same protocol), and its client library finds one as this looks for it: the server named in
// the environment, in a client configuration file or on the X display, the per-user or the
// system-wide socket, or a daemon it may start itself. In doubt the answer is yes: a wrong yes
// costs only the loading, a wrong no would silence a machine that has sound.
namespace platform {

struct AudioServerPlaces {
    // The process environment.
    std::function<std::optional<std::string>(const std::string& name)> environment;
    // Where the fixed folders (/run, /var/run, /etc, /usr/bin) are looked up.
    std::filesystem::path root = "/";
    unsigned userId = 0;
    // Whether the X display names a server (the root window's PULSE_SERVER property).
    std::function<bool()> displayNamesServer;
};

bool audioServerMayExist(const AudioServerPlaces& places);

// For this process, on its X display when the application has one.
bool audioServerMayExist();

}  // namespace platform
