#include "plot3d/levelcurves/level_model.h"

#include <cmath>

#include "core/numbers.h"

namespace quorlin::plot3d {

namespace {

constexpr int kCannotUnderstand = 1;
constexpr long double kStepMargin = 0.01L;  // a level this close to the current one is skipped
constexpr int kDragReach = 6;               // pixel widths around the cursor point

}  // namespace

int ReadLevelFields(const TLevelTexts& texts, const TLevelReaders& read, OutsideCurrent rule,
                    TLevelValues& values) {
    long double a = 0;
    long double b = 0;
    long double c = 0;
    int n = 0;
    if (read.number(texts.low, a) != 0 || read.number(texts.high, b) != 0 ||
        read.number(texts.current, c) != 0 ||
        read.integer(texts.count, kMinLevels, kMaxLevels, n) != 0)
        return kCannotUnderstand;
    if (!(b >= a + kMinLevelSpan)) return kCannotUnderstand;
    if (c < a || c > b) {
        switch (rule) {
            case OutsideCurrent::Refuse:
                return kCannotUnderstand;
            case OutsideCurrent::ToLow:
                c = a;
                break;
            case OutsideCurrent::ToHigh:
                c = b;
                break;
        }
    }
    values.range.low = a;
    values.range.high = b;
    values.range.countMinusOne = static_cast<std::int16_t>(n - 1);
    values.current = c;
    return 0;
}

long double LevelStep(const TLevelRange& range) {
    return (range.high - range.low) / std::max(1, static_cast<int>(range.countMinusOne));
}

long double NextLevel(const TLevelValues& values) {
    const TLevelRange& r = values.range;
    const long double h = LevelStep(r);
    const long double target = values.current + kStepMargin * h;
    if (target > r.high) return r.low;
    const long double i = std::max(0.0L, std::ceil((target - r.low) / h));
    const long double level = r.low + i * h;
    return level > r.high ? r.high : level;
}

long double PreviousLevel(const TLevelValues& values) {
    const TLevelRange& r = values.range;
    const long double h = LevelStep(r);
    const long double target = values.current - kStepMargin * h;
    if (target < r.low) return r.high;
    const long double i =
        std::min(static_cast<long double>(r.countMinusOne), std::floor((target - r.low) / h));
    return r.low + i * h;
}

std::vector<long double> AutoLevels(const TLevelRange& range) {
    std::vector<long double> levels;
    const int n = range.Count();
    levels.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        levels.push_back(range.low + i * (range.high - range.low) / (n - 1));
    return levels;
}

TLevelFrame LevelFrame(int variable) {
    switch (variable) {
        case kLevelVariableX:
            return {6, "y", "z", 1, 2};
        case kLevelVariableY:
            return {5, "z", "x", 2, 0};
        default:
            return {3, "x", "y", 0, 1};
    }
}

long double LevelTolerance(bool onlyCurrent, int decimalPlaces, long double unbounded) {
    return onlyCurrent ? std::pow(10.0L, static_cast<long double>(1 - decimalPlaces)) : unbounded;
}

int MouseModeAfterShow(int mode, bool onlyCurrent) {
    return onlyCurrent && mode == kMouseModeCursor ? kMouseModeXY : mode;
}

bool CursorAllowed(int variable, int kind) {
    return variable == kLevelVariableZ && kind == 301;
}

void SetCursorDirection(long double theta, TCursorValues& cursor) {
    cursor.direction = {std::cos(theta), std::sin(theta)};
    cursor.derivative =
        cursor.gradient[0] * cursor.direction[0] + cursor.gradient[1] * cursor.direction[1];
}

void UpdateCursorValues(FormulaContext& context, examples::TExample& surface, long double theta,
                        TCursorValues& cursor) {
    context.SetVar(kLevelVariableX, cursor.x);
    context.SetVar(kLevelVariableY, cursor.y);
    const auto value = [&context](auto& tree, long double& out) {
        if (!tree || !context.Evaluate(*tree)) return false;
        out = tree->re;
        return std::isfinite(out);
    };
    if (!value(surface.Tree(3), cursor.z)) cursor.z = 0;
    std::array<long double, 2> g{0, 0};
    if (!value(surface.Tree(5), g[0]) || !value(surface.Tree(6), g[1])) g = {0, 0};
    cursor.gradient = g;
    SetCursorDirection(theta, cursor);
}

bool StartsCursorDrag(const TCursorValues& cursor, long double mx, long double my,
                      long double pixelWidth) {
    return std::fabs(mx - cursor.x) + std::fabs(my - cursor.y) <= kDragReach * pixelWidth;
}

long double NormalizedAngle(long double value) {
    // The whole turns are taken off the value itself, so that 7 becomes 7 - 2 pi exactly and
    // not a product rounded twice.
    if (!std::isfinite(value)) return 0;
    const long double angle = value - std::floor(value / kFullTurn) * kFullTurn;
    return angle >= 0 && angle < kFullTurn ? angle : 0;
}

long double AngleOfPosition(int position, int units) {
    return units > 0 ? kFullTurn / units * position : 0;
}

int PositionOfAngle(long double angle, int units) {
    return RoundLD(angle * units / kFullTurn);
}

std::vector<int> ListedCurvePositions(const examples::TExample& example, int filter) {
    std::vector<int> positions;
    int p = 0;
    for (const examples::TTrajectory& curve : example.trajectories) {
        if (filter < 1 || curve.option1 == filter) positions.push_back(p);
        ++p;
    }
    return positions;
}

}  // namespace quorlin::plot3d
