// The records hung on examples: trajectories numbered newest first with their ends, marked
// points without repeats, and a Lagrange polynomial's coefficients frozen into its tree.
#include <gtest/gtest.h>

#include <tuple>

#include "core/numbers.h"
#include "examples/records/trajectory_builders.h"
#include "formula/formula_context.h"
#include "formula/opcodes.h"

namespace quorlin::examples {
namespace {

TEST(TrajectoryBuildersTest, SystemTrajectoriesRunFromTheirStartAndNumberOnwards) {
    TrajectoryList list;
    TTrajectoryStart forward;
    forward.start = {1, 0, 0}, forward.startTime = 2, forward.duration = 5;
    forward.method = 2, forward.parameter = 3;
    AddTrajectory(list, 210, forward, 8, 0.75L);
    TTrajectoryStart backward = forward;
    backward.direction = -1, backward.duration = -1, backward.parameter = 0;  // no practical end
    AddTrajectory(list, 210, backward, 8, 0.75L);

    ASSERT_EQ(list.size(), 2u);
    const TTrajectory& newest = list[0];
    const TTrajectory& oldest = list[1];
    EXPECT_EQ(std::tuple(oldest.sequenceNumber, newest.sequenceNumber), std::tuple(0, 1));
    EXPECT_EQ(std::tuple(oldest.endTime, newest.endTime), std::tuple(7, 2 - Unbounded()));
    // The method, the parameter word and its value; no value when no parameter is named.
    EXPECT_EQ(std::tuple(oldest.option1, oldest.option2, oldest.spare, newest.spare),
              std::tuple(2, 3, 0.75L, 0));
    EXPECT_EQ(oldest.treeOf, (std::array<std::int16_t, 3>{0, 1, 2}));
    EXPECT_EQ(oldest.pen, (TPenSpec{8, 1, 0}));
    EXPECT_EQ(oldest.flag, 1);
}

TEST(TrajectoryBuildersTest, SlopeAndRecursionRecordsKeepTheirStepsAndTerms) {
    TrajectoryList slope;
    AddSlopeTrajectory(slope, {1, 2, 0}, 0.05L, 3, 1, 2);
    EXPECT_EQ(std::tuple(slope[0].kind, slope[0].endTime, slope[0].step, slope[0].option1),
              std::tuple(211, 20, 0.05L, 1));
    EXPECT_EQ(slope[0].pen, (TPenSpec{3, 2, 0}));

    TrajectoryList recursion;
    AddRecursionTrajectory(recursion, 312, {1, 2, 3}, 40, 0, 1);
    AddRecursionTrajectory(recursion, 312, {0, 0, 0}, 5, 0, 1);
    EXPECT_EQ(std::tuple(recursion[1].endTime, recursion[1].startZ, recursion[0].sequenceNumber),
              std::tuple(40, 3, 1));
}

TEST(TrajectoryBuildersTest, AMarkedPointIsAddedOncePerKindAndPlace) {
    MarkedPointList list;
    EXPECT_TRUE(AddMarkedPoint(list, 707, {1, 2, 0, 99}, 2, "zero"));
    // The same place within 1e-13 in the used coordinates: a repeat, whatever the rest holds.
    EXPECT_FALSE(AddMarkedPoint(list, 707, {1 + 5e-14L, 2, 7, 0}, 2, "again"));
    EXPECT_TRUE(AddMarkedPoint(list, 707, {1 + 1e-12L, 2, 0, 0}, 2, "moved"));
    EXPECT_TRUE(AddMarkedPoint(list, 709, {1, 2, 0, 0}, 2, std::string(40, 'e')));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(std::tuple(list[0].code, list[0].label.size(), list[2].word),  // newest first
              std::tuple(709, 29u, 2));
}

TEST(TrajectoryBuildersTest, FreezingReplacesEveryExtraSlotByItsValue) {
    FormulaContext context;
    context.extraReal[op::kExtraRealFirst] = 4, context.extraReal[op::kExtraRealFirst + 1] = -2;
    // 12 + X * 13, with the slots deep in the tree.
    NodePtr tree =
        TExprNode::NewBinary(op::kPlus, TExprNode::NewOp(op::kExtraRealFirst),
                             TExprNode::NewBinary(op::kTimes, TExprNode::NewOp(op::kVarX),
                                                  TExprNode::NewOp(op::kExtraRealFirst + 1)));
    FreezeExtraSlots(tree.get(), context);
    context.extraReal.fill(0);  // another polynomial loads its coefficients
    context.SetVar(slot::kX, 3.0L);
    ASSERT_TRUE(context.Evaluate(*tree));
    EXPECT_EQ(tree->re, -2);
}

}  // namespace
}  // namespace quorlin::examples
