// The drawing the 2D and 3D branches share at the tool-commands level: point examples record by
// record, curves of one parameter in the plane and in space, and polylines whose visibility marks
// choose their pieces, all through the canvas primitives.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "canvas/canvas_primitives.h"
#include "examples/levels/plot11_win.h"
#include "examples/records/derivation.h"
#include "examples/records/point_position.h"
#include "platform/clock.h"
#include "platform/key_poll.h"

namespace quorlin::examples {

namespace {

constexpr int kDiscMarker = 1;
// Marks of a sampled point: drawn in full, or hidden behind a surface.
constexpr std::uint8_t kShown = 1;
constexpr std::uint8_t kHidden = 0;
constexpr int kMarkedRunsOnly = 2;  // canvas::SegmentChosen: the marked runs only

// The pieces of a sampled curve between its breaks.
struct TSampledRuns {
    std::vector<std::vector<canvas::WorldPoint>> points{{}};
    std::vector<std::vector<std::uint8_t>> marks{{}};

    void Add(canvas::WorldPoint p, std::uint8_t mark) {
        points.back().push_back(p);
        marks.back().push_back(mark);
    }
    void Break() {
        if (points.back().empty()) return;
        points.emplace_back();
        marks.emplace_back();
    }
};

// The value of a tree at the current variables; false where it is undefined or not finite.
bool ValueOf(FormulaContext& f, TExprNode* tree, long double& out) {
    if (!tree || !f.Evaluate(*tree) || !std::isfinite(tree->re)) return false;
    out = tree->re;
    return true;
}

// The index of a record of the inventory; -1 for a record of its own (a reference record).
int IndexOf(const TInventory& inventory, const TExample& e) {
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (&inventory[i] == &e) return i;
    return -1;
}

// Parameter i of n steps from t0 to t1, exactly t1 at the end.
long double StepValue(long double t0, long double t1, int i, int n) {
    return i == n ? t1 : t0 + (t1 - t0) * i / n;
}

}  // namespace

void TPlot11Win::DrawPolylineToOutputs(platform::DeviceContext& dc,
                                       std::span<const canvas::WorldPoint> points,
                                       std::span<const std::uint8_t> marks, const TPenSpec& pen,
                                       int mode) {
    if (points.size() < 2) return;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const int factor = std::max(Output().highResolutionFactor, 1);
    prim.SetPen(OutputColor(DrawColor(pen.colour)), std::max<int>(pen.width, 1) * factor,
                pen.DrawnStyle());
    prim.PolylineByParity(points, marks, mode);
}

void TPlot11Win::DrawPlaneCurve(platform::DeviceContext& dc, TExprNode* x, TExprNode* y,
                                long double t0, long double t1, int n, const TPenSpec& pen) {
    if (n < 1 || !x || !y) return;
    FormulaContext& f = Formulas();
    TSampledRuns runs;
    for (int i = 0; i <= n; ++i) {
        f.SetVar(slot::kT, StepValue(t0, t1, i, n));
        canvas::WorldPoint p;
        if (ValueOf(f, x, p.x) && ValueOf(f, y, p.y) && IsInView(p)) {
            runs.Add(p, kShown);
        } else {
            runs.Break();
        }
    }
    for (std::size_t r = 0; r < runs.points.size(); ++r)
        DrawPolylineToOutputs(dc, runs.points[r], runs.marks[r], pen, kMarkedRunsOnly);
}

void TPlot11Win::DrawSpaceCurve(platform::DeviceContext& dc, TExprNode* x, TExprNode* y,
                                TExprNode* z, long double t0, long double t1, int n,
                                bool hiddenTest, const TPenSpec& pen) {
    if (n < 1 || !x || !y || !z) return;
    FormulaContext& f = Formulas();
    TSampledRuns runs;
    for (int i = 0; i <= n; ++i) {
        f.SetVar(slot::kT, StepValue(t0, t1, i, n));
        Vec3 v;
        if (!ValueOf(f, x, v.x) || !ValueOf(f, y, v.y) || !ValueOf(f, z, v.z)) {
            runs.Break();
            continue;
        }
        const Vec2 q = ProjectPoint(v);
        const canvas::WorldPoint p{q.x, q.y};
        if (!IsInView(p)) {
            runs.Break();
            continue;
        }
        runs.Add(p, !hiddenTest || IsPointVisible(v) ? kShown : kHidden);
    }
    for (std::size_t r = 0; r < runs.points.size(); ++r)
        DrawPolylineToOutputs(dc, runs.points[r], runs.marks[r], pen, kMarkedRunsOnly);
}

bool TPlot11Win::IsPointVisible(const Vec3&) {
    return true;
}

// ------------------------------------------------------------------------------ point examples

int TPlot11Win::DrawEntry(platform::DeviceContext& dc, int k) {
    if (!Inventory().IsIndex(k)) return 0;
    return DrawEntryRecord(dc, Inventory()[k]);
}

bool TPlot11Win::DrawEntryPoint(canvas::TCanvasPrimitives& prim, TExample& e, int k) {
    FormulaContext& f = Formulas();
    const bool single = e.kind == kind::kPoint || e.kind == kind::kSpacePoint ||
                        e.derivation == derived::kMarkedPoint;
    if (!single) {
        const long double value = e.values[static_cast<std::size_t>(k)];
        const bool listed = e.kind == kind::kPlotPoints;
        if (!listed && (value < e.rangeLow[0] || value > e.rangeHigh[0])) return false;
        f.SetVar(std::clamp<int>(e.PlotPointVariable(), 0, slot::kNamedCount - 1), value);
    }
    Vec3 v;
    if (e.kind == kind::kPoint && e.ComplexPoint()) {  // given as a complex number z
        TExprNode* z = e.Tree(1).get();
        if (!z || !f.Evaluate(*z)) return false;
        v = {z->re, z->im, 0};
    } else {
        const bool explicitParent = e.kind == kind::kPlotPoints && e.subKind == kind::kExplicit;
        if (explicitParent) {
            v.x = e.values[static_cast<std::size_t>(k)];
        } else if (!ValueOf(f, e.Tree(1).get(), v.x)) {
            return false;
        }
        if (!ValueOf(f, e.Tree(2).get(), v.y)) return false;
        const bool space = e.kind == kind::kSpaceCurve || e.kind == kind::kSpacePoint;
        if (space && !ValueOf(f, e.Tree(3).get(), v.z)) return false;
    }
    if (!TypedPointToCartesian(e, v)) return false;
    canvas::WorldPoint p{v.x, v.y};
    if (Dimension() >= 3) {
        if (!IsPointVisible(v)) return false;
        const Vec2 q = ProjectPoint(v);
        p = {q.x, q.y};
    }
    QPoint pixel;
    if (!PointToScreen(p, pixel)) return false;
    // Texts tied to the point find it in the first range block, its pixel in the numbers.
    e.rangeLow[0] = p.x;
    e.rangeLow[1] = p.y;
    e.Number(TNumber::kPointX) = pixel.x();
    e.Number(TNumber::kPointY) = pixel.y();
    DrawPointMark(prim, e, pixel);
    return true;
}

// A solid disc, or with the point's style word set ("circle") a ring in the pen with the
// background inside.
void TPlot11Win::DrawPointMark(canvas::TCanvasPrimitives& prim, const TExample& e, QPoint pixel) {
    const int r = std::max<int>(1, e.pen.width);
    if (e.pen.DrawnStyle() == 0) return prim.Marker(pixel, kDiscMarker, r);
    const int sides = std::clamp(4 * r, 12, 96);
    std::vector<canvas::WorldPoint> ring;
    for (int k = 0; k < sides; ++k) {
        const long double a = 2 * std::numbers::pi_v<long double> * k / sides;
        const QPoint q(pixel.x() + static_cast<int>(std::lround(r * std::cos(a))),
                       pixel.y() + static_cast<int>(std::lround(r * std::sin(a))));
        ring.push_back(prim.Frame().ScreenToWorld(q));
    }
    prim.Polygon(ring, RoleColour(0));
}

// A watched family (negative steps) shows each member as it is drawn and waits the family's
// delay before the next; not in exports, prints or animation frames.
void TPlot11Win::WatchFamilyMember(const TExample& e) {
    if (e.familySteps >= 0 || Output().noPolling) return;
    UpdateWindow();
    if (e.familyDelay > 0) platform::BusyDelay(e.familyDelay);
}

int TPlot11Win::DrawEntryRecord(platform::DeviceContext& dc, TExample& e) {
    FormulaContext& f = Formulas();
    const bool derivedPoint = e.derivation == derived::kMarkedPoint;
    const int parent = e.parent[0];
    const bool explicitParent =
        Inventory().IsIndex(parent) && Inventory()[parent].kind == kind::kExplicit;
    const int parameter = explicitParent ? slot::kX : slot::kT;
    const Complex saved = f.vars.value[static_cast<std::size_t>(parameter)];
    if (derivedPoint) {
        long double value = 0;
        if (ReadNumber(e.Text(4), value) != 0) return 1;
        f.SetVar(parameter, value);
    }
    canvas::TCanvasPrimitives prim = Primitives(dc);
    const int width = Printing().printing ? Output().printLineWidth : 1;
    prim.SetPen(OutputColor(DrawColor(e.pen.colour)), std::max(width, 1), canvas::kStyleSolid);
    const bool single = e.kind == kind::kPoint || e.kind == kind::kSpacePoint || derivedPoint;
    const int count =
        single ? 1 : std::clamp<int>(e.PlotPointCount(), 0, static_cast<int>(e.values.size()));
    const int members = e.familyOn ? std::abs(e.familySteps) + 1 : 1;
    const int letter = std::clamp<int>(e.familyLetter, 1, slot::kLastParameter);
    const Complex familySaved = f.vars.value[static_cast<std::size_t>(letter)];
    const int index = IndexOf(Inventory(), e);
    for (int m = 0; m < members; ++m) {
        if (e.familyOn)
            f.SetVar(letter, members == 1 ? e.familyLow
                                          : StepValue(e.familyLow, e.familyHigh, m, members - 1));
        for (int k = 0; k < count; ++k) {
            const bool drawn = DrawEntryPoint(prim, e, k);
            if (drawn && e.Anchors() && e.subKind > 0 && index >= 0) DrawPointMarkers(dc, index);
        }
        if (m + 1 < members) WatchFamilyMember(e);
    }
    if (e.familyOn) f.vars.value[static_cast<std::size_t>(letter)] = familySaved;
    if (derivedPoint) f.vars.value[static_cast<std::size_t>(parameter)] = saved;
    return Output().noPolling ? 0 : platform::PollKey(this);
}

}  // namespace quorlin::examples
