#pragma once
// The parameters an exported animation moves: the text the user gives names them by their
// letters (A-W, those some example uses), or asks a 3D window for a turning view with "VTURN"
// in its file-name part; frame k of n shows each marked parameter at k / (n - 1) of the way
// from its left to its right end.
#include <array>
#include <cstdint>
#include <string_view>

#include "examples/records/compile.h"

namespace quorlin::examples {

inline constexpr int kAnimationNone = 0;
inline constexpr int kAnimationParameters = 1;
inline constexpr int kAnimationTurning = 2;

struct TFrameParameters {
    int mode = kAnimationNone;
    std::array<std::uint8_t, 27> marks{};  // by letter index, 1-23 for A-W
};

// The part of a path after its last '/' or '\'.
std::string_view FileNamePart(std::string_view path);

// Reads the text: a turning view when the window is 3D and the file-name part holds "VTURN"
// (case ignored); every letter A-W of the text that an example uses is marked; mode 1 when a
// letter was marked and the view does not turn. Mode 0 means the text names nothing this
// window can animate (a 2D window never turns).
TFrameParameters MarkFrameParameters(std::string_view text, bool threeD,
                                     const TSymbolBuffer& symbols);

// The value of a marked parameter in frame k of n (n > 1): left + k (right - left) / (n - 1).
long double FrameValue(long double left, long double right, int k, int n);

}  // namespace quorlin::examples
