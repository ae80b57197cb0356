#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace platform {

class Scheduler;

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// Modal message boxes. They process other events while open, as the original's do.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString& text, const QString& title,
                               MessageButtons buttons = MessageButtons::Ok) = 0;
};

// Real dialogs (Qt's modal loop keeps the scheduler's events running). A program end inside
// the dialog closes it and carries on unwinding.
class DialogMessageBoxes final : public MessageBoxes {
  public:
    explicit DialogMessageBoxes(Scheduler& scheduler) : scheduler_(scheduler) {}
    MessageAnswer show(const QString& text, const QString& title,
                       MessageButtons buttons = MessageButtons::Ok) override;

  private:
    Scheduler& scheduler_;
};

// For tests: records every box and answers from a script (Ok when the script is empty). While
// "open" it lets pending events run once, and can run a test's action inside the box.
class ScriptedMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        QString text;
        QString title;
        MessageButtons buttons;
    };

    explicit ScriptedMessageBoxes(Scheduler* scheduler = nullptr) : scheduler_(scheduler) {}

    MessageAnswer show(const QString& text, const QString& title,
                       MessageButtons buttons = MessageButtons::Ok) override;

    void answerNext(MessageAnswer answer) { script_.push_back(answer); }
    void whileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    const std::vector<Shown>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }

  private:
    Scheduler* scheduler_;
    std::deque<MessageAnswer> script_;
    std::function<void()> whileOpen_;
    std::vector<Shown> shown_;
};

}  // namespace platform
