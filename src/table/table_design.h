#pragma once

namespace client {
class MainForm;
}

namespace table {

// The table window as designed: the pictures, fonts, sizes and visibility its controls carry
// before any code runs (the design is 1024 x 768 table pixels). The layout at load places and
// scales them, and creates the array members that the design lacks.
void DressTableWindow(client::MainForm& form);

}  // namespace table
