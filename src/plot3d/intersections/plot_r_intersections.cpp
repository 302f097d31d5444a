// The 3D window's surface intersections and meridians: the command that chooses two surfaces
// and finds or makes their intersection, the rebuild of an intersection from its surfaces (the
// dependency walk's row), the launchers of the curves dialog and of the window of intersection
// curves, and the meridian command.
#include <cmath>
#include <numbers>

#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "plot3d/intersections/intersection_dialog.h"
#include "plot3d/intersections/intersection_trees.h"
#include "plot3d/intersections/surface_choice_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot_r_win.h"
#include "plot3d/tools/double_integral.h"

namespace quorlin::plot3d {

namespace {

namespace k = examples::kind;

constexpr int kStrTrace = 164;
constexpr QStringView kStartRadius = u"1.00";
constexpr QStringView kStartLongitude = u"0.00";

// A curve traced in a parametric surface's parameters is shown in the plane of t and u.
void FrameParameterPlane(TLevelWin& window, const examples::TExample& e) {
    const long double cx = (e.rangeLow[0] + e.rangeHigh[0]) / 2;
    const long double cy = (e.rangeLow[1] + e.rangeHigh[1]) / 2;
    window.SetView(cx, cy, kLevelViewMargin * std::fabs(e.rangeHigh[0] - e.rangeLow[0]),
                   kLevelViewMargin * std::fabs(e.rangeHigh[1] - e.rangeLow[1]), false);
    window.Figure().axisLabels[0] = QStringLiteral("t");
    window.Figure().axisLabels[1] = QStringLiteral("u");
}

}  // namespace

TIntSSDlg* TPlotRWin::IntersectionDialog() const {
    return intersectionDialog_.data();
}

TLevelWin* TPlotRWin::IntersectionWindow() const {
    return intersectionWindow_.data();
}

int TPlotRWin::BuildIntersectionCurve(int i) {
    if (!Inventory().IsIndex(i)) return kErrInconsistent;
    examples::TExample& e = Inventory()[i];
    const auto [p, q] = e.parent;
    if (!Inventory().IsIndex(p) || !Inventory().IsIndex(q) || p == i || q == i) {
        for (NodePtr& tree : e.trees) tree.reset();
        return kErrInconsistent;
    }
    return BuildIntersectionTrees(Formulas(), Inventory()[p], Inventory()[q], IsLoading(), e);
}

void TPlotRWin::CmSurfaceSurface() {
    TSurfSelDlg chooser(*this);
    if (chooser.Execute() != platform::kIdOk || !chooser.Chosen()) return;
    std::optional<int> i = FindIntersectionExample(Inventory(), *chooser.Chosen());
    if (!i) i = AddIntersection(*chooser.Chosen());
    if (!i) return;
    InvalidateImage(ImageLayer::Background);
    Invalidate();
    OpenIntersectionCurvesDialog(*i);
}

std::optional<int> TPlotRWin::AddIntersection(const TSurfacePair& pair) {
    if (!CanAddExample(true)) return std::nullopt;
    examples::TExample& e = AddExample(k::kSurfaceIntersection, 0, 1);
    e.parent = {static_cast<std::int16_t>(pair.first), static_cast<std::int16_t>(pair.second)};
    e.derivation = static_cast<std::uint16_t>(pair.derivation);
    const int i = Inventory().LastIndex();
    if (const int error = BuildIntersectionCurve(i); error != 0) {
        RemoveExamplesAfter(i - 1);
        platform::ErrorMsg(this, error);
        return std::nullopt;
    }
    ++ExampleBook().created;
    AddEquationLabel();
    InventoryChanged(1);
    return i;
}

void TPlotRWin::OpenIntersectionCurvesDialog(int i) {
    if (!Inventory().IsIndex(i) || Inventory()[i].kind != k::kSurfaceIntersection) return;
    if (!intersectionDialog_) {
        intersectionDialog_ = new TIntSSDlg(*this, i);
        intersectionDialog_->Create();
    } else if (intersectionDialog_->IsHidden()) {
        // A closed dialog takes the intersection it is opened for now, with a new backup.
        intersectionDialog_->SetExample(i);
    }
    intersectionDialog_->ShowDialog();
    intersectionDialog_->raise();
    intersectionDialog_->activateWindow();
    EnableInventory(false);
}

int TPlotRWin::ShowIntersectionWindow(int i, bool search) {
    if (!Inventory().IsIndex(i) || Inventory()[i].kind != k::kSurfaceIntersection) return 0;
    TLevelWin& window = KeptLevelWindow(intersectionWindow_, kStrTrace);
    const examples::TExample& e = Inventory()[i];
    window.ShowLevel({.example = i,
                      .variable = IntersectionLevelVariable(e),
                      .value = 0,
                      .untilQ = search,
                      .search = search,
                      .currentOnly = true});
    if (IsParametricIntersection(e.derivation)) FrameParameterPlane(window, e);
    return PresentLevelWindow(window, search);
}

void TPlotRWin::HideIntersectionWindow() {
    if (intersectionWindow_) intersectionWindow_->HideWindow();
}

void TPlotRWin::IntersectionExamplesRemoved(std::span<const int> oldToNew) {
    FollowRenumbering(intersectionDialog_.data(), intersectionWindow_.data(), oldToNew);
}

void TPlotRWin::CmMeridian() {
    QString radius = kStartRadius.toString();
    QString longitude = kStartLongitude.toString();
    const int fieldChars = static_cast<int>(kMeridianFieldChars);
    platform::TGenDlg dialog(this, "MERID", {{&radius, fieldChars}, {&longitude, fieldChars}});
    if (dialog.Execute() != platform::kIdOk) return;
    const std::array<const QString*, 2> fields{&radius, &longitude};
    std::array<std::string, 2> typed;
    for (std::size_t k = 0; k < typed.size(); ++k) {
        const auto text = ToWindows1252(*fields[k]);
        const int error = text ? Formulas().Parse(*text) : kErrCannotUnderstand;
        Formulas().TakeParseResult();
        if (error != 0) {
            platform::ErrorMsg(this, error);
            return;
        }
        typed[k] = *text;
    }
    std::array<std::string, 3> texts;
    if (const int error = MeridianTexts(typed[0], typed[1], texts); error != 0) {
        platform::ErrorMsg(this, error);
        return;
    }
    if (!CanAddExample(true)) return;
    AddExample(k::kSpaceCurve, 0, std::numbers::pi_v<long double>, {texts[0], texts[1], texts[2]});
    const int i = Inventory().LastIndex();
    ++ExampleBook().created;
    CompileExample(i);
    AddEquationLabel();
    RefreshExample(i, true);
    InventoryChanged(1);
    activateWindow();
}

}  // namespace quorlin::plot3d
