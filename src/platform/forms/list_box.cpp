#include "platform/forms/list_box.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/input.h"
#include "platform/runtime/failure.h"

namespace forms {

namespace {

[[noreturn]] void invalid(const char* what) {
    platform::fail(platform::RuntimeFailure::Kind::InvalidArgument, what);
}

}  // namespace

ListBox::ListBox(Container& container, QString name)
    : TextControl(container, std::move(name), Windowed::Yes, kSystemWindowText, kSystemWindow) {}

void ListBox::addItem(const QString& item, std::optional<int> index) {
    const int at = index.value_or(listCount());
    if (at < 0 || at > listCount()) invalid("Invalid procedure call");
    items_.insert(at, item);
    if (listIndex_ >= at) ++listIndex_;
    changed();
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= listCount()) invalid("Invalid procedure call");
    items_.removeAt(index);
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, listCount() - 1));
    changed();
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    topIndex_ = 0;
    changed();
}

QString ListBox::list(int index) const {
    if (index < -1) invalid("Invalid property array index");
    return index >= 0 && index < listCount() ? items_[index] : QString();
}

void ListBox::setList(int index, const QString& item) {
    if (index < 0 || index >= listCount()) invalid("Invalid property array index");
    items_[index] = item;
    changed();
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) invalid("Invalid property value");
    select(index);
}

void ListBox::select(int index) {
    if (index == listIndex_) return;
    listIndex_ = index;
    // The selected line is scrolled into view, as the list does it.
    if (index >= 0 && index < topIndex_) topIndex_ = index;
    if (index >= 0 && index >= topIndex_ + visibleRows()) topIndex_ = index - visibleRows() + 1;
    changed();
    onClick.raise();
}

void ListBox::setTopIndex(int index) {
    if (index < 0 || index > std::max(0, listCount() - 1)) invalid("Invalid property value");
    topIndex_ = index;
    changed();
}

int ListBox::visibleRows() const {
    const float rows = rectInContainer().height() / itemHeight();
    return std::max(1, int(std::floor(rows)));
}

void ListBox::pressAction(QPointF at, int button) {
    if (button != kLeftButton) return;
    const int row = topIndex_ + int(std::floor(at.y() / itemHeight()));
    if (row >= 0 && row < listCount()) select(row);
}

void ListBox::keyDownAction(int keyCode, int shift) {
    if (items_.isEmpty()) return;
    const int last = listCount() - 1;
    switch (keyCode) {
        case key::Up:
            select(std::max(0, listIndex_ - 1));
            return;
        case key::Down:
            select(std::min(last, listIndex_ + 1));
            return;
        case key::Home:
            select(0);
            return;
        case key::End:
            select(last);
            return;
        case key::PageUp:
            select(std::max(0, listIndex_ - visibleRows()));
            return;
        case key::PageDown:
            select(std::min(last, std::max(0, listIndex_) + visibleRows()));
            return;
        default:
            return;
    }
}

void ListBox::copyPropertiesFrom(const Control& source) {
    TextControl::copyPropertiesFrom(source);
    items_ = static_cast<const ListBox&>(source).items_;
}

}  // namespace forms
