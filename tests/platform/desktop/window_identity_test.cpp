// The windows other programs know keep their X window from load to unload, whatever the client
// does with them: minimise, restore, topmost on and off, hide and show, new size, frame off and
// on. A hall that keeps the window it found must still reach it.
#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/form_view.h"
#include "platform/forms/forms.h"
#include "support/fake_window_manager.h"
#include "x11_session.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>

namespace {

using forms::WindowState;
using platform::WindowHandle;

// The looks of the client's windows that other programs can find: the table window (framed,
// restored with topmost on and off), the exit dialogs (borderless, translucent, topmost when
// they tell of a lost connection) and the speech bubbles (borderless, translucent, topmost).
// The bubbles' own class is still a stub without a look, so a window dressed like one stands in.
struct WindowLook {
    std::string name;
    QString caption;
    bool borderless;
    bool topmost;
    std::optional<int> alpha;
    int widthPixels;
    int heightPixels;
};

void PrintTo(const WindowLook& look, std::ostream* out) {
    *out << look.name;
}

const std::vector<WindowLook> kLooks{
    {"TableWindow", QStringLiteral("科尔瓦什牌桌"), false, false, std::nullopt, 1040, 796},
    {"ExitDialog", QStringLiteral("退出"), true, true, 200, 280, 140},
    {"SpeechBubble", QStringLiteral("speakbox"), true, true, 255, 160, 90},
};

class LookedWindow : public forms::Form {
  public:
    LookedWindow(forms::Forms& forms, const WindowLook& look) : Form(forms) {
        setCaption(look.caption);
        setBorderless(look.borderless);
        setTopmost(look.topmost);
        if (look.alpha) setAlpha(*look.alpha);
        move(1500, 1500, look.widthPixels * 15.0f, look.heightPixels * 15.0f);
    }
};

// The hall's side, on a connection of its own: it finds a window by caption as the desktop
// protocol says and posts to the window it holds.
class Hall {
  public:
    explicit Hall(Display* display)
        : display_(display),
          message_(XInternAtom(display, "_KORVASH_WINDOW_MESSAGE", False)),
          netWmName_(XInternAtom(display, "_NET_WM_NAME", False)),
          utf8_(XInternAtom(display, "UTF8_STRING", False)) {}

    ::Window find(const QString& caption) const {
        ::Window root = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        ::Window found = 0;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
            return 0;
        }
        for (unsigned int i = 0; i < count && !found; ++i) {
            if (captionOf(children[i]) == caption) found = children[i];
        }
        if (children) XFree(children);
        return found;
    }

    bool exists(::Window window) const {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display_, window, &attributes) != 0;
    }

    void post(::Window window, long message, long wParam) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = message_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = message;
        event.xclient.data.l[1] = wParam;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

  private:
    QString captionOf(::Window window) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        QString caption;
        if (XGetWindowProperty(display_, window, netWmName_, 0, 1024, False, utf8_, &type, &format,
                               &count, &after, &data) == Success &&
            data) {
            caption = QString::fromUtf8(reinterpret_cast<const char*>(data),
                                        static_cast<qsizetype>(count));
            XFree(data);
        }
        return caption;
    }

    Display* display_;
    Atom message_;
    Atom netWmName_;
    Atom utf8_;
};

class WindowIdentityTest : public x11_test::X11Session,
                           public ::testing::WithParamInterface<WindowLook> {
  protected:
    void SetUp() override {
        X11Session::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        manager = std::make_unique<support::FakeWindowManager>(xvfb->display());
        ASSERT_TRUE(manager->running());
        forms = std::make_unique<forms::Forms>(*scheduler);
        forms->setViewFactory(forms::attachView);
    }

    void TearDown() override {
        forms.reset();
        manager.reset();
        X11Session::TearDown();
    }

    QWidget& widgetOf(forms::Form& form) { return *dynamic_cast<QWidget*>(form.view()); }

    bool mapped(::Window window) const {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(raw, window, &attributes) && attributes.map_state == IsViewable;
    }

    std::unique_ptr<support::FakeWindowManager> manager;
    std::unique_ptr<forms::Forms> forms;
};

// One thing the client does to its window, and how the test sees it done on the desktop.
struct Step {
    const char* what;
    std::function<void(forms::Form&)> act;
    std::function<bool(forms::Form&, ::Window)> done;
};

TEST_P(WindowIdentityTest, KeepsTheWindowTheHallFoundThroughEverythingTheClientDoes) {
    const WindowLook& look = GetParam();
    auto& window = forms->load(std::make_unique<LookedWindow>(*forms, look));
    QWidget& widget = widgetOf(window);
    const WindowHandle handle =
        desktop->attachWindow(widget, {[&] { window.setWindowState(WindowState::Normal); },
                                       [&] { window.setWindowState(WindowState::Minimized); }});
    // The hall's messages are noted; the system commands go on to the default procedure.
    std::vector<std::int32_t> received;
    platform::WindowProcedure previous;
    previous = desktop->setWindowProcedure(
        handle, [&](WindowHandle w, std::uint32_t message, std::int32_t wParam, std::int32_t l) {
            if (message == 0x465) received.push_back(wParam);
            return platform::Desktop::callWindowProcedure(previous, w, message, wParam, l);
        });
    window.show();

    const Hall hall(raw);
    ::Window found = 0;
    ASSERT_TRUE(waitFor([&] {
        found = hall.find(look.caption);
        return found != 0 && mapped(found);
    }));
    EXPECT_EQ(found, handle.value);
    EXPECT_EQ(manager->hasState(found, "_NET_WM_STATE_ABOVE"), look.topmost);

    const auto above = [this](::Window w) { return manager->hasState(w, "_NET_WM_STATE_ABOVE"); };
    const std::vector<Step> steps{
        {"minimise", [](forms::Form& f) { f.setWindowState(WindowState::Minimized); },
         [&](forms::Form&, ::Window w) { return manager->iconic(w) && !mapped(w); }},
        {"restore by the hall's system command",
         [&](forms::Form&) {
             hall.post(found, platform::kSystemCommandMessage,
                       static_cast<long>(platform::SystemCommand::Restore));
         },
         [&](forms::Form& f, ::Window w) {
             return f.windowState() == WindowState::Normal && mapped(w);
         }},
        {"topmost", [](forms::Form& f) { f.setTopmost(true); },
         [&](forms::Form&, ::Window w) { return above(w); }},
        {"topmost again off", [](forms::Form& f) { f.setTopmost(false); },
         [&](forms::Form&, ::Window w) { return !above(w); }},
        {"topmost as it was", [&](forms::Form& f) { f.setTopmost(look.topmost); },
         [&](forms::Form&, ::Window w) { return above(w) == look.topmost; }},
        {"hide", [](forms::Form& f) { f.hide(); },
         [&](forms::Form&, ::Window w) { return !mapped(w); }},
        {"show", [](forms::Form& f) { f.show(); },
         [&](forms::Form&, ::Window w) { return mapped(w) && above(w) == look.topmost; }},
        {"new size", [](forms::Form& f) { f.move(1500, 1500, 6000, 4500); },
         [&](forms::Form&, ::Window w) {
             XWindowAttributes attributes{};
             return XGetWindowAttributes(raw, w, &attributes) && attributes.width == 400 &&
                    attributes.height == 300;
         }},
        {"frame swapped", [](forms::Form& f) { f.setBorderless(!f.borderless()); },
         [&](forms::Form&, ::Window w) { return mapped(w) && above(w) == look.topmost; }},
        {"frame as it was", [&](forms::Form& f) { f.setBorderless(look.borderless); },
         [&](forms::Form&, ::Window w) { return mapped(w) && above(w) == look.topmost; }},
        {"hidden while topmost is switched, then shown",
         [](forms::Form& f) {
             f.hide();
             f.setTopmost(!f.topmost());
             f.show();
         },
         [&](forms::Form&, ::Window w) { return mapped(w) && above(w) != look.topmost; }},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(steps[i].what);
        steps[i].act(window);
        ASSERT_TRUE(waitFor([&] { return steps[i].done(window, found); }));
        EXPECT_TRUE(hall.exists(found));
        EXPECT_EQ(static_cast<std::uint64_t>(widget.winId()), found);
        // The hall's message to the window it holds arrives.
        hall.post(found, 0x465, static_cast<long>(i));
        ASSERT_TRUE(waitFor([&] { return received.size() == i + 1; }));
        EXPECT_EQ(received.back(), static_cast<std::int32_t>(i));
    }
    EXPECT_EQ(hall.find(look.caption), found);
    EXPECT_EQ(desktop->findWindow(look.caption), handle);

    // And the window names itself the same as the sender of what it posts to the hall.
    const ::Window hallWindow =
        XCreateSimpleWindow(raw, DefaultRootWindow(raw), 0, 0, 10, 10, 0, 0, 0);
    XSync(raw, False);
    desktop->postMessage(WindowHandle{hallWindow}, 0x303);
    XEvent event{};
    ASSERT_TRUE(waitFor([&] { return XPending(raw) > 0; }));
    XNextEvent(raw, &event);  // the window selects no events: only a sent one can come
    ASSERT_EQ(event.type, ClientMessage);
    EXPECT_EQ(static_cast<::Window>(event.xclient.data.l[3]), found);
}

INSTANTIATE_TEST_SUITE_P(Looks, WindowIdentityTest, ::testing::ValuesIn(kLooks),
                         [](const auto& info) { return info.param.name; });

}  // namespace
