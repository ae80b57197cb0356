#include "platform/desktop/x11_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <optional>

#include "x11_session.h"

namespace {

using platform::SystemCommand;
using platform::WindowHandle;

const QString kHallCaption = QStringLiteral("Brenmoor山庄");
const QString kTableCaption = QStringLiteral("科尔瓦什牌桌");

struct Received {
    std::uint32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
    bool operator==(const Received&) const = default;
};

// Two programs' windows on a private X server: messages go through the server and come back
// through Qt's connection, as between the hall and the client.
class X11DesktopTest : public x11_test::X11Session {
  protected:
    void TearDown() override {
        hall.reset();
        table.reset();
        X11Session::TearDown();
    }

    std::unique_ptr<QWidget> showWindow(const QString& caption) {
        auto window = std::make_unique<QWidget>();
        window->setWindowTitle(caption);
        window->resize(200, 100);
        window->show();
        return window;
    }

    std::unique_ptr<QWidget> hall;
    std::unique_ptr<QWidget> table;
};

TEST_F(X11DesktopTest, WindowsFindEachOtherAndExchangeMessagesAndCommands) {
    hall = showWindow(kHallCaption);
    table = showWindow(kTableCaption);
    const WindowHandle hallHandle = desktop->attachWindow(*hall);
    const WindowHandle tableHandle = desktop->attachWindow(*table);
    std::vector<Received> received;
    auto previous = std::make_shared<platform::WindowProcedure>();
    *previous = desktop->setWindowProcedure(
        tableHandle,
        [&, previous](WindowHandle w, std::uint32_t m, std::int32_t wp, std::int32_t lp) {
            received.push_back({m, wp, lp});
            return platform::Desktop::callWindowProcedure(*previous, w, m, wp, lp);
        });

    ASSERT_TRUE(waitFor([&] { return bool(desktop->findWindow(kTableCaption)); }));
    EXPECT_EQ(desktop->findWindow(kTableCaption), tableHandle);
    EXPECT_EQ(desktop->findWindow(kHallCaption), hallHandle);
    EXPECT_FALSE(desktop->findWindow(QStringLiteral("Brenmoor山庄 ")));

    desktop->postMessage(tableHandle, 0x465, 7, -3);
    ASSERT_TRUE(waitFor([&] { return !received.empty(); }));
    EXPECT_EQ(received, (std::vector<Received>{{0x465, 7, -3}}));

    EXPECT_TRUE(desktop->sendSystemCommand(hallHandle, SystemCommand::Minimise));
    EXPECT_TRUE(waitFor([&] { return hall->isMinimized(); }));
    EXPECT_TRUE(desktop->sendSystemCommand(hallHandle, SystemCommand::Restore));
    EXPECT_TRUE(waitFor([&] { return !hall->isMinimized(); }));
}

TEST_F(X11DesktopTest, MessagesOnTheWireFollowTheAgreedLayout) {
    // A window of another program with a plain WM_NAME, like a music box.
    const ::Window other = XCreateSimpleWindow(raw, DefaultRootWindow(raw), 0, 0, 10, 10, 0, 0, 0);
    XStoreName(raw, other, "musicbox");
    XSync(raw, False);
    table = showWindow(kTableCaption);
    const WindowHandle tableHandle = desktop->attachWindow(*table);

    const WindowHandle found = desktop->findWindow(QStringLiteral("musicbox"));
    ASSERT_EQ(found.value, other);
    desktop->postMessage(found, 1135, -2, 0x12345678);

    XEvent event;
    XNextEvent(raw, &event);  // the window selects no events: only a sent one can come
    ASSERT_EQ(event.type, ClientMessage);
    EXPECT_EQ(event.xclient.message_type, XInternAtom(raw, "_KORVASH_WINDOW_MESSAGE", True));
    EXPECT_EQ(event.xclient.format, 32);
    EXPECT_EQ(event.xclient.window, other);
    EXPECT_EQ(static_cast<std::int32_t>(event.xclient.data.l[0]), 1135);
    EXPECT_EQ(static_cast<std::int32_t>(event.xclient.data.l[1]), -2);
    EXPECT_EQ(static_cast<std::int32_t>(event.xclient.data.l[2]), 0x12345678);
    EXPECT_EQ(static_cast<std::uint64_t>(event.xclient.data.l[3]), tableHandle.value);
    XDestroyWindow(raw, other);
}

TEST_F(X11DesktopTest, AWindowThatHasGoneIsNotFoundAndItsMessagesAreDropped) {
    const ::Window other = XCreateSimpleWindow(raw, DefaultRootWindow(raw), 0, 0, 10, 10, 0, 0, 0);
    XStoreName(raw, other, "hall");
    XSync(raw, False);
    const WindowHandle found = desktop->findWindow(QStringLiteral("hall"));
    ASSERT_TRUE(found);
    XDestroyWindow(raw, other);
    XSync(raw, False);

    EXPECT_FALSE(desktop->findWindow(QStringLiteral("hall")));
    EXPECT_FALSE(desktop->windowExists(found));
    desktop->postMessage(found, 0x303);  // an X error, ignored
    EXPECT_FALSE(desktop->sendSystemCommand(found, SystemCommand::Restore));
    desktop->postMessage(WindowHandle{0x7FFFFFF0}, 0x303);
    // Still connected and working afterwards.
    table = showWindow(kTableCaption);
    EXPECT_TRUE(waitFor([&] { return bool(desktop->findWindow(kTableCaption)); }));
}

TEST_F(X11DesktopTest, AWindowRemadeByAFlagChangeKeepsItsHandleAndItsMessages) {
    table = showWindow(kTableCaption);
    const WindowHandle tableHandle = desktop->attachWindow(*table);
    std::vector<Received> received;
    desktop->setWindowProcedure(
        tableHandle, [&](WindowHandle w, std::uint32_t m, std::int32_t wp, std::int32_t lp) {
            EXPECT_EQ(w, tableHandle);
            received.push_back({m, wp, lp});
            return 0;
        });
    ASSERT_TRUE(waitFor([&] { return table->windowHandle()->isExposed(); }));
    // Topmost on and off, as the table window does whenever it is restored.
    table->setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    table->show();
    ASSERT_TRUE(waitFor([&] { return table->windowHandle()->isExposed(); }));
    table->setWindowFlags(Qt::Window);
    table->show();
    const auto remade = static_cast<std::uint64_t>(table->windowHandle()->winId());
    if (remade == tableHandle.value) GTEST_SKIP() << "this Qt keeps the X window";

    // Others find it under its new X window; this program under the handle it was given.
    ASSERT_TRUE(waitFor([&] { return bool(desktop->findWindow(kTableCaption)); }));
    EXPECT_EQ(desktop->findWindow(kTableCaption), tableHandle);
    EXPECT_TRUE(desktop->windowExists(tableHandle));
    desktop->postMessage(tableHandle, 0x465, 1, 2);
    // Another program's message to the window it finds now.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(remade);
    event.xclient.message_type = XInternAtom(raw, "_KORVASH_WINDOW_MESSAGE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 0x303;
    XSendEvent(raw, event.xclient.window, False, NoEventMask, &event);
    XFlush(raw);
    ASSERT_TRUE(waitFor([&] { return received.size() >= 2; }));
    EXPECT_EQ(received, (std::vector<Received>{{0x465, 1, 2}, {0x303, 0, 0}}));
}

}  // namespace
