#include "platform/forms/form_view.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QPainter>
#include <QToolTip>
#include <QWindow>
#include <cmath>

#include "platform/forms/control.h"
#include "platform/forms/control_painter.h"
#include "platform/forms/input.h"
#include "platform/forms/key_codes.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/window_stacking.h"

namespace forms {

namespace {

int rounded(float pixels) {
    return int(std::lround(pixels));
}

QRect displayRect(const QRectF& rect) {
    return QRect(rounded(float(rect.x())), rounded(float(rect.y())), rounded(float(rect.width())),
                 rounded(float(rect.height())));
}

Qt::CursorShape cursorShape(int pointer) {
    switch (pointer) {
        case pointer::Cross:
            return Qt::CrossCursor;
        case pointer::IBeam:
            return Qt::IBeamCursor;
        case pointer::SizeAll:
            return Qt::SizeAllCursor;
        case pointer::Custom:
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

QCursor cursorFor(const Control& control) {
    if (control.mousePointer() == pointer::Custom && !control.mouseIcon().isEmpty()) {
        return QCursor(QPixmap::fromImage(control.mouseIcon().image()), 12, 4);
    }
    return QCursor(cursorShape(control.mousePointer()));
}

}  // namespace

FormView::FormView(Form& form, bool followVisibility)
    : QWidget(nullptr),
      form_(form),
      followVisibility_(followVisibility),
      nativeStacking_(followVisibility && nativeStackingAvailable()) {
    setMouseTracking(true);
    // paintEvent covers the whole window, with the form's colour or its opaque picture: Qt need
    // not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    addTree(form_);
    formChanged();
}

FormView::~FormView() = default;

void FormView::addTree(Container& container) {
    for (Control* control : container.children()) {
        if (control->visible()) drawn_[control] = displayRect(control->rectInContainer());
        if (auto* box = dynamic_cast<PictureBox*>(control)) addTree(*box);
    }
}

QPoint FormView::originOf(const Container& container) const {
    const auto* control = dynamic_cast<const Control*>(&container);
    if (!control || !control->container()) return {0, 0};
    return originOf(*control->container()) + displayRect(control->rectInContainer()).topLeft();
}

QRect FormView::areaOf(const Container& container) const {
    const auto* control = dynamic_cast<const Control*>(&container);
    if (!control || !control->container()) return rect();
    return displayRect(control->rectInContainer()).translated(originOf(*control->container()));
}

void FormView::controlAdded(Control& control) {
    controlChanged(control);
}

// The control's container may already be gone: the whole window repaints.
void FormView::controlRemoved(Control& control) {
    if (drawn_.erase(&control)) update();
}

void FormView::controlChanged(Control& control) {
    const QPoint origin = originOf(*control.container());
    if (const auto was = drawn_.find(&control); was != drawn_.end()) {
        update(was->second.translated(origin));
        drawn_.erase(was);
    }
    if (!control.visible()) return;
    const QRect now = displayRect(control.rectInContainer());
    drawn_[&control] = now;
    update(now.translated(origin));
}

void FormView::orderChanged(Container& container) {
    update(areaOf(container));
}

void FormView::surfaceChanged(Container& container) {
    update(areaOf(container));
}

void FormView::formChanged() {
    syncing_ = true;
    setWindowTitle(form_.caption());
    applyFlags();
    move(rounded(twipsToPixels(form_.left())), rounded(twipsToPixels(form_.top())));
    resize(rounded(twipsToPixels(form_.width())), rounded(twipsToPixels(form_.height())));
    setWindowOpacity(form_.alpha() ? *form_.alpha() / 255.0 : 1.0);
    if (form_.region()) {
        setMask(*form_.region());
    } else {
        clearMask();
    }
    if (!form_.icon().isEmpty()) setWindowIcon(QIcon(QPixmap::fromImage(form_.icon().image())));
    if (followVisibility_) {
        if (form_.visible() && !isVisible()) {
            // A window manager forgets a withdrawn window's states, possibly only after the
            // window is mapped again: told before the map and once more after it.
            applyStacking(true);
            show();
            stackedAbove_.reset();
        }
        if (!form_.visible() && isVisible()) hide();
        Qt::WindowStates state = Qt::WindowNoState;
        if (form_.windowState() == WindowState::Minimized) state = Qt::WindowMinimized;
        if (form_.windowState() == WindowState::Maximized) state = Qt::WindowMaximized;
        if (windowState() != state) setWindowState(state);
        if (isVisible()) applyStacking(false);
    }
    update();
    syncing_ = false;
}

void FormView::applyFlags() {
    Qt::WindowFlags flags = Qt::Window;
    if (form_.borderless()) flags |= Qt::FramelessWindowHint;
    if (form_.topmost() && !nativeStacking_) flags |= Qt::WindowStaysOnTopHint;
    if (flags == appliedFlags_) return;
    appliedFlags_ = flags;
    QWindow* window = windowHandle();
    if (!window || !window->handle()) {
        setWindowFlags(flags);
        return;
    }
    // QWidget::setWindowFlags would hide the window and rebuild it: the new flags go to the
    // native window as it is (the frame through the window manager's hints).
    overrideWindowFlags(flags);
    window->setFlags(flags);
    // Qt's flags carry no stacking here, and it tells the window manager so: said again after.
    stackedAbove_.reset();
}

void FormView::applyStacking(bool beforeMap) {
    if (!nativeStacking_) return;
    const bool above = form_.topmost();
    if (!beforeMap && stackedAbove_ == above) return;
    setNativeStaysOnTop(*this, above);
    stackedAbove_ = above;
}

void FormView::windowRaised() {
    raise();
    activateWindow();
}

quintptr FormView::nativeWindow() const {
    return quintptr(winId());
}

bool FormView::startSystemMove() {
    QWindow* window = windowHandle();
    return window && window->isVisible() && window->startSystemMove();
}

void FormView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!form_.surface().covers(size())) painter.fillRect(rect(), toQColor(form_.backColor()));
    form_.surface().drawOn(painter);
    paintChildren(painter, form_, QPoint(0, 0), rect(), event->region());
}

void FormView::paintChildren(QPainter& painter, const Container& container, QPoint origin,
                             const QRect& visibleArea, const QRegion& dirty) const {
    for (const Control* child : container.children()) {
        if (!child->visible()) continue;
        const QRect area = displayRect(child->rectInContainer()).translated(origin);
        const QRect shown = area & visibleArea;
        if (shown.isEmpty() || !dirty.intersects(shown)) continue;
        // Each control starts from a fresh painter's state, as a widget of its own would.
        painter.save();
        painter.setClipRect(shown);
        painter.translate(area.topLeft());
        paintControl(painter, *child, QRectF(0, 0, area.width(), area.height()));
        painter.restore();
        if (const auto* box = dynamic_cast<const PictureBox*>(child)) {
            paintChildren(painter, *box, area.topLeft(), shown, dirty);
        }
    }
}

void FormView::updateCursor(QPointF at) {
    const Control* control = form_.controlAt(at);
    setCursor(control ? cursorFor(*control) : QCursor(Qt::ArrowCursor));
}

void FormView::mousePressEvent(QMouseEvent* event) {
    form_.mouseDown(event->position(), toolkitButton(event->button()),
                    toolkitShift(event->modifiers()));
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
    form_.mouseMove(event->position(), toolkitButtons(event->buttons()),
                    toolkitShift(event->modifiers()));
    if (form_.isLoaded()) updateCursor(event->position());
}

void FormView::mouseReleaseEvent(QMouseEvent* event) {
    form_.mouseUp(event->position(), toolkitButton(event->button()),
                  toolkitShift(event->modifiers()));
}

void FormView::mouseDoubleClickEvent(QMouseEvent* event) {
    form_.mouseDoubleClick(event->position(), toolkitButton(event->button()),
                           toolkitShift(event->modifiers()));
}

void FormView::keyPressEvent(QKeyEvent* event) {
    const int shift = toolkitShift(event->modifiers());
    if (const int code = toolkitKeyCode(*event)) form_.keyDown(code, shift);
    // The characters the key makes, as KeyPress codes (Enter, Backspace, Esc, Tab included).
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return form_.keyPress(key::Return);
        case Qt::Key_Backspace:
            return form_.keyPress(key::Backspace);
        case Qt::Key_Escape:
            return form_.keyPress(key::Escape);
        case Qt::Key_Tab:
            return form_.keyPress(key::Tab);
        default:
            break;
    }
    for (char32_t code : event->text().toUcs4()) {
        if (code >= 32 && code != 127) form_.keyPress(int(code));
    }
}

void FormView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;  // the original repeats KeyDown only
    if (const int code = toolkitKeyCode(*event)) {
        form_.keyUp(code, toolkitShift(event->modifiers()));
    }
}

void FormView::inputMethodEvent(QInputMethodEvent* event) {
    for (char32_t code : event->commitString().toUcs4()) form_.keyPress(int(code));
    event->accept();
}

void FormView::closeEvent(QCloseEvent* event) {
    event->ignore();  // the model decides; unloading hides this view
    form_.closeByUser();
}

void FormView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || syncing_ || !followVisibility_) return;
    WindowState state = WindowState::Normal;
    if (windowState() & Qt::WindowMinimized) state = WindowState::Minimized;
    if (windowState() & Qt::WindowMaximized) state = WindowState::Maximized;
    form_.windowStateChangedByUser(state);
}

void FormView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!syncing_ && followVisibility_ && isVisible()) form_.movedByUser(QPointF(pos()));
}

bool FormView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Control* control = form_.controlAt(QPointF(help->pos()));
        if (control && !control->toolTipText().isEmpty()) {
            QToolTip::showText(help->globalPos(), control->toolTipText(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::WindowActivate && !syncing_) form_.activateByUser();
    return QWidget::event(event);
}

void attachView(Form& form) {
    form.setView(std::make_unique<FormView>(form));
}

}  // namespace forms
