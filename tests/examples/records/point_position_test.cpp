// Where a point example is drawn: every form a point is typed in turned to its Cartesian
// position, and a coordinate left undefined or not finite leaving it without one.
#include "examples/records/point_position.h"

#include <cmath>
#include <numbers>

#include "examples/compile_fixture.h"

namespace quorlin::examples {
namespace {

constexpr long double kTolerance = 1e-15L;

TEST_F(CompileTest, APointIsWhereItsFormPutsIt) {
    ctx.complexMode = true;
    ctx.ResetVariables();
    const long double root3 = std::sqrt(3.0L);
    struct Row {
        int kind;
        int form;  // 0 as typed, 1 polar or cylindrical, 2 spherical, 4 a complex number
        std::initializer_list<const char*> texts;
        Vec3 drawn;
    };
    const Row rows[] = {
        {kind::kPoint, 0, {"-1.5", "2.25"}, {-1.5L, 2.25L, 0}},
        {kind::kPoint, 1, {"2", "pi/3"}, {1, root3, 0}},
        {kind::kPoint, 1, {"-3", "pi/2"}, {0, -3, 0}},
        {kind::kPoint, 4, {"3-2*I"}, {3, -2, 0}},
        {kind::kSpacePoint, 0, {"1", "-2", "3.5"}, {1, -2, 3.5L}},
        {kind::kSpacePoint, 1, {"2", "pi/6", "-4"}, {root3, 1, -4}},
        // rho 2, theta pi, phi pi/3: (2 sin phi cos theta, 2 sin phi sin theta, 2 cos phi)
        {kind::kSpacePoint, 2, {"2", "pi", "pi/3"}, {-root3, 0, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.texts.begin()[0]);
        const int i = Add(row.kind, row.texts, [&row](TExample& e) {
            e.PolarForm() = row.kind == kind::kPoint && row.form == 1 ? 1 : 0;
            e.ComplexPoint() = row.form == 4 ? 1 : 0;
            if (row.kind == kind::kSpacePoint)
                e.PointCoordinates() = static_cast<std::int16_t>(row.form);
        });
        Vec3 p{7, 7, 7};
        ASSERT_TRUE(DrawnPointPosition(ctx, Ex(i), p));
        EXPECT_NEAR(p.x, row.drawn.x, kTolerance);
        EXPECT_NEAR(p.y, row.drawn.y, kTolerance);
        EXPECT_NEAR(p.z, row.drawn.z, kTolerance);
    }
    // Undefined (in real mode) or too large to turn: no position, and nothing written.
    const int undefined = Add(kind::kPoint, {"sqrt(-1)", "1"});
    const int far = Add(kind::kPoint, {"1", "1e19"}, [](TExample& e) { e.PolarForm() = 1; });
    const int curve = Add(kind::kParametric, {"t", "t"});
    ctx.complexMode = false;
    for (const int i : {undefined, far, curve}) {
        Vec3 p{7, 7, 7};
        EXPECT_FALSE(DrawnPointPosition(ctx, Ex(i), p)) << i;
        EXPECT_EQ(p.x, 7) << i;
    }
}

}  // namespace
}  // namespace quorlin::examples
