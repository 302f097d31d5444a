#include "examples/operations/export_frames.h"

#include "formula/formula_context.h"

namespace quorlin::examples {

std::string_view FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

TFrameParameters MarkFrameParameters(std::string_view text, bool threeD,
                                     const TSymbolBuffer& symbols) {
    TFrameParameters result;
    const std::string upper = UpperCased(text);
    const bool turning = UpperCased(FileNamePart(upper)).find("VTURN") != std::string::npos;
    // Only a 3D window turns; elsewhere the text names no animation.
    if (turning && !threeD) return result;
    bool marked = false;
    for (const char c : upper) {
        if (c < 'A' || c > 'W') continue;
        const int letter = c - '@';
        if (!symbols.UsesLetter(letter)) continue;
        result.marks[static_cast<std::size_t>(letter)] = 1;
        marked = true;
    }
    if (turning)
        result.mode = kAnimationTurning;
    else if (marked)
        result.mode = kAnimationParameters;
    return result;
}

long double FrameValue(long double left, long double right, int k, int n) {
    return n > 1 ? left + k * (right - left) / (n - 1) : left;
}

}  // namespace quorlin::examples
