// The table client: wires the real platform and loads the table window, which is the program.
#include <QApplication>
#include <QGuiApplication>
#include <memory>
#include <random>
#include <thread>

#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/desktop/x11_desktop.h"
#include "platform/forms/font.h"
#include "platform/forms/form_view.h"
#include "platform/runtime/environment.h"
#include "platform/runtime/message_box.h"
#include "platform/runtime/scheduler.h"
#include "platform/runtime/single_instance.h"
#include "platform/sound/qt_sound_device.h"
#include "platform/video/video_component.h"
#include "resources/design_names.h"

namespace {

// Without an X server the desktop holds no other program's window: the hall cannot be found
// and start-up ends the program quietly, as it does whenever the hall is missing.
std::unique_ptr<platform::Desktop> openDesktop(platform::Scheduler& scheduler) {
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        if (auto x11 = platform::X11Desktop::open(scheduler)) return x11;
    }
    return std::make_unique<platform::FakeDesktop>(scheduler);
}

}  // namespace

int main(int argc, char** argv) {
    // Two things the table's first paint needs depend on nothing of the program's state: the
    // system's font configuration (read from dozens of files at the first measured text) and the
    // table picture. A helper thread does them while the toolkit connects to the display.
    std::thread warmUp([] {
        forms::PrepareFontConfiguration();
        (void)connection::DesignPicture(resources::design::kTable).image();
    });
    QApplication app(argc, argv);
    platform::Scheduler scheduler(platform::Scheduler::Mode::Real);
    const std::unique_ptr<platform::Desktop> desktop = openDesktop(scheduler);
    platform::DialogMessageBoxes boxes(scheduler);
    platform::QtSoundDevice soundDevice;
    // The camera is the machine's; where there is none the table says so.
    platform::VideoComponent video(scheduler,
                                   {.openCamera = platform::OpenMachineCamera, .relayPort = {}});

    client::Client client(client::ClientPlatform{
        scheduler, boxes, *desktop, platform::Environment::fromProcess(app.arguments()),
        platform::SingleInstanceLock::defaultFolder(), std::random_device{}(), forms::attachView,
        soundDevice, &video});
    // Loading the table window is the start of the client; the end of the program, wherever
    // it comes from, ends the run.
    // The table window uses both: waiting here, never doing either twice.
    warmUp.join();
    scheduler.post([&client] { client.MainForm.get(); });
    return scheduler.run();
}
