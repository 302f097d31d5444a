// The level curves traced on a surface: the stored ones of the window's level, and the search
// for new ones through random points of the level that the picture does not show yet.
#include <algorithm>
#include <optional>

#include "core/errors.h"
#include "core/timed_poll.h"
#include "dynamics/geometry.h"
#include "dynamics/level_set.h"
#include "dynamics/linked_plot.h"
#include "examples/levels/plot11_win.h"
#include "platform/key_poll.h"

namespace quorlin::examples {

namespace {

constexpr int kLevelSearchAttempts = 25;
constexpr int kPairProjected = 7;  // the plotted pair of a 3D window

long double& Coordinate(Vec3& p, int slotCode) {
    return slotCode == slot::kX ? p.x : slotCode == slot::kY ? p.y : p.z;
}

}  // namespace

// Any example that asks for a search (the flag's byte means other things to other kinds, which
// only costs them a picture under their exports).
bool TPlot11Win::DrawingReadsPixels() const {
    const TInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i)
        if (inventory[i].LevelSearch()) return true;
    return false;
}

int TPlot11Win::DrawTracedCurves(platform::DeviceContext& dc, int i) {
    if (!Inventory().IsIndex(i)) return 0;
    TTrajectoryTools* tools = TrajectoryTools();
    if (!tools) return 0;
    int key = tools->DrawSystemTrajectories(dc, i, FiltersLevels());
    TExample& e = Inventory()[i];
    if (key != 0 || !e.LevelSearch()) return key;
    e.LevelSearch() = 0;
    FormulaContext& f = Formulas();
    // The level set: the surface z = f(x, y) (or F(x, y, z) = 0) within its box flattened to
    // the window's level; a surface intersection with a parametric surface is searched in that
    // surface's parameter plane (t as x, u as y).
    const std::optional<dynamics::ScalarField3> levelSet = dynamics::LevelSetField(f, e);
    if (!levelSet) return 0;
    const dynamics::ScalarField3& field = *levelSet;
    dynamics::Box3 box = dynamics::LevelSearchBox(e);
    const int level = Level().variable;
    Coordinate(box.min, level) = Coordinate(box.max, level) = Level().value;
    const Vec3 extent = box.max - box.min;
    const long double tolerance =
        dynamics::kSignChangeTolerance * std::max({extent.x, extent.y, extent.z, 1e-300L});
    const QRgb background = GetColor(Roles().Role(0)).rgb();
    // In space the painted surfaces cover the background: a point counts as drawn where a
    // curve in the trajectories' colour passes.
    std::optional<std::uint32_t> curveColour;
    if (Dimension() >= 3) curveColour = OutputColor(DrawColor(Roles().Role(kRoleTrajectory))).rgb();
    const auto pixel = [&dc](int x, int y) -> std::optional<std::uint32_t> {
        const QColor c = dc.GetPixel(x, y);
        if (!c.isValid()) return std::nullopt;
        return c.rgb();
    };
    // Without key polls a search until Q would never end: it makes its usual attempts.
    const bool untilQ = e.LevelSearchUntilQ() && !Output().noPolling;
    // The attempts in the caption, as "press Q to quit 3/25" (no end when it runs until Q).
    const bool progress = e.LevelSearchProgress() && !Printing().printing;
    // Until Q the attempts run by thousands a second: their count shows at the pace of the key
    // polls, or the desktop would be flooded with new captions.
    TTimedPoll hintPace = progress && untilQ ? levelSearchKeys_.Pace() : TTimedPoll();
    const auto saved = f.vars;
    // In a run of searches the run's poll goes on; a search of its own starts one.
    TTimedPoll own = levelSearchRun_ ? TTimedPoll() : LevelSearchPoll();
    TTimedPoll& poll = levelSearchRun_ ? *levelSearchRun_ : own;
    for (int attempt = 0; key == 0 && (untilQ || attempt < kLevelSearchAttempts); ++attempt) {
        if (progress && (attempt == 0 || !hintPace || hintPace() != 0))
            ShowKeyHint(kKeyHintQuit, attempt + 1, untilQ ? 0 : kLevelSearchAttempts);
        Vec3 p;
        if (dynamics::FindSignChangePoint(field, box, tolerance, p)) {
            f.vars = saved;
            // Where the window plots the point: projected in a 3D window (where a curve traced
            // in a plane lies in space), in the plane of the level in a level-curve window.
            const std::optional<Vec3> space = TracedPointInSpace(i, p);
            const bool projected = PointMapping().plottedPair == kPairProjected;
            const std::optional<Vec2> q = projected
                                              ? (space ? SelectAxisPair(*space, 0) : std::nullopt)
                                              : SelectAxisPair(p, 0);
            QPoint at;
            const bool drawn =
                dc.TargetImage() && q && View().PointToScreen({q->x, q->y}, at) &&
                dynamics::TestPixelsAround(pixel, at.x(), at.y(), background, curveColour);
            // Only a point the picture shows can tell whether its curve is drawn already.
            const bool shown = Dimension() < 3 || (space && IsPointVisible(*space));
            if (shown && !drawn) key = tools->AddAndTraceSystemTrajectory(dc, i, p, 0);
        }
        if (key == 0 && poll() == kKeyStop) key = kKeyStop;
    }
    f.vars = saved;
    if (progress) UpdateCaption();
    return key == kKeyStop ? kKeyStop : 0;
}

void TPlot11Win::SetLevelSearchPoll(std::function<int()> poll, TTimedPoll::Clock::duration interval,
                                    TTimedPoll::Now now) {
    levelSearchKeys_.Set(std::move(poll), interval, std::move(now));
}

void TPlot11Win::BeginLevelSearchRun() {
    levelSearchRun_ = LevelSearchPoll();
}

void TPlot11Win::EndLevelSearchRun() {
    levelSearchRun_.reset();
}

int TPlot11Win::PollLevelSearchRun() {
    return levelSearchRun_ && (*levelSearchRun_)() == kKeyStop ? kKeyStop : 0;
}

// An attempt may cost little (no point of the level found) or a whole trace: the key is polled
// by time, not once an attempt.
TTimedPoll TPlot11Win::LevelSearchPoll() {
    if (Output().noPolling) return {};
    return levelSearchKeys_.Timed([this] { return platform::PollKey(this); });
}

}  // namespace quorlin::examples
