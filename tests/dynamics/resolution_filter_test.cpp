// What a long trace keeps: Van der Pol from (0.1, 0) spirals onto its limit cycle and never
// ends by itself, yet the points kept stop growing once the cycle is drawn, whatever the number
// of steps; a kept segment never leaves a gap in the curve; segments outside the picture, and
// those that only run over lines already drawn, are dropped.
#include "dynamics/resolution_filter.h"

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "dynamics_support.h"

namespace quorlin::dynamics {
namespace {

namespace kind = examples::kind;
const long double kNoEnd = std::exp(42.0L);
// A view of (-5, 5) x (-4, 4) on 501 x 401 pixels: unequal scales on purpose.
constexpr long double kUnitX = 0.02L, kUnitY = 0.02L;
constexpr int kWidth = 501, kHeight = 401;

Vec2 PixelOf(Vec3 p) {
    return {(p.x + 5) / kUnitX, (4 - p.y) / kUnitY};
}

class ResolutionFilterTest : public DynamicsTest {
protected:
    struct Run {
        TraceResult result;
        std::size_t kept = 0;
        long double lastAdded = 0;
        std::vector<KeptPoint> points;
    };
    // Traces x' = y, y' = (1 - x^2) y - x from the start until Q at the given step.
    Run VanDerPol(Vec3 start, long long quitAt) {
        SetTree(1, "y");
        SetTree(2, "(1-x^2)*y-x");
        TResolutionFilter filter(kWidth, kHeight);
        Run run;
        TraceHooks hooks;
        hooks.sink = [&](const TracePoint& p) {
            for (const KeptPoint& k :
                 filter.Offer({p.position.x, p.position.y}, PixelOf(p.position), p.t, p.draw))
                run.points.push_back(k);
        };
        long long polls = 0;
        hooks.pollKey = [&] { return ++polls == quitAt ? kKeyStop : 0; };
        auto settings = TracerSettings::ForPixelSize(kUnitX);
        run.result =
            TraceSystem(ctx, example, Record(kind::kSystem, start, kNoEnd), 2, settings, hooks);
        run.kept = filter.Kept();
        run.lastAdded = filter.LastAddedTime();
        return run;
    }
};

TEST_F(ResolutionFilterTest, AnEndlessSpiralKeepsABoundedNumberOfPoints) {
    const Run shorter = VanDerPol({0.1L, 0, 0}, 50'000);
    const Run longer = VanDerPol({0.1L, 0, 0}, 200'000);
    ASSERT_EQ(longer.result.stop, TraceStop::kInterrupted);
    EXPECT_EQ(longer.result.steps, 200'000);
    // The cycle (about 13 units round, some 650 pixels) is drawn within a few rounds; after that
    // nothing is kept, however long the trace runs.
    EXPECT_EQ(longer.kept, shorter.kept);
    EXPECT_EQ(longer.lastAdded, shorter.lastAdded);
    EXPECT_LT(longer.kept, 6'000u);
    EXPECT_GT(longer.kept, 600u);
    EXPECT_LT(longer.lastAdded, 100);
    // What is kept still lies on the cycle: its widest x is about 2.01.
    long double widest = 0;
    for (const KeptPoint& k : longer.points) widest = std::max(widest, std::fabs(k.at.x));
    EXPECT_NEAR(static_cast<double>(widest), 2.009, 0.02);
}

TEST_F(ResolutionFilterTest, KeepsEveryNewStrokeWithoutGapsAndDropsRepeatsAndTheOutside) {
    TResolutionFilter filter(100, 80);
    std::vector<KeptPoint> kept;
    const auto offer = [&](long double x, long double y, bool joined) {
        for (const KeptPoint& k : filter.Offer({x, y}, {x, y}, x, joined)) kept.push_back(k);
    };
    // A stroke along y = 10.3 in steps of 0.7 pixels: every point kept, all joined.
    offer(0, 10.3L, false);
    for (int k = 1; k <= 40; ++k) offer(0.7L * k, 10.3L, true);
    ASSERT_EQ(kept.size(), 41u);
    EXPECT_FALSE(kept.front().draw);
    for (std::size_t k = 1; k < kept.size(); ++k) EXPECT_TRUE(kept[k].draw) << k;
    // Back along the same line, a tenth of a pixel off: nothing new, but for the last pixels
    // drawn, which hide nothing until the stroke has run on past them.
    for (int k = 40; k >= 0; --k) offer(0.7L * k + 0.1L, 10.4L, true);
    EXPECT_LE(kept.size(), 41u + 12u);
    for (std::size_t k = 41; k < kept.size(); ++k) EXPECT_GT(kept[k].at.x, 24) << k;
    // Then away from it: the point where it left the line starts a new piece.
    std::size_t n = kept.size();
    offer(0.1L, 15, true);
    ASSERT_EQ(kept.size(), n + 2);
    EXPECT_FALSE(kept[n].draw);
    EXPECT_EQ(kept[n].at.y, 10.4L);
    EXPECT_TRUE(kept[n + 1].draw);
    // A point within a quarter pixel of the last kept one stands for nothing new.
    offer(0.2L, 15.1L, true);
    EXPECT_EQ(kept.size(), n + 2);
    // Outside the picture and its margin nothing is kept; coming back in, the point outside
    // starts the piece.
    offer(-50, 30, false);
    offer(-50, 60, true);
    EXPECT_EQ(kept.size(), n + 2);
    offer(20, 60, true);
    ASSERT_EQ(kept.size(), n + 4);
    EXPECT_EQ(kept[n + 2].at.y, 60);
    EXPECT_FALSE(kept[n + 2].draw);
    EXPECT_EQ(filter.LastAddedTime(), 20);
    // A point that is no number lifts the pen.
    offer(std::nanl(""), 0, true);
    offer(30, 70, true);
    EXPECT_EQ(kept.size(), n + 4);
}

// Strokes in every corner of tall and wide pictures, and two long strokes 3 pixels apart: each
// is kept whole the first time and dropped when drawn again, so every place has cells of its
// own (a cell index that mixes up rows and columns drops the second long stroke of a wide
// picture, and covers cells past the grid in a tall one).
TEST(ResolutionFilterCells, StrokesInEveryCornerAreKeptOnceWhateverTheShape) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{40, 130}, Case{130, 40}, Case{24, 401}, Case{401, 24}}) {
        TResolutionFilter filter(c.width, c.height);
        const long double right = c.width - 9.4L, bottom = c.height - 1.7L;
        // A stroke of n points 0.7 pixels apart from (x, y), to the right or downwards.
        const auto stroke = [&](long double x, long double y, bool across, int n = 11) {
            int kept = 0;
            for (int k = 0; k < n; ++k) {
                const Vec2 p = across ? Vec2{x + 0.7L * k, y} : Vec2{x, y + 0.7L * k};
                kept += filter.Offer(p, p, k, k > 0).count;
            }
            return kept;
        };
        const std::array<Vec2, 4> corners{Vec2{0.6L, 1.3L}, Vec2{right, 1.3L}, Vec2{0.6L, bottom},
                                          Vec2{right, bottom}};
        for (const Vec2 corner : corners)
            EXPECT_EQ(stroke(corner.x, corner.y, true), 11) << c.width << "x" << c.height;
        const int across = static_cast<int>((c.width - 1.6L) / 0.7L) + 1;
        EXPECT_EQ(stroke(0.6L, 3.3L, true, across), across) << c.width << "x" << c.height;
        EXPECT_EQ(stroke(0.6L, 6.3L, true, across), across) << c.width << "x" << c.height;
        // One more stroke, down the middle, lets the last lines hide what follows.
        EXPECT_EQ(stroke(c.width / 2.0L, c.height / 2.0L - 3, false), 11);
        for (const Vec2 corner : corners)
            EXPECT_EQ(stroke(corner.x, corner.y, true), 0) << c.width << "x" << c.height;
        EXPECT_EQ(stroke(0.6L, 3.3L, true, across), 0) << c.width << "x" << c.height;
        EXPECT_EQ(filter.Kept(), static_cast<std::size_t>(55 + 2 * across));
    }
}

// A segment whose samples all lie in covered cells but for its end sample still adds to the
// picture: the end is kept, with the point it starts from.
TEST(ResolutionFilterCells, ASegmentAddingOnlyAtItsEndIsKept) {
    TResolutionFilter filter(60, 90);
    for (int k = 0; k <= 40; ++k) filter.Offer({0.7L * k, 10.3L}, {0.7L * k, 10.3L}, k, k > 0);
    filter.Offer({0, 40}, {0, 40}, 41, false);  // hides the stroke's last pixels
    for (int k = 1; k <= 10; ++k) filter.Offer({0, 40 + 0.7L * k}, {0, 40 + 0.7L * k}, 41, true);
    const std::size_t before = filter.Kept();
    // The stroke covers the cells of y in [9.5, 11); samples at 10.3, 10.675 and 11.05.
    filter.Offer({5, 10.3L}, {5, 10.3L}, 60, false);
    const KeptPoints kept = filter.Offer({5, 11.05L}, {5, 11.05L}, 61, true);
    ASSERT_EQ(kept.count, 2);
    EXPECT_EQ(std::tuple(kept.points[0].at.y, kept.points[0].draw, kept.points[1].at.y,
                         kept.points[1].draw, filter.Kept()),
              std::tuple(10.3L, false, 11.05L, true, before + 2));
    // Ending a sample short of the band's edge adds nothing.
    filter.Offer({8, 10.3L}, {8, 10.3L}, 62, false);
    EXPECT_EQ(filter.Offer({8, 10.95L}, {8, 10.95L}, 63, true).count, 0);
}

}  // namespace
}  // namespace quorlin::dynamics
