#include "plot3d/levels/plot3_win.h"

#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/ini_file.h"

namespace quorlin::plot3d {

namespace cmd = resources::cmd;

namespace {

constexpr int kStrAnimLink = 272;
constexpr double kFirstZoom = 1.4;

}  // namespace

// ------------------------------------------------------------------------------ TPlotSWin

TPlotSWin::TPlotSWin(QString title, bool linked, QWidget* parent)
    : TPlotRWin(title, QString::fromLatin1(kIni3D), linked ? "PLOT3LINKMENU" : "PLOT3SMENU",
                parent),
      title_(std::move(title)),
      linked_(linked) {
    HandleCommand(cmd::kClose, [this] { HideWindow(); });
}

void TPlotSWin::SetupWindow() {
    TPlotRWin::SetupWindow();
    ResetWindow();
    ApplyIniSettings();
    ComputeViewAngles();
    UpdateMenuChecks(true);
}

void TPlotSWin::CleanupWindow() {
    CollectIniSettings();
    TPlotRWin::CleanupWindow();
}

void TPlotSWin::HideWindow() {
    // A solid tool's window keeps its solids while hidden: the next request shows it again and
    // adds beside them. The linked window starts afresh.
    if (linked_) NewDiagram();
    if (ObserverDialog()) ObserverDialog()->HideDialog();
    TPlotRWin::HideWindow();
}

bool TPlotSWin::CanClose() {
    HideWindow();
    return false;
}

void TPlotSWin::CloseWithOwner() {
    CloseAsAgreed();
    delete OuterWidget();
}

QString TPlotSWin::NormalCaption() const {
    return HasFile() ? TPlotRWin::NormalCaption() : title_;
}

// ------------------------------------------------------------------------------ TPlot3Win

TPlot3Win::TPlot3Win(QString fileName, QWidget* parent)
    : TPlotRWin(std::move(fileName), QString::fromLatin1(kIni3D), "PLOT3MENU", parent) {
    HandleCommand(cmd::kLinkedWindow, [this] { OpenLinkedWindow(); });
}

TPlot3Win::~TPlot3Win() = default;

void TPlot3Win::SetupWindow() {
    TPlotRWin::SetupWindow();
    ResetWindow();
    // A file opened with the window brings its own settings.
    if (!WillLoadStartFile(opensLastFile_)) ApplyIniSettings();
    ComputeViewAngles();
    UpdateMenuChecks(true);
    ComputeSceneBox();
    FitBoxToWindow();
    // The first view stands a little back from the fitted box.
    const long double zoom = View().zoomFactor;
    View().zoomFactor = kFirstZoom;
    ZoomView(true);
    View().zoomFactor = zoom;
    ClearModified();
}

void TPlot3Win::CleanupWindow() {
    CollectIniSettings();
    if (linked_) linked_->CloseWithOwner();
    TPlotRWin::CleanupWindow();
}

void TPlot3Win::OpenLinkedWindow() {
    if (!linked_) {
        const QString title = resources::LoadString(kStrAnimLink) + QStringLiteral(".qz3");
        linked_ = new TPlotSWin(title, true);
        linked_->SetUseDefaults(Switches().childrenUseDefaults);
        // Its own top-level frame with its menu, owned by this window.
        AttachHidden(linked_, this);
        linked_->SetFileName(QString());
        linked_->Formulas().vars = Formulas().vars;
        linked_->SetVersion(Version());
    }
    if (linked_->platform::Window::IsHidden()) linked_->ShowWindow();
}

void TPlot3Win::ExampleChanged(int letter) {
    TPlotRWin::ExampleChanged(letter);
    if (!linked_ || letter < 0 || letter >= slot::kNamedCount) return;
    linked_->Formulas().SetVar(letter, Formulas().vars.value[static_cast<std::size_t>(letter)]);
    linked_->ExampleChanged(letter);
}

platform::Window* CreatePlot3Window(const NewWindowRequest& request) {
    auto* window = new TPlot3Win(request.fileName);
    window->SetUseDefaults(request.useDefaults);
    window->SetOpensLastFile(request.openLast);
    return window;
}

}  // namespace quorlin::plot3d
