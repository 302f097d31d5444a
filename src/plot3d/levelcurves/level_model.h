#pragma once
// The level-curve window and its dialogs without a window: the level values of one variable
// (low, high, number of levels) with the reading of the dialog's four fields, the stepping to
// the next and previous level and the levels "auto" visits; how a shown level sets up the
// window (pair code, axis names, tolerance, mouse mode); the cursor point of a surface
// z = f(x, y) with its value, gradient, direction and directional derivative; the angle of the
// direction as typed or as a scroll-bar position; and the map from list lines to curves.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::plot3d {

inline constexpr int kLevelVariableX = 24;
inline constexpr int kLevelVariableY = 25;
inline constexpr int kLevelVariableZ = 26;
inline constexpr int kMouseModeXY = 125;
inline constexpr int kMouseModeCursor = 128;

// The level values of one variable of an example.
struct TLevelRange {
    long double low = 0;
    long double high = 1;
    std::int16_t countMinusOne = 4;  // the number of levels minus one
    int Count() const { return countMinusOne + 1; }
};

// The values of the dialog: the level range and the current level.
struct TLevelValues {
    TLevelRange range;
    long double current = 0;
};

// What a current value outside [low, high] becomes when the fields are read.
enum class OutsideCurrent { Refuse = 0, ToLow = 1, ToHigh = -1 };

// The four fields as typed.
struct TLevelTexts {
    std::string low;
    std::string high;
    std::string current;
    std::string count;
};

// The readers of the window: a number (an expression) and a whole number in bounds; each
// returns 0 or an error number.
struct TLevelReaders {
    std::function<int(std::string_view, long double&)> number;
    std::function<int(std::string_view, long long, long long, int&)> integer;
};

inline constexpr int kMinLevels = 2;
inline constexpr int kMaxLevels = 32767;
inline constexpr long double kMinLevelSpan = 1e-13L;

// Reads the fields into values, or returns error 1 ("cannot understand") and leaves values as
// they were: an unreadable field, fewer than 2 or more than 32767 levels, high below
// low + 1e-13, or a current value outside the range when the rule refuses it.
int ReadLevelFields(const TLevelTexts& texts, const TLevelReaders& read, OutsideCurrent rule,
                    TLevelValues& values);

// The step between neighbouring levels.
long double LevelStep(const TLevelRange& range);
// The first level at least 0.01 step above the current value; low when there is none.
long double NextLevel(const TLevelValues& values);
// The last level at least 0.01 step below the current value; high when there is none.
long double PreviousLevel(const TLevelValues& values);
// The levels "auto" visits, from low to high inclusive.
std::vector<long double> AutoLevels(const TLevelRange& range);

// What the level dialog asks the window to show.
struct TLevelRequest {
    int example = -1;
    int variable = kLevelVariableZ;
    long double value = 0;
    bool progress = false;     // the search shows its attempts in the caption
    bool untilQ = false;       // the search goes on until Q
    bool search = false;       // search new curves at the level once
    bool currentOnly = false;  // only the curves of this level
};

// How a shown level sets up the window.
struct TLevelFrame {
    int pairCode = 3;  // 6 for x levels, 5 for y levels, 3 for z levels
    std::string horizontal;
    std::string vertical;
    // The plane variables' indexes in a 3D point (0 x, 1 y, 2 z).
    int horizontalAxis = 0;
    int verticalAxis = 1;
};
TLevelFrame LevelFrame(int variable);
// The tolerance of curves at the level: 10^(1-d) when only the level's curves are drawn or
// searched, else unbounded, so that every curve of the variable passes.
long double LevelTolerance(bool onlyCurrent, int decimalPlaces, long double unbounded);
// The mouse mode after a level is shown: a search or a single level leaves the cursor mode.
int MouseModeAfterShow(int mode, bool onlyCurrent);
// Whether the cursor mode, the gradient and the direction make sense: z levels of z = f(x, y).
bool CursorAllowed(int variable, int kind);

// The cursor point of a surface z = f(x, y) and what depends on it.
struct TCursorValues {
    long double x = 0;
    long double y = 0;
    long double z = 0;
    std::array<long double, 2> gradient{0, 0};
    std::array<long double, 2> direction{1, 0};
    long double derivative = 0;
};
// Puts x and y into the variables and evaluates f (tree 3) and its derivatives (trees 5 and 6)
// of the example: an undefined f gives z = 0, an undefined derivative the gradient (0, 0).
void UpdateCursorValues(FormulaContext& context, examples::TExample& surface, long double theta,
                        TCursorValues& cursor);
// The direction (cos theta, sin theta) and the derivative along it.
void SetCursorDirection(long double theta, TCursorValues& cursor);
// A press starts a drag when it lies within six pixel widths of the cursor point (sum of the
// distances along the axes).
bool StartsCursorDrag(const TCursorValues& cursor, long double mx, long double my,
                      long double pixelWidth);

// The angle of the direction.
inline constexpr long double kFullTurn = 6.283185307179586476925286766559L;
// A typed angle into [0, 2 pi).
long double NormalizedAngle(long double value);
// The angle of a scroll-bar position out of units: position units is a full turn.
long double AngleOfPosition(int position, int units);
// The position of an angle, rounded to the nearest (halves away from zero).
int PositionOfAngle(long double angle, int units);

// The list lines of an example's curves under a variable filter (below 1: every curve): the
// position in the curve list of each line, in list order.
std::vector<int> ListedCurvePositions(const examples::TExample& example, int filter);

}  // namespace quorlin::plot3d
