#pragma once
// The main frame (an MDI frame: QMainWindow + QMdiArea) and the host of owned windows.
//
// The frame shows the menu and accelerators of its active child (as Windows MDI does), or its own
// when no child is active. Menus and accelerators are built from MenuTemplate and
// AcceleratorTable data with one QAction per command id. A command goes to the active child's
// level chain (Window::OnCommand) first, then to the frame's OnCommand. Enablers and check marks
// are applied to the QActions before a menu shows, after each command and when the active child
// changes; a submenu whose items are all disabled is disabled too.
//
// An owned window (a linked 3D, level-curve, stereogram, time or phase window) is a Window shown
// as a top-level window of its owner: ShowOwnedWindow wraps it in a single-window FrameWindow
// that carries its menu bar; Exit in that menu goes on to the frame that owns it. While an owned
// window is active its own accelerators run first; keys it does not bind reach its owner's.
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "platform/command_table.h"
#include "platform/window.h"
#include "resources/command_ids.h"
#include "resources/templates.h"

class QMdiArea;
class QMdiSubWindow;

namespace quorlin::platform {

class MenuSet;

// Command ids the frame handles itself: the Window menu's arrangements and Exit.
inline constexpr int kCmExit = resources::cmd::kFrameExit;
inline constexpr int kCmCascadeChildren = resources::cmd::kWindowCascade;
inline constexpr int kCmTileChildren = resources::cmd::kWindowTile;
inline constexpr int kCmArrangeIcons = resources::cmd::kWindowArrangeIcons;

class FrameWindow : public QMainWindow {
    Q_OBJECT
public:
    // An MDI frame.
    explicit FrameWindow(QWidget* parent = nullptr);
    ~FrameWindow() override;

    // Runs SetupWindow once (showing the frame does it too).
    void Create();

    // --- MDI children ---
    // Hosts the window in a new MDI sub-window (which deletes it when it closes), creates it
    // (SetupWindow) and shows it unless it carries the hidden mark.
    void AddChild(Window* child);
    Window* ActiveChild() const;
    void ActivateChild(Window* child);
    QList<Window*> Children() const;

    void CascadeChildren();
    void TileChildren(bool horizontally = false);
    void ArrangeIcons();
    // Asks each child's CanClose; when all agree closes them all (without asking again) and
    // returns true, else closes none.
    bool CloseChildren();

    // The frame's own menu and accelerators (shown while no child is active).
    void SetMenuName(std::string_view name);
    void SetAcceleratorName(std::string_view name);
    void SetMenu(const MenuTemplate* menu);
    void SetAccelerators(const AcceleratorTable* table);

    // Sends a command as the menu does: the active child's chain, then the frame. Returns whether
    // someone handled it. A command whose enabler disables it is not sent.
    bool DispatchCommand(int id);

    // Applies the enablers to the QActions of the shown menu and accelerators.
    void RefreshCommands();

    // The command state as the shown menu would show it (after the enablers).
    CommandState QueryCommand(int id);

    // The QActions of a command id in the shown menu set (one per menu item or accelerator
    // entry; empty when the id is not there). For tests and for the shell's direct needs.
    QList<QAction*> CommandActions(int id) const;

    // Whether a key sequence is an accelerator of the shown menu set (PollKey reports those).
    bool IsAcceleratorKey(const QKeySequence& keys) const;

    // F1 on an open menu: the active child (or the hosted window) shows the help page of the
    // menu bar entry with this title; false when it has none.
    bool ShowMenuHelp(const QString& menuTitle);

    // The window this frame hosts alone (an owned window's host), or none for an MDI frame.
    Window* HostedWindow() const { return hosted_; }

    // --- handlers the program's frame overrides ---
    virtual void SetupWindow() {}
    virtual void CleanupWindow() {}
    virtual bool CanClose() { return true; }
    // Runs the frame's registered handler; returns whether there was one.
    virtual bool OnCommand(int id);
    virtual void EnableCommand(CommandState& state);
    bool HasCommandHandler(int id) const { return commands_.Has(id); }
    virtual void OnFilesDropped(const QStringList& files);

signals:
    void ActiveChildChanged(quorlin::platform::Window* child);

protected:
    // The frame's response table (see Window::HandleCommand).
    void HandleCommand(int id, std::function<void()> handler) {
        commands_.Add(id, std::move(handler));
    }
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class Window;
    void HandleStandardCommands();
    friend FrameWindow* ShowOwnedWindow(Window* window, QWidget* owner);
    struct HostTag {};
    FrameWindow(Window* hosted, QWidget* owner, HostTag);

    Window* CommandTarget() const;  // the active child, or the hosted window
    void OnSubWindowActivated(QMdiSubWindow* sub);
    void ShowMenuSet();
    void OnActionTriggered(int id);
    void AfterCommand();
    // A host's own accelerator key, claimed and run before the shortcuts of the window's owner.
    bool TakeOwnAccelerator(QEvent* event);

    QMdiArea* mdi_ = nullptr;
    Window* hosted_ = nullptr;
    bool created_ = false;
    const MenuTemplate* menu_ = nullptr;
    const AcceleratorTable* accelerators_ = nullptr;
    std::unique_ptr<MenuSet> menuSet_;
    CommandTable commands_;
};

// Shows the window as an owned top-level window of owner (it stays above its owner and is deleted
// with it), in a host frame that carries the window's menu and accelerators. The host deletes
// itself and the window when it closes. Creates the window (SetupWindow) first.
FrameWindow* ShowOwnedWindow(Window* window, QWidget* owner);
// Makes a top-level window a tool window of its owner's top-level window, which window managers
// keep it above (ShowOwnedWindow does this for every owned window).
void KeepAboveOwner(QWidget* owned, QWidget* owner);

}  // namespace quorlin::platform
