#include "examples/records/example.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr std::uint8_t Texts(std::initializer_list<int> numbers) {
    std::uint8_t mask = 0;
    for (int n : numbers) mask = static_cast<std::uint8_t>(mask | (1u << (n - 1)));
    return mask;
}

constexpr TKindInfo kKinds[] = {
    {201, true, "explicit y = f(x)", "y = f(x)", Texts({2, 7})},
    {202, true, "polar r = f(t)", "r = f(t)", Texts({3, 7})},
    {203, true, "parametric (x(t), y(t))", "", Texts({1, 2, 7})},
    {204, true, "implicit curve", "implicit curve", Texts({3, 4})},
    {205, true, "segment", "segment", Texts({1, 2, 3, 4})},
    {206, true, "indefinite integral", "indefinite integral data", Texts({7})},
    {207, true, "roulette", "roulette", 0},
    {208, true, "line ax + by = c", "line ax + by = c", Texts({1, 2, 3})},
    {209, true, "point", "", Texts({1, 2})},
    {210, true, "system dx/dt, dy/dt", "differential equation", Texts({1, 2, 4})},
    {211, true, "dy/dx = F(x,y)", "differential equation", Texts({3})},
    {212, true, "recursive sequence", "recursive sequence", Texts({1, 2})},
    {213, false, "Lagrange polynomial", "Lagrange polynomial", 0},
    {214, false, "point given as (r, t)", "", 0},
    {215, true, "plot points", "plot points", 0},
    {216, false, "segment given as (r, t)", "", 0},
    {217, false, "point given as z", "", 0},
    {218, true, "series", "series", Texts({1, 2})},
    {219, true, "orbital system", "orbital system", 0},
    {220, true, "derx(n,y) equation", "differential equation", Texts({3})},
    {221, false, "parametric given as (r(t), theta(t))", "", 0},
    {225, true, "intrinsic curve", "intrinsic curve", Texts({1, 5, 6})},
    {301, true, "z = f(x,y)", "z = f(x,y)", Texts({3})},
    {302, true, "z = f(r,t)", "z = f(r,t)", Texts({3})},
    {303, true, "parametric surface", "surface x(t,u) , y(t,u) , z(t,u)", Texts({1, 2, 3})},
    {304, true, "space curve", "curve x(t) , y(t) , z(t)", Texts({1, 2, 3})},
    {305, true, "implicit surface", "implicit surface", Texts({4})},
    {306, true, "tube", "tube around (x,y,z)", Texts({1, 2, 3, 4})},
    {307, true, "surface of revolution", "surface of revolution", 0},
    {308, true, "segment in space", "segment from (a,b,c) to (d,e,f)", Texts({1, 2, 3, 4, 6, 7})},
    {309, true, "point in space", "point (x,y,z)", Texts({1, 2, 3})},
    {310, true, "system in space", "differential equation", Texts({1, 2, 3, 4})},
    {312, true, "recursive sequence in space", "recursive sequence", Texts({1, 2, 3})},
    {313, false, "point given cylindrically", "", 0},
    {314, false, "point given spherically", "", 0},
    {315, true, "plane", "plane a(x-k)+b(y-m)+c(z-n)=0", Texts({1, 2, 3, 4})},
    {316, true, "r = f(t,u)", "surface r = f(t,u)", Texts({1, 2, 3})},
    {317, true, "surface intersection", "surface intersection", 0},
    {325, true, "intrinsic curve in space", "intrinsic curve", Texts({1, 2, 5, 6, 7})},
    {401, true, "complex map z ==> F(z)", "z ==> F(z)", Texts({1})},
    {402, true, "plane map (x,y) ==> (U,V)", "(x,y)==>(U(x,y),V(x,y))", Texts({1, 2})},
    {403, true, "map of three functions", "", Texts({1, 2, 3})},
};

template <class T>
void CopyCommonPart(std::vector<T>& dest, const std::vector<T>& source) {
    const std::size_t n = std::min(dest.size(), source.size());
    std::copy_n(source.begin(), n, dest.begin());
}

// Resizes to n entries, keeping those that still fit; storage beyond n is given back.
template <class T>
void FitStorage(std::vector<T>& v, std::size_t n) {
    if (v.size() == n && v.capacity() == n) return;
    std::vector<T> fitted(n);
    CopyCommonPart(fitted, v);
    v = std::move(fitted);
}

}  // namespace

// ------------------------------------------------------------------------------ tables

std::span<const TKindInfo> KindTable() {
    return kKinds;
}

const TKindInfo* FindKind(int code) {
    const auto* it = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [code](const TKindInfo& info) { return info.code == code; });
    return it == std::end(kKinds) ? nullptr : it;
}

bool IsStoredKind(int code) {
    const TKindInfo* info = FindKind(code);
    return info && info->stored;
}

int KindTableIndex(int kind) {
    return (kind / 100 - 2) * 25 + kind % 100;
}

bool IsMeshKind(int kind) {
    switch (kind) {
        case k::kSurface:
        case k::kPolarSurface:
        case k::kParametricSurface:
        case k::kTube:
        case k::kPlane:
        case k::kSphericalSurface:
            return true;
        default:
            return false;
    }
}

std::int16_t AdditionalTurnsOf(long double tLow, long double tHigh) {
    const long double turns = (tHigh - tLow) / (2 * std::numbers::pi_v<long double>);
    // A range of exactly n turns, give or take rounding, is n turns and not n + 1.
    constexpr long double kRounding = 1e-12L;
    if (!(turns > 1 + kRounding)) return 0;
    const long double beyond = std::ceil(turns - kRounding) - 1;
    return static_cast<std::int16_t>(std::min<long double>(beyond, kMostAdditionalTurns));
}

bool HasMesh(int arrayKind, int subKind) {
    return IsMeshKind(arrayKind) || (arrayKind == k::kRevolution && subKind != k::kImplicit);
}

long long MeshRows(long first, bool boundRevolution) {
    return boundRevolution ? 2LL * first + 3 : first + 1LL;
}

std::size_t MeshPointCount(long first, long second, bool boundRevolution) {
    // Counts are 16-bit words: the product cannot overflow.
    const long long rows = std::max(MeshRows(first, boundRevolution), 0LL);
    const long long columns = std::max(second + 1LL, 0LL);
    return static_cast<std::size_t>(std::min(rows * columns, static_cast<long long>(kMeshPoints)));
}

std::size_t MemoryOf(const TArraySizes& sizes) {
    return sizes.points * sizeof(Vec3) + sizes.pixels * sizeof(TPixelPoint) +
           sizes.values * sizeof(long double) + sizes.bytes * sizeof(std::uint8_t);
}

TArraySizes TExample::ArraySizes() const {
    const int arrayKind = ArrayKind();
    if (HasMesh(arrayKind, subKind)) {
        const std::size_t n =
            MeshPointCount(divisions[0], divisions[1], kind == k::kRevolution && EndsBound());
        return {n, n, 0, n};
    }
    switch (arrayKind) {
        case k::kLagrange:
            return {kLagrangePoints, 0, 0, 0};
        case k::kPlotPoints:
            return {0, 0, kPlotPointValues, 0};
        case k::kOrbital:
            return {kOrbitalPoints, kOrbitalPixels, kOrbitalValues, 0};
        default:
            return {};
    }
}

// ------------------------------------------------------------------------------ life cycle

void TExample::Init(int newKind, int colour, int newTableSteps) {
    *this = TExample{};
    kind = static_cast<std::int16_t>(newKind);
    AllocArrays();  // before 213 becomes 201: the Lagrange points
    if (kind == k::kLagrange) {
        kind = k::kExplicit;
        LagrangeForm() = 1;
    }
    if (kind == k::kExplicit) {
        familyDelay = 50;
        WebSteps() = 10;
    }
    tableSteps = static_cast<std::int16_t>(newTableSteps);
    const bool fieldKind = kind == k::kSystem || kind == k::kSlope;
    pen = TPenSpec{static_cast<std::int16_t>(fieldKind ? 4 : colour), 1, 0};
}

void TExample::AllocArrays() {
    for (std::string& text : texts) text.clear();
    for (NodePtr& tree : trees) tree.reset();
    trajectories.clear();
    markedPoints.clear();
    ReshapeArrays();
}

void TExample::ReshapeArrays() {
    const TArraySizes sizes = ArraySizes();
    // Fresh vectors: storage that no longer fits is given back, not kept as capacity.
    points = std::vector<Vec3>(sizes.points);
    pixels = std::vector<TPixelPoint>(sizes.pixels);
    values = std::vector<long double>(sizes.values, 0.0L);
    bytes = std::vector<std::uint8_t>(sizes.bytes, 0);
}

void TExample::FitMeshStorage() {
    if (!HasMesh(ArrayKind(), subKind)) return;
    const std::size_t n = ArraySizes().points;
    FitStorage(points, n);
    FitStorage(pixels, n);
    FitStorage(bytes, n);
}

std::size_t TExample::ArrayMemory() const {
    return MemoryOf({points.capacity(), pixels.capacity(), values.capacity(), bytes.capacity()});
}

void TExample::Free() {
    for (std::string& text : texts) text.clear();
    for (NodePtr& tree : trees) tree.reset();
    trajectories.clear();
    markedPoints.clear();
    points.clear();
    pixels.clear();
    values.clear();
    bytes.clear();
}

void TExample::CopyFrom(const TExample& source, bool withTrees) {
    derivation = source.derivation;
    parent = source.parent;
    derivationParam = source.derivationParam;
    order = source.order;
    density = source.density;
    fieldRows = source.fieldRows;
    fieldDisplay = source.fieldDisplay;
    fieldLengthPercent = source.fieldLengthPercent;
    extraColour = source.extraColour;
    subKind = source.subKind;
    listing = source.listing;
    familyDelay = source.familyDelay;
    sizeWord = source.sizeWord;
    kindSlots = source.kindSlots;
    familyLetter = source.familyLetter;
    familySteps = source.familySteps;
    tableSteps = source.tableSteps;
    familyOn = source.familyOn;
    lockInterval = source.lockInterval;
    graphShown = source.graphShown;
    jumpsOff = source.jumpsOff;
    restrictOn = source.restrictOn;
    optionCheck = source.optionCheck;
    recompute = source.recompute;
    solverOption = source.solverOption;
    surfaceOption = source.surfaceOption;
    periodic = source.periodic;
    fieldFactor = source.fieldFactor;
    familyLow = source.familyLow;
    familyHigh = source.familyHigh;
    tableLow = source.tableLow;
    tableHigh = source.tableHigh;
    divisions = source.divisions;
    slicePoints = source.slicePoints;
    rangeLow = source.rangeLow;
    rangeHigh = source.rangeHigh;
    boxMin = source.boxMin;
    boxMax = source.boxMax;
    box2Min = source.box2Min;
    box2Max = source.box2Max;
    numbers = source.numbers;
    pen = source.pen;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = source.texts[i].substr(0, kTextCapacity - 1);
    if (!withTrees) return;

    for (std::size_t i = 0; i < trees.size(); ++i)
        trees[i] = TExprNode::CopyTree(source.trees[i].get());
    trajectories = CloneTrajectoryList(source.trajectories);
    markedPoints = source.markedPoints;
    // Only what both records have: a destination of another kind keeps its own arrays.
    CopyCommonPart(points, source.points);
    CopyCommonPart(pixels, source.pixels);
    CopyCommonPart(values, source.values);
    CopyCommonPart(bytes, source.bytes);
}

void TExample::InitCopy(const TExample& source, bool withTrees) {
    Init(source.ArrayKind(), 0, 50);
    // The arrays of a 307 follow its sub-kind, a mesh its grid counts: shape them as the
    // source's are.
    subKind = source.subKind;
    divisions = source.divisions;
    EndsBound() = source.EndsBound();
    ReshapeArrays();
    CopyFrom(source, withTrees);
}

// ------------------------------------------------------------------------------ queries

bool TExample::InBox(long double x, long double y, long double z) const {
    return boxMin.x < x && x < boxMax.x && boxMin.y < y && y < boxMax.y && boxMin.z < z &&
           z < boxMax.z;
}

TRangeTexts TExample::SplitRangeText() const {
    const std::string& text = Text(7);
    const std::size_t cut = text.find(';');
    if (cut == std::string::npos) return {"0.0", "1.0"};
    return {text.substr(0, cut), text.substr(cut + 1)};
}

void TExample::ClearOptionBytes() {
    jumpsOff = 0;
    periodic = 0;
    kindSlots.ClearOptionBytes();
}

TEndMark TExample::EndMark(int end) const {
    const std::size_t k = end == 0 ? 0 : 1;
    const auto mark = [](int word, TEndMark::Shape shape) {
        const int size = word < 0 ? -word : word;
        return size >= 1 && size <= TEndMark::kMaxSize ? TEndMark{shape, size, word > 0}
                                                       : TEndMark{};
    };
    const TEndMark circle = mark(divisions[k], TEndMark::Shape::kCircle);
    return circle.shape != TEndMark::Shape::kNone ? circle
                                                  : mark(slicePoints[k], TEndMark::Shape::kArrow);
}

void TExample::SetEndMark(int end, const TEndMark& mark) {
    const std::size_t k = end == 0 ? 0 : 1;
    const int size = std::clamp(mark.size, 1, TEndMark::kMaxSize);
    const auto word = static_cast<std::int16_t>(mark.solid ? size : -size);
    divisions[k] = mark.shape == TEndMark::Shape::kCircle ? word : 0;
    slicePoints[k] = mark.shape == TEndMark::Shape::kArrow ? word : 0;
}

long double TExample::ScaledStep(long double basicStep) const {
    const int d = StepDensity();
    return d > 0 ? basicStep / d : basicStep * -d;
}

bool TExample::IsMeshSurface(bool excludeImplicit) const {
    if (IsMeshKind(kind)) return true;
    if (kind == k::kImplicitSurface) return !excludeImplicit;
    if (kind == k::kRevolution) return subKind != k::kImplicit || !excludeImplicit;
    return false;
}

bool TExample::HasRangeText() const {
    switch (kind) {
        case k::kPolar:
        case k::kParametric:
            return true;
        case k::kExplicit:
            return lockInterval != 0 || periodic != 0;
        case k::kIntegral:
            return lockInterval != 0;
        default:
            return false;
    }
}

bool TExample::IsSurfaceWithNormals() const {
    switch (kind) {
        case k::kParametricSurface:
        case k::kTube:
        case k::kSphericalSurface:
            return true;
        case k::kRevolution:
            return subKind != k::kImplicit;
        default:
            return false;
    }
}

bool TExample::IsImplicitSurface() const {
    return kind == k::kImplicitSurface || (kind == k::kRevolution && subKind == k::kImplicit);
}

}  // namespace quorlin::examples
