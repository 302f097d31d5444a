// The players without their window: groups, frame steps with wrap and bounce, the real-time
// clock of '@', the cycles of slides and whole steps, the memory of slides and the members of
// a trajectory family.
#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "examples/operations/animation.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

using quorlin::testing::AllNear;

class AnimationTest : public ::testing::Test {
protected:
    AnimationTest() {
        formulas.params.left[1] = 0;
        formulas.params.right[1] = 1;
        formulas.vars.value[slot::kAt] = {0, 0.01L};
    }
    TParameterAnimation Make(TParameterAnimation::Options options) {
        return TParameterAnimation(formulas, steps, settings, options);
    }
    // The values of letter A over n frames.
    std::vector<long double> RunA(TParameterAnimation& a, int n) {
        std::vector<long double> values;
        for (int k = 0; k < n; ++k) {
            a.Frame(0);
            values.push_back(formulas.Var(1));
        }
        return values;
    }

    FormulaContext formulas;
    TSliderSteps steps;
    TAnimationSettings settings;
};

TEST_F(AnimationTest, TheGroupMovesWhenTheSlotBelongsToIt) {
    std::array<std::uint8_t, kParameterCount> group{};
    group[2] = group[5] = 1;
    const TAnimatedGroup alone = SelectAnimatedGroup(group, 3);
    EXPECT_EQ(std::tuple(alone.which[3], alone.which[2], alone.first), std::tuple(1, 0, 3));
    const TAnimatedGroup linked = SelectAnimatedGroup(group, 5);
    EXPECT_EQ(std::tuple(linked.which[2], linked.which[5], linked.first, linked.last),
              std::tuple(1, 1, 2, 5));
}

TEST_F(AnimationTest, LettersWrapOrBounceAtTheirEnds) {
    steps.steps[1] = 4;  // steps of 0.25
    formulas.SetVar(1, 0.5L);
    TParameterAnimation wrap = Make({.slot = 1});
    EXPECT_EQ(RunA(wrap, 4), (std::vector<long double>{0.75L, 1, 0, 0.25L}));
    formulas.SetVar(1, 0.5L);
    TParameterAnimation bounce = Make({.slot = 1, .bounce = true});
    EXPECT_EQ(RunA(bounce, 5), (std::vector<long double>{0.75L, 1, 1, 0.75L, 0.5L}));
    // Blank reverses; F and S change the steps and the window's speed.
    bounce.Reverse();
    bounce.ChangeSpeed(0.8L);
    EXPECT_EQ(std::tuple(bounce.Step(1), settings.speed), std::tuple(0.2L, 0.8L));
    // A reversed range moves by 1 / steps and keeps coming back to its left end.
    formulas.params.left[1] = 1;
    formulas.params.right[1] = 0;
    TParameterAnimation reversed = Make({.slot = 1});
    EXPECT_EQ(reversed.Step(1), 0.25L);
    EXPECT_EQ(RunA(reversed, 2), (std::vector<long double>{1, 1}));
}

TEST_F(AnimationTest, TimeFollowsTheClockAndStopsAtTheStopTime) {
    formulas.SetVar(slot::kAt, 2.0L);
    TParameterAnimation a = Make({.realTime = true, .stopAtEnd = true, .stopTime = 2.12L});
    EXPECT_EQ(a.Step(0), 0.1L);  // before any real-time run
    ASSERT_TRUE(a.CanStart());
    a.Start(1000);
    EXPECT_TRUE(a.Frame(1005));
    EXPECT_NEAR(static_cast<double>(formulas.Var(slot::kAt)), 2.05, 1e-15);
    EXPECT_TRUE(settings.timeStarted);
    EXPECT_TRUE(a.Frame(1010));  // the frames' pace is the step
    EXPECT_TRUE(AllNear({a.Step(0), formulas.Var(slot::kAt)}, {0.05L, 2.10L}, 1e-15L));
    // Past the stop time '@' stands at it and the run ends with this frame.
    EXPECT_FALSE(a.Frame(1015));
    EXPECT_EQ(formulas.Var(slot::kAt), 2.12L);
    a.Finish();
    EXPECT_NEAR(static_cast<double>(formulas.vars.value[slot::kAt].imag()), 0.05, 1e-15);
    // A second run starts from the kept step, and not at all behind its stop time.
    EXPECT_NEAR(static_cast<double>(Make({.realTime = true}).Step(0)), 0.05, 1e-15);
    EXPECT_FALSE(Make({.realTime = true, .stopAtEnd = true, .stopTime = 2.12L}).CanStart());
}

TEST_F(AnimationTest, FramesCycleWithWrapOrBounce) {
    struct Case {
        int last;
        bool bounce;
        std::vector<int> frames;
    };
    for (const Case& c : {Case{2, false, {1, 2, 0, 1}}, Case{2, true, {1, 2, 1, 0, 1}},
                          Case{1, true, {1, 0, 1, 0}}, Case{0, true, {0, 0}}}) {
        TFrameCycle cycle(c.last, c.bounce);
        std::vector<int> frames;
        for (std::size_t k = 0; k < c.frames.size(); ++k) frames.push_back(cycle.Next());
        EXPECT_EQ(frames, c.frames) << c.last << c.bounce;
    }
    TFrameCycle reversed(3, false, 1);
    reversed.Reverse();
    EXPECT_EQ(reversed.Next(), 0);
    EXPECT_EQ(reversed.Next(), 3);
}

TEST_F(AnimationTest, SlidesAreBoundByMemory) {
    EXPECT_EQ(SlidesWithinMemory(201, 1000 * 1000 * 4), 67);
    EXPECT_EQ(SlidesWithinMemory(23, 400 * 400 * 4), 23);
}

TEST_F(AnimationTest, FamilyMembersRunTheLetterAndStopAtAKey) {
    TExample e;
    e.familyOn = 1, e.familyLetter = 2, e.familySteps = -4, e.familyLow = 1, e.familyHigh = 3;
    std::vector<long double> seen;
    int stopAt = 0;  // the member whose drawing answers a key, 0 for none
    const auto draw = [&] {
        seen.push_back(formulas.Var(2));
        return static_cast<int>(seen.size()) == stopAt ? kKeyStop : 0;
    };
    EXPECT_EQ(DrawFamilyMembers(formulas, e, draw), 0);
    EXPECT_EQ(seen, (std::vector<long double>{1, 1.5L, 2, 2.5L, 3}));
    EXPECT_EQ(formulas.Var(2), 3.5L);  // the letter keeps its last value
    seen.clear();
    stopAt = 2;
    EXPECT_EQ(DrawFamilyMembers(formulas, e, draw), 81);
    EXPECT_EQ(seen.size(), 2u);
    e.familyOn = 0;
    int members = 0;
    DrawFamilyMembers(formulas, e, [&] { return ++members, 0; });
    EXPECT_EQ(members, 1);
}

}  // namespace
}  // namespace quorlin::examples
