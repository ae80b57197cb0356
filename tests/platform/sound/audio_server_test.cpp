#include "platform/sound/audio_server.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_folder.h"

using namespace platform;

namespace {

// One way a sound server can be announced, laid out in a folder that stands for the machine.
struct ServerCase {
    std::string name;
    std::map<std::string, std::string> environment;          // "{root}" stands for the folder
    std::vector<std::pair<std::string, std::string>> files;  // path under the folder, contents
    // Paths under the folder; the probe does not connect, so a plain file stands in.
    std::vector<std::string> sockets;
    unsigned userId = 1000;
    bool displayNamesServer = false;
    bool mayExist = false;
};

std::vector<ServerCase> serverCases() {
    return {
        {"NothingAnywhere", {}, {}, {}, 1000, false, false},
        {"ServerInTheEnvironment", {{"PULSE_SERVER", "tcp:10.0.0.1"}}, {}, {}, 1000, false, true},
        {"EmptyServerVariable", {{"PULSE_SERVER", ""}}, {}, {}, 1000, false, false},
        {"SocketInTheRuntimeFolder",
         {{"XDG_RUNTIME_DIR", "{root}/xdg"}},
         {},
         {"xdg/pulse/native"},
         1000,
         false,
         true},
        {"SocketOfPulseRuntimePath",
         {{"PULSE_RUNTIME_PATH", "{root}/p"}},
         {},
         {"p/native"},
         1000,
         false,
         true},
        {"PerUserSocketUnderRun", {}, {}, {"run/user/1000/pulse/native"}, 1000, false, true},
        {"AnotherUsersSocketOnly", {}, {}, {"run/user/1001/pulse/native"}, 1000, false, false},
        {"SystemWideSocket", {}, {}, {"var/run/pulse/native"}, 0, false, true},
        {"RuntimeFolderWithoutSocket",
         {{"XDG_RUNTIME_DIR", "{root}/xdg"}},
         {{"xdg/other", ""}},
         {},
         1000,
         false,
         false},
        {"DefaultServerInSystemConfig",
         {},
         {{"etc/pulse/client.conf", "default-server = host\n"}},
         {},
         1000,
         false,
         true},
        {"DefaultServerOnTheLastLineWithoutAnEnd",
         {},
         {{"etc/pulse/client.conf", "; remote\r\nautospawn = no\r\n\ndefault-server = host"}},
         {},
         1000,
         false,
         true},
        {"CommentedDefaultServer",
         {},
         {{"etc/pulse/client.conf", "; default-server = host\n# default-server = x\n"}},
         {},
         1000,
         false,
         false},
        {"EmptyDefaultServer",
         {},
         {{"etc/pulse/client.conf", "default-server =  \n"}},
         {},
         1000,
         false,
         false},
        {"DefaultServerInConfigFolder",
         {},
         {{"etc/pulse/client.conf.d/01-remote.conf", "  default-server=unix:/x\n"}},
         {},
         1000,
         false,
         true},
        {"DefaultServerInUsersConfig",
         {{"HOME", "{root}/home"}},
         {{"home/.config/pulse/client.conf", "default-server = h\n"}},
         {},
         1000,
         false,
         true},
        {"DefaultServerInNamedConfig",
         {{"PULSE_CLIENTCONFIG", "{root}/mine.conf"}},
         {{"mine.conf", "default-server = h\n"}},
         {},
         1000,
         false,
         true},
        {"DaemonThatMayBeStarted", {}, {{"usr/bin/pulseaudio", ""}}, {}, 1000, false, true},
        {"DaemonNeverStartedForTheSuperUser",
         {},
         {{"usr/bin/pulseaudio", ""}},
         {},
         0,
         false,
         false},
        {"ServerNamedOnTheDisplay", {}, {}, {}, 1000, true, true},
        // A device named as the configuration is not read at all (it would never end).
        {"ConfigurationThatIsADevice",
         {{"PULSE_CLIENTCONFIG", "/dev/zero"}},
         {},
         {},
         1000,
         false,
         false},
    };
}

class AudioServerProbe : public TempFolderTest, public testing::WithParamInterface<ServerCase> {};

TEST_P(AudioServerProbe, FindsWhatThePulseClientWouldFind) {
    const ServerCase& c = GetParam();
    auto files = c.files;
    for (const auto& socket : c.sockets) files.emplace_back(socket, "");
    for (const auto& [path, contents] : files) {
        std::filesystem::create_directories((folder() / path).parent_path());
        writeFile(path, contents);
    }
    std::map<std::string, std::string> environment;
    for (auto [name, value] : c.environment) {
        if (const auto at = value.find("{root}"); at != std::string::npos)
            value.replace(at, 6, folder().string());
        environment[name] = value;
    }
    AudioServerPlaces places;
    places.environment = [&](const std::string& name) -> std::optional<std::string> {
        const auto it = environment.find(name);
        return it == environment.end() ? std::nullopt : std::optional(it->second);
    };
    places.root = folder();
    places.userId = c.userId;
    places.displayNamesServer = [&] { return c.displayNamesServer; };

    EXPECT_EQ(audioServerMayExist(places), c.mayExist);
}

INSTANTIATE_TEST_SUITE_P(Places, AudioServerProbe, testing::ValuesIn(serverCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
