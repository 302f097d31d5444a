// The overlay of a Riemann rule on a recording target with unequal x and y scales: at most one
// cell per 4 pixels (at least one however narrow the area), a solid fill at 3 pixels a cell, the
// lower edges on the x-axis for f alone and on g for f - g, the tops by the rule, parabolic arcs
// through the parabola's points, and Q ending the sweep.
#include "tools2d/integration/riemann_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/errors.h"

namespace quorlin::tools2d {
namespace {

class Recorder : public plot2d::TDrawTarget {
public:
    explicit Recorder(plot2d::TPlotSpace space, int stopAfterPolls = 0)
        : space_(space), stopAfter_(stopAfterPolls) {}
    const plot2d::TPlotSpace& Space() const override { return space_; }
    void SetPen(const examples::TPenSpec& pen) override { colour = pen.colour; }
    int Curve(const plot2d::TCurveJob&) override { return 0; }
    void Polyline(std::span<const Vec2> points) override {
        lines.emplace_back(points.begin(), points.end());
    }
    void Marker(Vec2, int, bool) override {}
    void Arrow(Vec2, Vec2, int, bool) override {}
    void Fill(std::span<const Vec2> corners, int fillColour) override {
        fills.emplace_back(corners.begin(), corners.end());
        colour = fillColour;
    }
    int PollKey() override { return stopAfter_ > 0 && ++polls_ >= stopAfter_ ? kKeyStop : 0; }
    bool Polling() const override { return true; }
    void Comment(std::string_view text) override {
        comments.emplace_back(text);
        linesAtComment = lines.size() + fills.size();
    }

    // The polylines that are not vertical sides.
    std::vector<std::vector<Vec2>> Edges() const {
        std::vector<std::vector<Vec2>> edges;
        for (const auto& line : lines)
            if (line.front().x != line.back().x) edges.push_back(line);
        return edges;
    }
    std::size_t Sides() const { return lines.size() - Edges().size(); }

    std::vector<std::vector<Vec2>> lines;
    std::vector<std::vector<Vec2>> fills;
    std::vector<std::string> comments;
    std::size_t linesAtComment = 0;
    int colour = -1;

private:
    plot2d::TPlotSpace space_;
    int stopAfter_;
    int polls_ = 0;
};

CurveValue Square() {
    return [](long double x, long double& y) {
        y = x * x;
        return true;
    };
}
CurveValue Line(long double slope, long double offset) {
    return [=](long double x, long double& y) {
        y = slope * x + offset;
        return true;
    };
}

// A view of x in [-1, 3] over 400 pixels and y in [-4, 10] over 300.
plot2d::TPlotSpace View(int width = 400) {
    return plot2d::TPlotSpace::Over(-1, 3, -4, 10, width, 300);
}

TOverlayJob Job(OverlayRule rule, long double low, long double high, int n) {
    TOverlayJob job;
    job.rule = rule;
    job.low = low;
    job.high = high;
    job.subintervals = n;
    job.colour = 7;
    job.f = Square();
    return job;
}

TEST(RiemannOverlayTest, CellsAreHeldToTheWidthAndTurnSolidWhenNarrow) {
    const struct {
        int n, width;
        long double low, high;
        int cells;
        bool solid;
    } cases[] = {
        {8, 400, 0.5L, 2.5L, 8, false},  // 200 pixels: 8 cells
        {1000, 400, -1, 3, 100, false},  // at most width / 4 cells, 4 pixels each
        {70, 400, 0.5L, 2.5L, 0, true},  // 200 pixels over 70 cells: under 3 a cell, filled
        {5, 3, 0.5L, 2.5L, 0, true},     // an area under 4 pixels: one cell, filled
        {1, 401, 1, 1.2L, 1, false},     // 20 pixels, one cell
    };
    for (const auto& c : cases) {
        Recorder target(View(c.width));
        const TOverlayResult result =
            DrawRiemannOverlay(target, Job(OverlayRule::Left, c.low, c.high, c.n));
        EXPECT_EQ(std::tuple(result.cells, result.solid), std::tuple(c.cells, c.solid)) << c.n;
        EXPECT_EQ(target.fills.size(), c.solid ? 1u : 0u);
        EXPECT_EQ(target.Sides(), c.solid ? 0u : 2u * c.cells);
        EXPECT_EQ(target.colour, 7);
        // The exports that keep comments mark where the overlay begins, before it draws.
        EXPECT_EQ(target.comments, std::vector<std::string>{"begin Riemann overlay"});
        EXPECT_EQ(target.linesAtComment, 0u);
    }
    EXPECT_EQ(OverlayCellCount(10, 0), 1);
    EXPECT_EQ(OverlayCellCount(10, 2), 1);
}

TEST(RiemannOverlayTest, LowerEdgesOnTheAxisOrOnGAndTopsByTheRule) {
    // f = x^2 on [0.5, 2.5] in 4 cells of width 0.5; g = 0.5 x - 2 below it.
    const struct {
        OverlayRule rule;
        bool withG;
        long double leftAt;   // where the top's left end takes f, within the cell
        long double rightAt;  // where its right end does
    } cases[] = {
        {OverlayRule::Left, false, 0, 0},
        {OverlayRule::Right, false, 1, 1},
        {OverlayRule::Midpoint, true, 0.5, 0.5},
        {OverlayRule::Trapezoid, true, 0, 1},
    };
    for (const auto& c : cases) {
        Recorder target(View());
        TOverlayJob job = Job(c.rule, 0.5L, 2.5L, 4);
        if (c.withG) job.g = Line(0.5L, -2);
        ASSERT_EQ(DrawRiemannOverlay(target, job).cells, 4);
        int tops = 0, bottoms = 0;
        for (const auto& edge : target.Edges()) {
            const long double x0 = edge.front().x, x1 = edge.back().x;
            ASSERT_NEAR((double)(x1 - x0), 0.5, 1e-15);
            const long double left = x0 + 0.5L * c.leftAt, right = x0 + 0.5L * c.rightAt;
            const long double gLeft = c.withG ? 0.5L * left - 2 : 0;
            const long double gRight = c.withG ? 0.5L * right - 2 : 0;
            if (edge.front().y == left * left && edge.back().y == right * right) ++tops;
            if (std::fabs(edge.front().y - gLeft) < 1e-15 &&
                std::fabs(edge.back().y - gRight) < 1e-15)
                ++bottoms;
        }
        EXPECT_EQ(std::tuple(tops, bottoms), std::tuple(4, 4)) << static_cast<int>(c.rule);
    }
}

TEST(RiemannOverlayTest, ParabolicTopsFollowTheParabolaAndQEndsTheSweep) {
    Recorder target(View());
    TOverlayJob job = Job(OverlayRule::Parabolic, 0.5L, 2.5L, 2);
    job.f = [](long double x, long double& y) {
        y = 3 - (x - 1.3L) * (x - 1.3L);
        return true;
    };
    ASSERT_EQ(DrawRiemannOverlay(target, job).cells, 2);
    std::size_t arcPoints = 0;
    for (const auto& edge : target.Edges()) {
        if (edge.front().y == 0 && edge.back().y == 0) continue;  // the bottom on the axis
        for (const Vec2 p : edge) {
            EXPECT_NEAR((double)p.y, (double)(3 - (p.x - 1.3L) * (p.x - 1.3L)), 1e-12);
            ++arcPoints;
        }
    }
    EXPECT_GT(arcPoints, 10u);

    Recorder stopped(View(), 3);
    const TOverlayResult result = DrawRiemannOverlay(stopped, Job(OverlayRule::Left, -1, 3, 50));
    EXPECT_EQ(std::tuple(result.cells, result.stop), std::tuple(3, kKeyStop));
}

TEST(RiemannOverlayTest, HeightsBeyondTheViewAreHeldAndTheirEdgeLeftOut) {
    Recorder target(View());
    TOverlayJob job = Job(OverlayRule::Right, 2, 3, 1);  // f(3) = 9, inside; f = 20 is not
    job.f = Line(0, 20);
    ASSERT_EQ(DrawRiemannOverlay(target, job).cells, 1);
    for (const auto& line : target.lines)
        for (const Vec2 p : line) EXPECT_LE(p.y, 10);
    EXPECT_EQ(target.Edges().size(), 1u);  // the bottom only
}

// A curve undefined at an end of the interval alone draws its end cell at its limit there, as the
// sums take it; one that grows without bound at the end, or is undefined inside, loses the cell.
TEST(RiemannOverlayTest, AnEndCellTakesTheLimitOfTheCurveThere) {
    const auto undefinedAt = [](long double pole, long double (*f)(long double)) -> CurveValue {
        return [pole, f](long double x, long double& y) {
            if (x == pole) return false;
            y = f(x);
            return true;
        };
    };
    const auto sinc = [](long double x) { return std::sin(x) / x; };
    const auto reciprocal = [](long double x) { return 1 / x; };
    const struct {
        long double pole, low, high;
        long double (*f)(long double);
        int cells;
        long double endHeight;  // of the side at the pole; < -1: none drawn there
    } rows[] = {
        {0, 0, 2, sinc, 4, 1},
        {2, 0, 2, +[](long double x) { return (x * x - 4) / (x - 2); }, 4, 4},
        {0, 0, 2, reciprocal, 3, -2},
        {1, 0.5L, 2.5L, reciprocal, 2, -2},  // inside: a node of the cells
    };
    for (const auto& row : rows) {
        Recorder target(View());
        TOverlayJob job = Job(OverlayRule::Left, row.low, row.high, 4);
        job.rule = row.pole == row.low ? OverlayRule::Left : OverlayRule::Right;
        job.f = undefinedAt(row.pole, row.f);
        ASSERT_EQ(DrawRiemannOverlay(target, job).cells, row.cells) << (double)row.pole;
        bool sideAtPole = false;
        for (const auto& line : target.lines)
            if (line.front().x == row.pole && line.back().x == row.pole) {
                sideAtPole = true;
                EXPECT_NEAR((double)std::max(line.front().y, line.back().y), (double)row.endHeight,
                            1e-9);
            }
        EXPECT_EQ(sideAtPole, row.endHeight > -1) << (double)row.pole;
    }
}

}  // namespace
}  // namespace quorlin::tools2d
