#include "platform/window.h"

#include "platform/key_poll.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimerEvent>

#include "platform/frame_window.h"
#include "resources/resources.h"

namespace quorlin::platform {

int KeyCodeFromQt(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes as 'A'..'Z'
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;  // same codes as '0'..'9'
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return keys::kF1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace:
            return keys::kBack;
        case Qt::Key_Tab:
            return keys::kTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keys::kReturn;
        case Qt::Key_Shift:
            return keys::kShift;
        case Qt::Key_Control:
            return keys::kControl;
        case Qt::Key_Alt:
            return keys::kAlt;
        case Qt::Key_Pause:
            return keys::kPause;
        case Qt::Key_Escape:
            return keys::kEscape;
        case Qt::Key_Space:
            return keys::kSpace;
        case Qt::Key_PageUp:
            return keys::kPageUp;
        case Qt::Key_PageDown:
            return keys::kPageDown;
        case Qt::Key_End:
            return keys::kEnd;
        case Qt::Key_Home:
            return keys::kHome;
        case Qt::Key_Left:
            return keys::kLeft;
        case Qt::Key_Up:
            return keys::kUp;
        case Qt::Key_Right:
            return keys::kRight;
        case Qt::Key_Down:
            return keys::kDown;
        case Qt::Key_Insert:
            return keys::kInsert;
        case Qt::Key_Delete:
            return keys::kDelete;
        default:
            return 0;
    }
}

namespace {

Modifiers ModifiersOf(Qt::KeyboardModifiers m) {
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
            m.testFlag(Qt::AltModifier)};
}

MouseButton ButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::None;
    }
}

MouseEvent ToMouseEvent(const QMouseEvent* e, bool withButton) {
    MouseEvent out;
    out.button = withButton ? ButtonOf(e->button()) : MouseButton::None;
    out.point = e->position().toPoint();
    out.leftHeld = e->buttons().testFlag(Qt::LeftButton);
    out.rightHeld = e->buttons().testFlag(Qt::RightButton);
    out.middleHeld = e->buttons().testFlag(Qt::MiddleButton);
    out.modifiers = ModifiersOf(e->modifiers());
    return out;
}

}  // namespace

Window::Window(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Window::~Window() = default;

void Window::Create() {
    if (created_) return;
    created_ = true;
    SetupWindow();
}

bool Window::CloseWindow() {
    return OuterWidget()->close();
}

bool Window::CloseAsAgreed() {
    closeAgreed_ = true;
    const bool closed = OuterWidget()->close();
    if (!closed) closeAgreed_ = false;
    return closed;
}

void Window::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

QString Window::Caption() const {
    return windowTitle();
}

void Window::Invalidate() {
    update();
}

void Window::Invalidate(const QRect& rect) {
    update(rect);
}

void Window::UpdateWindow() {
    repaint();
}

QWidget* Window::OuterWidget() const {
    return outer_ ? outer_ : const_cast<Window*>(this);
}

void Window::ShowWindow() {
    hiddenMark_ = false;
    if (outer_ && outer_ != this) setVisible(true);
    OuterWidget()->show();
}

void Window::HideWindow() {
    hiddenMark_ = true;
    OuterWidget()->hide();
}

void Window::SetMenuName(std::string_view name) {
    SetMenu(resources::FindMenu(name));
}

void Window::SetAcceleratorName(std::string_view name) {
    SetAccelerators(resources::FindAccelerators(name));
}

void Window::SetMenu(const MenuTemplate* menu) {
    menu_ = menu;
    emit MenuChanged();
}

void Window::SetAccelerators(const AcceleratorTable* table) {
    accelerators_ = table;
    emit MenuChanged();
}

void Window::SetCommandChecked(int id, bool checked) {
    checks_[id] = checked;
}

bool Window::IsCommandChecked(int id) const {
    auto it = checks_.find(id);
    return it != checks_.end() && it->second;
}

bool Window::SendCommand(int id) {
    if (!QueryCommand(id).enabled) return false;
    QPointer<FrameWindow> host(host_);
    bool handled = OnCommand(id);
    if (host) {
        if (!handled) handled = host->OnCommand(id);
        host->AfterCommand();
    }
    return handled;
}

CommandState Window::QueryCommand(int id) {
    CommandState state;
    state.id = id;
    state.enabled = HasCommandHandler(id) || (host_ && host_->HasCommandHandler(id));
    state.checked = IsCommandChecked(id);
    EnableCommand(state);
    return state;
}

void Window::StartTimer(int id, int periodMs) {
    StopTimer(id);
    timers_[id] = startTimer(periodMs);
}

void Window::StopTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timers_.erase(it);
}

void Window::Paint(QPainter& painter, const QRect& dirty) {
    painter.fillRect(dirty, palette().window());
}

void Window::SizeChanged(int, int) {}
void Window::MouseDown(const MouseEvent&) {}
void Window::MouseMove(const MouseEvent&) {}
void Window::MouseUp(const MouseEvent&) {}
void Window::MouseDoubleClick(const MouseEvent&) {}
void Window::KeyDown(int, Modifiers) {}
void Window::CharTyped(QChar) {}
bool Window::OnCommand(int id) {
    return commands_.Run(id);
}
void Window::EnableCommand(CommandState&) {}
void Window::OnTimer(int) {}

void Window::paintEvent(QPaintEvent* event) {
    const PaintingScope painting;  // outlives the painter
    QPainter painter(this);
    Paint(painter, event->rect());
}

void Window::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SizeChanged(event->size().width(), event->size().height());
}

void Window::mousePressEvent(QMouseEvent* event) {
    MouseDown(ToMouseEvent(event, true));
}

void Window::mouseMoveEvent(QMouseEvent* event) {
    MouseMove(ToMouseEvent(event, false));
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
    MouseUp(ToMouseEvent(event, true));
}

void Window::mouseDoubleClickEvent(QMouseEvent* event) {
    MouseDoubleClick(ToMouseEvent(event, true));
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int code = KeyCodeFromQt(event->key());
    const Modifiers mods = ModifiersOf(event->modifiers());
    if (code != 0) KeyDown(code, mods);
    const QString text = event->text();
    for (QChar ch : text) {
        if (ch.unicode() != 0x7f) CharTyped(ch);  // Delete gives no character
    }
    if (code == 0 && text.isEmpty()) event->ignore();
}

void Window::showEvent(QShowEvent* event) {
    Create();
    QWidget::showEvent(event);
}

void Window::RunCleanup() {
    if (!created_ || cleanedUp_) return;
    cleanedUp_ = true;
    for (const auto& [id, qtId] : timers_) killTimer(qtId);
    timers_.clear();
    CleanupWindow();
}

void Window::closeEvent(QCloseEvent* event) {
    if (!closeAgreed_ && !CanClose()) {
        event->ignore();
        return;
    }
    RunCleanup();
    event->accept();
}

void Window::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}

bool Window::ShowMenuHelp(const QString&) {
    return false;
}

}  // namespace quorlin::platform
