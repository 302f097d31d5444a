#include "examples/plot111_win.h"

namespace quorlin::examples {

TPlot111Win::TPlot111Win(int kind, QString fileName, QString iniName, int dimension,
                         QWidget* parent)
    : TPlot11Win(kind, std::move(fileName), std::move(iniName), dimension, parent) {}

TPlot111Win::~TPlot111Win() = default;

void TPlot111Win::ApplyScrollbarUnits() {
    ApplyParameterUnits();
}
void TPlot111Win::OpenTrace() {}

}  // namespace quorlin::examples
