// The observer against its geometry: the focus is the picture's centre from any eye, points of
// the focus plane come back where they were asked for, an eye in awkward places gives finite
// numbers, tilts approach the vertical without reaching it, a turn is undone by a turn back, and
// bringing the eye into its distance band ends for the placements that used to loop.
#include "plot3d/scene/observer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "plot3d/scene_box_support.h"
#include "support/all_near.h"

namespace quorlin::plot3d {
namespace {

using quorlin::testing::AllNear;
constexpr long double kPi = std::numbers::pi_v<long double>;

TSceneBox BoxOf(Vec3 min, Vec3 max) {
    return quorlin::testing::SceneBoxBetween(min, max);
}

TObserver ObserverAt(Vec3 eye, const TSceneBox& box, bool cube = false) {
    TObserver o;
    o.focus = box.centre;
    o.eye = eye;
    o.boxEye = box.WorldToBox(eye);
    o.cube = cube;
    ComputeViewAngles(o);
    return o;
}

bool Finite(Vec2 p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Random boxes of unequal sides and eyes well outside them, in world and in Cube mode.
TEST(Observer, FocusProjectsToTheCentreAndFocusPlanePointsRoundTrip) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-50, 50), side(0.5, 20);
    for (int trial = 0; trial < 200; ++trial) {
        const Vec3 low{coordinate(random), coordinate(random), coordinate(random)};
        const TSceneBox box =
            BoxOf(low, low + Vec3{side(random), side(random) * 3, side(random) / 2});
        const Vec3 eye =
            box.centre + Vec3{coordinate(random) * 4, coordinate(random) * 4, coordinate(random)};
        for (const bool cube : {false, true}) {
            const TObserver o = ObserverAt(eye, box, cube);
            const Vec2 centre = examples::ProjectPoint(o, box, box.centre);
            EXPECT_TRUE(AllNear({centre.x, centre.y}, {0, 0}, 1e-12L)) << trial << cube;
            if (cube) continue;
            for (const Vec2 uv : {Vec2{1.5L, -0.25L}, Vec2{-3, 7}, Vec2{0.01L, 2}}) {
                const Vec2 back = examples::ProjectPoint(o, box, FocusPlanePoint(o, uv.x, uv.y));
                EXPECT_TRUE(AllNear({back.x, back.y}, {uv.x, uv.y}, 1e-9L)) << trial;
            }
        }
    }
}

TEST(Observer, AwkwardEyesGiveFiniteNumbers) {
    const TSceneBox box = BoxOf({-1, -1, -1}, {1, 1, 1});
    // Straight above the focus, and a point in the plane of the eye.
    for (const Vec3 eye : {Vec3{0, 0, 10}, Vec3{0, 0, -10}}) {
        const TObserver o = ObserverAt(eye, box);
        EXPECT_TRUE(std::isfinite(o.k1) && std::isfinite(o.k2) && std::isfinite(o.k3));
        EXPECT_TRUE(Finite(examples::ProjectPoint(o, box, {0.5L, -0.25L, 0.75L})));
        EXPECT_TRUE(Finite(examples::ProjectPoint(o, box, box.centre)));
    }
    const TObserver side = ObserverAt({10, 0, 0}, box);
    EXPECT_TRUE(Finite(examples::ProjectPoint(side, box, {10, 5, 3})));  // in the eye's plane
    TObserver above = ObserverAt({0, 0, 10}, box);
    EXPECT_TRUE(MoveEyeOffVertical(above, box));
    EXPECT_FALSE(IsEyeVertical(above));
    EXPECT_EQ(above.eye.z, 10);
}

TEST(Observer, TiltStepsAreAShareOfWhatIsLeftToTheVertical) {
    const TSceneBox box = BoxOf({0, 0, 0}, {2, 3, 1});
    const long double degree = kPi / 180;
    const struct {
        long double from;  // elevation
        bool up;
        long double to;
    } rows[] = {
        {0, true, 0.025L * kPi / 2},
        {80 * degree, true, 80 * degree + 0.025L * 10 * degree},
        {0, false, -0.025L * kPi / 2},
        {-80 * degree, false, -80 * degree - 0.025L * 10 * degree},
        {-30 * degree, true, -30 * degree + 0.025L * kPi / 2},
    };
    for (const auto& row : rows) {
        const long double h = 12;
        TObserver o =
            ObserverAt(box.centre + Vec3{h * 0.6L, h * 0.8L, h * std::tan(row.from)}, box);
        ASSERT_TRUE(TiltObserver(o, box, row.up));
        EXPECT_TRUE(AllNear({EyeElevation(o), std::hypot(o.eye.x - o.focus.x, o.eye.y - o.focus.y)},
                            {row.to, h}, 1e-12L))
            << row.from / degree;
        EXPECT_TRUE(o.viewMoved);
    }
    TObserver o = ObserverAt(box.centre + Vec3{3, 4, 0}, box);
    for (int step = 0; step < 10000; ++step) TiltObserver(o, box, true);
    EXPECT_LT(EyeElevation(o), kPi / 2);
    EXPECT_TRUE(std::isfinite(o.k1) && std::isfinite(o.eye.z));
    TObserver straightUp = ObserverAt(box.centre + Vec3{0, 0, 5}, box);
    EXPECT_FALSE(TiltObserver(straightUp, box, true));
}

TEST(Observer, TurnThenBackRestoresTheEye) {
    const TSceneBox box = BoxOf({-1, 2, 0}, {3, 5, 1});
    for (const bool cube : {false, true}) {
        TObserver o = ObserverAt({15, 20, 10}, box, cube);
        const Vec3 before = o.eye;
        TurnObserver(o, box, true);
        EXPECT_GT(Vec3Dist(o.eye, before), 1);
        TurnObserver(o, box, false);
        EXPECT_TRUE(AllNear({o.eye.x, o.eye.y, o.eye.z}, {before.x, before.y, before.z}, 1e-15L))
            << cube;
    }
}

// The placements that never ended when the eye was halved and doubled about the world origin.
TEST(Observer, DistanceAdjustmentEndsInTheBandForEveryPlacement) {
    const struct {
        const char* name;
        Vec3 low, high, eye;
    } rows[] = {
        {"focus far from the origin", {1e5L - 1, -1, -1}, {1e5L + 1, 1, 1}, {15, 20, 10}},
        {"eye above a box on the z-axis", {-1, -1, 0}, {1, 1, 1}, {0, 0, 10}},
        {"eye at the origin under it", {-1, -1, 2}, {1, 1, 3}, {0, 0, 0}},
        {"eye on the focus", {-1, -1, -1}, {1, 1, 1}, {0, 0, 0}},
        {"eye very far", {0, 0, 0}, {1, 1, 1}, {1e12L, 3e11L, 5}},
        {"eye just outside", {0, 0, 0}, {1, 1, 1}, {1.2L, 0.5L, 0.5L}},
    };
    for (const auto& row : rows) {
        const TSceneBox box = BoxOf(row.low, row.high);
        TObserver o = ObserverAt(row.eye, box);
        const int moves = AdjustObserverDistance(o, box);
        EXPECT_LT(moves, kMaxDistanceMoves) << row.name;
        EXPECT_FALSE(IsEyeTooFar(box, o.eye)) << row.name;
        EXPECT_FALSE(IsEyeTooClose(box, o.eye)) << row.name;
        ComputeViewAngles(o);
        EXPECT_TRUE(std::isfinite(o.k1) && std::isfinite(o.k3)) << row.name;
    }
}

// Where the eye ends: the first place along its line from the focus that is in the band. An eye
// just outside the unit box doubles its distance until its box x reaches 2 (0.7, 1.4, 2.8); a
// far one halves it until its taxicab distance is at most 10000 box sizes, so it ends above half
// that, on its own line, however far it was; an eye that is no point goes out along the default.
TEST(Observer, TheEyeEndsAtTheFirstPlaceOfTheBandOnItsLine) {
    const TSceneBox unit = BoxOf({0, 0, 0}, {1, 1, 1});
    {
        TObserver o = ObserverAt({1.2L, 0.5L, 0.5L}, unit);
        EXPECT_EQ(AdjustObserverDistance(o, unit), 2);
        EXPECT_NEAR(static_cast<double>(o.eye.x), 3.3, 1e-15);
        EXPECT_EQ(o.eye.y, 0.5L);
        EXPECT_EQ(o.eye.z, 0.5L);
        EXPECT_NEAR(static_cast<double>(o.boxEye.x), 2.8, 1e-15);
    }
    {
        // 1.3e12 / 2^25 is still above 30000, 1.3e12 / 2^26 below.
        TObserver o = ObserverAt({1e12L, 3e11L, 5}, unit);
        EXPECT_EQ(AdjustObserverDistance(o, unit), 26);
        const long double scale = 1.0L / 67108864;  // 2^-26
        EXPECT_TRUE(AllNear(
            {o.eye.x, o.eye.y, o.eye.z},
            {0.5L + (1e12L - 0.5L) * scale, 0.5L + (3e11L - 0.5L) * scale, 0.5L + 4.5L * scale},
            1e-12L));
    }
    const struct {
        const char* name;
        Vec3 eye;
    } far[] = {{"at 1e300", {3e300L, -1e300L, 2e300L}},
               {"beyond 1e2466", {3e2500L, -1e2500L, 2e2500L}},
               {"at the end of the range", {1e4931L, -1e4930L, 1e4931L}}};
    for (const auto& row : far) {
        TObserver o = ObserverAt(row.eye, unit);
        ASSERT_LT(AdjustObserverDistance(o, unit), kMaxDistanceMoves) << row.name;
        const Vec3 v = o.eye - unit.centre;
        const long double taxi = std::fabs(v.x) + std::fabs(v.y) + std::fabs(v.z);
        EXPECT_GT(taxi, 15000) << row.name;
        EXPECT_LE(taxi, 30000) << row.name;
        const Vec3 w = row.eye;
        EXPECT_TRUE(AllNear({v.x / v.z, v.y / v.z}, {w.x / w.z, w.y / w.z}, 1e-15L)) << row.name;
    }
    for (const long double bad : {std::numeric_limits<long double>::infinity(),
                                  std::numeric_limits<long double>::quiet_NaN()}) {
        TObserver o = ObserverAt({bad, 1, 1}, unit);
        AdjustObserverDistance(o, unit);
        const Vec3 v = o.eye - unit.centre;
        EXPECT_TRUE(AllNear({v.x / v.z, v.y / v.z}, {1.5L, 2}, 1e-15L)) << bad;
        EXPECT_FALSE(IsEyeTooClose(unit, o.eye) || IsEyeTooFar(unit, o.eye)) << bad;
    }
}

}  // namespace
}  // namespace quorlin::plot3d
