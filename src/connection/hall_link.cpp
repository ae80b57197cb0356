#include "connection/hall_link.h"

#include "connection/client.h"
#include "platform/desktop/desktop.h"

namespace connection {

platform::WindowHandle FindHallWindow(Client& c) {
    // A blank caption would match any untitled window: it finds none.
    if (c.s.g_sHallCaption.trimmed().isEmpty()) return {};
    return c.sys.desktop.findWindow(c.s.g_sHallCaption);
}

void PostToHall(Client& c, std::uint32_t msg) {
    if (const auto hall = FindHallWindow(c)) c.sys.desktop.postMessage(hall, msg, 0, 0);
}

namespace {

void CommandHall(Client& c, platform::SystemCommand command) {
    if (c.s.g_sHallCaption.trimmed().isEmpty()) return;
    const auto hall = c.sys.desktop.findWindow(c.s.g_sHallCaption);
    if (!hall || !c.sys.desktop.sendSystemCommand(hall, command)) platform::endProgram();
}

}  // namespace

void RestoreHall(Client& c) { CommandHall(c, platform::SystemCommand::Restore); }

void MinimizeHall(Client& c) { CommandHall(c, platform::SystemCommand::Minimise); }

}  // namespace connection
