#pragma once
// The fixture of the drawer tests: an inventory compiled by the example compiler, a canvas that
// records what the drawers hand it (pieces of curves, marks, arrows, fills) over a 401 x 401
// pixel view of [-5, 5] x [-5, 5], and the closed-form checks the tests make of the pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "examples/compile.h"
#include "examples/compile_fixture.h"
#include "plot2d/example_drawers.h"
#include "recording_sink.h"

namespace quorlin::plot2d {

inline constexpr long double kPi = std::numbers::pi_v<long double>;

class RecordingCanvas : public TPlotCanvas {
public:
    struct Mark {
        Vec2 at;
        int radius;
        bool filled;
    };
    struct Arrow {
        Vec2 tip;
        Vec2 direction;
        int length;
    };

    explicit RecordingCanvas(TPlotSpace space) : space_(space) {}

    const TPlotSpace& Space() const override { return space_; }
    void SetPen(const examples::TPenSpec& pen) override { pens.push_back(pen); }
    void BeginCurve() override {}
    void EndCurve() override { curve.Break(); }
    void Point(Vec2 plot) override { curve.Point(plot); }
    void Break() override { curve.Break(); }
    void Marker(Vec2 plot, int radius, bool filled) override {
        marks.push_back({plot, radius, filled});
    }
    void ArrowHead(Vec2 tip, Vec2 direction, int length, bool) override {
        arrows.push_back({tip, direction, length});
    }
    void Polygon(std::span<const Vec2> corners, int colour) override {
        fills.emplace_back(corners.begin(), corners.end());
        fillColours.push_back(colour);
    }
    int PollKey() override { return 0; }
    bool Polling() const override { return false; }

    void Clear() { *this = RecordingCanvas(space_); }

    RecordingSink curve;
    std::vector<examples::TPenSpec> pens;
    std::vector<Mark> marks;
    std::vector<Arrow> arrows;
    std::vector<std::vector<Vec2>> fills;
    std::vector<int> fillColours;

private:
    TPlotSpace space_;
};

class DrawerTest : public ::testing::Test {
protected:
    static constexpr long double kPixel = 0.025L;

    // Appends an example of the kind (with the defaults of a new one) with texts 1, 2, ... as
    // given, lets `setup` set more fields, compiles it and returns its index.
    int Add(int kindCode, std::initializer_list<const char*> texts,
            const std::function<void(examples::TExample&)>& setup = {}) {
        examples::TExample e;
        e.Init(kindCode, 3, 50);
        return examples::AddCompiled(inventory, compiler, std::move(e), texts, setup);
    }
    NodePtr Parsed(const char* text) {
        EXPECT_EQ(ctx.Parse(text), 0) << text;
        return ctx.TakeParseResult();
    }
    int Draw(int i) {
        canvas.Clear();
        TCanvasTarget target(canvas);
        TDrawEnvironment env{ctx, inventory, target, drawers};
        const int key = DrawExample2D(env, i);
        evaluations = target.Evaluations();
        return key;
    }
    const RecordingSink& Curve() const { return canvas.curve; }

    // Every drawn point lies within `tolerance` of the graph of f.
    void ExpectOnGraph(const std::function<long double(long double)>& f,
                       long double tolerance = kPixel) {
        ASSERT_GT(Curve().PointCount(), 1u);
        for (const auto& piece : Curve().pieces)
            for (Vec2 p : piece) {
                const long double y = f(p.x);
                if (std::fabs(y) > 6) continue;  // clipped at the margin
                ASSERT_NEAR((double)p.y, (double)y, (double)tolerance) << "x = " << (double)p.x;
            }
    }

    FormulaContext ctx;
    examples::TInventory inventory;
    examples::TExampleCompiler compiler{inventory, ctx};
    RecordingCanvas canvas{TPlotSpace::Over(-5, 5, -5, 5, 401, 401)};
    TKindDrawers drawers = TKindDrawers::Standard();
    long long evaluations = 0;
};

}  // namespace quorlin::plot2d
