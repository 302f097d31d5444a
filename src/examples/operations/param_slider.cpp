#include "examples/operations/param_slider.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "core/numbers.h"

namespace quorlin::examples {

namespace {

constexpr long double kEmptyRange = 1e-16L;
// A whole-number slider needs room of at least one unit between its ends ...
constexpr long double kWholeRoom = 0.1L;
// ... and at most as many units as a bar has positions.
constexpr long double kMostUnits = kIntSaturation;
// The stop time of '@' is read from at most this many characters.
constexpr std::size_t kStopTimeLength = 120;

}  // namespace

int SliderPositionOf(long double value, long double left, long double right, int steps) {
    long double range = right - left;
    if (std::fabs(range) < kEmptyRange) range = 1;
    return RoundLD((value - left) * std::max(steps, 1) / range);
}

long double SliderValueAt(int position, long double left, long double right, int steps) {
    return left + position * (right - left) / std::max(steps, 1);
}

long double WholeValueOf(long double value) {
    const long double whole = std::trunc(value);
    return value - whole > 0.5L ? whole + 1 : whole;
}

TParameterSlider::TParameterSlider(FormulaContext& formulas, const TSliderSteps& steps, int slot,
                                   int places)
    : formulas_(formulas),
      steps_(steps),
      letter_(slot == kAllLettersSlot ? 1 : std::clamp(slot, kTimeSlot, kLastLetterSlot)),
      allLetters_(slot == kAllLettersSlot),
      places_(places),
      windowPlaces_(places) {}

long double TParameterSlider::Value() const {
    return formulas_.Var(letter_);
}

std::string TParameterSlider::ValueText() const {
    return FormatLf(Value(), 0, integerMode_ ? 0 : places_);
}

int TParameterSlider::WindowSteps() const {
    return static_cast<int>(std::clamp<std::uint32_t>(
        steps_.steps[static_cast<std::size_t>(letter_)], 1, kIntSaturation));
}

int TParameterSlider::WindowPageSteps() const {
    return static_cast<int>(std::clamp<std::uint32_t>(
        steps_.pageSteps[static_cast<std::size_t>(letter_)], 1, kIntSaturation));
}

void TParameterSlider::SetupBar() {
    if (!HasBar()) return;
    bar_.steps = WindowSteps();
    bar_.page = WindowPageSteps();
    bar_.position = SliderPositionOf(Value(), Left(), Right(), bar_.steps);
}

int TParameterSlider::UpdateBar() {
    if (HasBar()) bar_.position = SliderPositionOf(Value(), Left(), Right(), bar_.steps);
    return bar_.position;
}

void TParameterSlider::Scrolled(int position) {
    bar_.position = position;
    SetValue(SliderValueAt(position, Left(), Right(), bar_.steps));
}

void TParameterSlider::EnterIntegerMode(long double v) {
    integerMode_ = true;
    int steps = RoundLD(Right() - Left());
    if (steps < 1) steps = WindowSteps();
    Left() = std::trunc(Left());
    Right() = Left() + steps;
    bar_.steps = steps;
    bar_.page = std::max(1, steps / WindowPageSteps());
    bar_.position = RoundLD(v - Left());
    places_ = 0;
}

void TParameterSlider::LeaveIntegerMode() {
    integerMode_ = false;
    bar_.steps = WindowSteps();
    bar_.page = WindowPageSteps();
    places_ = windowPlaces_;
}

TParameterSlider::EnterResult TParameterSlider::Enter(std::string_view text) {
    const bool bracketed = !text.empty() && text.front() == '[';
    if (bracketed) {
        if (allLetters_ || !HasBar() || text.size() < 2 || text.back() != ']')
            return {kErrCannotUnderstand};
        text = text.substr(1, text.size() - 2);
    }
    long double v = 0;
    if (const int error = formulas_.ReadNumber(text, v)) return {error};
    EnterResult result;
    if (bracketed) result.mode = integerMode_ ? ModeSwitch::Off : ModeSwitch::On;
    if (result.mode == ModeSwitch::Off) LeaveIntegerMode();
    if (integerMode_ || result.mode == ModeSwitch::On) v = WholeValueOf(v);
    if (HasBar()) {
        Left() = std::min(Left(), v);
        Right() = std::max(Right(), v);
    }
    if (result.mode == ModeSwitch::On) {
        EnterIntegerMode(v);
    } else if (integerMode_) {
        // The ends may have widened: the bar counts the units between them again.
        bar_.steps = std::max(1, RoundLD(Right() - Left()));
        bar_.position = RoundLD(v - Left());
    } else if (HasBar()) {
        bar_.position = SliderPositionOf(v, Left(), Right(), bar_.steps);
    }
    SetValue(v);
    return result;
}

bool TParameterSlider::ReadEnd(std::string_view text, long double& v) {
    if (formulas_.ReadNumber(text, v) != 0) return false;
    if (integerMode_) v = WholeValueOf(v);
    return true;
}

bool TParameterSlider::SetLeft(std::string_view text) {
    long double v = 0;
    if (!HasBar() || !ReadEnd(text, v)) return false;
    if (integerMode_) {
        if (v + kWholeRoom > Right() || Right() - v > kMostUnits) return false;
        bar_.steps = RoundLD(Right() - v);
    } else if (v + kEmptyRange > Right()) {
        return false;
    }
    Left() = v;
    SetValue(v);
    bar_.position = 0;
    return true;
}

bool TParameterSlider::SetRight(std::string_view text) {
    long double v = 0;
    if (!HasBar() || !ReadEnd(text, v)) return false;
    if (integerMode_) {
        if (Left() + kWholeRoom > v || v - Left() > kMostUnits) return false;
        bar_.steps = RoundLD(v - Left());
    } else if (Left() + kEmptyRange > v) {
        return false;
    }
    Right() = v;
    SetValue(v);
    bar_.position = bar_.steps;
    return true;
}

bool TParameterSlider::SelectLetter(int index) {
    const int letter = index + 1;
    if (!allLetters_ || letter < 1 || letter > kLastLetterSlot || letter == letter_) return false;
    letter_ = letter;
    UpdateBar();
    return true;
}

void TParameterSlider::ApplyPlaces(int places) {
    windowPlaces_ = places;
    if (!integerMode_) places_ = places;
}

void TParameterSlider::ApplyUnits(int steps, int page) {
    if (integerMode_ || !HasBar()) return;
    bar_.steps = std::max(steps, 1);
    bar_.page = std::max(page, 1);
    UpdateBar();
}

TPlayRequest TParameterSlider::Play(bool bounce, bool checked, std::string_view fieldText) {
    TPlayRequest request;
    request.slot = letter_;
    request.bounce = bounce;
    if (HasBar() && checked) {
        std::int16_t count = 0;
        if (const int error = formulas_.ReadShort(fieldText, kMinSlides, kMaxSlides, count)) {
            request.error = error;
            return request;
        }
        slides_ = count - 1;
        request.player = TPlayer::Slides;
        request.count = slides_;
        return request;
    }
    if (integerMode_) {
        request.player = TPlayer::IntegerSteps;
        request.count = bar_.steps;
        return request;
    }
    request.player = TPlayer::Parameters;
    request.realTime = !bounce && letter_ == kTimeSlot;
    if (request.realTime && checked) {
        long double stop = 0;
        if (formulas_.ReadNumber(fieldText.substr(0, kStopTimeLength), stop) == 0) {
            request.stopAtEnd = true;
            request.stopTime = stop;
        } else {
            request.error = kErrCannotUnderstand;
        }
    }
    return request;
}

}  // namespace quorlin::examples
