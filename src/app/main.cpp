// Quorlin's entry point: the composition root that tells the shell which window kinds exist.
#include <QApplication>

#include "formula/func_win.h"
#include "shell/plot_app.h"
#include "shell/window_kinds.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorlin"));

    quorlin::WindowKindRegistry kinds;
    // Until the plot levels stand, "2-dim" and the logarithmic modes open the highest level built
    // so far: a window with axes, grid, view and grid dialogs, texts, pictures and formulas.
    kinds.Register(quorlin::WindowKind::Plot2D, quorlin::CreateFormulaWindow);
    kinds.Register(quorlin::WindowKind::Logarithmic, quorlin::CreateFormulaWindow);
    return quorlin::TPlot(kinds).Run(QApplication::arguments());
}
