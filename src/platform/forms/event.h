#pragma once

#include <functional>
#include <utility>

namespace forms {

// One event of a control or window: at most one handler, bound by the window class that owns
// the control (`Pic1.onKeyDown.bind(this, &MainForm::Pic1_KeyDown)`) or set to a lambda.
template <typename... Args>
class Event {
  public:
    using Handler = std::function<void(Args...)>;

    Event& operator=(Handler handler) {
        handler_ = std::move(handler);
        return *this;
    }

    template <typename Owner>
    void bind(Owner* owner, void (Owner::*method)(Args...)) {
        handler_ = [owner, method](Args... args) { (owner->*method)(std::forward<Args>(args)...); };
    }

    void clear() { handler_ = nullptr; }
    bool isBound() const { return static_cast<bool>(handler_); }

    // Runs the handler; a copy is run so that the handler may rebind or destroy the event.
    void raise(Args... args) const {
        if (!handler_) return;
        Handler handler = handler_;
        handler(std::forward<Args>(args)...);
    }

  private:
    Handler handler_;
};

}  // namespace forms
