#pragma once

namespace client {
class MainForm;
}

namespace table {

// The table window as designed: the pictures, fonts, sizes and visibility its controls carry
// before any code runs (the design is 1024 x 768 table pixels). The layout at load places and
// scales them, and creates the array members that the design lacks.
void DressTableWindow(client::MainForm& form);

// The parts of the design that come with their own handlers: the skinned frame's pictures,
// caption, caption buttons and drag bar, and the web panes' events.
void DressSkinFrame(client::MainForm& form);
void DressWebPanes(client::MainForm& form);

}  // namespace table
