#include "platform/frame_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <map>
#include <tuple>

#include "platform/strings.h"
#include "resources/resources.h"

namespace quorlin::platform {

namespace {

// A menu's title without the '&' of its mnemonic.
QString PlainMenuTitle(const QMenu* menu) {
    QString title = menu->title();
    title.remove(QLatin1Char('&'));
    return title;
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

// F1 pressed in an open popup asks the frame for the help page of its menu bar entry, whose
// title the popup carries.
class MenuHelpKey : public QObject {
public:
    MenuHelpKey(FrameWindow* frame, QString title, QObject* parent)
        : QObject(parent), frame_(frame), title_(std::move(title)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            frame_->ShowMenuHelp(title_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    FrameWindow* frame_;
    QString title_;
};

}  // namespace

// The menus and accelerators of one (menu, accelerator tables) combination, built once and kept;
// the frame puts the shown one into its menu bar.
class MenuSet {
public:
    using Key = std::tuple<const MenuTemplate*, const AcceleratorTable*, const AcceleratorTable*>;

    MenuSet(FrameWindow* frame, std::function<void(int)> onCommand,
            std::function<void()> beforeShow)
        : frame_(frame), onCommand_(std::move(onCommand)), beforeShow_(std::move(beforeShow)) {}

    // Shows the combination in the frame's menu bar and activates its accelerators. The first
    // table's keys win over the second's.
    void Show(const Key& key) {
        Built& built = Get(key);
        if (shown_ == &built) return;
        if (shown_) {
            for (QAction* a : shown_->extra) frame_->removeAction(a);
        }
        QMenuBar* bar = frame_->menuBar();
        bar->clear();
        for (QAction* a : built.topLevel) bar->addAction(a);
        for (QAction* a : built.extra) frame_->addAction(a);
        bar->setVisible(!built.topLevel.isEmpty());
        shown_ = &built;
    }

    QList<QAction*> Actions(int id) const {
        QList<QAction*> out;
        if (!shown_) return out;
        auto [from, to] = shown_->byId.equal_range(id);
        for (auto it = from; it != to; ++it) out << it->second;
        return out;
    }

    // Popups inside other popups, the innermost after the popups that hold them.
    QList<QMenu*> Submenus() const { return shown_ ? shown_->submenus : QList<QMenu*>(); }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        if (!shown_) return ids;
        for (auto it = shown_->byId.begin(); it != shown_->byId.end();
             it = shown_->byId.upper_bound(it->first)) {
            ids.push_back(it->first);
        }
        return ids;
    }

    bool IsAccelerator(const QKeySequence& keys) const { return AcceleratorCommand(keys) != 0; }

    // The command of the shown set's accelerator entry for the keys; 0 when none.
    int AcceleratorCommand(const QKeySequence& keys) const {
        if (!shown_ || keys.isEmpty()) return 0;
        for (const Accelerator& a : shown_->accelerators) {
            if (a.keys.matches(keys) == QKeySequence::ExactMatch) return a.id;
        }
        return 0;
    }

private:
    struct Accelerator {
        QKeySequence keys;
        int id = 0;
    };
    struct Built {
        QList<QAction*> topLevel;  // in the menu bar, in order
        std::multimap<int, QAction*> byId;
        QList<QAction*> extra;  // accelerator entries without a menu item
        QList<Accelerator> accelerators;
        QList<QMenu*> submenus;  // popups inside popups, in the order they open
    };

    QAction* CommandAction(Built& built, const QString& text, int id, QObject* parent) {
        auto* action = new QAction(text, parent);
        action->setData(id);
        QObject::connect(action, &QAction::triggered, frame_, [this, id] { onCommand_(id); });
        built.byId.emplace(id, action);
        return action;
    }

    void BuildMenu(Built& built, const MenuTemplate& menu) {
        std::vector<QMenu*> open;  // the popups being filled, innermost last
        for (const MenuItemTemplate& item : menu.items) {
            const QString text = FromResourceText(item.text);
            switch (item.kind) {
                case MenuItemTemplate::Kind::Popup: {
                    auto* sub =
                        new QMenu(text, open.empty() ? static_cast<QWidget*>(frame_) : open.back());
                    QObject::connect(sub, &QMenu::aboutToShow, frame_, [this] { beforeShow_(); });
                    const QMenu* bar = open.empty() ? sub : open.front();
                    sub->installEventFilter(new MenuHelpKey(frame_, PlainMenuTitle(bar), sub));
                    if (open.empty()) {
                        built.topLevel << sub->menuAction();
                    } else {
                        open.back()->addMenu(sub);
                        built.submenus << sub;
                    }
                    open.push_back(sub);
                    break;
                }
                case MenuItemTemplate::Kind::EndPopup:
                    if (!open.empty()) open.pop_back();
                    break;
                case MenuItemTemplate::Kind::Separator:
                    if (!open.empty()) open.back()->addSeparator();
                    break;
                case MenuItemTemplate::Kind::Command:
                    if (open.empty()) {
                        built.topLevel << CommandAction(built, text, item.id, frame_);
                    } else {
                        open.back()->addAction(CommandAction(built, text, item.id, open.back()));
                    }
                    break;
            }
        }
    }

    void AddAccelerators(Built& built, const AcceleratorTable& table) {
        for (const AcceleratorTemplate& entry : table.entries) {
            const QKeySequence keys(FromResourceText(entry.keys), QKeySequence::PortableText);
            if (keys.isEmpty() || IsTaken(built, keys)) continue;
            built.accelerators << Accelerator{keys, entry.id};
            auto it = built.byId.find(entry.id);
            QAction* action = nullptr;
            if (it != built.byId.end()) {
                action = it->second;
            } else {
                action = CommandAction(built, QString(), entry.id, frame_);
                built.extra << action;
            }
            QList<QKeySequence> shortcuts = action->shortcuts();
            shortcuts << keys;
            action->setShortcuts(shortcuts);
        }
    }

    static bool IsTaken(const Built& built, const QKeySequence& keys) {
        return std::any_of(built.accelerators.begin(), built.accelerators.end(),
                           [&](const Accelerator& a) { return a.keys == keys; });
    }

    Built& Get(const Key& key) {
        auto it = sets_.find(key);
        if (it != sets_.end()) return it->second;
        Built& built = sets_[key];
        if (const MenuTemplate* menu = std::get<0>(key)) BuildMenu(built, *menu);
        if (const AcceleratorTable* first = std::get<1>(key)) AddAccelerators(built, *first);
        if (const AcceleratorTable* second = std::get<2>(key)) AddAccelerators(built, *second);
        return built;
    }

    FrameWindow* frame_;
    std::function<void(int)> onCommand_;
    std::function<void()> beforeShow_;
    std::map<Key, Built> sets_;
    const Built* shown_ = nullptr;
};

FrameWindow::FrameWindow(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    menuSet_ = std::make_unique<MenuSet>(
        this, [this](int id) { OnActionTriggered(id); }, [this] { RefreshCommands(); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, &FrameWindow::OnSubWindowActivated);
    HandleStandardCommands();
    ShowMenuSet();
}

FrameWindow::FrameWindow(Window* hosted, QWidget* owner, HostTag)
    : QMainWindow(owner, Qt::Window), hosted_(hosted) {
    setAttribute(Qt::WA_DeleteOnClose);
    menuSet_ = std::make_unique<MenuSet>(
        this, [this](int id) { OnActionTriggered(id); }, [this] { RefreshCommands(); });
    setCentralWidget(hosted);
    hosted->host_ = this;
    hosted->outer_ = this;
    setWindowTitle(hosted->windowTitle());
    connect(hosted, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
    // Exit in an owned window's menu leaves the program: it goes to the frame that owns it.
    HandleCommand(kCmExit, [this] {
        QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        if (auto* frame = qobject_cast<FrameWindow*>(owner); frame && frame != this) {
            frame->DispatchCommand(kCmExit);
        } else {
            close();
        }
    });
    connect(hosted, &Window::MenuChanged, this, [this] { ShowMenuSet(); });
    hosted->installEventFilter(this);
}

FrameWindow::~FrameWindow() {
    // Children go before the menu set, whose actions their last commands may still reach; the
    // area's activation signals no longer reach a half-destroyed frame.
    if (mdi_) {
        disconnect(mdi_, nullptr, this, nullptr);
        for (QMdiSubWindow* sub : mdi_->subWindowList()) {
            disconnect(sub, nullptr, this, nullptr);
            if (auto* w = qobject_cast<Window*>(sub->widget())) w->RunCleanup();
            delete sub;
        }
    }
    if (hosted_) hosted_->RunCleanup();
}

void FrameWindow::Create() {
    if (created_) return;
    created_ = true;
    SetupWindow();
}

void FrameWindow::AddChild(Window* child) {
    QMdiSubWindow* sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->host_ = this;
    child->outer_ = sub;
    connect(child, &Window::MenuChanged, this, [this, child] {
        if (ActiveChild() == child) ShowMenuSet();
    });
    connect(sub, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [this] { ShowMenuSet(); }); });
    child->Create();
    if (!child->IsHidden()) {
        sub->show();
        mdi_->setActiveSubWindow(sub);
    } else {
        sub->hide();
    }
    ShowMenuSet();
}

Window* FrameWindow::ActiveChild() const {
    if (!mdi_) return nullptr;
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (!sub || sub->isHidden()) return nullptr;
    return qobject_cast<Window*>(sub->widget());
}

void FrameWindow::ActivateChild(Window* child) {
    if (!mdi_ || !child) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(child->OuterWidget())) {
        mdi_->setActiveSubWindow(sub);
    }
    ShowMenuSet();
}

QList<Window*> FrameWindow::Children() const {
    QList<Window*> out;
    if (!mdi_) return out;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (auto* w = qobject_cast<Window*>(sub->widget())) out << w;
    }
    return out;
}

void FrameWindow::CascadeChildren() {
    if (!mdi_) return;
    // Qt's own cascade sizes each sub-window to its size hint, which for a graphing window is
    // next to nothing; here every window keeps a working size and only its title bar shows
    // below the one behind it. The active window comes last, on top.
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::StackingOrder)) {
        if (!sub->isHidden() && !sub->isMinimized()) shown << sub;
    }
    if (shown.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int step = std::max(shown.front()->height() - shown.front()->widget()->height(), 8);
    const auto count = static_cast<int>(shown.size());
    // Windows at least half the area; with more windows than fit, the offsets start over.
    const int shrink = std::min((count - 1) * step, std::min(area.width(), area.height()) / 2);
    const QSize size(area.width() - shrink, area.height() - shrink);
    const int perRun = shrink / step + 1;
    for (int i = 0; i < count; ++i) {
        const int offset = (i % perRun) * step;
        shown[i]->showNormal();
        shown[i]->setGeometry(QRect(QPoint(offset, offset), size));
        shown[i]->raise();
    }
}

void FrameWindow::TileChildren(bool horizontally) {
    if (!mdi_) return;
    if (!horizontally) {
        mdi_->tileSubWindows();
        return;
    }
    // Side by side: each visible child the full height and an equal share of the width.
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isHidden() && !sub->isMinimized()) shown << sub;
    }
    if (shown.isEmpty()) return;
    const QRect area = mdi_->viewport()->rect();
    const int width = area.width() / static_cast<int>(shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        shown[i]->showNormal();
        shown[i]->setGeometry(i * width, 0, width, area.height());
    }
}

void FrameWindow::ArrangeIcons() {
    if (!mdi_) return;
    // Minimised children in a row along the bottom of the area.
    const QRect area = mdi_->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isMinimized() || sub->isHidden()) continue;
        const QSize size = sub->size();
        sub->move(x, area.height() - size.height());
        x += size.width();
    }
}

bool FrameWindow::CloseChildren() {
    // Every child is asked before any of them closes, so that Cancel on the last question still
    // keeps them all.
    const QList<Window*> children = Children();
    for (Window* child : children) {
        if (!child->CanClose()) return false;
    }
    for (Window* child : children) {
        if (!child->CloseAsAgreed()) return false;
    }
    return true;
}

void FrameWindow::SetMenuName(std::string_view name) {
    SetMenu(resources::FindMenu(name));
}

void FrameWindow::SetAcceleratorName(std::string_view name) {
    SetAccelerators(resources::FindAccelerators(name));
}

void FrameWindow::SetMenu(const MenuTemplate* menu) {
    menu_ = menu;
    ShowMenuSet();
}

void FrameWindow::SetAccelerators(const AcceleratorTable* table) {
    accelerators_ = table;
    ShowMenuSet();
}

Window* FrameWindow::CommandTarget() const {
    return hosted_ ? hosted_ : ActiveChild();
}

CommandState FrameWindow::QueryCommand(int id) {
    CommandState state;
    state.id = id;
    Window* target = CommandTarget();
    state.enabled = HasCommandHandler(id) || (target && target->HasCommandHandler(id));
    if (target) state.checked = target->IsCommandChecked(id);
    EnableCommand(state);
    if (target) target->EnableCommand(state);
    return state;
}

bool FrameWindow::ShowMenuHelp(const QString& menuTitle) {
    Window* target = CommandTarget();
    return target && target->ShowMenuHelp(menuTitle);
}

bool FrameWindow::DispatchCommand(int id) {
    if (!QueryCommand(id).enabled) return false;
    QPointer<FrameWindow> self(this);
    QPointer<Window> target(CommandTarget());
    bool handled = target && target->OnCommand(id);
    if (!handled && self) handled = OnCommand(id);
    if (self) AfterCommand();
    return handled;
}

void FrameWindow::OnActionTriggered(int id) {
    DispatchCommand(id);
}

void FrameWindow::AfterCommand() {
    // The command may have changed the active child or its menu.
    ShowMenuSet();
}

void FrameWindow::RefreshCommands() {
    for (int id : menuSet_->Ids()) {
        const CommandState state = QueryCommand(id);
        for (QAction* action : menuSet_->Actions(id)) {
            action->setEnabled(state.enabled);
            action->setCheckable(state.checked);
            action->setChecked(state.checked);
            if (state.text) action->setText(*state.text);
        }
    }
    // A submenu whose items are all disabled is disabled itself, as an unbuilt command is; the
    // innermost go first, so an outer one sees what became of them.
    const QList<QMenu*> submenus = menuSet_->Submenus();
    for (auto it = submenus.rbegin(); it != submenus.rend(); ++it) {
        const QList<QAction*> items = (*it)->actions();
        (*it)->menuAction()->setEnabled(std::any_of(items.begin(), items.end(), [](QAction* a) {
            return !a->isSeparator() && a->isEnabled();
        }));
    }
}

QList<QAction*> FrameWindow::CommandActions(int id) const {
    return menuSet_->Actions(id);
}

bool FrameWindow::IsAcceleratorKey(const QKeySequence& keys) const {
    return menuSet_->IsAccelerator(keys);
}

void FrameWindow::ShowMenuSet() {
    Window* target = CommandTarget();
    const MenuTemplate* menu = target && target->Menu() ? target->Menu() : menu_;
    const AcceleratorTable* first = target ? target->Accelerators() : nullptr;
    const AcceleratorTable* second = hosted_ ? nullptr : accelerators_;
    if (!first) std::swap(first, second);
    menuSet_->Show({menu, first, second});
    RefreshCommands();
}

void FrameWindow::OnSubWindowActivated(QMdiSubWindow*) {
    ShowMenuSet();
    emit ActiveChildChanged(ActiveChild());
}

bool FrameWindow::OnCommand(int id) {
    return commands_.Run(id);
}

void FrameWindow::EnableCommand(CommandState& state) {
    switch (state.id) {
        case kCmCascadeChildren:
        case kCmTileChildren:
        case kCmArrangeIcons:
            state.enabled = mdi_ && !mdi_->subWindowList().isEmpty();
            break;
        default:
            break;
    }
}

void FrameWindow::HandleStandardCommands() {
    HandleCommand(kCmCascadeChildren, [this] { CascadeChildren(); });
    HandleCommand(kCmTileChildren, [this] { TileChildren(false); });
    HandleCommand(kCmArrangeIcons, [this] { ArrangeIcons(); });
    HandleCommand(kCmExit, [this] { close(); });
}

void FrameWindow::OnFilesDropped(const QStringList&) {}

// Qt keeps the shortcuts of a tool window's owner live while the tool window is active, so a key
// that an owned window and its owner both bind would match twice and run neither. The host runs
// its window's own keys itself before any shortcut is looked at: it claims them when Qt asks
// whether the focus takes the key (ShortcutOverride) and runs the command when the key arrives.
// Keys the window does not bind still reach its owner's shortcuts.
bool FrameWindow::TakeOwnAccelerator(QEvent* event) {
    const QEvent::Type type = event->type();
    if (!hosted_ || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier,
                                      static_cast<Qt::Key>(key->key()));
    const int id = menuSet_->AcceleratorCommand(QKeySequence(combination));
    if (id == 0) return false;
    event->accept();
    if (type == QEvent::KeyPress) DispatchCommand(id);  // the host may be gone afterwards
    return true;
}

bool FrameWindow::event(QEvent* event) {
    if (TakeOwnAccelerator(event)) return true;
    return QMainWindow::event(event);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hosted_ && TakeOwnAccelerator(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

void FrameWindow::showEvent(QShowEvent* event) {
    Create();
    QMainWindow::showEvent(event);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (hosted_) {
        if (!hosted_->close()) {
            event->ignore();
            return;
        }
        event->accept();
        return;
    }
    if (!CanClose() || !CloseChildren()) {
        event->ignore();
        return;
    }
    CleanupWindow();
    event->accept();
}

void FrameWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void FrameWindow::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    OnFilesDropped(files);
}

void KeepAboveOwner(QWidget* owned, QWidget* owner) {
    // A tool window (a utility window on X11) that names the owner's top-level window as its
    // transient parent: window managers keep it above that window, however often the owner is
    // clicked, and it goes and comes with it.
    owned->setWindowFlag(Qt::Tool, true);
    QWidget* top = owner ? owner->window() : nullptr;
    if (!top || top == owned) return;
    owned->winId();
    top->winId();
    if (owned->windowHandle() && top->windowHandle())
        owned->windowHandle()->setTransientParent(top->windowHandle());
}

FrameWindow* ShowOwnedWindow(Window* window, QWidget* owner) {
    auto* host = new FrameWindow(window, owner, FrameWindow::HostTag{});
    KeepAboveOwner(host, owner);
    window->Create();
    host->ShowMenuSet();
    if (!window->IsHidden()) host->show();
    return host;
}

}  // namespace quorlin::platform
