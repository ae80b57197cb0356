#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/form.h"
#include "platform/runtime/scheduler.h"

namespace forms {

// The client's windows: every loaded window in load order (the toolkit's Forms collection),
// the active one, and the scheduler their timers and input run on. One per client; a test
// builds its own.
class Forms {
  public:
    explicit Forms(platform::Scheduler& scheduler);
    // Destroys every window without running its unload handlers, as the end of the program
    // does.
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    platform::Scheduler& scheduler() const { return scheduler_; }

    // Loads a window made by the caller: it joins the open windows, hidden, and its Form_Load
    // runs. Several instances of one class may be loaded this way.
    template <typename T>
    T& load(std::unique_ptr<T> form) {
        T& loaded = *form;
        adopt(std::move(form));
        return loaded;
    }
    template <typename T, typename... Args>
    T& create(Args&&... args) {
        return load(std::make_unique<T>(*this, std::forward<Args>(args)...));
    }

    // The loaded windows in the order they were loaded.
    std::vector<Form*> openForms() const;
    Form* activeForm() const { return active_; }

    // The program attaches a view to every window as it loads; tests leave it unset.
    void setViewFactory(std::function<void(Form&)> attach) { attachView_ = std::move(attach); }

    // Marks handlers of the windows running, so that an unloaded window is destroyed only
    // once no handler of it can still be on the stack.
    class HandlerScope {
      public:
        explicit HandlerScope(Forms& forms) : forms_(forms) { ++forms_.handlerDepth_; }
        ~HandlerScope() { --forms_.handlerDepth_; }
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

      private:
        Forms& forms_;
    };

    // Destroys the windows unloaded so far, unless a handler of theirs may be on the stack. The
    // next input does it; a caller that runs events without input (a test harness between its
    // runs) does it itself, or every window it unloads stays in memory.
    void collectUnloaded();

  private:
    friend class Form;

    void adopt(std::unique_ptr<Form> form);
    void retire(Form& form);

    platform::Scheduler& scheduler_;
    std::vector<std::unique_ptr<Form>> open_;
    std::vector<std::unique_ptr<Form>> unloaded_;
    Form* active_ = nullptr;
    int handlerDepth_ = 0;
    std::function<void(Form&)> attachView_;
};

}  // namespace forms
