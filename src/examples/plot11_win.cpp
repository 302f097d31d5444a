#include "examples/plot11_win.h"

namespace quorlin::examples {

TPlot11Win::TPlot11Win(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TPlot1Win(kind, std::move(fileName), std::move(iniName), dimension, parent) {}

TPlot11Win::~TPlot11Win() = default;

void TPlot11Win::ViewLoaded() {}
void TPlot11Win::ConvertStoredPoints(int) {}
void TPlot11Win::DrawPointMarkers(platform::DeviceContext&, int) {}
void TPlot11Win::CopyBodyListToTable(int) {}
void TPlot11Win::OpenLineIntegral() {}
void TPlot11Win::OpenIvp10() {}
void TPlot11Win::OpenIvp11() {}
void TPlot11Win::OpenIvp12() {}
void TPlot11Win::OpenIvp20() {}

std::uint16_t TPlot11Win::OpenToolsMask() const {
    return 0;
}

void TPlot11Win::RestoreToolState(int, int, int) {}

void TPlot11Win::GetToolState(std::array<int, 3>& out) const {
    out = {0, 0, 0};
}

}  // namespace quorlin::examples
