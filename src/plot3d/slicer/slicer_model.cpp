#include "plot3d/slicer/slicer_model.h"

#include <algorithm>

#include "examples/operations/slider_units.h"

namespace quorlin::plot3d {

namespace {
constexpr int kErrTooLarge = 20;
constexpr int kKeyReverse = ' ';
constexpr int kKeyFaster = 'F';
constexpr int kKeySlower = 'S';
constexpr int kKeyQuit = 'Q';
}  // namespace

void TSlicerAxis::FromBar(int position, int steps) {
    value = examples::BarValue(low, high, steps, position);
}

int TSlicerAxis::Bar(int steps) const {
    return examples::BarPosition(value, low, high, steps);
}

void TSlicerAxis::Set(long double typed) {
    value = std::clamp(typed, std::min(low, high), std::max(low, high));
}

TSlicerRun AdvanceSlicer(TSlicerRun run, int steps, bool reverse) {
    run.position += run.direction;
    if (run.position < 0) {
        run.position = reverse ? std::min(1, steps) : steps;
        if (reverse) run.direction = 1;
    } else if (run.position > steps) {
        run.position = reverse ? std::max(steps - 1, 0) : 0;
        if (reverse) run.direction = -1;
    }
    return run;
}

TSlicerRun SlicerKey(TSlicerRun run, int key) {
    switch (key) {
        case kKeyReverse:
            run.direction = -run.direction;
            break;
        case kKeySlower:
            run.delay += kSlicerDelayStep;
            break;
        case kKeyFaster:
            if (run.delay > kSlicerLeastDelay)
                run.delay = std::max(run.delay - kSlicerDelayStep, kSlicerLeastDelay);
            break;
        case kKeyQuit:
            run.done = true;
            break;
        default:
            break;
    }
    return run;
}

TTangentTexts ComposeTangentTexts(std::string_view uText, std::string_view vText,
                                  const TLetterReader& read) {
    TTangentTexts t;
    const auto failed = [](int error) {
        TTangentTexts f;
        f.error = error;
        return f;
    };
    if (const int e = read(uText, t.u, t.uLetter); e != 0) return failed(e);
    if (const int e = read(vText, t.v, t.vLetter); e != 0) return failed(e);
    if (uText.size() + vText.size() > kTangentTextLimit) return failed(kErrTooLarge);
    const auto shown = [](std::string_view text, int letter) {
        return letter > 0 ? std::string(1, static_cast<char>('A' + letter - 1)) : std::string(text);
    };
    t.text = shown(uText, t.uLetter) + ";" + shown(vText, t.vLetter);
    return t;
}

}  // namespace quorlin::plot3d
