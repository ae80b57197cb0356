#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/x11_desktop.h"
#include "platform/runtime/scheduler.h"
#include "support/scoped_environment.h"
#include "support/xvfb_server.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace x11_test {

// This program on a private X server: a Qt application on the xcb platform, a real-time
// scheduler, the X11 desktop, and a raw connection that plays a third program.
class X11Session : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!support::XvfbServer::findExecutable()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb); the X11 desktop is untested";
        }
        xvfb = std::make_unique<support::XvfbServer>();
        ASSERT_TRUE(xvfb->running()) << xvfb->problem();
        ASSERT_EQ(QCoreApplication::instance(), nullptr) << "needs an application of its own";
        environment.set("QT_QPA_PLATFORM", "xcb");
        environment.set("DISPLAY", QByteArray::fromStdString(xvfb->display()));
        app = std::make_unique<QApplication>(argc, argv);
        scheduler = std::make_unique<platform::Scheduler>(platform::Scheduler::Mode::Real);
        desktop = platform::X11Desktop::open(*scheduler, xvfb->display());
        ASSERT_NE(desktop, nullptr);
        raw = XOpenDisplay(xvfb->display().c_str());
        ASSERT_NE(raw, nullptr);
    }

    // Subclasses release their windows first.
    void TearDown() override {
        if (raw) XCloseDisplay(raw);
        desktop.reset();
        scheduler.reset();
        app.reset();
    }

    bool waitFor(const std::function<bool()>& done) { return scheduler->waitUntil(done, 5000); }

    support::ScopedEnvironment environment;
    std::unique_ptr<support::XvfbServer> xvfb;
    int argc = 1;
    char name[16] = "test_desktop";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    std::unique_ptr<platform::Scheduler> scheduler;
    std::unique_ptr<platform::X11Desktop> desktop;
    Display* raw = nullptr;  // a third program's connection
};

}  // namespace x11_test
