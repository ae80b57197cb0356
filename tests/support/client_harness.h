#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "connection/client.h"
#include "connection/main_form.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/runtime/message_box.h"
#include "platform/runtime/scheduler.h"

namespace support {

// A client on virtual time with a fake desktop (holding a hall window), scripted message boxes
// and a program folder of its own. Tests set the command line and screen before load().
class ClientHarness {
public:
    static constexpr const char16_t* kHallCaption = u"Brenmoor山庄";

    ClientHarness() : desktop(scheduler), boxes(&scheduler) {
        static std::atomic<int> counter{0};
        const char* base = std::getenv("KORVASH_TEST_TMP");
        folder = (base && *base ? std::filesystem::path(base)
                                : std::filesystem::temp_directory_path()) /
                 ("client-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "bin");
        env.programFolder = folder / "bin";
        env.screenSize = {1280, 1024};
        hall = desktop.addWindow(QString::fromUtf16(kHallCaption));
    }
    ~ClientHarness() {
        client.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Builds the client (not yet loaded: the first touch of MainForm loads it).
    connection::Client& make() {
        client = std::make_unique<connection::Client>(connection::ClientPlatform{
            scheduler, boxes, desktop, env, folder, 1, attachView});
        return *client;
    }

    platform::Scheduler scheduler{platform::Scheduler::Mode::Virtual};
    platform::FakeDesktop desktop;
    platform::ScriptedMessageBoxes boxes;
    platform::Environment env;
    std::function<void(forms::Form&)> attachView;
    std::filesystem::path folder;
    platform::WindowHandle hall;
    std::unique_ptr<connection::Client> client;
};

}  // namespace support
