// The crossing of a traced piece of the circle x^2 + y^2 = 4 with another implicit curve: found
// where the closed form puts it, none without a sign change, none but a touch when the piece
// starts on the curve, and undefined where the curve's function is.
#include "tools2d/searches/piece_crossing.h"

#include <cmath>
#include <numbers>

#include "examples/compile_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;

class PieceCrossingTest : public examples::CompileTest {
protected:
    TPieceCrossing Cross(const char* f, long double arc) {
        const int circle = Add(k::kImplicit, {"", "", "x^2+y^2-4"});
        examples::TTrajectory piece;
        piece.kind = static_cast<std::uint16_t>(k::kImplicit);
        piece.startX = 2;
        piece.startY = 0;
        piece.endTime = arc;
        piece.option1 = 2;
        ctx.Parse(f);
        function = ctx.TakeParseResult();
        ctx.SetVar(slot::kX, 7);
        const TPieceCrossing found = FindPieceCrossing(
            ctx, Ex(circle), piece, *function, dynamics::TracerSettings::ForPixelSize(0.001L));
        EXPECT_EQ(ctx.Var(slot::kX), 7);  // the caller's X is back
        return found;
    }
    NodePtr function;
};

TEST_F(PieceCrossingTest, TheCrossingLiesWhereTheClosedFormPutsIt) {
    // Counterclockwise from (2, 0), the line y = x is met at (sqrt 2, sqrt 2).
    const TPieceCrossing line = Cross("y-x", 4);
    ASSERT_EQ(line.result, 0);
    EXPECT_NEAR(line.at.x, std::sqrt(2.0L), 1e-3L);
    EXPECT_NEAR(line.at.y, std::sqrt(2.0L), 1e-3L);
    // The end of the whole piece, at the angle 2.
    EXPECT_NEAR(line.end.x, 2 * std::cos(2.0L), 1e-3L);
    // The circle of radius 1 about (2, 2) is entered at the angle a with cos a + sin a = 11/8;
    // a piece that also leaves it has no sign change.
    const long double a =
        std::asin(11 / (8 * std::sqrt(2.0L))) - std::numbers::pi_v<long double> / 4;
    const TPieceCrossing other = Cross("(x-2)^2+(y-2)^2-1", 1.6L);
    ASSERT_EQ(other.result, 0);
    EXPECT_NEAR(other.at.x, 2 * std::cos(a), 1e-3L);
    EXPECT_NEAR(other.at.y, 2 * std::sin(a), 1e-3L);
    EXPECT_EQ(Cross("(x-2)^2+(y-2)^2-1", 4).result, 104);
}

TEST_F(PieceCrossingTest, NoSignChangeATouchAtTheStartAndUndefinedValues) {
    EXPECT_EQ(Cross("y-5", 4).result, 104);
    // On the curve at the start and below it after: a touch, no crossing; above it after: the
    // crossing is the start.
    EXPECT_EQ(Cross("-y", 1).result, -1);
    const TPieceCrossing start = Cross("y", 1);
    EXPECT_EQ(start.result, 0);
    EXPECT_NEAR(start.at.y, 0, 1e-3L);
    EXPECT_EQ(Cross("1/(x-2)", 4).result, 1);
}

}  // namespace
}  // namespace quorlin::tools2d
