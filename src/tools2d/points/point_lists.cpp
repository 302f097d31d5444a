#include "tools2d/points/point_lists.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "examples/records/variable_groups.h"

namespace quorlin::tools2d {

namespace k = examples::kind;

namespace {

constexpr int kDefaultTableSteps = 50;

// An integer of the field within [low, high]; any other reading is out of bounds.
int ReadBounded(FormulaContext& formulas, std::string_view text, int low, int high, int& out) {
    int value = 0;
    if (formulas.ReadInteger(text, low, high, value) != kNoError) return kErrOutOfBounds;
    out = value;
    return kNoError;
}

}  // namespace

int ReadDotSize(FormulaContext& formulas, std::string_view text, int low, int& out) {
    return ReadBounded(formulas, text, low, kMaxDotSize, out);
}

void InitPointTemplate(examples::TExample& point, int dimension, int colour, int dotSize) {
    point.Init(dimension >= 3 ? k::kSpacePoint : k::kPoint, colour, kDefaultTableSteps);
    point.pen.width = static_cast<std::uint16_t>(std::clamp(dotSize, 1, kMaxDotSize));
    point.pen.style = 0;
}

int FillPointTemplate(FormulaContext& formulas, const TManyPointChoices& choices, int dimension,
                      examples::TExample& point) {
    int dotSize = 0;
    if (const int e = ReadDotSize(formulas, choices.dotSize, 1, dotSize)) return e;
    int from = point.FirstLetter();
    int to = point.SecondLetter();
    if (choices.list) {
        if (const int e = ReadBounded(formulas, choices.from, kMinListValue, kMaxListValue, from))
            return e;
        if (const int e = ReadBounded(formulas, choices.to, kMinListValue, kMaxListValue, to))
            return e;
        if (to < from) return kErrInconsistentData;
    }
    point.pen.style = choices.circle ? 1 : 0;
    point.pen.width = static_cast<std::uint16_t>(dotSize);
    point.Anchors() = choices.anchors ? 1 : 0;
    point.subKind = static_cast<std::int16_t>(
        examples::EncodeVariableGroups(choices.anchorText.substr(0, kMaxAnchorChars)));
    point.FirstLetter() = static_cast<std::int16_t>(from);
    point.SecondLetter() = static_cast<std::int16_t>(to);
    point.familyLetter = static_cast<std::int16_t>(std::clamp(choices.letter, 1, 26));
    const int coordinates = dimension >= 3 ? 3 : 2;
    for (int c = 0; c < 3; ++c)
        point.Text(c + 1) = c < coordinates ? choices.texts[static_cast<std::size_t>(c)] : "";
    point.PointCoordinates() = static_cast<std::int16_t>(choices.system);
    if (dimension < 3) point.PolarForm() = choices.system > 0 ? 1 : 0;
    return kNoError;
}

long double PointDistance(const Vec3& a, const Vec3& b) {
    const long double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace quorlin::tools2d
