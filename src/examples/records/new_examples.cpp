#include "examples/records/new_examples.h"

#include "examples/records/stored_forms.h"
#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

void Range(TExample& e, long double low, long double high) {
    e.rangeLow[0] = low;
    e.rangeHigh[0] = high;
    e.tableLow = low;
    e.tableHigh = high;
}

void Range2(TExample& e, long double low, long double high) {
    e.rangeLow[1] = low;
    e.rangeHigh[1] = high;
}

void Box(TExample& e, Vec3 low, Vec3 high) {
    e.boxMin = e.box2Min = low;
    e.boxMax = e.box2Max = high;
}

struct TSpan {
    long double low;
    long double high;
};

// The demonstration values of a kind: texts 1.. up to the first null, the first range (the
// view's x range, or fixed; it is also the table range), the second range, and what else the
// kind sets.
struct TDemo {
    enum First { kNone, kView, kFixed };
    int kind;
    std::array<const char*, TExample::kTextCount> texts{};
    First first = kNone;
    TSpan range{};
    std::optional<TSpan> range2{};
    void (*more)(TExample& e, int planeStyle) = nullptr;
};

constexpr long double kSurfaceLow = -3.14158265358979L;

// A new orbital system: a heavy body and a light one at distance 3 in a circular orbit about
// their common centre, which stays at rest, drawn over one turn. With G = 1 and the masses 27
// and 0.027 the relative speed is sqrt(G (M + m) / r) and a turn takes 2 pi sqrt(r^3 / (G (M +
// m))), a little under 2 pi.
void SetOrbitalDemo(TExample& e, int) {
    constexpr std::size_t kCurrentVelocityEntry = 12;  // the current positions come first
    constexpr int kStrBody = 217;                      // "body"
    constexpr long double kHeavy = 27, kLight = 0.027L, kDistance = 3;
    const long double total = kHeavy + kLight;
    const long double speed = std::sqrt(total / kDistance);
    const long double turn = 2 * kPi * std::sqrt(kDistance * kDistance * kDistance / total);
    const std::array<Vec3, 2> positions{Vec3{0, 0, 0}, Vec3{kDistance, 0, 0}};
    const std::array<Vec3, 2> velocities{Vec3{0, -speed * kLight / total, 0},
                                         Vec3{0, speed * kHeavy / total, 0}};
    const std::array<long double, 2> masses{kHeavy, kLight};
    e.trajectories.clear();
    for (std::size_t j = 0; j < 2; ++j) {
        e.points[kBodyStartEntry + j] = e.points[j] = positions[j];
        e.points[kBodyVelocityEntry + j] = e.points[kCurrentVelocityEntry + j] = velocities[j];
        e.points[kBodyMassEntry + j] = {masses[j], 0, 0};
        TTrajectory body;
        body.Init(TTrajectory::kOrbitalBodyKind, -1, -1, -1, 0, 0, 1);
        body.step = masses[j];
        body.pen = {static_cast<std::int16_t>(j == 0 ? e.pen.colour : (e.pen.colour - 1) % 59 + 2),
                    static_cast<std::uint16_t>(2 - j), 0};
        body.AllocTexts();
        body.texts = {"0.0", "0.0", "0.0",
                      std::string(resources::FindString(kStrBody)) + " " + std::to_string(j)};
        e.trajectories.push_back(std::move(body));
    }
    e.derivationParam = 1;
    e.Number(TNumber::kGravity) = 1;
    e.Number(TNumber::kInterval) = turn;
    e.Number(TNumber::kCalculations) = 1000;
    e.Number(TNumber::kTimeStep) = turn / 1000;
    e.Number(TNumber::kPositions) = 1000;
    e.Bullets() = 1;
    e.sizeWord = 4;
}

constexpr TDemo kDemos[] = {
    {.kind = k::kExplicit, .texts = {"", "sin(x)"}, .first = TDemo::kView},
    {.kind = k::kLagrange, .first = TDemo::kView},
    {.kind = k::kPolar,
     .texts = {"", "", "1+cos(t)", "", "", "", "0;2pi"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi}},
    {.kind = k::kParametric,
     .texts = {"cos(3t)", "sin(2t)", "", "", "", "", "0;2pi"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi}},
    {.kind = k::kImplicit,
     .texts = {"", "", "4-(x^2+y^2)", "", "x^2+y^2=4"},
     .first = TDemo::kView},
    {.kind = k::kSegment, .texts = {"-2", "1", "3", "2"}},
    {.kind = k::kLine, .texts = {"1", "2", "3"}},
    {.kind = k::kSystem, .texts = {"y", "-x"}},
    {.kind = k::kSlope, .texts = {"", "", "x-y"}},
    {.kind = k::kSequence, .texts = {"0.96x-0.28y", "0.28x+0.96y"}},
    {.kind = k::kSeries,
     .texts = {"n", "1/n^2"},
     .more = [](TExample& e, int) { e.divisions[0] = 1, e.divisions[1] = 20; }},
    {.kind = k::kHigherOrder,
     .texts = {"", "", "-y"},
     .more = [](TExample& e, int) { e.order = 2; }},
    {.kind = k::kIntrinsic,
     .texts = {"s", "", "", "", "0,0", "1,0"},
     .first = TDemo::kFixed,
     .range = {0, 10}},
    {.kind = k::kOrbital, .more = SetOrbitalDemo},
    {.kind = k::kComplexMap, .texts = {"z^2"}},
    {.kind = k::kPlaneMap, .texts = {"x^2-y^2", "2xy"}},
    {.kind = k::kSurface,
     .texts = {"", "", "sin(xx+yy)/(xx+yy)"},
     .first = TDemo::kFixed,
     .range = {kSurfaceLow, kPi},
     .range2 = TSpan{kSurfaceLow, kPi},
     .more = [](TExample& e, int) { e.box2Min = e.boxMin, e.box2Max = e.boxMax; }},
    {.kind = k::kParametricSurface,
     .texts = {"sin(u)cos(t)", "sin(u)sin(t)", "cos(u)"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi},
     .range2 = TSpan{0, kPi}},
    {.kind = k::kImplicitSurface,
     .first = TDemo::kFixed,
     .range = {0, 1},
     .more =
         [](TExample& e, int) {
             Box(e, {-2.1L, -2.1L, -2.1L}, {2.1L, 2.1L, 2.1L});
         }},
    {.kind = k::kPolarSurface,
     .texts = {"", "", "rrrcos(3t)/(1+rrrr)"},
     .first = TDemo::kFixed,
     .range = {0, 1.2L},
     .range2 = TSpan{0, 2 * kPi},
     .more = [](TExample& e, int) { e.divisions[1] = 70; }},
    {.kind = k::kSphericalSurface,
     .texts = {"", "", "", "1.0+0.25sin(3u)"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi},
     .range2 = TSpan{0, kPi}},
    {.kind = k::kSpaceCurve,
     .texts = {"cos(7t)", "sin(7t)", "t"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi}},
    {.kind = k::kTube,
     .texts = {"cos(7t)", "sin(7t)", "t", "0.3", "xx+yy+zz=4"},
     .first = TDemo::kFixed,
     .range = {0, 2 * kPi},
     .range2 = TSpan{0, 2 * kPi},
     .more =
         [](TExample& e, int) {
             e.divisions[0] = 120;
             e.divisions[1] = 16;
             e.optionCheck = 1;
             e.extraColour = {6, 11};
         }},
    {.kind = k::kSpaceSegment,
     .texts = {"2.54", "1.732", "2.718", "1.618", "", "3.142", "0.577"},
     .first = TDemo::kFixed,
     .range = {0, 1}},
    {.kind = k::kPlane,
     .texts = {"2.54", "1.732", "2.718", "1.618,3.142,1.414", "", "2.0"},
     .first = TDemo::kFixed,
     .range = {-1, 1},
     .range2 = TSpan{-1, 1},
     .more = [](TExample& e,
                int planeStyle) { e.GridColour() = static_cast<std::int16_t>(planeStyle); }},
    {.kind = k::kSpaceSystem,
     .texts = {"10y-10x", "28x-y-xz", "xy-8z/3"},
     .first = TDemo::kFixed,
     .range = {0, 1},
     .more =
         [](TExample& e, int) {
             Box(e, {-30, -30, -10}, {30, 30, 50});
             e.fieldRows = 9;
             e.fieldLengthPercent = 20;
         }},
    {.kind = k::kSpaceSequence,
     .texts = {"0.96x-0.28y", "0.28x+0.96y", "z+0.01"},
     .first = TDemo::kFixed,
     .range = {0, 1},
     .more =
         [](TExample& e, int) {
             Box(e, {-30, -30, -10}, {30, 30, 50});
         }},
    // A helix-like curve of constant curvature whose torsion swings: s over two turns.
    {.kind = k::kSpaceIntrinsic,
     .texts = {"1.0", "sin(s)", "", "", "0,0,0", "1,0,0", "0,1,0"},
     .first = TDemo::kFixed,
     .range = {0, 4 * kPi},
     .range2 = TSpan{0, 10},
     .more = [](TExample& e, int) { e.density = 50; }},
};

}  // namespace

bool IsMenuKind(int kind, int dimension) {
    switch (kind) {
        case k::kExplicit:
        case k::kPolar:
        case k::kParametric:
        case k::kImplicit:
        case k::kSegment:
        case k::kLine:
        case k::kSystem:
        case k::kSlope:
        case k::kSequence:
        case k::kLagrange:
        case k::kSeries:
        case k::kHigherOrder:
        case k::kIntrinsic:
        case k::kComplexMap:
        case k::kPlaneMap:
        case k::kOrbital:
            return dimension == 2;
        case k::kSurface:
        case k::kPolarSurface:
        case k::kParametricSurface:
        case k::kSpaceCurve:
        case k::kImplicitSurface:
        case k::kTube:
        case k::kSpaceSegment:
        case k::kSpaceSystem:
        case k::kSpaceSequence:
        case k::kPlane:
        case k::kSphericalSurface:
        case k::kSpaceIntrinsic:
            return dimension == 3;
        default:
            return false;
    }
}

void SetNewExampleDefaults(TExample& e, int kind, long double xLow, long double xHigh,
                           int planeStyle) {
    const auto* row = std::find_if(std::begin(kDemos), std::end(kDemos),
                                   [kind](const TDemo& d) { return d.kind == kind; });
    if (row == std::end(kDemos)) return;
    int t = 1;
    for (const char* text : row->texts) {
        if (!text) break;
        e.Text(t++) = text;
    }
    if (row->first == TDemo::kView) Range(e, xLow, xHigh);
    if (row->first == TDemo::kFixed) Range(e, row->range.low, row->range.high);
    if (row->range2) Range2(e, row->range2->low, row->range2->high);
    if (row->more) row->more(e, planeStyle);
    e.FitMeshStorage();  // a demo may set grid counts of its own
}

}  // namespace quorlin::examples
