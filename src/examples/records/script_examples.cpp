#include "examples/records/script_examples.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/numbers.h"
#include "core/text_helpers.h"
#include "examples/records/equation_text.h"
#include "formula/formula_context.h"
#include "formula/formula_text.h"

namespace quorlin::examples::script_examples {

namespace {

constexpr long double kTwoPi = 6.283185307179586L;

// What a keyword sets beyond its texts; false refuses the action.
using TFillMore = bool (*)(TScriptExecutor& exec, const TScriptAction& action, TExample& ex);

struct TFillRow {
    int code;
    std::array<std::int8_t, 6> slots;  // the text each field goes to, up to the first 0
    TFillMore more = nullptr;
};

void SecondRange(TExample& ex, long double low, long double high) {
    ex.rangeLow[1] = low;
    ex.rangeHigh[1] = high;
}

void BoxOfNumbers(TExample& ex, const std::vector<long double>& n) {
    ex.boxMin = {n[0], n[2], n[4]};
    ex.boxMax = {n[1], n[3], n[5]};
}

bool WithRangeText(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    ex.Text(7) = RangeTextOf(exec, action, 0);
    return true;
}

bool Parametric(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    ex.PolarCurve() = action.code == kind::kPolarParametric;
    return WithRangeText(exec, action, ex);
}

// The equation is stored as typed; it must split into a rewritten form that parses.
bool Implicit(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    ex.Text(5) = action.texts[0];
    ex.TraceRequest() = 1;
    if (action.code == kind::kImplicitSurface) {
        BoxOfNumbers(ex, action.numbers);
        ex.box2Min = ex.boxMin;
        ex.box2Max = ex.boxMax;
    }
    std::string rewritten;
    if (!SplitEquation(rewritten, action.texts[0]) || rewritten.size() > kRecordTextChars)
        return false;
    const bool parses = exec.Formulas().Parse(rewritten) == 0;
    exec.Formulas().TakeParseResult();
    return parses;
}

bool Segment(TScriptExecutor&, const TScriptAction& action, TExample& ex) {
    ex.PolarForm() = action.code == kind::kPolarSegment;
    return true;
}

bool Point(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    ex.pen.width = static_cast<std::uint16_t>(exec.DotSize());
    ex.PolarForm() = action.code == kind::kPolarPoint;
    return true;
}

// The complex point's z is its first text, the one it is compiled from.
bool ComplexPoint(TScriptExecutor&, const TScriptAction&, TExample& ex) {
    ex.ComplexPoint() = 1;
    return true;
}

bool Lagrange(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    const auto& n = action.numbers;
    TScriptCounters counters = exec.Counters();
    ++counters.polynomials;
    ++counters.examplesCreated;
    exec.SetCounters(counters);
    const std::size_t count = (n.size() - 1) / 2;
    if (ex.points.size() < count) return false;
    ex.PolynomialNumber() = static_cast<std::int16_t>(counters.polynomials);
    ex.fieldRows = 4;
    ex.DotsAlwaysVisible() = 1;
    ex.LagrangeLastPoint() = static_cast<std::int16_t>(count - 1);
    for (std::size_t i = 0; i < count; ++i) ex.points[i] = {n[1 + 2 * i], n[2 + 2 * i], 0.0L};
    exec.Formulas().SaveVariables();
    exec.RebuildLagrangePolynomial(exec.Inventory().LastIndex());
    return true;
}

bool WithSecondRange(TScriptExecutor&, const TScriptAction& action, TExample& ex) {
    SecondRange(ex, action.numbers[2], action.numbers[3]);
    return true;
}

// The surface is compiled from its Cartesian texts, made from rho(t,u).
bool Spherical(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    const std::string rho = "(" + action.texts[0] + ")";
    const std::array<std::string, 3> xyz = {rho + "sin(u)cos(t)", rho + "sin(u)sin(t)",
                                            rho + "cos(u)"};
    for (std::size_t k = 0; k < xyz.size(); ++k) {
        if (xyz[k].size() > kRecordTextChars) return false;
        ex.texts[k] = xyz[k];
    }
    ex.Text(4) = action.texts[0];
    return WithSecondRange(exec, action, ex);
}

bool Tube(TScriptExecutor&, const TScriptAction&, TExample& ex) {
    SecondRange(ex, 0, kTwoPi);
    ex.divisions[0] = 120;
    ex.divisions[1] = 16;
    ex.optionCheck = 1;  // shaded, in the two side colours
    ex.extraColour = {6, 11};
    return true;
}

bool SpaceSegment(TScriptExecutor&, const TScriptAction&, TExample& ex) {
    ex.Text(5).clear();
    return true;
}

bool SpacePoint(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    ex.pen.width = static_cast<std::uint16_t>(exec.DotSize());
    ex.PointCoordinates() = static_cast<std::int16_t>(action.code == kind::kCylindricalPoint ? 1
                                                      : action.code == kind::kSphericalPoint ? 2
                                                                                             : 0);
    return true;
}

bool WithBox(TScriptExecutor&, const TScriptAction& action, TExample& ex) {
    BoxOfNumbers(ex, action.numbers);
    return true;
}

bool Plane(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    const auto& t = action.texts;
    const std::string point = t[3] + "," + t[4] + "," + t[5];
    if (point.size() > kRecordTextChars) return false;
    ex.Text(4) = point;
    ex.Text(6) = t[6];
    ex.extraColour[1] =
        static_cast<std::int16_t>(exec.AutomaticColour(exec.Counters().examplesCreated));
    SecondRange(ex, -1, 1);
    return true;
}

namespace k = kind;
constexpr TFillRow kFills[] = {
    {k::kExplicit, {2}},
    {k::kPolar, {3}, WithRangeText},
    {k::kParametric, {1, 2}, Parametric},
    {k::kPolarParametric, {1, 2}, Parametric},
    {k::kImplicit, {}, Implicit},
    {k::kImplicitSurface, {}, Implicit},
    {k::kSegment, {1, 2, 3, 4}, Segment},
    {k::kPolarSegment, {1, 2, 3, 4}, Segment},
    {k::kPoint, {1, 2}, Point},
    {k::kPolarPoint, {1, 2}, Point},
    {k::kComplexPoint, {1}, ComplexPoint},
    {k::kSystem, {1, 2}},
    {k::kSequence, {1, 2}},
    {k::kSlope, {3}},
    {k::kLagrange, {}, Lagrange},
    {k::kSurface, {3}, WithSecondRange},
    {k::kPolarSurface, {3}, WithSecondRange},
    {k::kSphericalSurface, {}, Spherical},
    {k::kParametricSurface, {1, 2, 3}, WithSecondRange},
    {k::kSpaceCurve, {1, 2, 3}},
    {k::kTube, {1, 2, 3, 4}, Tube},
    {k::kSpaceSegment, {1, 2, 3, 4, 6, 7}, SpaceSegment},
    {k::kSpacePoint, {1, 2, 3}, SpacePoint},
    {k::kCylindricalPoint, {1, 2, 3}, SpacePoint},
    {k::kSphericalPoint, {1, 2, 3}, SpacePoint},
    {k::kSpaceSystem, {1, 2, 3}, WithBox},
    {k::kSpaceSequence, {1, 2, 3}, WithBox},
    {k::kPlane, {1, 2, 3}, Plane},
};

}  // namespace

std::string RangeTextOf(TScriptExecutor& exec, const TScriptAction& action, int first) {
    FormulaContext& formulas = exec.Formulas();
    std::string low = action.numberTexts[static_cast<std::size_t>(first)];
    std::string high = action.numberTexts[static_cast<std::size_t>(first + 1)];
    std::string text = low + ";" + high;
    const bool parses = formulas.Parse(low) == 0 && formulas.Parse(high) == 0;
    formulas.TakeParseResult();
    if (parses && text.size() <= kRecordTextChars) return text;
    constexpr int kDigits = 19;
    return FormatNumberAuto(action.numbers[static_cast<std::size_t>(first)], kDigits) + ";" +
           FormatNumberAuto(action.numbers[static_cast<std::size_t>(first + 1)], kDigits);
}

bool FillExample(TScriptExecutor& exec, const TScriptAction& action, TExample& ex) {
    const auto* row = std::find_if(std::begin(kFills), std::end(kFills),
                                   [&action](const TFillRow& r) { return r.code == action.code; });
    if (row == std::end(kFills)) return false;
    std::size_t field = 0;
    for (const std::int8_t slot : row->slots) {
        if (slot == 0) break;
        ex.Text(slot) = action.texts[field++];
    }
    const bool filled = !row->more || row->more(exec, action, ex);
    ex.FitMeshStorage();  // a tube sets grid counts of its own
    return filled;
}

}  // namespace quorlin::examples::script_examples
