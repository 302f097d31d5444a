#include "examples/records/record_validator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>

namespace quorlin::examples {
namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInf = std::numeric_limits<long double>::infinity();

TExample Made(int kind) {
    TExample ex;
    ex.Init(kind, 7, 50);
    return ex;
}

TEST(RecordValidator, FreshRecordsOfEveryStoredKindPass) {
    for (const TKindInfo& info : KindTable()) {
        if (!info.stored) continue;
        TExample ex = Made(info.code);
        if (info.code == kind::kRoulette) ex.Number(TNumber::kRouletteRadius) = 1;
        const TRecordFault fault = ValidateExample(ex, 0);
        EXPECT_TRUE(fault.Ok()) << info.code << " " << fault.field;
    }
    EXPECT_TRUE(ValidateExample(Made(213), 0).Ok());
}

TEST(RecordValidator, RefusesEachDamagedField) {
    struct Case {
        int kind;
        std::function<void(TExample&)> damage;
        const char* field;
    };
    const Case cases[] = {
        {201, [](TExample& e) { e.kind = 213; }, "kind"},
        {201, [](TExample& e) { e.kind = 222; }, "kind"},
        {201, [](TExample& e) { e.derivation = 44; }, "derivation"},
        {201, [](TExample& e) { e.parent[0] = 3; }, "parent[0]"},
        {201, [](TExample& e) { e.parent[0] = -2; }, "parent[0]"},
        {201, [](TExample& e) { e.parent[1] = 3; }, "parent[1]"},
        {201, [](TExample& e) { e.parent[0] = 1; }, "parent[0]"},  // itself
        {201, [](TExample& e) { e.parent[0] = 0, e.parent[1] = 1; }, "parent[1]"},
        {201, [](TExample& e) { e.derivation = 65, e.parent[0] = 0, e.derivationParam = 10; },
         "derivationParam"},
        {201, [](TExample& e) { e.derivation = 180, e.FrozenLetter() = 27; }, "FrozenLetter"},
        {220, [](TExample& e) { e.order = 11; }, "order"},
        {201, [](TExample& e) { e.density = 10001; }, "density"},
        {201, [](TExample& e) { e.tableSteps = 0; }, "tableSteps"},
        {201, [](TExample& e) { e.pen.colour = 61; }, "pen.colour"},
        {201, [](TExample& e) { e.pen.width = 0x8000; }, "pen.width"},
        {301, [](TExample& e) { e.extraColour[1] = -1; }, "extraColour[1]"},
        {201, [](TExample& e) { e.familyLetter = 24; }, "familyLetter"},
        {201, [](TExample& e) { e.familySteps = -4001; }, "familySteps"},
        {201, [](TExample& e) { e.familyDelay = -1; }, "familyDelay"},
        {201, [](TExample& e) { e.familyOn = 1, e.familyHigh = -1; }, "familyHigh"},
        {201, [](TExample& e) { e.familyLow = kNaN; }, "familyLow"},
        {210, [](TExample& e) { e.fieldFactor = kInf; }, "fieldFactor"},
        {201, [](TExample& e) { e.tableLow = kNaN; }, "tableLow"},
        {201, [](TExample& e) { e.rangeHigh[1] = kInf; }, "rangeHigh"},
        {301, [](TExample& e) { e.box2Min.z = kNaN; }, "boxMin"},
        {213, [](TExample& e) { e.LagrangeLastPoint() = 10; }, "LagrangeLastPoint"},
        {201, [](TExample& e) { e.WebOn() = 1, e.subKind = 24; }, "subKind"},
        {201, [](TExample& e) { e.WebSteps() = 1001; }, "WebSteps"},
        {206, [](TExample& e) { e.subKind = 27; }, "subKind"},
        {205, [](TExample& e) { e.EndMarkMode() = 4; }, "EndMarkMode"},
        {207, [](TExample& e) { e.Number(TNumber::kRouletteRadius) = 0; }, "RouletteRadius"},
        {309, [](TExample& e) { e.PointCoordinates() = 3; }, "PointCoordinates"},
        {215, [](TExample& e) { e.PlotPointCount() = 129; }, "PlotPointCount"},
        {215, [](TExample& e) { e.PlotPointVariable() = 27; }, "PlotPointVariable"},
        {218, [](TExample& e) { e.divisions[0] = 5, e.divisions[1] = 4; }, "divisions[1]"},
        {219, [](TExample& e) { e.derivationParam = 24; }, "derivationParam"},
        {315, [](TExample& e) { e.SecondLetter() = 27; }, "SecondLetter"},
        {211, [](TExample& e) { e.fieldRows = 0; }, "fieldRows"},
        {310, [](TExample& e) { e.fieldDisplay = 3; }, "fieldDisplay"},
        {210, [](TExample& e) { e.FieldParameter() = 27; }, "FieldParameter"},
        {304, [](TExample& e) { e.slicePoints[0] = 0; }, "slicePoints"},
        {301, [](TExample& e) { e.divisions[0] = 1501; }, "divisions[0]"},
        {302, [](TExample& e) { e.divisions[1] = 0; }, "divisions[1]"},
        {303, [](TExample& e) { e.divisions[0] = 59, e.divisions[1] = 100; }, "divisions[1]"},
        {307, [](TExample& e) { e.EndsBound() = 1, e.divisions[0] = 40, e.divisions[1] = 89; },
         "divisions[1]"},
        {201, [](TExample& e) { e.Text(3) = std::string(256, 'x'); }, "texts"},
        {210, [](TExample& e) { e.trajectories.emplace_back(); }, "trajectories[0].kind"},
        {201, [](TExample& e) { e.markedPoints.emplace_back().label = std::string(30, 'p'); },
         "markedPoints"},
        {201,
         [](TExample& e) {
             e.markedPoints.push_back({1, {kNaN}, "", 0});
         },
         "markedPoints"}};
    for (const Case& c : cases) {
        TExample ex = Made(c.kind);
        if (c.kind == kind::kRoulette) ex.Number(TNumber::kRouletteRadius) = 1;
        ASSERT_TRUE(ValidateExample(ex, 1).Ok()) << c.field;
        c.damage(ex);
        const TRecordFault fault = ValidateExample(ex, 1);
        EXPECT_EQ(fault.error, kErrInconsistentData) << c.field;
        EXPECT_EQ(fault.field, c.field) << c.kind;
    }
}

TEST(RecordValidator, AcceptsTheEdgesOfTheLimits) {
    const std::function<void(TExample&)> edges[] = {
        [](TExample& e) { e.density = 0; }, [](TExample& e) { e.density = -10000; },
        [](TExample& e) { e.parent[0] = 0, e.parent[1] = 0; },
        [](TExample& e) { e.derivation = 125, e.parent[0] = 0, e.parent[1] = 2; },
        // An end point's second word is a text index that another program renumbers with the
        // parents: whatever it holds, the point is read (and names no end).
        [](TExample& e) { e.derivation = 125, e.parent[0] = 0, e.parent[1] = 1; },
        [](TExample& e) { e.derivation = 125, e.parent[0] = 0, e.parent[1] = 9; },
        [](TExample& e) { e.derivation = 125, e.parent[0] = 0, e.parent[1] = -7; },
        [](TExample& e) { e.pen.style = 0xffff; },
        // Styles outside -1..4 are stored by other programs and drawn solid.
        [](TExample& e) { e.pen.style = 5; }, [](TExample& e) { e.pen.style = 0x8000; },
        [](TExample& e) { e.familySteps = -4000, e.familyLetter = 23; },
        [](TExample& e) { e.WebOn() = 1, e.subKind = -23, e.WebSteps() = 1000; },
        [](TExample& e) { e.Text(7) = std::string(255, '1'); }};
    for (const auto& edge : edges) {
        TExample ex = Made(201);
        edge(ex);
        EXPECT_TRUE(ValidateExample(ex, 1).Ok()) << ValidateExample(ex, 1).field;
    }
    TExample mesh = Made(301);
    mesh.divisions = {59, 99, 36};  // 60 x 100 = 6000 points
    EXPECT_TRUE(ValidateExample(mesh, 0).Ok());
    TExample implicitRevolution = Made(307);
    implicitRevolution.subKind = 204;
    implicitRevolution.divisions = {1500, 6000, 36};  // no mesh to overflow
    EXPECT_TRUE(ValidateExample(implicitRevolution, 0).Ok());
}

TEST(RecordValidator, RefusesEachDamagedTrajectoryField) {
    struct Case {
        std::function<void(TTrajectory&)> damage;
        const char* field;
    };
    const Case cases[] = {
        {[](TTrajectory& t) { t.kind = 213; }, "kind"},
        {[](TTrajectory& t) { t.kind = 2211; }, "kind"},
        {[](TTrajectory& t) { t.treeOf[2] = 15; }, "treeOf"},
        {[](TTrajectory& t) { t.treeOf[0] = -2; }, "treeOf"},
        {[](TTrajectory& t) { t.option1 = 27; }, "option1"},
        {[](TTrajectory& t) { t.option2 = 27; }, "option2"},
        {[](TTrajectory& t) { t.startY = kNaN; }, "startX"},
        {[](TTrajectory& t) { t.startTime = kInf; }, "startTime"},
        {[](TTrajectory& t) { t.endTime = kNaN; }, "endTime"},
        {[](TTrajectory& t) { t.spare = kInf; }, "spare"},
        {[](TTrajectory& t) { t.step = kNaN; }, "step"},
        {[](TTrajectory& t) { t.pen.colour = 61; }, "pen.colour"},
        {[](TTrajectory& t) { t.AllocTexts(), t.texts[1] = std::string(256, '1'); }, "texts"}};
    for (const Case& c : cases) {
        TTrajectory t;
        t.Init(211, -1, -1, -1, 2, 0, 1);
        t.step = 0.1L;
        ASSERT_TRUE(ValidateTrajectory(t).Ok());
        c.damage(t);
        const TRecordFault fault = ValidateTrajectory(t);
        EXPECT_EQ(fault.error, kErrInconsistentData) << c.field;
        EXPECT_EQ(fault.field, c.field);
    }
    // A dy/dx or derx(n,y) trajectory with a zero step is kept; the tracers draw nothing of it.
    for (const int kind : {kind::kSlope, kind::kHigherOrder}) {
        TTrajectory zero;
        zero.Init(kind, -1, -1, -1, 2, 0, 1);
        zero.pen.style = 9;
        EXPECT_TRUE(ValidateTrajectory(zero).Ok()) << kind << ValidateTrajectory(zero).field;
    }
    // The initial values of a derx(n,y) trajectory may fill their 20000-byte buffer.
    TTrajectory values;
    values.Init(kind::kHigherOrder, -1, -1, -1, 2, 0, 1);
    values.step = 0.1L;
    values.AllocTexts();
    values.texts[0] = std::string(19999, '1');
    EXPECT_TRUE(ValidateTrajectory(values).Ok());
    values.texts[0] += '1';
    EXPECT_EQ(ValidateTrajectory(values).field, "texts");
    TTrajectory withoutStep;
    withoutStep.Init(1210, 0, 1, 14, 24, 26, 1);  // systems take the window's step
    EXPECT_TRUE(ValidateTrajectory(withoutStep).Ok());
    withoutStep.kind = TTrajectory::kOrbitalBodyKind;
    EXPECT_TRUE(ValidateTrajectory(withoutStep).Ok());
}

// A range end a file left undefined becomes the pair's other end (or both 0): an empty range,
// which the drawers draw as nothing. Finite ranges, even reversed ones, stay as they are.
TEST(RecordValidator, MendsARangeEndLeftUndefined) {
    using Range = std::array<long double, 4>;  // low[0], high[0], low[1], high[1]
    const struct {
        Range stored, mended;
    } rows[] = {{{kNaN, 2, -1, 3}, {2, 2, -1, 3}},
                {{-1, kInf, 0, 1}, {-1, -1, 0, 1}},
                {{kNaN, -kInf, 5, kNaN}, {0, 0, 5, 5}},
                {{4, -4, -kInf, -2}, {4, -4, -2, -2}},
                {{1, 2, 3, 4}, {1, 2, 3, 4}}};
    for (const auto& row : rows) {
        TExample ex = Made(203);
        ex.rangeLow = {row.stored[0], row.stored[2]};
        ex.rangeHigh = {row.stored[1], row.stored[3]};
        EXPECT_FALSE(ValidateExample(ex, 0).Ok() &&
                     !std::isfinite(row.stored[0] + row.stored[1] + row.stored[2] + row.stored[3]));
        MendStoredValues(ex);
        EXPECT_EQ((Range{ex.rangeLow[0], ex.rangeHigh[0], ex.rangeLow[1], ex.rangeHigh[1]}),
                  row.mended);
        EXPECT_TRUE(ValidateExample(ex, 0).Ok());
    }
}

}  // namespace
}  // namespace quorlin::examples
