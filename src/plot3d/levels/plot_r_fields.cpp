// The 3D window's drawers of three example features: the direction field of a 3D system as
// arrows on a grid through its box, the guide lines and angle arcs of a point, and the family of
// a 3D intrinsic curve.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/errors.h"
#include "dynamics/trajectory_drawing.h"
#include "examples/operations/animation.h"
#include "examples/records/compile.h"
#include "plot3d/axes/axes_geometry.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

using examples::TExample;
using examples::TPenSpec;
namespace kind = examples::kind;

namespace {

constexpr int kFieldShownAsVectors = 2;
constexpr long double kArrowShare = 0.001L;
constexpr long double kHeadShare = 0.21L;
constexpr long double kTiny = 1e-13L;
constexpr int kGuideSteps = 40;
constexpr int kStyleDot = 1;
constexpr int kStyleDash = 2;
// The pen styles of the mark digits 1, 2 and 3.
constexpr std::array<int, 3> kGuideStyles{0, kStyleDash, kStyleDot};

}  // namespace

long double TPlotRWin::FieldArrowLength(const TExample& e) const {
    // A length tied to a letter is ten times the letter's value, rounded, as a typed one is.
    const std::optional<long double> bound = examples::BoundFieldLength(Formulas(), e);
    const long double n = bound ? std::round(10 * *bound) : e.fieldLengthPercent;
    const long double width = View().areaWidth;
    return n * kArrowShare * width * View().unitsPerPixelX * Vec3Length(Observer().boxEye);
}

int TPlotRWin::DrawSlopeField(platform::DeviceContext& dc, int k) {
    if (!Inventory().IsIndex(k)) return 0;
    TExample& e = Inventory()[k];
    if (e.kind != kind::kSpaceSystem || e.fieldDisplay != kFieldShownAsVectors) return 0;
    const long double length = FieldArrowLength(e);
    if (!(length >= kTiny)) return 0;
    const TBox3 box{e.boxMin, e.boxMax};
    const int m = std::max<int>(e.fieldRows, 1);
    const Vec3 h = FieldGridSteps(box, m);
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    int result = 0;
    for (int i = 0; i <= m && result == 0; ++i) {
        for (int j = 0; j <= m; ++j)
            for (int l = 0; l <= m; ++l)
                DrawFieldArrow(
                    dc, k, {box.min.x + i * h.x, box.min.y + j * h.y, box.min.z + l * h.z}, length);
        // A fine grid is m^3 arrows: Q is asked after each row.
        if (poll() == kKeyStop) result = kKeyStop;
    }
    f.vars = saved;
    return result;
}

void TPlotRWin::DrawFieldArrow(platform::DeviceContext& dc, int k, Vec3 p, long double length) {
    TExample& e = Inventory()[k];
    const std::array<TExprNode*, 3> trees{e.Tree(1).get(), e.Tree(2).get(), e.Tree(3).get()};
    Vec3 v;
    if (!dynamics::EvalField3D(*this, trees, p, v)) return;
    const long double norm = Vec3Length(v);
    if (!(norm > 0) || !std::isfinite(norm)) return;
    const Vec3 q = p + (length / norm) * v;
    if (dynamics::IsPointHidden(*this, p)) return;
    const Vec2 a = ProjectPoint(p), b = ProjectPoint(q);
    const TPenSpec pen{e.extraColour[0], e.pen.width, 0};
    // The head belongs to the field's arrows: a share of their length L, whatever the size of
    // the example's curve and segment arrows.
    DrawVectorArrow(dc, {a.x, a.y}, {b.x, b.y}, kHeadShare * length, pen, true, 3);
}

void TPlotRWin::DrawPointMarkers(platform::DeviceContext& dc, int k) {
    if (!Inventory().IsIndex(k)) return;
    TExample& e = Inventory()[k];
    std::array<long double, 3> typed{};
    for (std::size_t c = 0; c < typed.size(); ++c) {
        TExprNode* tree = e.Tree(static_cast<int>(c) + 1).get();
        if (!tree || !Formulas().Evaluate(*tree)) return;
        typed[c] = tree->re;
    }
    const int form = e.PointCoordinates();
    const Vec3 t{typed[0], typed[1], typed[2]};
    const Vec3 p = CartesianPoint(form, t);
    canvas::TCanvasPrimitives prim = Primitives(dc);
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    const auto penOf = [&e](int digit) {
        return TPenSpec{
            e.pen.colour, 1,
            static_cast<std::uint16_t>(kGuideStyles[static_cast<std::size_t>(digit - 1)])};
    };
    const std::array<Vec3, 4> guides{Vec3{0, p.y, p.z}, Vec3{p.x, 0, p.z}, Vec3{p.x, p.y, 0},
                                     form == 1 ? Vec3{0, 0, p.z} : Vec3{0, 0, 0}};
    int word = e.subKind;
    for (std::size_t d = 0; d < 6; ++d, word /= 4) {
        const int digit = word % 4;
        if (digit == 0) continue;
        if (d < guides.size()) {
            if (DrawSegment3D(prim, p, guides[d], penOf(digit), false, false, kGuideSteps, poll))
                return;
            continue;
        }
        if (form == 0 || (d == 5 && form != 2)) continue;
        const long double angle = d == 4 ? t.y : t.z;
        const TArcSpan arc = AngleArc(angle);
        Vec3 last = AngleArcPoint(form, t, static_cast<int>(d), arc.from);
        for (int s = 1; s <= arc.steps; ++s) {
            const long double a = arc.from + (arc.to - arc.from) * s / arc.steps;
            const Vec3 next = AngleArcPoint(form, t, static_cast<int>(d), a);
            if (DrawSegment3D(prim, last, next, penOf(digit), false, false, 1, poll)) return;
            last = next;
        }
    }
}

int TPlotRWin::DrawIntrinsicFamily(platform::DeviceContext& dc, int i) {
    if (!Inventory().IsIndex(i)) return 0;
    const TExample& e = Inventory()[i];
    if (e.familyOn && e.familySteps < 0) return 0;
    canvas::TCanvasPrimitives prim = Primitives(dc);
    dynamics::TTrajectoryPainter painter(*this, prim);
    TLongWorkHint hint(*this);
    TStopPoll poll = HintedKeyPoll(hint);
    FormulaContext& f = Formulas();
    const auto saved = f.vars;
    // Only Q stops the family; an error of a member is kept as the result.
    const int result = examples::DrawFamilyMembers(f, e, [&] {
        const int r = painter.DrawIntrinsic3D(i);
        return r != 0 ? r : (poll() == kKeyStop ? kKeyStop : 0);
    });
    f.vars = saved;
    return result;
}

}  // namespace quorlin::plot3d
