#pragma once

// A table window loaded by start-up on a chosen screen, with no connection: the layout at load
// has run, as it does in the program.
#include <QApplication>
#include <QSize>
#include <memory>
#include <string>

#include "client/client.h"
#include "client/main_form.h"
#include "platform/forms/form_view.h"
#include "support/client_harness.h"

namespace table_test {

enum class Screen { Framed1280, Exact1024, Small800 };

inline QSize ScreenSize(Screen screen) {
    switch (screen) {
        case Screen::Framed1280:
            return {1280, 1024};
        case Screen::Exact1024:
            return {1024, 768};
        case Screen::Small800:
            return {800, 600};
    }
    return {};
}

inline const char* ScreenName(Screen screen) {
    switch (screen) {
        case Screen::Framed1280:
            return "1280x1024";
        case Screen::Exact1024:
            return "1024x768";
        case Screen::Small800:
            return "800x600";
    }
    return "";
}

inline float ScaleOf(Screen screen) {
    return screen == Screen::Small800 ? 0.78125f : 1.0f;
}

// Names the two layouts in test names: "Full" and "Reduced".
template <typename Info>
std::string LayoutName(const Info& info) {
    return info.param == Screen::Small800 ? "Reduced" : "Full";
}

// Windows that are drawn need the application object.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_table";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run and never destroyed: at exit, Qt's own global registries (the
    // input devices a drawn page registers) may already be gone when a static application
    // would delete its children.
    static QApplication* const app = std::make_unique<QApplication>(argc, argv).release();
    (void)app;
}

struct LoadedTable {
    support::ClientHarness harness;
    client::Client* c = nullptr;

    explicit LoadedTable(Screen screen, bool withView = false) {
        harness.env.screenSize = ScreenSize(screen);
        if (withView) {
            EnsureApplication();
            harness.attachView = forms::attachView;
        }
        c = &harness.make();
        c->MainForm.get();
    }
    client::MainForm& form() { return *c->MainForm; }
    state::SharedState& s() { return c->s; }
};

}  // namespace table_test
