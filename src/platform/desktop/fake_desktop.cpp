#include "platform/desktop/fake_desktop.h"

namespace platform {

FakeDesktop::FakeDesktop(Scheduler& scheduler) : Desktop(scheduler) {}

FakeDesktop::FakeWindow* FakeDesktop::fake(WindowHandle window) {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

const FakeDesktop::FakeWindow* FakeDesktop::fake(WindowHandle window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

WindowHandle FakeDesktop::findWindow(const QString& caption) {
    for (const auto& [handle, window] : windows_) {
        if (window.caption == caption) return handle;
    }
    return findOwnWindow(caption);
}

bool FakeDesktop::windowExists(WindowHandle window) {
    return fake(window) != nullptr || isOwnWindow(window);
}

void FakeDesktop::postMessage(WindowHandle target, std::uint32_t message, std::int32_t wParam,
                              std::int32_t lParam) {
    if (FakeWindow* window = fake(target)) {
        const Post post{message, wParam, lParam};
        window->posts.push_back(post);
        if (onPost) onPost(target, post);
        return;
    }
    if (!isOwnWindow(target)) return;
    scheduler_.post([this, alive = std::weak_ptr(alive_), target, message, wParam, lParam] {
        // Still checked here: the window (or the desktop) may have gone while it waited.
        if (!alive.expired() && isOwnWindow(target)) handleNow(target, message, wParam, lParam);
    });
}

bool FakeDesktop::sendSystemCommand(WindowHandle target, SystemCommand command) {
    if (FakeWindow* window = fake(target)) {
        window->commands.push_back(command);
        window->minimised = command == SystemCommand::Minimise;
        return true;
    }
    if (!isOwnWindow(target)) return false;
    handleNow(target, kSystemCommandMessage, static_cast<std::int32_t>(command), 0);
    return true;
}

bool FakeDesktop::startProgram(const std::filesystem::path& program, const QString& argument) {
    startedPrograms_.push_back({program, argument});
    return true;
}

WindowHandle FakeDesktop::addWindow(const QString& caption) {
    const WindowHandle handle{nextHandle_++};
    windows_[handle].caption = caption;
    return handle;
}

void FakeDesktop::closeWindow(WindowHandle window) {
    windows_.erase(window);
}

void FakeDesktop::setCaption(WindowHandle window, const QString& caption) {
    if (FakeWindow* found = fake(window)) found->caption = caption;
}

std::vector<FakeDesktop::Post> FakeDesktop::posts(WindowHandle window) const {
    const FakeWindow* found = fake(window);
    return found ? found->posts : std::vector<Post>{};
}

std::vector<SystemCommand> FakeDesktop::systemCommands(WindowHandle window) const {
    const FakeWindow* found = fake(window);
    return found ? found->commands : std::vector<SystemCommand>{};
}

void FakeDesktop::clearRecords(WindowHandle window) {
    if (FakeWindow* found = fake(window)) {
        found->posts.clear();
        found->commands.clear();
    }
}

bool FakeDesktop::isMinimised(WindowHandle window) const {
    const FakeWindow* found = fake(window);
    return found && found->minimised;
}

WindowHandle FakeDesktop::handleOf(QWidget& window) {
    auto [entry, added] = ownHandles_.try_emplace(&window, WindowHandle{nextHandle_});
    if (added) ++nextHandle_;
    return entry->second;
}

}  // namespace platform
