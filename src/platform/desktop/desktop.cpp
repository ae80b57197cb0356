#include "platform/desktop/desktop.h"

namespace platform {

bool Desktop::openUrl(const QString& url) {
    const QUrl address(url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() ||
        (scheme != u"http" && scheme != u"https")) {
        return false;
    }
    launchUrl(address);
    return true;
}

bool Desktop::openFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return false;
    launchUrl(QUrl::fromLocalFile(QString::fromStdString(folder.string())));
    return true;
}

Desktop::Desktop(Scheduler& scheduler) : scheduler_(scheduler) {}

Desktop::~Desktop() = default;

WindowHandle Desktop::attachWindow(QWidget& window, WindowActions actions) {
    const WindowHandle handle = handleOf(window);
    OwnWindow entry;
    entry.widget = &window;
    entry.actions = std::move(actions);
    entry.procedure = [this](WindowHandle target, std::uint32_t message, std::int32_t wParam,
                             std::int32_t) { return defaultProcedure(target, message, wParam); };
    own_[handle] = std::move(entry);
    return handle;
}

void Desktop::detachWindow(WindowHandle window) {
    own_.erase(window);
}

const Desktop::OwnWindow* Desktop::own(WindowHandle window) const {
    auto found = own_.find(window);
    if (found == own_.end() || !found->second.widget) return nullptr;
    return &found->second;
}

bool Desktop::isOwnWindow(WindowHandle window) const {
    return own(window) != nullptr;
}

WindowProcedure Desktop::setWindowProcedure(WindowHandle window, WindowProcedure procedure) {
    auto found = own_.find(window);
    if (found == own_.end()) return {};
    std::swap(found->second.procedure, procedure);
    return procedure;
}

WindowProcedure Desktop::windowProcedure(WindowHandle window) const {
    const OwnWindow* entry = own(window);
    return entry ? entry->procedure : WindowProcedure{};
}

std::int32_t Desktop::callWindowProcedure(const WindowProcedure& procedure, WindowHandle window,
                                          std::uint32_t message, std::int32_t wParam,
                                          std::int32_t lParam) {
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

std::int32_t Desktop::defaultProcedure(WindowHandle window, std::uint32_t message,
                                       std::int32_t wParam) {
    if (message != kSystemCommandMessage) return 0;
    // The low four bits of a system command are the system's own.
    switch (static_cast<SystemCommand>(wParam & 0xFFF0)) {
        case SystemCommand::Restore:
            restoreWindow(window);
            break;
        case SystemCommand::Minimise:
            minimiseWindow(window);
            break;
    }
    return 0;
}

void Desktop::restoreWindow(WindowHandle window) {
    const OwnWindow* entry = own(window);
    if (!entry) return;
    if (entry->actions.restore) {
        entry->actions.restore();
    } else {
        entry->widget->showNormal();
        entry->widget->raise();
    }
}

void Desktop::minimiseWindow(WindowHandle window) {
    const OwnWindow* entry = own(window);
    if (!entry) return;
    if (entry->actions.minimise) {
        entry->actions.minimise();
    } else {
        entry->widget->showMinimized();
    }
}

QString Desktop::ownCaption(WindowHandle window) const {
    const OwnWindow* entry = own(window);
    return entry ? entry->widget->windowTitle() : QString();
}

WindowHandle Desktop::findOwnWindow(const QString& caption) const {
    for (const auto& [handle, entry] : own_) {
        if (entry.widget && entry.widget->windowTitle() == caption) return handle;
    }
    return {};
}

QWidget* Desktop::ownWidget(WindowHandle window) const {
    const OwnWindow* entry = own(window);
    return entry ? entry->widget.data() : nullptr;
}

WindowHandle Desktop::findOwnWindow(const std::function<bool(const QWidget&)>& matches) const {
    for (const auto& [handle, entry] : own_) {
        if (entry.widget && matches(*entry.widget)) return handle;
    }
    return {};
}

WindowHandle Desktop::anyOwnWindow() const {
    for (const auto& [handle, entry] : own_) {
        if (entry.widget) return handle;
    }
    return {};
}

std::int32_t Desktop::handleNow(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                std::int32_t lParam) {
    // Copied: the procedure may replace itself while it runs.
    const WindowProcedure procedure = windowProcedure(window);
    return callWindowProcedure(procedure, window, message, wParam, lParam);
}

void Desktop::deliver(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                      std::int32_t lParam) {
    if (!isOwnWindow(window)) return;
    scheduler_.dispatch([&] { handleNow(window, message, wParam, lParam); });
}

}  // namespace platform
