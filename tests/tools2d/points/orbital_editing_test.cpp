// The orbital-system editor on its record: a new system's two bodies keep their circular orbit,
// "new" and "delete" allowed by the count as a table, a deletion in the middle that leaves every
// other body its data, the new body's own name, what a body stores of what was typed, the
// system's fields read and refused as a table, and the plain decimal reading.
#include "tools2d/points/orbital_editing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "examples/records/new_examples.h"

namespace quorlin::tools2d {
namespace {

namespace orb = plot2d::orbital;
namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;

examples::TExample NewSystem() {
    examples::TExample e;
    e.Init(k::kOrbital, 5, 50);
    examples::SetNewExampleDefaults(e, k::kOrbital, -5, 5, 0);
    return e;
}

// A system of n bodies, body i at (i, 10 i, 0) moving with (100 i, 0, 0), of mass i + 1.
examples::TExample SystemOf(int n) {
    examples::TExample e = NewSystem();
    TOrbitalEditor editor(e, false);
    while (editor.BodyCount() < n) editor.AddBody();
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const long double v = i;
        e.points[orb::kInitialPositionEntry + at] = {v, 10 * v, 0};
        e.points[orb::kInitialVelocityEntry + at] = {100 * v, 0, 0};
        e.points[orb::kPositionEntry + at] = {-v, 0, 0};
        e.points[orb::kVelocityEntry + at] = {0, -v, 0};
        e.points[orb::kMassEntry + at] = {v + 1, 0, 0};
        e.trajectories[at].texts[3] = "b" + std::to_string(i);
    }
    return e;
}

TEST(OrbitalEditingTest, ANewSystemTurnsOnceInACircle) {
    examples::TExample e = NewSystem();
    ASSERT_EQ(TOrbitalEditor(e, false).BodyCount(), 2);
    const orb::TOrbitalSettings s = orb::SettingsOf(e);
    const long double total = 27.027L;
    EXPECT_NEAR((double)s.interval, (double)(2 * kPi * std::sqrt(27 / total)), 1e-15);
    EXPECT_EQ(s.timeStep, s.interval / 1000);
    std::vector<orb::TBody> bodies = orb::InitialBodies(e);
    const auto apart = [&bodies] {
        const Vec3 d = bodies[1].position - bodies[0].position;
        return std::sqrt(d.x * d.x + d.y * d.y);
    };
    for (int step = 0; step < 1000; ++step) {
        ASSERT_TRUE(orb::AdvanceBodies(bodies, s.gravity, s.timeStep));
        if (step % 100 == 0) EXPECT_NEAR((double)apart(), 3, 1e-9) << step;
    }
    // A whole turn: back where they began, the centre of mass at rest at (3 m / (M + m), 0).
    EXPECT_NEAR((double)bodies[1].position.x, 3, 1e-8);
    EXPECT_NEAR((double)bodies[1].position.y, 0, 1e-8);
    const long double centre = (27 * bodies[0].position.x + 0.027L * bodies[1].position.x) / total;
    EXPECT_NEAR((double)centre, (double)(3 * 0.027L / total), 1e-12);
}

TEST(OrbitalEditingTest, NewAndDeleteFollowTheCount) {
    for (int n = 2; n <= orb::kMaxBodies; ++n) {
        examples::TExample e = SystemOf(n);
        TOrbitalEditor editor(e, false);
        ASSERT_EQ(editor.BodyCount(), n);
        EXPECT_EQ(editor.CanAddBody(), n < 12) << n;
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(editor.CanDeleteBody(i), n >= 4 && i != n - 1) << n << " " << i;
    }
    examples::TExample empty = NewSystem();
    empty.trajectories.clear();  // a system that lost its body list
    EXPECT_FALSE(TOrbitalEditor(empty, false).CanAddBody());
    EXPECT_EQ(TOrbitalEditor(empty, false).AddBody(), -1);
    examples::TExample full = SystemOf(12);
    EXPECT_EQ(TOrbitalEditor(full, false).AddBody(), -1);
    EXPECT_EQ(full.trajectories.size(), 12u);
}

TEST(OrbitalEditingTest, DeletingTheMiddleBodyKeepsTheOthersData) {
    examples::TExample e = SystemOf(5);
    TOrbitalEditor editor(e, false);
    editor.SetOrigin(4);
    ASSERT_TRUE(editor.DeleteBody(2));
    EXPECT_EQ(editor.BodyCount(), 4);
    EXPECT_EQ(e.derivationParam, 3);
    EXPECT_EQ(e.OriginOn(), 0);
    const int kept[] = {0, 1, 3, 4};
    for (int now = 0; now < 4; ++now) {
        const long double v = kept[now];
        const TBodyView initial = editor.Body(now, true);
        const TBodyView current = editor.Body(now, false);
        EXPECT_EQ(initial.position.y, 10 * v) << now;
        EXPECT_EQ(initial.velocity.x, 100 * v) << now;
        EXPECT_EQ(current.position.x, -v) << now;
        EXPECT_EQ(current.velocity.y, -v) << now;
        EXPECT_EQ(initial.mass, v + 1) << now;
        EXPECT_EQ(initial.name, "b" + std::to_string(kept[now])) << now;
    }
}

TEST(OrbitalEditingTest, ANewBodyHasItsOwnName) {
    examples::TExample e = SystemOf(3);
    e.trajectories[2].pen = {13, 3, 0};
    TOrbitalEditor editor(e, false);
    ASSERT_EQ(editor.AddBody(), 3);
    ASSERT_EQ(editor.AddBody(), 4);
    const std::vector<std::string> names = editor.ListEntries();
    EXPECT_EQ(names, (std::vector<std::string>{"b0", "b1", "b2", "body 3", "body 4"}));
    const TBodyView added = editor.Body(3, true);
    EXPECT_EQ(added.mass, 1);
    EXPECT_EQ(added.position.x, 0);
    EXPECT_EQ(added.velocity.y, 0);
    EXPECT_EQ(editor.Body(3, false).position.y, 0);
    EXPECT_EQ(e.trajectories[3].pen, (examples::TPenSpec{13, 3, 0}));
    EXPECT_EQ(e.trajectories[3].step, 1);
    EXPECT_EQ(e.derivationParam, 4);
    editor.SetOrigin(1);
    EXPECT_EQ(editor.ListEntries()[1], "b1 *");
    editor.ClearOrigin();
    EXPECT_EQ(editor.ListEntries()[1], "b1");
}

TEST(OrbitalEditingTest, ABodyStoresWhatItMay) {
    const struct {
        bool space, initial;
        const char *x, *z, *mass, *width;
        long double storedX, storedZ, storedMass;
        int storedWidth;
    } rows[] = {
        {false, true, "1.5e2xyz", "7", "3", "4", 150, 0, 3, 4},  // no z in the plane
        {true, true, " -2.25", "7", "2e-16", "0", -2.25L, 7, 2e-16L, 2},
        {true, true, "2*3", "-1", "1e-16", "-3", 2, -1, 2, 2},  // no formulas
        {true, false, "9", "9", "5", "6", 1, 0, 5, 6},          // current values stay
    };
    for (const auto& row : rows) {
        examples::TExample e = SystemOf(3);
        e.points[orb::kInitialPositionEntry + 1] = {1, 10, 0};
        e.trajectories[1].pen.width = 2;
        TOrbitalEditor editor(e, row.space);
        TBodyTexts typed;
        typed.position = {row.x, "4", row.z};
        typed.velocity = {"0.5", "-0.5", row.z};
        typed.mass = row.mass;
        typed.name = "moon";
        typed.penWidth = row.width;
        editor.StoreBody(1, typed, row.initial);
        const TBodyView body = editor.Body(1, true);
        EXPECT_EQ(body.position.x, row.storedX) << row.x;
        EXPECT_EQ(body.position.y, row.initial ? 4 : 10) << row.x;
        EXPECT_EQ(body.position.z, row.storedZ) << row.x;
        EXPECT_EQ(body.velocity.z, row.initial ? row.storedZ : 0) << row.x;
        EXPECT_EQ(body.mass, row.storedMass) << row.mass;
        EXPECT_EQ(body.penWidth, row.storedWidth) << row.width;
        EXPECT_EQ(body.name, "moon");
    }
}

TEST(OrbitalEditingTest, TheSystemsFieldsAreReadOrRefused) {
    using F = TSystemTexts::Field;
    const struct {
        std::array<const char*, 5> fields;
        int error, field;
        long double gravity, interval, positions, calculations;
        int bullet;
    } rows[] = {
        {{"2", "12", "2147483647", "400", "5"}, 0, -1, 2, 12, 2147483647, 400, 5},
        {{"0.5", "3", "2.5", "-2.5x", "1"}, kErrPositiveValue, F::kCalculations},
        {{"0.5", "3", "2.5", "7.5", "100"}, 0, -1, 0.5L, 3, 3, 8, 100},
        {{"0", "3", "1", "1", "4"}, kErrPositiveValue, F::kGravity},
        {{"1e-17", "3", "1", "1", "4"}, kErrPositiveValue, F::kGravity},
        {{"1", "abc", "1", "1", "4"}, kErrPositiveValue, F::kInterval},
        {{"1", "1", "0.4", "1", "4"}, kErrPositiveValue, F::kPositions},
        {{"1", "1", "1", "1", "0"}, kErrOutOfBounds, F::kBulletSize},
        {{"1", "1", "1", "1", "101"}, kErrOutOfBounds, F::kBulletSize},
    };
    for (const auto& row : rows) {
        examples::TExample e = NewSystem();
        const orb::TOrbitalSettings before = orb::SettingsOf(e);
        TOrbitalEditor editor(e, false);
        TSystemTexts typed;
        for (std::size_t f = 0; f < 5; ++f) typed.fields[f] = row.fields[f];
        typed.watch = true;
        typed.bullets = false;
        typed.frameBoundary = true;
        const TSystemCheck check = editor.StoreSystem(typed);
        EXPECT_EQ(check.error, row.error) << row.fields[0];
        EXPECT_EQ(check.field, row.field) << row.fields[0];
        const orb::TOrbitalSettings s = orb::SettingsOf(e);
        if (row.error != 0) {
            EXPECT_EQ(s.interval, before.interval);
            EXPECT_EQ(s.bullets, before.bullets);
            continue;
        }
        EXPECT_EQ(s.gravity, row.gravity);
        EXPECT_EQ(s.interval, row.interval);
        EXPECT_EQ(s.positions, row.positions);
        EXPECT_EQ(s.calculations, row.calculations);
        EXPECT_EQ(s.timeStep, row.interval / row.calculations);
        EXPECT_EQ(s.bulletSize, row.bullet);
        EXPECT_TRUE(s.watch);
        EXPECT_FALSE(s.bullets);
        EXPECT_TRUE(s.frameBoundary);
    }
}

TEST(OrbitalEditingTest, ClearingShowsNoPositions) {
    examples::TExample e = NewSystem();
    TOrbitalEditor(e, false).ClearPositions();
    EXPECT_EQ(orb::SettingsOf(e).positions, 0);
    EXPECT_FALSE(orb::SettingsOf(e).bullets);
    EXPECT_EQ(orb::SettingsOf(e).calculations, 1000);
}

TEST(OrbitalEditingTest, PlainDecimals) {
    const struct {
        const char* text;
        long double value;
    } rows[] = {
        {"12.5", 12.5L}, {"  -3", -3}, {"+4.25x", 4.25L},  {"1e3", 1000},
        {"2e", 2},       {"7e+", 7},   {"-.5", -0.5L},     {".", 0},
        {"x1", 0},       {"", 0},      {"1.5e-2", 0.015L}, {"3..4", 3},
    };
    for (const auto& row : rows) EXPECT_EQ(PlainDecimal(row.text), row.value) << row.text;
}

// A mass is stored only when the whole field, blanks aside, is the number that is read.
TEST(OrbitalEditingTest, AFieldIsAPlainDecimalOnlyWhole) {
    const struct {
        const char* text;
        bool whole;
    } rows[] = {
        {" 12.5 ", true}, {"-3e2", true}, {"+.5", true},  {"7.", true},     {"abc(", false},
        {"1e", false},    {".", false},   {"2 3", false}, {"", false},      {"1.5x", false},
        {"3..4", false},  {"-", false},   {"1e+", false}, {"0.25\t", true},
    };
    for (const auto& row : rows) EXPECT_EQ(IsPlainDecimal(row.text), row.whole) << row.text;
    TBodyTexts typed;
    typed.mass = "5.5 kg";
    EXPECT_EQ(CheckBodyTexts(typed), kErrCannotUnderstand);
    typed.mass = "\t5.5";
    EXPECT_EQ(CheckBodyTexts(typed), kNoError);
}

}  // namespace
}  // namespace quorlin::tools2d
