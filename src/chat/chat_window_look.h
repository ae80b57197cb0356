#pragma once

#include <QString>

namespace forms {
class Form;
class Label;
class ListBox;
}  // namespace forms

namespace chat {

// The chat's floating windows (history and quick phrases) look alike: borderless and dark, a
// close label at the top right and a list filling the rest. Sizes in pixels.
void DressChatWindow(forms::Form& window, const QString& caption, float width, float height,
                     forms::Label& close);
void PlaceChatList(forms::Form& window, forms::ListBox& list);

}  // namespace chat
