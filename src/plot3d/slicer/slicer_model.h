#pragma once
// The slicer's model: one value of the slicer point on its bar (value and bar position in step
// with each other, a typed value clamped into the range), the stepper of its animation (back
// and forth, or round; blank turns, S slows, F speeds up down to the least delay, Q ends) and
// the texts of the tangent examples, where a value typed with "@" and a parameter letter makes
// the letter stand in the text.
#include <functional>
#include <string>
#include <string_view>

namespace quorlin::plot3d {

// One coordinate of the slicer point.
struct TSlicerAxis {
    long double low = 0;
    long double value = 0;
    long double high = 1;
    // The value at a bar position of 0..steps.
    void FromBar(int position, int steps);
    // The bar position that shows the value.
    int Bar(int steps) const;
    // A typed value, clamped into [low, high].
    void Set(long double typed);
};

// The animation's state: bar position, direction (+1 or -1), delay between frames and whether
// Q ended it.
struct TSlicerRun {
    int position = 0;
    int direction = 1;
    int delay = 150;
    bool done = false;
    friend bool operator==(const TSlicerRun&, const TSlicerRun&) = default;
};

inline constexpr int kSlicerDelayStep = 5;
inline constexpr int kSlicerLeastDelay = 5;

// The next frame's position: one step on; past an end, back from it (reverse) or round to the
// other end.
TSlicerRun AdvanceSlicer(TSlicerRun run, int steps, bool reverse);
// A key during the run: blank turns, S adds 5 to the delay, F takes 5 off but never below 5,
// Q ends; other keys do nothing.
TSlicerRun SlicerKey(TSlicerRun run, int key);

// The tangent examples' text and point from the two typed values.
struct TTangentTexts {
    int error = 0;  // the reader's error, or 20 when the texts are too long together
    long double u = 0;
    long double v = 0;
    int uLetter = 0;  // parameter slot 1..23 named by "@", 0 for none
    int vLetter = 0;
    std::string text;  // "u;v", a value that named a letter standing as that letter
};

// Reads a value that may end in "@" and a letter: 0 or an error, the value and the letter's
// slot (0 for none).
using TLetterReader = std::function<int(std::string_view, long double&, int&)>;
inline constexpr std::size_t kTangentTextLimit = 253;
TTangentTexts ComposeTangentTexts(std::string_view uText, std::string_view vText,
                                  const TLetterReader& read);

}  // namespace quorlin::plot3d
