#include "examples/records/compile_support.h"

#include <cmath>

#include "examples/records/derivation.h"

namespace quorlin::examples::compile_support {

namespace {

bool Among(int k, std::initializer_list<int> kinds) {
    for (const int candidate : kinds)
        if (k == candidate) return true;
    return false;
}

}  // namespace

TextUse TextsOfKind(const TExample& e) {
    using namespace kind;
    const int k = e.kind;
    const int sub = k == kRevolution ? e.subKind : 0;
    const bool plane = k == kPlane && e.derivation != derived::kTangentPlane;
    TextUse use;
    use.parsed[0] =
        plane || sub == kParametric ||
        Among(k, {kParametric, kSegment, kLine, kPoint, kSystem, kSequence, kSeries,
                  kParametricSurface, kSpaceCurve, kTube, kSpacePoint, kSpaceSystem, kSpaceSequence,
                  kSphericalSurface, kComplexMap, kPlaneMap, kTripleMap});
    use.parsed[1] = plane || sub == kExplicit || sub == kParametric ||
                    (k == kExplicit && !e.IsLagrangeExplicit()) ||
                    (k == kPoint && !e.ComplexPoint()) ||
                    Among(k, {kParametric, kSegment, kLine, kSystem, kSequence, kSeries,
                              kParametricSurface, kSpaceCurve, kTube, kSpacePoint, kSpaceSystem,
                              kSpaceSequence, kSphericalSurface, kPlaneMap, kTripleMap});
    use.parsed[2] = plane || sub == kPolar ||
                    Among(k, {kPolar, kImplicit, kSegment, kLine, kSlope, kSurface, kPolarSurface,
                              kParametricSurface, kSpaceCurve, kTube, kSpacePoint, kSpaceSystem,
                              kSpaceSequence, kSphericalSurface, kTripleMap});
    use.parsed[3] = Among(k, {kSegment, kImplicitSurface, kTube}) ||
                    (e.restrictOn && Among(k, {kImplicit, kSystem, kSpaceSystem}));
    return use;
}

bool IsPeriodic(const TExample& e) {
    return e.kind == kind::kExplicit && e.periodic && !e.IsLagrangeExplicit();
}

bool HasArrowText(const TExample& e) {
    return (e.kind == kind::kParametric || e.kind == kind::kSpaceCurve) && e.ArrowAtT();
}

std::vector<std::string_view> SplitTopLevel(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '(') ++depth;
        if (c == ')' && depth > 0) --depth;
        if (c == separator && depth == 0) {
            fields.push_back(text.substr(start, k - start));
            start = k + 1;
        }
    }
    fields.push_back(text.substr(start));
    return fields;
}

bool UnpackLetterPair(long double packed, int& h, int& u) {
    if (!(std::fabs(packed) < 1e6L)) return false;
    const long double high = std::round(packed / 100);
    h = static_cast<int>(high);
    u = static_cast<int>(std::round(packed - 100 * high));
    return true;
}

}  // namespace quorlin::examples::compile_support
