#include "shell/plot_frame.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

#include "platform/common_dialogs.h"
#include "platform/screen_metrics.h"
#include "platform/strings.h"
#include "resources/command_ids.h"
#include "shell/file_msg_win.h"
#include "shell/first_paint_exit.h"
#include "shell/help_window.h"
#include "shell/zel_win.h"

namespace quorlin {

namespace cmd = resources::cmd;

namespace {

constexpr int kNonameString = 29;  // "noname"

const char* const kOpenFilter =
    "Diagrams (*.QZ2;*.QZ3;*.MA2;*.MAZ;*.LQZ)|*.qz2;*.qz3;*.ma2;*.maz;*.lqz|"
    "Plot2D files (*.QZ2)|*.qz2|Plot3D files (*.QZ3)|*.qz3|"
    "Mappings (*.MA2;*.MAZ)|*.ma2;*.maz|Logarithmic axes (*.LQZ)|*.lqz";

constexpr QSize kDefaultFrameSize(1024, 720);

}  // namespace

QRect TPlotFrame::InitialGeometry(const std::optional<WindowPlacement>& kept) const {
    QRect wanted(pos(), kDefaultFrameSize);
    if (kept && kept->width > 100 && kept->height > 100) {
        wanted = QRect(kept->x, kept->y, kept->width, kept->height);
    }
    // A frame kept on a monitor that is gone now comes back on the primary screen; on any
    // screen it is made to fit what the screen has room for (at a larger scale factor the same
    // size in pixels needs more of it). The window manager puts its title bar and borders
    // around the client area: room is left for them.
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return wanted;
    const QStyle* style = QApplication::style();
    const int titleBar = style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 24;
    constexpr int kBorders = 8;
    const QRect available = screen->availableGeometry();
    return platform::FitInside(
        wanted,
        QRect(available.topLeft(), available.size() - QSize(kBorders, titleBar + kBorders)));
}

QString JoinArguments(const QStringList& arguments) {
    const QString name = arguments.mid(1).join(QLatin1Char(' '));
    return name.isEmpty() ? name : QFileInfo(name).absoluteFilePath();
}

TPlotFrame::TPlotFrame(const WindowKindRegistry& kinds, QString pendingFile)
    : kinds_(kinds), pendingFile_(std::move(pendingFile)) {
    setWindowTitle(QStringLiteral("Quorlin"));
    setAcceptDrops(true);
    SetMenuName("FRAMEMENU");
    SetAcceleratorName("FRAMEMENU");
    HandleCommands();
}

void TPlotFrame::HandleCommands() {
    for (const int id :
         {cmd::kWindow2D, cmd::kWindow3D, cmd::kWindowGuess, cmd::kWindowMapXY, cmd::kWindowMapZ,
          cmd::kWindowLogX, cmd::kWindowLogY, cmd::kWindowLogXY, cmd::kWindowPlanets}) {
        HandleCommand(id, [this, id] {
            const auto kind = KindOfCommand(id);
            NewWindow(kind->kind, kind->logMode);
        });
    }
    HandleCommand(cmd::kFrameOpen, [this] { OpenFromDialog(); });
    HandleCommand(cmd::kFrameOpenLast, [this] { settings_.openLast = !settings_.openLast; });
    HandleCommand(cmd::kUseDefaults, [this] { settings_.useDefaults = !settings_.useDefaults; });
    HandleCommand(cmd::kHelp, [this] {
        // Made on first use rather than at start: it loads a font of its own.
        if (!help_) help_ = new HelpWindow(this);
        help_->ShowHelp(QStringLiteral("FRAMEH"));
    });
    HandleCommand(cmd::kHelpTips, [this] {
        if (!tips_) tips_ = new TipsDialog(this);
        tips_->ShowDialog();
    });
}

TPlotFrame::~TPlotFrame() = default;

void TPlotFrame::SetupWindow() {
    settings_ = FrameSettings::Load();
    // The kept place is where the frame with its title bar stood (pos); without one the window
    // manager places the frame.
    const QRect placed = InitialGeometry(settings_.placement);
    resize(placed.size());
    if (settings_.placement) move(placed.topLeft());
    if (TipsDialog::TipsWanted()) tips_ = new TipsDialog(this);
}

void TPlotFrame::showEvent(QShowEvent* event) {
    FrameWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // After the first paint, as a user sees it: the frame, then the file, then the tip.
    QTimer::singleShot(0, this, &TPlotFrame::OnFirstShow);
}

void TPlotFrame::OnFirstShow() {
    if (settings_.maximized) showMaximized();
    platform::Window* opened = nullptr;
    if (!pendingFile_.isEmpty()) opened = OpenByExtension(std::exchange(pendingFile_, QString()));
    if (ExitAfterFirstPaintWanted())
        ExitAfterFirstPaint(opened ? static_cast<QWidget*>(opened) : this);
    if (tips_) tips_->ShowDialog();
}

void TPlotFrame::StorePlacement() {
    settings_.maximized = isMaximized();
    const QRect g = isMaximized() ? normalGeometry() : QRect(pos(), size());
    settings_.placement = WindowPlacement{g.x(), g.y(), g.width(), g.height()};
}

void TPlotFrame::CleanupWindow() {
    StorePlacement();
    settings_.Save();
}

platform::Window* TPlotFrame::AddWindow(WindowKind kind, NewWindowRequest request) {
    request.useDefaults = settings_.useDefaults;
    request.openLast = settings_.openLast;
    platform::Window* window = kinds_.Create(kind, request);
    if (!window) return nullptr;
    auto* graph = dynamic_cast<TZELWin*>(window);
    if (graph) {
        graph->SetUseDefaults(request.useDefaults);
        if (request.loadFile) graph->SetStartFile(request.fileName);
    }
    AddChild(window);
    // The file is read once every level of the window has set itself up.
    if (graph) graph->LoadStartFile(request.openLast);
    return window;
}

platform::Window* TPlotFrame::NewWindow(WindowKind kind, int logMode) {
    NewWindowRequest request;
    request.fileName = platform::ResourceString(kNonameString) + QString::number(++nonameCounter_) +
                       DefaultExtension(kind);
    request.logMode = logMode;
    return AddWindow(kind, std::move(request));
}

platform::Window* TPlotFrame::OpenByExtension(const QString& fileName) {
    if (platform::Window* holder = WindowOfFile(fileName)) {
        ActivateWindow(holder);
        return holder;
    }
    const auto kind = KindOfFile(fileName);
    if (!kind || !kinds_.Has(*kind)) return nullptr;
    NewWindowRequest request;
    request.fileName = fileName;
    request.loadFile = true;
    return AddWindow(*kind, std::move(request));
}

platform::Window* TPlotFrame::WindowOfFile(const QString& path) const {
    for (platform::Window* child : Children()) {
        const auto* diagram = dynamic_cast<const TFileMsgWin*>(child);
        if (diagram && diagram->HasFile() && SameFile(diagram->FileName(), path)) return child;
    }
    return nullptr;
}

void TPlotFrame::ActivateWindow(platform::Window* window) {
    if (window->IsHidden()) window->ShowWindow();
    ActivateChild(window);
}

void TPlotFrame::OpenFromDialog() {
    platform::FileDialogRequest request;
    request.filter = QString::fromLatin1(kOpenFilter);
    request.defaultExtension = QStringLiteral("qz2");
    if (const auto name = platform::CurrentCommonDialogs().OpenFileName(this, request)) {
        OpenByExtension(*name);
    }
}

void TPlotFrame::OnFilesDropped(const QStringList& files) {
    for (const QString& file : files) OpenByExtension(file);
}

void TPlotFrame::EnableCommand(platform::CommandState& state) {
    if (const auto kind = KindOfCommand(state.id)) {
        state.enabled = kinds_.Has(kind->kind);
        return;
    }
    if (state.id == cmd::kFrameOpenLast) state.checked = settings_.openLast;
    if (state.id == cmd::kUseDefaults) state.checked = settings_.useDefaults;
    FrameWindow::EnableCommand(state);
}

}  // namespace quorlin
