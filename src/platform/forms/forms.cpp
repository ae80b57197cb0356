#include "platform/forms/forms.h"

#include <algorithm>

namespace forms {

Forms::Forms(platform::Scheduler& scheduler) : scheduler_(scheduler) {}

Forms::~Forms() {
    // Views first, so no widget hears of controls going away one by one.
    for (auto& form : open_) form->detachView();
    for (auto& form : unloaded_) form->detachView();
    open_.clear();
    unloaded_.clear();
}

std::vector<Form*> Forms::openForms() const {
    std::vector<Form*> result;
    result.reserve(open_.size());
    for (const auto& form : open_) result.push_back(form.get());
    return result;
}

void Forms::adopt(std::unique_ptr<Form> form) {
    Form& loaded = *form;
    open_.push_back(std::move(form));
    loaded.loaded_ = true;
    if (attachView_) attachView_(loaded);
    HandlerScope scope(*this);
    loaded.runLoad();
}

void Forms::retire(Form& form) {
    if (active_ == &form) active_ = nullptr;
    auto it = std::find_if(open_.begin(), open_.end(),
                           [&](const std::unique_ptr<Form>& f) { return f.get() == &form; });
    if (it == open_.end()) return;
    unloaded_.push_back(std::move(*it));
    open_.erase(it);
}

void Forms::collectUnloaded() {
    if (handlerDepth_ != 0) return;
    // Moved out first: a window's destruction must not see the list half-cleared.
    auto doomed = std::move(unloaded_);
    unloaded_.clear();
    for (auto& form : doomed) form->detachView();
}

}  // namespace forms
