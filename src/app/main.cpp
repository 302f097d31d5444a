// Quorlin's entry point: the composition root that tells the shell which window kinds exist.
#include <QApplication>

#include "shell/plot_app.h"
#include "shell/window_kinds.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorlin"));

    quorlin::WindowKindRegistry kinds;
    return quorlin::TPlot(kinds).Run(QApplication::arguments());
}
