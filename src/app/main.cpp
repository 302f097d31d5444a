// Quorlin's entry point: the composition root that tells the shell which window kinds exist.
#include <QApplication>

#include "formula/func_win.h"
#include "plot2d/plot2_win.h"
#include "shell/plot_app.h"
#include "shell/window_kinds.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorlin"));

    quorlin::WindowKindRegistry kinds;
    kinds.Register(quorlin::WindowKind::Plot2D, quorlin::plot2d::CreatePlot2Window);
    // Until the logarithmic window stands, its modes open the formula level with logarithmic
    // axes: the 2D drawers sample in plot coordinates, which are exponents there.
    kinds.Register(quorlin::WindowKind::Logarithmic, quorlin::CreateFormulaWindow);
    return quorlin::TPlot(kinds).Run(QApplication::arguments());
}
