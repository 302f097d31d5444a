// Quorlin's entry point: the composition root that tells the shell which window kinds exist.
#include <QApplication>

#include "dynamics/window_tools.h"
#include "plot2d/map2_win.h"
#include "plot2d/plot2_win.h"
#include "plot3d/levels/plot3_win.h"
#include "plot3d/levels/solid_windows.h"
#include "shell/plot_app.h"
#include "shell/window_kinds.h"
#include "tools2d/analysis_tool_set.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorlin"));

    // Every graphing window gets its initial-value dialogs and time and phase windows.
    quorlin::dynamics::InstallTrajectoryTools();
    // ... and its integration, measuring and line-integral tools.
    quorlin::tools2d::InstallAnalysisTools();
    // ... and the 3D windows its cross-section and revolution tools draw their solids in.
    quorlin::plot3d::InstallSolidWindows();
    quorlin::WindowKindRegistry kinds;
    namespace plot2d = quorlin::plot2d;
    kinds.Register(quorlin::WindowKind::Plot2D, plot2d::CreatePlot2Window);
    kinds.Register(quorlin::WindowKind::Logarithmic, plot2d::CreateLogWindow);
    kinds.Register(quorlin::WindowKind::MapXY, plot2d::CreateMapWindowXY);
    kinds.Register(quorlin::WindowKind::MapZ, plot2d::CreateMapWindowZ);
    kinds.Register(quorlin::WindowKind::Planets, plot2d::CreatePlanetsWindow);
    kinds.Register(quorlin::WindowKind::Plot3D, quorlin::plot3d::CreatePlot3Window);
    return quorlin::TPlot(kinds).Run(QApplication::arguments());
}
