// Intrinsic curves against closed forms: a circle of curvature 1/r closes after 2 pi r, and a
// helix of constant curvature and torsion rises by its pitch in one turn.
#include "dynamics/intrinsic.h"

#include <cmath>
#include <numbers>

#include "dynamics_support.h"
#include "formula/opcodes.h"
#include "support/all_near.h"

namespace quorlin::dynamics {
namespace {

using quorlin::testing::AllNear;

constexpr long double kPi = std::numbers::pi_v<long double>;
namespace kind = examples::kind;

class IntrinsicTest : public DynamicsTest {
protected:
    static NodePtr Vector(Vec3 v) {
        auto node = TExprNode::NewOp(op::kVector3);
        node->child[0] = TExprNode::NewConst(v.x);
        node->child[1] = TExprNode::NewConst(v.y);
        node->child[2] = TExprNode::NewConst(v.z);
        return node;
    }
};

// A circle of radius 2 from the origin, heading along x: its centre is (0, 2).
TEST_F(IntrinsicTest, CircleClosesAfterItsCircumference) {
    example.kind = kind::kIntrinsic;
    for (const auto& [k, text] : {std::pair{1, "1/2"}, {2, "0"}, {3, "0"}, {4, "3"}, {5, "0"}})
        SetTree(k, text);  // the tangent (3, 0) is normalised
    const struct {
        long double s;
        Vec2 position;
        Vec2 direction;
    } rows[] = {{kPi, {2, 2}, {0, 1}},
                {2 * kPi, {0, 4}, {-1, 0}},
                {4 * kPi, {0, 0}, {1, 0}},
                {-kPi, {-2, 2}, {0, -1}}};
    for (const auto& row : rows) {
        Vec2 p, d;
        ASSERT_TRUE(IntrinsicPoint2D(ctx, example, row.s, p, d));
        EXPECT_TRUE(AllNear({p.x, p.y, d.x, d.y},
                            {row.position.x, row.position.y, row.direction.x, row.direction.y},
                            1e-9L))
            << (double)row.s;
    }

    const TraceResult r =
        TraceIntrinsic(ctx, example, 0, 4 * kPi, 0.05L, TracerSettings{}, Collecting());
    EXPECT_EQ(r.stop, TraceStop::kEndReached);
    EXPECT_EQ(points.size(), 253u);  // s = 0, 0.05, ..., 12.55 and 4 pi
    EXPECT_TRUE(AllNear({points.back().position.x, points.back().position.y}, {0, 0}, 1e-6L));
    for (const TracePoint& p : points)
        EXPECT_NEAR(std::hypot(p.position.x, p.position.y - 2), 2, 1e-6L);
}

// r(t) = (cos t, sin t, t / 2): kappa = 1 / 1.25, tau = 0.5 / 1.25, one turn is 2 pi sqrt(1.25)
// long and rises by pi.
TEST_F(IntrinsicTest, HelixRisesByItsPitch) {
    example.kind = kind::kSpaceIntrinsic;
    SetTree(1, "0.8");
    SetTree(2, "0.4");
    auto frame = TExprNode::NewOp(op::kVector3);
    frame->child[0] = Vector({1, 0, 0});
    frame->child[1] = Vector({0, 1, 0.5L});
    frame->child[2] = Vector({-1, 0.2L, 0.1L});  // made perpendicular to the tangent
    example.Tree(3) = std::move(frame);

    FrenetState f;
    ASSERT_TRUE(IntrinsicPoint3D(ctx, example, 2 * kPi * std::sqrt(1.25L), f));
    EXPECT_TRUE(AllNear({f.position.x, f.position.y, f.position.z, f.normal.x, f.binormal.z},
                        {1, 0, kPi, -1, 1 / std::sqrt(1.25L)}, 1e-8L));

    SetTree(1, "1/(1-s)");  // undefined at s = 1
    EXPECT_FALSE(IntrinsicPoint3D(ctx, example, 2, f));
}

}  // namespace
}  // namespace quorlin::dynamics
