#pragma once

#include <QString>

#include "platform/forms/event.h"
#include "platform/runtime/scheduler.h"

namespace forms {

class Form;

// The Timer control of a window: Interval in ms and Enabled, on the client's scheduler. It
// stops for good when its window unloads.
class Timer {
  public:
    Timer(Form& form, QString name, int interval = 0, bool enabled = true);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    const QString& name() const { return name_; }
    int interval() const { return timer_.interval(); }
    void setInterval(int ms) { timer_.setInterval(ms); }  // 0..65535, else a run-time failure
    bool enabled() const { return timer_.enabled(); }
    void setEnabled(bool value) { timer_.setEnabled(value); }

    Event<> onTimer;

  private:
    friend class Form;
    void stop();

    Form& form_;
    QString name_;
    platform::Timer timer_;
};

}  // namespace forms
