#include "examples/records/new_examples.h"

#include <numbers>

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

void Texts(TExample& e, std::initializer_list<const char*> texts) {
    int t = 1;
    for (const char* text : texts) e.Text(t++) = text;
}

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
    switch (kind) {
        case k::kExplicit:
            Texts(e, {"", "sin(x)"});
            Range(e, xLow, xHigh);
            break;
        case k::kLagrange:
            Range(e, xLow, xHigh);
            break;
        case k::kPolar:
            Texts(e, {"", "", "1+cos(t)", "", "", "", "0;2pi"});
            Range(e, 0, 2 * kPi);
            break;
        case k::kParametric:
            Texts(e, {"cos(3t)", "sin(2t)", "", "", "", "", "0;2pi"});
            Range(e, 0, 2 * kPi);
            break;
        case k::kImplicit:
            Texts(e, {"", "", "4-(x^2+y^2)", "", "x^2+y^2=4"});
            Range(e, xLow, xHigh);
            break;
        case k::kSegment:
            Texts(e, {"-2", "1", "3", "2"});
            break;
        case k::kLine:
            Texts(e, {"1", "2", "3"});
            break;
        case k::kSystem:
            Texts(e, {"y", "-x"});
            break;
        case k::kSlope:
            Texts(e, {"", "", "x-y"});
            break;
        case k::kSequence:
            Texts(e, {"0.96x-0.28y", "0.28x+0.96y"});
            break;
        case k::kSeries:
            Texts(e, {"n", "1/n^2"});
            e.divisions[0] = 1;
            e.divisions[1] = 20;
            break;
        case k::kHigherOrder:
            Texts(e, {"", "", "-y"});
            e.order = 2;
            break;
        case k::kIntrinsic:
            Texts(e, {"s", "", "", "", "0,0", "1,0"});
            Range(e, 0, 10);
            break;
        case k::kComplexMap:
            Texts(e, {"z^2"});
            break;
        case k::kPlaneMap:
            Texts(e, {"x^2-y^2", "2xy"});
            break;
        case k::kSurface:
            Texts(e, {"", "", "sin(xx+yy)/(xx+yy)"});
            Range(e, -3.14158265358979L, kPi);
            Range2(e, -3.14158265358979L, kPi);
            e.box2Min = e.boxMin;
            e.box2Max = e.boxMax;
            break;
        case k::kParametricSurface:
            Texts(e, {"sin(u)cos(t)", "sin(u)sin(t)", "cos(u)"});
            Range(e, 0, 2 * kPi);
            Range2(e, 0, kPi);
            break;
        case k::kImplicitSurface:
            Range(e, 0, 1);
            Box(e, {-2.1L, -2.1L, -2.1L}, {2.1L, 2.1L, 2.1L});
            break;
        case k::kPolarSurface:
            Texts(e, {"", "", "rrrcos(3t)/(1+rrrr)"});
            Range(e, 0, 1.2L);
            Range2(e, 0, 2 * kPi);
            e.divisions[1] = 70;
            break;
        case k::kSphericalSurface:
            Texts(e, {"", "", "", "1.0+0.25sin(3u)"});
            Range(e, 0, 2 * kPi);
            Range2(e, 0, kPi);
            break;
        case k::kSpaceCurve:
            Texts(e, {"cos(7t)", "sin(7t)", "t"});
            Range(e, 0, 2 * kPi);
            break;
        case k::kTube:
            Texts(e, {"cos(7t)", "sin(7t)", "t", "0.3", "xx+yy+zz=4"});
            Range(e, 0, 2 * kPi);
            Range2(e, 0, 2 * kPi);
            e.divisions[0] = 120;
            e.divisions[1] = 16;
            e.optionCheck = 1;
            e.extraColour = {6, 11};
            break;
        case k::kSpaceSegment:
            Texts(e, {"2.54", "1.732", "2.718", "1.618", "", "3.142", "0.577"});
            Range(e, 0, 1);
            break;
        case k::kPlane:
            Texts(e, {"2.54", "1.732", "2.718", "1.618,3.142,1.414", "", "2.0"});
            Range(e, -1, 1);
            Range2(e, -1, 1);
            e.GridColour() = static_cast<std::int16_t>(planeStyle);
            break;
        case k::kSpaceSystem:
            Texts(e, {"10y-10x", "28x-y-xz", "xy-8z/3"});
            Range(e, 0, 1);
            Box(e, {-30, -30, -10}, {30, 30, 50});
            e.fieldRows = 9;
            e.fieldLengthPercent = 20;
            break;
        case k::kSpaceSequence:
            Texts(e, {"0.96x-0.28y", "0.28x+0.96y", "z+0.01"});
            Range(e, 0, 1);
            Box(e, {-30, -30, -10}, {30, 30, 50});
            break;
        case k::kSpaceIntrinsic:
            Texts(e, {"1", "0.2", "", "", "0,0,0", "1,0,0", "0,1,0"});
            Range(e, 0, 20);
            break;
        default:
            break;
    }
}

}  // namespace quorlin::examples
