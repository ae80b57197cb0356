#include "platform/forms/timer.h"

#include "platform/forms/form.h"
#include "platform/forms/forms.h"

namespace forms {

Timer::Timer(Form& form, QString name, int interval, bool enabled)
    : form_(form), name_(std::move(name)), timer_(form.forms().scheduler()) {
    timer_.setEnabled(false);
    timer_.setInterval(interval);
    timer_.onTimer = [this] {
        Forms::HandlerScope scope(form_.forms());
        onTimer.raise();
    };
    form.adoptTimer(*this);
    timer_.setEnabled(enabled);
}

Timer::~Timer() {
    form_.releaseTimer(*this);
}

void Timer::stop() {
    timer_.setEnabled(false);
    timer_.onTimer = nullptr;
}

}  // namespace forms
