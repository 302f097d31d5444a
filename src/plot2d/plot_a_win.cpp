#include "plot2d/plot_a_win.h"

#include <cstdio>

#include "core/errors.h"
#include "examples/levels/analysis_tools.h"
#include "examples/operations/plot_points.h"

#include "examples/records/compile.h"
#include "examples/records/derivation.h"
#include "platform/clock.h"
#include "platform/key_poll.h"
#include "plot2d/shading.h"

namespace quorlin::plot2d {

using examples::TExample;
namespace k = examples::kind;

TPlotAWin::TPlotAWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TPlot111Win(kind, std::move(fileName), std::move(iniName), 2, parent) {}

TPlotAWin::~TPlotAWin() = default;

// ------------------------------------------------------------------------------ derived examples

bool TPlotAWin::UpdateAntiderivative(int i) {
    examples::TInventory& inv = Inventory();
    TExample& e = inv[i];
    const int f = e.parent[0], g = e.parent[1];
    if (!inv.IsIndex(f) || f >= i) return false;
    if (Formulas().Parse(e.Text(1)) != 0) return false;
    e.Tree(1) = Formulas().TakeParseResult();
    const TExample& fe = inv[f];
    long double low = fe.rangeLow[0], high = fe.rangeHigh[0];
    bool lock = fe.lockInterval != 0;
    if (lock) {
        inv.Entry(i).rangeLow = TExprNode::CopyTree(inv.Entry(f).rangeLow.get());
        inv.Entry(i).rangeHigh = TExprNode::CopyTree(inv.Entry(f).rangeHigh.get());
    }
    if (inv.IsIndex(g) && g < i) {
        const TExample& ge = inv[g];
        low = std::max(low, ge.rangeLow[0]);
        high = std::min(high, ge.rangeHigh[0]);
        lock = lock || ge.lockInterval;
        if (lock && high < low) return false;
        e.Tree(2) = TExprNode::NewBinary('-', TExprNode::CopyTree(fe.Tree(2)),
                                         TExprNode::CopyTree(ge.Tree(2)));
    } else {
        e.Tree(2) = TExprNode::CopyTree(fe.Tree(2));
    }
    e.lockInterval = lock;
    e.rangeLow[0] = std::max(e.rangeLow[0], low);
    e.rangeHigh[0] = std::min(e.rangeHigh[0], high);
    return true;
}

bool TPlotAWin::UpdateRoulette(int i) {
    examples::TInventory& inv = Inventory();
    TExample& e = inv[i];
    const int p = e.parent[0];
    if (!inv.IsIndex(p) || p >= i) return false;
    const TExample& parent = inv[p];
    for (int t : {2, 5, 6}) e.Tree(t) = TExprNode::CopyTree(parent.Tree(t));
    if (parent.kind == k::kExplicit) {
        e.Tree(1) = TExprNode::NewOp(op::kVarT);
        TExprNode::RenameXToT(e.Tree(2).get());
        TExprNode::RenameXToT(e.Tree(6).get());
    } else {
        e.Tree(1) = TExprNode::CopyTree(parent.Tree(1));
    }
    return true;
}

bool TPlotAWin::UpdateEvolute(int i) {
    examples::TInventory& inv = Inventory();
    const int p = inv[i].parent[0];
    if (!inv.IsIndex(p) || p >= i) return false;
    examples::TExampleCompiler& c = Compiler();
    c.BuildEvolute(i);
    c.CompileCurveData(i);
    c.CompilePartials(i);
    // The evolute has no range text of its own: it runs over its parent's range as it stands
    // now, which the walk's evaluation of the range ends keeps.
    TExample& e = inv[i];
    e.rangeLow[0] = inv[p].rangeLow[0];
    e.rangeHigh[0] = inv[p].rangeHigh[0];
    inv.Entry(i).rangeLow = TExprNode::NewConst(e.rangeLow[0]);
    inv.Entry(i).rangeHigh = TExprNode::NewConst(e.rangeHigh[0]);
    return true;
}

bool TPlotAWin::RebuildPlotPoints(int i) {
    return examples::RebuildPlotPointsExample(Inventory(), i);
}

bool TPlotAWin::RebuildDerived(int i) {
    if (!Inventory().IsIndex(i)) return false;
    namespace d = examples::derived;
    using Hook = examples::TRebuildHook<TPlotAWin>;
    static constexpr Hook kHooks[] = {
        {d::kTaylor,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildTaylorPolynomial(k); }},
        {d::kTangentLine,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildTangentLine(k); }},
        {d::kTrajectoryPoint,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildTrajectoryPoint(k); }},
        {d::kTrajectoryVector,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildTrajectoryLine(k); }},
        {d::kTrajectoryTangent,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildTrajectoryLine(k); }},
        {d::kMarkedPoint,
         [](TPlotAWin& w, int k) { return w.TangentBuilder().BuildMarkedPoint(k); }},
        {d::kAntiderivative, [](TPlotAWin& w, int k) { return w.UpdateAntiderivative(k); }},
        {d::kRoulette, [](TPlotAWin& w, int k) { return w.UpdateRoulette(k); }},
        {d::kEvolute, [](TPlotAWin& w, int k) { return w.UpdateEvolute(k); }},
        {d::kPlotPoints, [](TPlotAWin& w, int k) { return w.RebuildPlotPoints(k); }},
    };
    const int code = Inventory()[i].derivation;
    if (const auto built = examples::RunRebuildHook(kHooks, *this, code, i)) return *built;
    return TPlot111Win::RebuildDerived(i);
}

void TPlotAWin::AddDerivative(int i) {
    if (examples::TAnalysisTools* tools = AnalysisTools()) tools->AddDerivative(i);
}

bool TPlotAWin::AddsDerivatives() const {
    return static_cast<bool>(examples::GetAnalysisToolsMaker().make);
}

int TPlotAWin::MarkPoint(long double x, long double y) {
    if (!CanAddExample(true)) return kErrNoMoreRoom;
    // 15 characters with 14 decimals, as the point's texts keep a found value.
    char texts[2][64];
    std::snprintf(texts[0], sizeof texts[0], "%15.14Lf", x);
    std::snprintf(texts[1], sizeof texts[1], "%15.14Lf", y);
    state_.toolOrigin = true;
    TExample& e = AddExample(k::kPoint, 0, 1, {texts[0], texts[1]});
    e.pen.width = static_cast<std::uint16_t>(std::max<int>(Options().dotSize, 1));
    const int i = Inventory().LastIndex();
    CompileExample(i);
    AddEquationLabel();
    InventoryChanged(1);
    DrawExampleNow(i);
    return 0;
}

// ------------------------------------------------------------------------------ regions

void TPlotAWin::FreeShadeList() {
    state_.shades.clear();
}

TCanvasRules TPlotAWin::CanvasRules() {
    TCanvasRules rules;
    rules.colour = [this](int index) {
        return OutputColor(Options().graphInBlack ? 0 : DrawColor(index));
    };
    rules.penWidth = [this](int width) {
        const int factor = std::max(Output().highResolutionFactor, 1);
        return (Printing().printing ? Output().printLineWidth : std::max(width, 1)) * factor;
    };
    rules.pixelScale = ImageScale();
    return rules;
}

std::function<int()> TPlotAWin::DrawingPoll(TLongWorkHint& hint) {
    if (Output().noPolling) return {};
    return TTimedPoll(
        [this, &hint] {
            hint.Polled();
            return PollDrawingKey();
        },
        DrawingPollInterval());
}

int TPlotAWin::PollDrawingKey() {
    return platform::PollKey(this);
}

int TPlotAWin::DrawThrough(platform::DeviceContext& dc,
                           const std::function<int(TDrawEnvironment&)>& draw) {
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TLongWorkHint hint(*this);
    TCanvasRules rules = CanvasRules();
    rules.pollKey = DrawingPoll(hint);
    TPrimitivesCanvas canvas(prim, std::move(rules));
    TCanvasTarget target(canvas);
    TDrawEnvironment env{Formulas(),
                         Inventory(),
                         target,
                         drawers_,
                         state_.lagrangeExample,
                         Tracer().infiniteSlopes,
                         Roles().Role(kWebDiagonalColourRole)};
    if (!Output().noPolling) env.showMember = [this](int delayMs) { ShowDrawnMember(delayMs); };
    return draw(env);
}

// The window paints the layers as far as they are drawn (a paint while rendering shows them as
// they are), then the drawing waits, keys still reaching the poll.
void TPlotAWin::ShowDrawnMember(int delayMs) {
    UpdateWindow();
    if (delayMs > 0) platform::BusyDelay(delayMs);
}

void TPlotAWin::FillShadeSolid(platform::DeviceContext& dc, const TShadeRecord& record) {
    DrawThrough(dc, [&](TDrawEnvironment& env) {
        plot2d::FillShadeSolid(env, record);
        return 0;
    });
}

std::optional<Vec2> TPlotAWin::ThrowDartsInWindow(int region, bool seeDarts) {
    const TPlotSpace space = PlotSpaceOf(View());
    TLongWorkHint hint(*this);
    TDartThrow result = ThrowDarts(Formulas(), Inventory(), space, Tools().randomDarts, region,
                                   DrawingPoll(hint), seeDarts);
    state_.darts.clear();
    if (seeDarts && result.centroid) {
        state_.darts = std::move(result.hits);
        state_.dartColour = Inventory().IsIndex(region) ? Inventory()[region].listing
                                                        : Roles().Role(kRegionColourRole);
    }
    InvalidateImage(ImageLayer::Picture);
    Invalidate();
    return result.centroid;
}

}  // namespace quorlin::plot2d
