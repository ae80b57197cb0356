#pragma once

#include <unistd.h>

#include <QStringList>
#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "client/client.h"
#include "client/main_form.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/runtime/message_box.h"
#include "platform/runtime/scheduler.h"
#include "platform/sound/recording_sound_device.h"

namespace support {

// A client on virtual time with a fake desktop (holding a hall window), scripted message boxes
// and a program folder of its own. Tests set the command line and screen before load().
class ClientHarness {
  public:
    static constexpr const char16_t* kHallCaption = u"Brenmoor山庄";

    ClientHarness() : desktop(scheduler), boxes(&scheduler) {
        static std::atomic<int> counter{0};
        const char* base = std::getenv("KORVASH_TEST_TMP");
        folder =
            (base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
            ("client-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "bin");
        env.programFolder = folder / "bin";
        env.screenSize = {1280, 1024};
        hall = desktop.addWindow(QString::fromUtf16(kHallCaption));
        // A hall's full line without a connection, so that a load succeeds and stays idle.
        env.commandLine = commandLine({});
    }

    // The hall's fifteen "$"-ended fields: defaults (ProxyType 3: no connection, the default
    // hall caption), with the given fields (1-based) replaced.
    static QString commandLine(std::initializer_list<std::pair<int, QString>> fields) {
        QStringList values = {"player1", "pw",           "127.0.0.1", "7788", "北京",
                              "3",       "127.0.0.1",    "1080",      "",     "",
                              "0",       "Brenmoor山庄", "Korvash",   "0",    "0"};
        for (const auto& [field, value] : fields) values[field - 1] = value;
        return values.join(u'$') + u'$';
    }
    ~ClientHarness() {
        client.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Builds the client (not yet loaded: the first touch of MainForm loads it).
    client::Client& make() {
        client = std::make_unique<client::Client>(client::ClientPlatform{
            scheduler, boxes, desktop, env, folder, 1, attachView, soundDevice, videoComponent});
        return *client;
    }

    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    platform::FakeDesktop desktop;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingSoundDevice soundDevice;
    platform::Environment env;
    std::function<void(forms::Form&)> attachView;
    // The video component the client is made with; none by default.
    video::Component* videoComponent = nullptr;
    std::filesystem::path folder;
    platform::WindowHandle hall;
    std::unique_ptr<client::Client> client;
};

}  // namespace support
