#pragma once

#include <QString>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <type_traits>

#include "platform/forms/container.h"
#include "platform/forms/control.h"
#include "platform/forms/event.h"
#include "platform/forms/text_box.h"
#include "platform/runtime/failure.h"

namespace forms {

// A control array: members share a name and their handlers, which receive the member's Index
// first. The members of the design exist from the start; load(k) creates member k at run time
// as a hidden copy of the lowest member (picture, size, position, font, pointer, tooltip), on
// top of its siblings; unload(k) removes it again. Addressing a missing member is a run-time
// failure. Members usually share one container; an array whose design members lie in several
// containers (buttons spread over a row of bars) names the container of each member.
template <typename T>
class ControlArray {
    static_assert(std::is_base_of_v<Control, T>, "a control array holds controls");

  public:
    ControlArray(Container& container, QString name, std::initializer_list<int> designIndexes = {0})
        : ControlArray(std::move(name), designIndexes,
                       [&container](int) -> Container& { return container; }) {}
    ControlArray(QString name, std::initializer_list<int> designIndexes,
                 const std::function<Container&(int index)>& containerOf)
        : name_(std::move(name)) {
        for (int index : designIndexes) {
            auto member = std::make_unique<T>(containerOf(index), name_);
            wire(*member, index);
            members_.emplace(index, std::move(member));
        }
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    T& operator[](int index) { return member(index); }
    const T& operator[](int index) const { return const_cast<ControlArray&>(*this).member(index); }
    bool exists(int index) const { return members_.count(index) != 0; }

    int count() const { return int(members_.size()); }
    int lbound() const { return members_.empty() ? 0 : members_.begin()->first; }
    int ubound() const { return members_.empty() ? -1 : members_.rbegin()->first; }

    void load(int index) {
        if (exists(index)) {
            platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "Object already loaded");
        }
        if (members_.empty()) {
            platform::fail(platform::RuntimeFailure::Kind::ControlFailed,
                           "Control array element doesn't exist");
        }
        const T& source = *members_.begin()->second;
        auto member = std::make_unique<T>(*source.container(), name_);
        wire(*member, index);
        Control& copy = *member;
        copy.copyPropertiesFrom(source);
        copy.setVisible(false);
        copy.changed();
        runtime_.insert(index);
        members_.emplace(index, std::move(member));
    }

    void unload(int index) {
        if (!runtime_.count(index)) {
            platform::fail(platform::RuntimeFailure::Kind::ControlFailed,
                           "Can't unload controls created at design time");
        }
        runtime_.erase(index);
        // Taken out first, so handlers the destruction might reach see a consistent array.
        auto node = members_.extract(index);
        node.mapped().reset();
    }

    template <typename Fn>
    void forEach(Fn&& fn) {
        for (auto& [index, member] : members_) fn(index, *member);
    }

    Event<int> onClick;
    Event<int> onDblClick;
    Event<int, int, int, float, float> onMouseDown;  // Index, Button, Shift, X, Y
    Event<int, int, int, float, float> onMouseMove;
    Event<int, int, int, float, float> onMouseUp;
    Event<int, int&, int> onKeyDown;
    Event<int, int&> onKeyPress;
    Event<int, int&, int> onKeyUp;
    Event<int> onGotFocus;
    Event<int> onLostFocus;
    Event<int> onChange;  // text boxes

  private:
    T& member(int index) {
        auto it = members_.find(index);
        if (it == members_.end()) {
            platform::fail(platform::RuntimeFailure::Kind::IndexOutOfRange,
                           "Control array element " + std::to_string(index) + " doesn't exist");
        }
        return *it->second;
    }

    void wire(T& member, int index) {
        static_cast<Control&>(member).setIndex(index);
        member.onClick = [this, index] { onClick.raise(index); };
        member.onDblClick = [this, index] { onDblClick.raise(index); };
        member.onMouseDown = [this, index](int b, int s, float x, float y) {
            onMouseDown.raise(index, b, s, x, y);
        };
        member.onMouseMove = [this, index](int b, int s, float x, float y) {
            onMouseMove.raise(index, b, s, x, y);
        };
        member.onMouseUp = [this, index](int b, int s, float x, float y) {
            onMouseUp.raise(index, b, s, x, y);
        };
        member.onKeyDown = [this, index](int& k, int s) { onKeyDown.raise(index, k, s); };
        member.onKeyPress = [this, index](int& k) { onKeyPress.raise(index, k); };
        member.onKeyUp = [this, index](int& k, int s) { onKeyUp.raise(index, k, s); };
        member.onGotFocus = [this, index] { onGotFocus.raise(index); };
        member.onLostFocus = [this, index] { onLostFocus.raise(index); };
        if constexpr (std::is_base_of_v<TextBox, T>) {
            member.onChange = [this, index] { onChange.raise(index); };
        }
    }

    QString name_;
    std::map<int, std::unique_ptr<T>> members_;
    std::set<int> runtime_;
};

}  // namespace forms
