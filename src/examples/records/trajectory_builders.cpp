#include "examples/records/trajectory_builders.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"
#include "formula/opcodes.h"

namespace quorlin::examples {

namespace {

TTrajectory& PushNew(TrajectoryList& list, TTrajectory record) {
    record.sequenceNumber =
        list.empty() ? 0 : static_cast<std::uint16_t>(list.front().sequenceNumber + 1);
    list.insert(list.begin(), std::move(record));
    return list.front();
}

TPenSpec PenOf(int colour, int width) {
    return {static_cast<std::int16_t>(colour), static_cast<std::uint16_t>(std::max(width, 0)), 0};
}

}  // namespace

TTrajectory& AddTrajectory(TrajectoryList& list, int exampleKind, const TTrajectoryStart& s,
                           int penColour, long double parameterValue) {
    TTrajectory t;
    t.Init(exampleKind, s.fieldTrees[0], s.fieldTrees[1], s.fieldTrees[2], s.method, s.parameter,
           1);
    t.startX = s.start.x;
    t.startY = s.start.y;
    t.startZ = s.start.z;
    t.startTime = s.startTime;
    const long double duration = s.duration < 0 ? Unbounded() : s.duration;
    t.endTime = s.direction < 0 ? s.startTime - duration : s.startTime + duration;
    t.pen = PenOf(penColour, s.penWidth);
    t.spare = s.parameter > 0 ? parameterValue : 0;
    return PushNew(list, std::move(t));
}

TTrajectory& AddSlopeTrajectory(TrajectoryList& list, Vec3 start, long double step, int penColour,
                                int mode, int penWidth) {
    TTrajectory t;
    t.Init(kind::kSlope, -1, -1, -1, mode, 0, 1);
    t.startX = start.x;
    t.startY = start.y;
    t.startZ = start.z;
    t.endTime = 20;
    t.step = step;
    t.pen = PenOf(penColour, penWidth);
    return PushNew(list, std::move(t));
}

TTrajectory& AddRecursionTrajectory(TrajectoryList& list, int exampleKind, Vec3 start, int terms,
                                    int penColour, int penWidth) {
    TTrajectory t;
    t.Init(exampleKind, -1, -1, -1, 0, 0, 1);
    t.startX = start.x;
    t.startY = start.y;
    t.startZ = start.z;
    t.endTime = terms;
    t.pen = PenOf(penColour, penWidth);
    return PushNew(list, std::move(t));
}

bool AddMarkedPoint(MarkedPointList& list, int code, const std::array<long double, 4>& values,
                    int count, std::string_view text) {
    const int used = std::clamp(count, 1, 4);
    const auto same = [&](const TMarkedPoint& p) {
        if (p.code != code) return false;
        for (int k = 0; k < used; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (!(std::fabs(p.values[i] - values[i]) <= 1e-13L)) return false;
        }
        return true;
    };
    if (std::any_of(list.begin(), list.end(), same)) return false;
    TMarkedPoint point;
    point.code = static_cast<std::uint16_t>(code);
    point.values = values;
    point.label = std::string(text.substr(0, TMarkedPoint::kLabelBytes - 1));
    point.word = static_cast<std::uint16_t>(used);
    list.insert(list.begin(), std::move(point));
    return true;
}

void FreezeExtraSlots(TExprNode* tree, const FormulaContext& context) {
    if (!tree) return;
    // Every child is visited: a slot read anywhere in the tree would change with the next
    // polynomial that loads its coefficients.
    for (NodePtr& c : tree->child) FreezeExtraSlots(c.get(), context);
    if (op::IsExtraReal(tree->op))
        TExprNode::Init(*tree, op::kConst, context.extraReal[static_cast<std::size_t>(tree->op)]);
}

}  // namespace quorlin::examples
