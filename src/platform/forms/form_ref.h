#pragma once

#include <functional>
#include <memory>

#include "platform/forms/forms.h"

namespace forms {

// The default instance of a window class: the first touch (->, *, get) loads it hidden and
// runs its Form_Load; after Unload the next touch loads a fresh one. isLoaded() looks without
// loading.
template <typename T>
class FormRef {
  public:
    using Factory = std::function<std::unique_ptr<T>(Forms&)>;

    explicit FormRef(Forms& forms)
        : forms_(forms), make_([](Forms& owner) { return std::make_unique<T>(owner); }) {}
    FormRef(Forms& forms, Factory make) : forms_(forms), make_(std::move(make)) {}

    T& get() {
        if (!isLoaded()) {
            std::unique_ptr<T> made = make_(forms_);
            // Known before Form_Load runs, so a touch from inside it finds this instance.
            form_ = made.get();
            life_ = form_->lifetime();
            forms_.load(std::move(made));
        }
        return *form_;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }

    bool isLoaded() const { return form_ && !life_.expired(); }
    T* ifLoaded() const { return isLoaded() ? form_ : nullptr; }
    // Unload of a window that is not loaded does nothing.
    bool unload() { return isLoaded() ? form_->unload() : true; }

  private:
    Forms& forms_;
    Factory make_;
    T* form_ = nullptr;
    std::weak_ptr<const void> life_;
};

}  // namespace forms
