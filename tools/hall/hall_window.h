#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <array>
#include <memory>

#include "platform/desktop/desktop.h"

namespace hall {

// The hall's one window: the fifteen command-line fields of the client, the client's path, the
// buttons that start the client and post the hall's messages to its table window, and a log
// of every message that reaches the hall, which also goes to stdout for scripts and tests.
class HallWindow : public QWidget {
  public:
    static constexpr int kFieldCount = 15;

    HallWindow(platform::Desktop* desktop, const QString& clientPath);

    // Sets field `number` (1-based, as the client counts them); false when there is none.
    bool setField(int number, const QString& text);
    // Every field followed by "$", as the client reads it.
    QString commandLine() const;
    // What the start button does.
    void startClient();

  private:
    void buildFields();
    void postToTable(std::uint32_t message);
    std::int32_t receive(platform::WindowHandle window, std::uint32_t message, std::int32_t wParam,
                         std::int32_t lParam);
    void log(const QString& line);

    platform::Desktop* desktop_;
    platform::WindowProcedure previousProcedure_;
    QLineEdit* clientPath_ = nullptr;
    std::array<QLineEdit*, kFieldCount> fields_{};
    QListWidget* log_ = nullptr;
};

}  // namespace hall
