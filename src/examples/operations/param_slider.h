#pragma once
// The animation-parameter sliders without their dialog.
//
// A graphing window has 24 animation parameters, '@' and A-W, each with a left end L, a value
// (the variable of that letter) and a right end R. A slider of n steps runs over the positions
// 0..n; position p stands for L + p (R - L) / n. SliderPositionOf and SliderValueAt are that
// mapping, guarded once for every place that uses it: an empty range counts as 1 and a slider
// has at least one step.
//
// TParameterSlider is what one slider dialog does with the window's tables: the bar's set-up,
// the value typed into it (an entry in brackets switches the whole-number mode, where the bar
// moves in units from L to R), the "set L" and "set R" buttons, the letter list of the
// all-letters dialog, and the choice of the player its buttons start. It reports what changed;
// the dialog shows it and the window redraws what depends on the letter.
#include <cstdint>
#include <string>
#include <string_view>

#include "examples/records/plot_settings.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// Slider slots of the parameter dialogs: 0 '@', 1-23 the letters A-W, 24 all letters.
inline constexpr int kTimeSlot = 0;
inline constexpr int kLastLetterSlot = 23;
inline constexpr int kAllLettersSlot = 24;
// The bounds of the number of prepared slides.
inline constexpr int kMinSlides = 3;
inline constexpr int kMaxSlides = 200;
inline constexpr int kFirstSlides = 23;

// The position of a value on a slider of `steps` steps over [left, right].
int SliderPositionOf(long double value, long double left, long double right, int steps);
// The value a position stands for.
long double SliderValueAt(int position, long double left, long double right, int steps);
// A whole-number entry: the integer part, one more when the fraction exceeds one half (a
// negative value is cut toward zero).
long double WholeValueOf(long double value);

// The bar of a slider dialog: positions 0..steps, its page magnitude and its thumb.
struct TBarState {
    int steps = 1;
    int page = 1;
    int position = 0;
    friend bool operator==(const TBarState&, const TBarState&) = default;
};

// The players a slider dialog starts.
enum class TPlayer { None, Slides, IntegerSteps, Parameters };

struct TPlayRequest {
    TPlayer player = TPlayer::None;
    int slot = 0;
    bool bounce = false;
    int count = 0;          // the last slide, or the last whole step
    bool realTime = false;  // '@' follows the clock
    bool stopAtEnd = false;
    long double stopTime = 0;
    int error = 0;  // shown before the player runs (or instead of it, when there is none)
};

class TParameterSlider {
public:
    // A slider of slot 0 ('@'), 1-23 (one letter) or 24 (all letters, starting at A), on the
    // window's formulas (values, ends, number reader) and slider steps, showing `places`
    // decimals.
    TParameterSlider(FormulaContext& formulas, const TSliderSteps& steps, int slot, int places);

    int Letter() const { return letter_; }
    bool AllLetters() const { return allLetters_; }
    // '@' has a time player and no bar.
    bool HasBar() const { return letter_ != kTimeSlot; }
    bool IntegerMode() const { return integerMode_; }
    int Places() const { return places_; }
    const TBarState& Bar() const { return bar_; }
    // The number first offered in the slides field, then the last slide read.
    int Slides() const { return slides_; }

    long double Value() const;
    // The value as the value field shows it: with the slider's decimals, none in whole-number
    // mode.
    std::string ValueText() const;

    // The bar from the window's step counts of the letter, its thumb at the value.
    void SetupBar();
    // Moves the thumb to the value (after something else moved it); returns the position.
    int UpdateBar();
    // The thumb was moved to a position: the value follows.
    void Scrolled(int position);

    enum class ModeSwitch { None, On, Off };
    struct EnterResult {
        int error = 0;  // 0, or the error to show (nothing changed then)
        ModeSwitch mode = ModeSwitch::None;
    };
    // A value typed into the value field and entered: "[v]" switches the whole-number mode of
    // a one-letter dialog; the ends widen to take the value. On success the value is set and
    // the examples that use the letter must be recomputed.
    EnterResult Enter(std::string_view text);
    // "set L" and "set R" with the typed value: false (nothing changed, nothing shown) when it
    // does not read or would not leave room before the other end. The value moves to the new
    // end.
    bool SetLeft(std::string_view text);
    bool SetRight(std::string_view text);

    // The all-letters dialog's list picked index `index` (0 = A): false when that is the
    // letter already shown. The bar keeps its step count.
    bool SelectLetter(int index);

    // The window's number of decimals changed.
    void ApplyPlaces(int places);
    // New step count and page magnitude for the bar; a whole-number slider keeps its own.
    void ApplyUnits(int steps, int page);

    // What "autorev" (bounce) or "autocyc"/"time" starts, from the "autoshow" or "stop at"
    // check box and the text of the field beside it.
    TPlayRequest Play(bool bounce, bool checked, std::string_view fieldText);

private:
    long double& Left() { return formulas_.params.left[static_cast<std::size_t>(letter_)]; }
    long double& Right() { return formulas_.params.right[static_cast<std::size_t>(letter_)]; }
    void SetValue(long double v) { formulas_.SetVar(letter_, v); }
    int WindowSteps() const;
    int WindowPageSteps() const;
    // Switches the whole-number mode on for the value v: the bar counts units from L.
    void EnterIntegerMode(long double v);
    void LeaveIntegerMode();
    // Reads the text; in whole-number mode rounded. False when it does not read.
    bool ReadEnd(std::string_view text, long double& v);

    FormulaContext& formulas_;
    const TSliderSteps& steps_;
    int letter_;
    bool allLetters_;
    bool integerMode_ = false;
    int places_;
    int windowPlaces_;
    int slides_ = kFirstSlides;
    TBarState bar_;
};

}  // namespace quorlin::examples
