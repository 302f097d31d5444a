#pragma once
// The fixture of the trajectory tests: a formula context, an example whose trees are parsed
// from texts, trajectory records of a kind, and hooks that collect the traced points.
#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "dynamics/tracer.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::dynamics {

class DynamicsTest : public ::testing::Test {
protected:
    // Tree k (1..7) of the example from a text.
    void SetTree(int k, std::string_view text) {
        ASSERT_EQ(ctx.Parse(text), 0) << text;
        example.Tree(k) = ctx.TakeParseResult();
    }

    // A record of the kind from (x, y, z) at time 0, with tree selectors, method and step.
    static examples::TTrajectory Record(int kind, Vec3 start, long double endTime,
                                        std::array<std::int16_t, 3> trees = {0, 1, -1},
                                        int method = 2, long double step = 0) {
        examples::TTrajectory t;
        t.kind = static_cast<std::uint16_t>(kind);
        t.startX = start.x;
        t.startY = start.y;
        t.startZ = start.z;
        t.endTime = endTime;
        t.treeOf = trees;
        t.option1 = static_cast<std::uint16_t>(method);
        t.step = step;
        return t;
    }

    // Hooks that keep every point; a region when given.
    TraceHooks Collecting() {
        TraceHooks hooks;
        hooks.sink = [this](const TracePoint& p) { points.push_back(p); };
        return hooks;
    }

    FormulaContext ctx;
    examples::TExample example;
    std::vector<TracePoint> points;
};

}  // namespace quorlin::dynamics
