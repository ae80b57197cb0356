#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "platform/desktop/desktop.h"

namespace platform {

// A desktop inside the test process. Other programs' windows (a hall, a music box) are fake
// windows that record what is posted and sent to them; this program's windows are real widgets
// (offscreen in tests) attached as on the real desktop. A message posted to an own window
// arrives as a scheduler event, as it would from another program.
class FakeDesktop : public Desktop {
  public:
    struct Post {
        std::uint32_t message = 0;
        std::int32_t wParam = 0;
        std::int32_t lParam = 0;
        bool operator==(const Post&) const = default;
    };

    explicit FakeDesktop(Scheduler& scheduler);

    WindowHandle findWindow(const QString& caption) override;
    bool windowExists(WindowHandle window) override;
    void postMessage(WindowHandle target, std::uint32_t message, std::int32_t wParam = 0,
                     std::int32_t lParam = 0) override;
    bool sendSystemCommand(WindowHandle target, SystemCommand command) override;
    bool startProgram(const std::filesystem::path& program, const QString& argument) override;

    // Another program's window.
    WindowHandle addWindow(const QString& caption);
    void closeWindow(WindowHandle window);
    void setCaption(WindowHandle window, const QString& caption);

    // What reached a fake window, oldest first.
    std::vector<Post> posts(WindowHandle window) const;
    std::vector<SystemCommand> systemCommands(WindowHandle window) const;
    void clearRecords(WindowHandle window);
    bool isMinimised(WindowHandle window) const;
    // The addresses handed to the browser, oldest first.
    const std::vector<QString>& openedUrls() const { return openedUrls_; }
    // The programs started, oldest first: the program's path and its argument.
    struct StartedProgram {
        std::filesystem::path program;
        QString argument;
    };
    const std::vector<StartedProgram>& startedPrograms() const { return startedPrograms_; }
    // Lets a test act as the other program the moment something is posted to its window.
    std::function<void(WindowHandle window, const Post& post)> onPost;

  protected:
    WindowHandle handleOf(QWidget& window) override;
    void launchUrl(const QUrl& url) override { openedUrls_.push_back(url.toString()); }

  private:
    struct FakeWindow {
        QString caption;
        std::vector<Post> posts;
        std::vector<SystemCommand> commands;
        bool minimised = false;
    };
    FakeWindow* fake(WindowHandle window);
    const FakeWindow* fake(WindowHandle window) const;

    std::map<WindowHandle, FakeWindow> windows_;
    std::vector<QString> openedUrls_;
    std::vector<StartedProgram> startedPrograms_;
    std::map<const QWidget*, WindowHandle> ownHandles_;
    std::uint64_t nextHandle_ = 0x1000;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
