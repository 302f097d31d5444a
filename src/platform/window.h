#pragma once
// The window base of the program: a QWidget that turns Qt's events into the virtual handlers the
// program's window classes override (set-up, clean-up, can-close, paint, size, mouse, keys,
// commands, command enablers, timer).
//
// A graphing window's classes stack on Window by single inheritance, one level per module; each
// level registers the handlers of its own command ids in its constructor (HandleCommand: the
// window's response table, where a derived level's handler replaces its base's), and each
// level's EnableCommand sets the state of its own ids and then calls its base. A command with no
// handler in the window or its frame is disabled. The frame
// (FrameWindow) hosts windows, builds their menus and accelerators and routes commands to them.
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/command_table.h"
#include "resources/templates.h"

namespace quorlin::platform {

// The resource tables this layer builds widgets from.
using resources::AcceleratorTable;
using resources::AcceleratorTemplate;
using resources::MenuItemTemplate;
using resources::MenuTemplate;

class FrameWindow;

// The state of one command, filled by the enablers before a menu shows and after each command.
struct CommandState {
    int id = 0;
    bool enabled = true;          // every command starts enabled
    bool checked = false;         // starts as the window's stored check mark (SetCommandChecked)
    std::optional<QString> text;  // a new menu text, when an enabler renames its item
};

enum class MouseButton { None, Left, Right, Middle };

// Shift, Ctrl and Alt as held during an input event.
struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

struct MouseEvent {
    MouseButton button = MouseButton::None;  // the button pressed or released; None for moves
    QPoint point;                            // client coordinates
    bool leftHeld = false;                   // buttons held after the event
    bool rightHeld = false;
    bool middleHeld = false;
    Modifiers modifiers;
};

// Key codes as the program knows them (the codes of the Windows virtual keys): letters and digits
// are their upper-case character codes; the rest are named here.
namespace keys {
inline constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kAlt = 18,
                     kPause = 19, kEscape = 27, kSpace = 32, kPageUp = 33, kPageDown = 34,
                     kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40,
                     kInsert = 45, kDelete = 46, kF1 = 112, kF12 = 123;
}  // namespace keys

// The program's key code of a Qt key (Qt::Key); 0 for keys it has no code for.
int KeyCodeFromQt(int qtKey);

class Window : public QWidget {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // Runs SetupWindow once. The frame calls it when it adds the window; showing a window that
    // was not created calls it too.
    void Create();
    bool IsCreated() const { return created_; }

    // Runs CanClose; when it agrees runs CleanupWindow and closes (and so deletes) the window or
    // its host. Returns whether the window closed.
    bool CloseWindow();
    // Closes the window without asking CanClose again: its frame asked already (Exit asks
    // every window before it closes any). Returns whether the window closed.
    bool CloseAsAgreed();

    // Caption (the window title; an MDI child's frame and an owned window's host show it).
    void SetCaption(const QString& caption);
    QString Caption() const;

    // Repaint requests: Invalidate queues a repaint (of all or part of the client area),
    // UpdateWindow repaints at once, synchronously.
    void Invalidate();
    void Invalidate(const QRect& rect);
    void UpdateWindow();

    // Shows or hides the window (its MDI sub-window or owned host when it has one) and keeps the
    // hidden mark: true after HideWindow, false after ShowWindow. Levels that own attached
    // windows override HideWindow to hide those too, then call their base.
    void ShowWindow();
    virtual void HideWindow();
    bool IsHidden() const { return hiddenMark_; }

    // The widget that is shown and hidden for this window: its MDI sub-window, its owned host
    // frame, or the window itself.
    QWidget* OuterWidget() const;

    // Menu and accelerator table the frame shows while this window is active. The name forms look
    // the templates up in the resources; tests may pass templates directly.
    void SetMenuName(std::string_view name);
    void SetAcceleratorName(std::string_view name);
    void SetMenu(const MenuTemplate* menu);
    void SetAccelerators(const AcceleratorTable* table);
    const MenuTemplate* Menu() const { return menu_; }
    const AcceleratorTable* Accelerators() const { return accelerators_; }

    // Stored check marks of menu commands; the enablers start from them.
    void SetCommandChecked(int id, bool checked);
    bool IsCommandChecked(int id) const;

    // Sends a command to this window's level chain and refreshes the host's menu state.
    // Returns whether some level handled it.
    bool SendCommand(int id);

    // The command state after this window's enablers ran (what the menu would show).
    CommandState QueryCommand(int id);

    // Whether some level registered a handler for the command.
    bool HasCommandHandler(int id) const { return commands_.Has(id); }

    // The one timer of a window (ids are free; a window may run several): OnTimer(id) every
    // period milliseconds until StopTimer.
    void StartTimer(int id, int periodMs);
    void StopTimer(int id);

    // The frame that hosts this window (MDI frame or owned host), if any.
    FrameWindow* HostFrame() const { return host_; }

    // --- handlers the program's window levels override ---
    virtual void SetupWindow() {}
    virtual void CleanupWindow() {}
    virtual bool CanClose() { return true; }
    virtual void Paint(QPainter& painter, const QRect& dirty);
    virtual void SizeChanged(int width, int height);
    virtual void MouseDown(const MouseEvent& event);
    virtual void MouseMove(const MouseEvent& event);
    virtual void MouseUp(const MouseEvent& event);
    virtual void MouseDoubleClick(const MouseEvent& event);
    // A key pressed: its key code (see keys) with the modifiers; CharTyped follows for keys that
    // give a character.
    virtual void KeyDown(int keyCode, Modifiers modifiers);
    virtual void CharTyped(QChar ch);
    // Runs the registered handler; returns whether there was one. Override only where a command
    // must sometimes be left to the frame.
    virtual bool OnCommand(int id);
    virtual void EnableCommand(CommandState& state);
    virtual void OnTimer(int id);
    // F1 on an open menu: menuTitle names the menu bar entry the menu belongs to (without its
    // '&'). True when the window showed a help page for it; nothing here.
    virtual bool ShowMenuHelp(const QString& menuTitle);

signals:
    // The menu or accelerator table changed; the frame shows the new one when this is active.
    void MenuChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

protected:
    // The response table: called by each level's constructor for its own commands.
    void HandleCommand(int id, std::function<void()> handler) {
        commands_.Add(id, std::move(handler));
    }
    void HandleCommands(int first, int last, const std::function<void(int)>& handler) {
        commands_.AddRange(first, last, handler);
    }

private:
    friend class FrameWindow;
    void RunCleanup();

    bool created_ = false;
    bool cleanedUp_ = false;
    bool closeAgreed_ = false;
    bool hiddenMark_ = false;
    const MenuTemplate* menu_ = nullptr;
    const AcceleratorTable* accelerators_ = nullptr;
    std::map<int, bool> checks_;
    CommandTable commands_;
    std::map<int, int> timers_;  // program timer id -> Qt timer id
    FrameWindow* host_ = nullptr;
    QWidget* outer_ = nullptr;  // MDI sub-window or owned host, when hosted
};

}  // namespace quorlin::platform
