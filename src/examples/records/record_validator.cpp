#include "examples/records/record_validator.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "examples/records/derivation.h"
#include "examples/records/record_codec.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

// Limits the program's own input paths never exceed (the editing, family and web dialogs).
constexpr int kMaxDensity = 10000;
constexpr int kMaxFirstDivisions = 1500;
constexpr int kMaxSlicePoints = 32000;
constexpr int kMaxFamilySteps = 4000;
constexpr int kMaxWebSteps = 1000;
constexpr int kMaxFieldRows = 100;
constexpr int kMaxHigherOrder = 10;
constexpr int kLastPaletteIndex = 60;
constexpr int kLastParameter = 23;  // W: the letters with sliders
constexpr int kLastLetter = 26;     // Z: the letters of the variable table
constexpr int kLastTreeSelector = 14;
constexpr std::size_t kMaxTextLength = TExample::kTextCapacity - 1;
constexpr std::size_t kMaxLabelLength = TMarkedPoint::kLabelBytes - 1;

using Fault = std::optional<std::string_view>;

bool Within(long v, long low, long high) {
    return low <= v && v <= high;
}

bool Finite(long double v) {
    return std::isfinite(v);
}
bool Finite(const Vec3& v) {
    return Finite(v.x) && Finite(v.y) && Finite(v.z);
}

// A letter number used when positive: 0 or less means none.
bool LetterOrNone(int v) {
    return v <= kLastLetter;
}

// A palette index and a width that is not negative as a signed word. Any style word is kept:
// one outside the codes -1..4 is drawn solid (TPenSpec::DrawnStyle).
Fault CheckPen(const TPenSpec& pen) {
    if (!Within(pen.colour, 0, kLastPaletteIndex)) return "pen.colour";
    if (static_cast<std::int16_t>(pen.width) < 0) return "pen.width";
    return std::nullopt;
}

Fault CheckIdentity(const TExample& ex, int index) {
    if (!IsStoredKind(ex.kind)) return "kind";
    const TDerivationInfo* derivation = FindDerivation(ex.derivation);
    if (ex.derivation != 0 && !derivation) return "derivation";
    auto validParent = [index](int p) { return p == -1 || Within(p, 0, index - 1); };
    if (!validParent(ex.parent[0])) return "parent[0]";
    // An end point's second word is no index (NamesSegmentEnd): any value is read.
    if (NamesSecondParent(ex.derivation) && !validParent(ex.parent[1])) return "parent[1]";
    if (derivation && derivation->valid && !derivation->valid(ex)) return derivation->fault;
    if (ex.order < 0 || (ex.kind == k::kHigherOrder && ex.order > kMaxHigherOrder)) return "order";
    return std::nullopt;
}

Fault CheckPlotting(const TExample& ex) {
    if (std::abs(ex.density) > kMaxDensity) return "density";
    if (ex.tableSteps < 1) return "tableSteps";
    if (auto field = CheckPen(ex.pen)) return field;
    for (std::size_t i = 0; i < ex.extraColour.size(); ++i)
        if (!Within(ex.extraColour[i], 0, kLastPaletteIndex))
            return i == 0 ? "extraColour[0]" : "extraColour[1]";
    if (!Within(ex.familyLetter, 1, kLastParameter)) return "familyLetter";
    if (std::abs(ex.familySteps) > kMaxFamilySteps) return "familySteps";
    if (ex.familyDelay < 0) return "familyDelay";
    if (!Finite(ex.familyLow)) return "familyLow";
    if (!Finite(ex.familyHigh) || (ex.familyOn && ex.familyHigh < ex.familyLow))
        return "familyHigh";
    if (!Finite(ex.fieldFactor)) return "fieldFactor";
    if (!Finite(ex.tableLow)) return "tableLow";
    if (!Finite(ex.tableHigh)) return "tableHigh";
    if (!Finite(ex.rangeLow[0]) || !Finite(ex.rangeLow[1])) return "rangeLow";
    if (!Finite(ex.rangeHigh[0]) || !Finite(ex.rangeHigh[1])) return "rangeHigh";
    if (!Finite(ex.boxMin) || !Finite(ex.box2Min)) return "boxMin";
    if (!Finite(ex.boxMax) || !Finite(ex.box2Max)) return "boxMax";
    return std::nullopt;
}

// The words whose meaning depends on the kind.
Fault CheckKindWords(const TExample& ex) {
    switch (ex.kind) {
        case k::kExplicit:
            if (ex.IsLagrangeExplicit() &&
                !Within(ex.LagrangeLastPoint(), 0, static_cast<long>(kLagrangePoints)))
                return "LagrangeLastPoint";
            if (ex.WebOn() && !Within(ex.subKind, -kLastParameter, kLastParameter))
                return "subKind";
            if (!Within(ex.WebSteps(), 0, kMaxWebSteps)) return "WebSteps";
            break;
        case k::kIntegral:
            if (!LetterOrNone(ex.subKind)) return "subKind";
            break;
        case k::kSegment:
        case k::kSpaceSegment:
            if (!Within(ex.EndMarkMode(), 0, 3)) return "EndMarkMode";
            break;
        case k::kRoulette:
            if (!Finite(ex.Number(TNumber::kRouletteRadius)) ||
                !(ex.Number(TNumber::kRouletteRadius) > 0))
                return "RouletteRadius";
            break;
        case k::kSpacePoint:
            if (!Within(ex.PointCoordinates(), 0, 2)) return "PointCoordinates";
            break;
        case k::kPlotPoints:
            if (!Within(ex.PlotPointCount(), 0, static_cast<long>(kPlotPointValues)))
                return "PlotPointCount";
            if (!Within(ex.PlotPointVariable(), 0, kLastLetter)) return "PlotPointVariable";
            break;
        case k::kSeries:
            if (ex.divisions[1] < ex.divisions[0]) return "divisions[1]";
            break;
        case k::kOrbital:
            if (!Within(ex.derivationParam, -1, static_cast<long>(kOrbitalPixels) - 1))
                return "derivationParam";
            break;
        case k::kPlane:
            if (!LetterOrNone(ex.FirstLetter())) return "FirstLetter";
            if (!LetterOrNone(ex.SecondLetter())) return "SecondLetter";
            break;
        default:
            break;
    }
    if (ex.kind == k::kSystem || ex.kind == k::kSlope || ex.kind == k::kSpaceSystem) {
        if (!Within(ex.fieldRows, 1, kMaxFieldRows)) return "fieldRows";
        if (!Within(ex.fieldDisplay, 0, 2)) return "fieldDisplay";
        if (!LetterOrNone(ex.FieldParameter())) return "FieldParameter";
    }
    return std::nullopt;
}

// Counts that size the meshes and slices of the 3D drawers.
Fault CheckMesh(const TExample& ex) {
    if (ex.kind / 100 == 3 && (!Within(ex.slicePoints[0], 1, kMaxSlicePoints) ||
                               !Within(ex.slicePoints[1], 1, kMaxSlicePoints)))
        return "slicePoints";
    if (!HasMesh(ex.ArrayKind(), ex.subKind)) return std::nullopt;
    if (!Within(ex.divisions[0], 1, kMaxFirstDivisions)) return "divisions[0]";
    if (!MeshCountsFit(ex.divisions[0], ex.divisions[1],
                       ex.kind == k::kRevolution && ex.EndsBound()))
        return "divisions[1]";
    return std::nullopt;
}

Fault CheckTexts(const TExample& example) {
    for (const std::string& text : example.texts)
        if (text.size() > kMaxTextLength) return "texts";
    return std::nullopt;
}

TRecordFault Failed(std::string field) {
    return {kErrInconsistentData, std::move(field)};
}

}  // namespace

void MendRangePair(long double& low, long double& high) {
    if (!Finite(low)) low = Finite(high) ? high : 0;
    if (!Finite(high)) high = low;
}

void MendStoredValues(TExample& example) {
    for (std::size_t k = 0; k < example.rangeLow.size(); ++k)
        MendRangePair(example.rangeLow[k], example.rangeHigh[k]);
}

bool MeshCountsFit(long first, long second, bool boundRevolution) {
    if (!Within(first, 1, kMaxFirstDivisions)) return false;
    if (!Within(second, 1, static_cast<long>(kMeshPoints))) return false;
    return MeshRows(first, boundRevolution) * (second + 1) <= static_cast<long>(kMeshPoints);
}

TRecordFault ValidateTrajectory(const TTrajectory& t) {
    const int ownerKind = t.kind >= TTrajectory::kFormulaKindOffset
                              ? t.kind - TTrajectory::kFormulaKindOffset
                              : t.kind;
    if (!IsStoredKind(ownerKind)) return Failed("kind");
    for (std::int16_t selector : t.treeOf)
        if (!Within(selector, -1, kLastTreeSelector)) return Failed("treeOf");
    // Methods 0-2 and level variables 24-26; the parameter word indexes the variable table.
    if (t.option1 > kLastLetter) return Failed("option1");
    if (t.option2 > kLastLetter) return Failed("option2");
    if (!Finite(t.startX) || !Finite(t.startY) || !Finite(t.startZ)) return Failed("startX");
    if (!Finite(t.startTime)) return Failed("startTime");
    if (!Finite(t.endTime)) return Failed("endTime");
    if (!Finite(t.spare)) return Failed("spare");
    // A zero step is kept (a script may give one): the tracers refuse it and draw nothing.
    if (!Finite(t.step)) return Failed("step");
    if (auto field = CheckPen(t.pen)) return Failed(std::string(*field));
    for (const std::string& text : t.texts)
        if (text.size() >= StartTextCapacity(t.kind)) return Failed("texts");
    return {};
}

TRecordFault ValidateExample(const TExample& ex, int index) {
    if (auto field = CheckIdentity(ex, index)) return Failed(std::string(*field));
    for (auto check : {CheckPlotting, CheckKindWords, CheckMesh, CheckTexts})
        if (auto field = check(ex)) return Failed(std::string(*field));
    for (std::size_t i = 0; i < ex.trajectories.size(); ++i) {
        const TRecordFault fault = ValidateTrajectory(ex.trajectories[i]);
        if (!fault.Ok()) return Failed("trajectories[" + std::to_string(i) + "]." + fault.field);
    }
    for (const TMarkedPoint& point : ex.markedPoints) {
        if (point.label.size() > kMaxLabelLength) return Failed("markedPoints");
        for (long double v : point.values)
            if (!Finite(v)) return Failed("markedPoints");
    }
    return {};
}

}  // namespace quorlin::examples
