#include "examples/plot11_win.h"

#include <cmath>

namespace quorlin::examples {

TPlot11Win::TPlot11Win(int kind, QString fileName, QString iniName, int dimension, QWidget* parent)
    : TPlot1Win(kind, std::move(fileName), std::move(iniName), dimension, parent) {}

TPlot11Win::~TPlot11Win() = default;

bool TPlot11Win::EvalEntryPoint(int k, Vec3& out, long double u, long double v) {
    if (!Inventory().IsIndex(k)) return false;
    TExample& e = Inventory()[k];
    FormulaContext& f = Formulas();
    const auto value = [&](int tree, long double& to) {
        if (!e.Tree(tree) || !f.Evaluate(*e.Tree(tree))) return false;
        to = e.Tree(tree)->re;
        return true;
    };
    long double z = 0;
    switch (e.kind) {
        case kind::kSurface:
            f.SetVar(slot::kX, u);
            f.SetVar(slot::kY, v);
            if (!value(3, z)) return false;
            out = {u, v, z};
            return true;
        case kind::kPolarSurface:
            f.SetVar(slot::kR, u);
            f.SetVar(slot::kT, v);
            if (!value(3, z)) return false;
            out = {u * std::cos(v), u * std::sin(v), z};
            return true;
        default: {
            f.SetVar(slot::kT, u);
            f.SetVar(slot::kU, v);
            long double x = 0, y = 0;
            if (!value(1, x) || !value(2, y) || !value(3, z)) return false;
            out = {x, y, z};
            return true;
        }
    }
}

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
