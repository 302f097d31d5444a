#include "plot2d/plot2_win.h"

#include "plot2d/orbital_editor.h"

namespace quorlin::plot2d {

TPlot2Win::TPlot2Win(QString fileName, QWidget* parent)
    : TPlotEWin(kPlot2DFileKind, std::move(fileName), QStringLiteral("qz2.ini"), "PLOT2MENU",
                parent) {}

TLogWin::TLogWin(QString fileName, QWidget* parent)
    : TPlotEWin(kPlot2DFileKind, std::move(fileName), QStringLiteral("qzlog.ini"), "LOGMENU",
                parent) {
    PointMapping().readoutMaps = true;
}

QString TLogWin::DefaultExtension() const {
    return ::quorlin::DefaultExtension(WindowKind::Logarithmic).mid(1);
}

TPlotXWin::TPlotXWin(QString fileName, QWidget* parent)
    : TPlotEWin(kPlot2DFileKind, std::move(fileName), QStringLiteral("planets.ini"), "PLANETSMENU",
                parent) {}

bool TPlotXWin::EditOrbitalSystem(int i) {
    const TOrbitalEditorRun& editor = GetOrbitalEditor();
    if (!editor || !Inventory().IsIndex(i) || Inventory()[i].kind != examples::kind::kOrbital)
        return false;
    examples::TExample kept;
    kept.InitCopy(Inventory()[i], true);
    EnableInventory(false);
    const int result = editor(*this, i);
    EnableInventory(true);
    if (result != platform::kIdOk) {
        Inventory()[i] = std::move(kept);
        InvalidateGraph();
        return false;
    }
    MarkModified();
    InvalidateGraph();
    return true;
}

platform::Window* CreatePlot2Window(const NewWindowRequest& request) {
    auto* window = new TPlot2Win(request.fileName);
    PrepareWindow(window, request);
    return window;
}

platform::Window* CreateLogWindow(const NewWindowRequest& request) {
    auto* window = new TLogWin(request.fileName);
    NewWindowRequest logRequest = request;
    if (logRequest.logMode <= 0) logRequest.logMode = canvas::kLogBoth;  // a file sets its own
    PrepareWindow(window, logRequest);
    return window;
}

platform::Window* CreatePlanetsWindow(const NewWindowRequest& request) {
    auto* window = new TPlotXWin(request.fileName);
    PrepareWindow(window, request);
    return window;
}

}  // namespace quorlin::plot2d
