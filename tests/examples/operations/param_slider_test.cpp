// The parameter sliders without their dialog: positions and values, typed values, the
// whole-number mode, the end buttons and the players the buttons choose.
#include <gtest/gtest.h>

#include <tuple>

#include "core/errors.h"
#include "examples/operations/param_slider.h"

namespace quorlin::examples {
namespace {

class ParamSliderTest : public ::testing::Test {
protected:
    // Letter A over [left, right] at value.
    TParameterSlider& Slider(long double left, long double right, long double value, int slot = 1) {
        const int letter = slot == kAllLettersSlot ? 1 : slot;
        formulas.params.left[static_cast<std::size_t>(letter)] = left;
        formulas.params.right[static_cast<std::size_t>(letter)] = right;
        formulas.SetVar(letter, value);
        slider.emplace(formulas, steps, slot, 4);
        slider->SetupBar();
        return *slider;
    }
    long double L() const { return formulas.params.left[1]; }
    long double R() const { return formulas.params.right[1]; }
    long double A() const { return formulas.Var(1); }

    FormulaContext formulas;
    TSliderSteps steps;
    std::optional<TParameterSlider> slider;
};

TEST_F(ParamSliderTest, PositionsMapOntoTheRangeAndEmptyRangesAreGuarded) {
    struct Case {
        long double left, right, value;
        int steps, position;
    };
    for (const Case& c : {Case{-10, 10, -5, 100, 25}, Case{-10, 10, 10, 100, 100},
                          Case{2, 2, 2.5L, 100, 50},  // an empty range counts as 1
                          Case{0, 1, 1, 0, 1}}) {     // a slider has at least one step
        EXPECT_EQ(SliderPositionOf(c.value, c.left, c.right, c.steps), c.position);
        if (c.left != c.right) {
            EXPECT_EQ(SliderValueAt(c.position, c.left, c.right, c.steps), c.value);
        }
    }
    TParameterSlider& s = Slider(-10, 10, 0);
    EXPECT_EQ(s.Bar(), (TBarState{100, 10, 50}));
    s.Scrolled(25);
    EXPECT_EQ(std::tuple(A(), s.ValueText()), std::tuple(-5, "-5.0000"));
}

TEST_F(ParamSliderTest, TypedValuesWidenTheRange) {
    TParameterSlider& s = Slider(-10, 10, 0);
    EXPECT_EQ(s.Enter("12").error, 0);
    EXPECT_EQ(std::tuple(R(), A(), s.Bar().position), std::tuple(12, 12, 100));
    EXPECT_EQ(s.Enter("2*(-7)").error, 0);
    EXPECT_EQ(std::tuple(L(), s.Bar().position), std::tuple(-14, 0));
    // What does not read changes nothing.
    EXPECT_NE(s.Enter("2*").error, 0);
    EXPECT_EQ(A(), -14);
}

TEST_F(ParamSliderTest, BracketsSwitchTheWholeNumberMode) {
    TParameterSlider& s = Slider(-10.5L, 10, 0);
    const auto on = s.Enter("[3]");
    EXPECT_EQ(std::tuple(on.error, on.mode, s.IntegerMode()),
              std::tuple(0, TParameterSlider::ModeSwitch::On, true));
    EXPECT_EQ(std::tuple(L(), R(), A(), s.ValueText()), std::tuple(-10, 11, 3, "3"));
    EXPECT_EQ(s.Bar(), (TBarState{21, 2, 13}));
    // Whole numbers: a fraction above one half rounds up, a negative value is cut.
    for (auto [typed, whole] : {std::pair{"4.7", 5.0L}, {"4.5", 4}, {"-2.7", -2}}) {
        ASSERT_EQ(s.Enter(typed).error, 0);
        EXPECT_EQ(std::tuple(A(), s.Bar().position), std::tuple(whole, whole + 10)) << typed;
    }
    s.Scrolled(20);
    EXPECT_EQ(A(), 10);
    // A value beyond the ends widens them and the bar counts the units again.
    ASSERT_EQ(s.Enter("15").error, 0);
    EXPECT_EQ(s.Bar(), (TBarState{25, 2, 25}));
    // The ends keep room of a unit.
    EXPECT_FALSE(s.SetLeft("15"));
    EXPECT_TRUE(s.SetLeft("5.2"));
    EXPECT_EQ(std::tuple(L(), s.Bar().steps), std::tuple(5, 10));
    EXPECT_EQ(s.Enter("[1.25]").mode, TParameterSlider::ModeSwitch::Off);
    EXPECT_EQ(std::tuple(A(), L(), s.ValueText()), std::tuple(1.25L, 1.25L, "1.2500"));
    EXPECT_EQ(s.Bar(), (TBarState{100, 10, 0}));
}

TEST_F(ParamSliderTest, RefusedEntriesAndEnds) {
    // Brackets belong to the one-letter dialogs of A-W, and must close.
    EXPECT_EQ(Slider(0, 1, 0, kAllLettersSlot).Enter("[2]").error, kErrCannotUnderstand);
    EXPECT_EQ(Slider(0, 1, 0, kTimeSlot).Enter("[2]").error, kErrCannotUnderstand);
    EXPECT_EQ(Slider(0, 1, 0).Enter("[2").error, kErrCannotUnderstand);
    EXPECT_FALSE(Slider(0, 1, 0).IntegerMode());
    // An end that leaves no room before the other changes nothing.
    TParameterSlider& s = Slider(-10, 10, 3);
    EXPECT_FALSE(s.SetLeft("10"));
    EXPECT_FALSE(s.SetRight("-11"));
    EXPECT_FALSE(s.SetLeft("x+"));
    EXPECT_EQ(std::tuple(L(), A()), std::tuple(-10, 3));
    EXPECT_TRUE(s.SetRight("20"));
    EXPECT_EQ(std::tuple(A(), s.Bar().position), std::tuple(20, 100));
}

TEST_F(ParamSliderTest, TheAllLettersDialogKeepsItsBarForEveryLetter) {
    formulas.params.left[2] = 0;
    formulas.params.right[2] = 4;
    formulas.SetVar(2, 1);
    TParameterSlider& s = Slider(0, 1, 0, kAllLettersSlot);
    s.ApplyUnits(200, 20);
    EXPECT_FALSE(s.SelectLetter(0));  // A is shown already
    EXPECT_TRUE(s.SelectLetter(1));
    EXPECT_EQ(std::tuple(s.Letter(), s.Bar()), std::tuple(2, TBarState{200, 20, 50}));
}

TEST_F(ParamSliderTest, ButtonsChooseThePlayer) {
    TParameterSlider& s = Slider(0, 1, 0);
    struct Case {
        bool bounce, checked;
        const char* field;
        TPlayer player;
        int count, error;
    };
    for (const Case& c : {Case{false, true, "10", TPlayer::Slides, 9, 0},
                          Case{true, true, "200", TPlayer::Slides, 199, 0},
                          Case{false, true, "2", TPlayer::None, 0, kErrOutOfBounds},
                          Case{false, true, "201", TPlayer::None, 0, kErrOutOfBounds},
                          Case{true, false, "", TPlayer::Parameters, 0, 0}}) {
        const TPlayRequest r = s.Play(c.bounce, c.checked, c.field);
        EXPECT_EQ(std::tuple(r.player, r.count, r.error, r.realTime),
                  std::tuple(c.player, c.count, c.error, false))
            << c.field;
    }
    ASSERT_EQ(s.Enter("[0]").error, 0);
    const TPlayRequest whole = s.Play(true, false, "");
    EXPECT_EQ(std::tuple(whole.player, whole.count), std::tuple(TPlayer::IntegerSteps, 1));

    // '@' runs in real time and may stop at a time; an unreadable one is reported and the
    // run has no stop.
    TParameterSlider& time = Slider(0, 1, 0, kTimeSlot);
    const TPlayRequest stop = time.Play(false, true, "2*pi");
    EXPECT_TRUE(stop.realTime && stop.stopAtEnd);
    EXPECT_NEAR(static_cast<double>(stop.stopTime), 6.2831853, 1e-7);
    const TPlayRequest bad = time.Play(false, true, "pi+");
    EXPECT_EQ(std::tuple(bad.player, bad.error, bad.stopAtEnd),
              std::tuple(TPlayer::Parameters, kErrCannotUnderstand, false));
}

}  // namespace
}  // namespace quorlin::examples
