#include "tools2d/solids/section_solid.h"

#include <algorithm>
#include <array>
#include <climits>
#include <numbers>

#include "core/errors.h"
#include "core/numbers.h"
#include "examples/operations/example_editor_parts.h"
#include "formula/expr_node.h"
#include "formula/formula_text.h"
#include "tools2d/solids/solid_texts.h"

namespace quorlin::tools2d {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kMinWidth = 1e-13L;
constexpr std::size_t kMaxEndChars = 20;
constexpr std::size_t kMaxCountChars = 10;
constexpr int kMostSections = 32767;
constexpr std::size_t kTextBuffer = 256;  // 255 characters and the terminator
constexpr int kFewestRoundDivisions = 12;

constexpr std::array<TShapeRow, kSectionShapeCount> kShapes{{
    {"square", 1, false},
    {"equilateral", 0.4330127018922193233818615853764680918L, false},  // sqrt(3)/4
    {"semicirc", kPi / 8, false},
    {"rectangle", 1, true},
    {"isosceles", 0.5L, true},
    {"semiellipse", kPi / 4, true},
}};

// An integer field read whole: its parse error, 17 beyond 32 bits or `most`, 14 below 1.
int ReadCount(FormulaContext& formulas, std::string_view text, int most, int& out) {
    text = examples::editor_parts::Trimmed(text);
    if (text.size() > kMaxCountChars) return kErrOutOfBounds;
    int value = 0;
    if (const int error = formulas.ReadInteger(text, INT_MIN, INT_MAX, value)) return error;
    if (value < 1) return kErrPositiveValue;
    if (value > most) return kErrOutOfBounds;
    out = value;
    return kNoError;
}

int ReadEnd(FormulaContext& formulas, std::string_view text, long double& value, int& letter) {
    if (examples::editor_parts::Trimmed(text).size() > kMaxEndChars) return kErrTooLarge;
    return formulas.ReadNumberAt(text, value, letter);
}

// The place of a shape in the tables; the square's for a number outside 1..6.
std::size_t ShapeIndex(int shape) {
    const bool known = shape >= 1 && shape <= kSectionShapeCount;
    return static_cast<std::size_t>(known ? shape - 1 : 0);
}

char LetterOf(int letter) {
    return static_cast<char>('@' + letter);
}

// The texts every shape's surfaces are made of, with x already replaced.
struct TSolidTexts {
    std::string f, g, h;  // F, G, H
    std::string x;        // the x coordinate
    std::string m;        // the centre line
    std::string d;        // the section's width (shapes 1-3) or height (4-6)
};

// y across a strip, from g at t = 0 to f at t = 1: the floor, and the top of a prism.
std::string Across(const TSolidTexts& s) {
    return "t(" + s.f + ")+(1-t)(" + s.g + ")";
}

// Collects the surfaces, refusing any text over 255 characters.
class TSurfaceList {
public:
    TSurfaceList(const TSectionRange& range, int xSections, int zSections,
                 std::vector<examples::TSectionSurface>& out)
        : out_(out),
          zSections_(zSections),
          xSections_(xSections),
          uLow_(range.Linked() ? 0 : range.low),
          uHigh_(range.Linked() ? 1 : range.high) {}
    void Add(const std::string& x, std::string y, std::string z, long double tLow,
             long double tHigh, int tDivisions = 0) {
        if (std::max({x.size(), y.size(), z.size()}) >= kTextBuffer) error_ = kErrTooLarge;
        if (error_) return;
        out_.push_back({x, std::move(y), std::move(z), tLow, tHigh, uLow_, uHigh_,
                        static_cast<std::int16_t>(tDivisions > 0 ? tDivisions : zSections_),
                        static_cast<std::int16_t>(xSections_)});
    }
    int Error() const { return error_; }
    int ZSections() const { return zSections_; }

private:
    std::vector<examples::TSectionSurface>& out_;
    int zSections_;
    int xSections_;
    long double uLow_;  // u runs over the range, or from 0 to 1 between linked ends
    long double uHigh_;
    int error_ = kNoError;
};

// Square and rectangle: two walls standing on f and g, and the top (and the bottom).
void PrismSurfaces(const TSolidTexts& s, bool doubled, TSurfaceList& list) {
    const long double wallLow = doubled ? -1 : 0;
    list.Add(s.x, s.g, "t" + s.d, wallLow, 1);
    list.Add(s.x, s.f, "t" + s.d, wallLow, 1);
    const std::string between = Across(s);
    list.Add(s.x, between, s.d, 0, 1);
    if (doubled) list.Add(s.x, between, "-" + s.d, 0, 1);
}

// The triangles: two faces rising from f and g to the apex over the centre line.
void TriangleSurfaces(const TSolidTexts& s, std::string_view rise, bool doubled,
                      TSurfaceList& list) {
    const std::string z = std::string(rise) + s.d;
    for (const std::string* side : {&s.g, &s.f}) {
        const std::string y = "t(" + s.m + ")+(1-t)(" + *side + ")";
        list.Add(s.x, y, z, 0, 1);
        if (doubled) list.Add(s.x, y, "-" + z, 0, 1);
    }
}

// The half-round shapes: a half turn about the centre line, a whole one when doubled.
void RoundSurface(const TSolidTexts& s, std::string_view radius, bool doubled, TSurfaceList& list) {
    const std::string y = s.m + "+0.5(" + s.f + "-(" + s.g + "))cos(t)";
    const std::string z = std::string(radius) + s.d + "sin(t)";
    list.Add(s.x, y, z, 0, doubled ? 2 * kPi : kPi,
             std::max(list.ZSections(), kFewestRoundDivisions));
}

// The surfaces of each shape, in the order of the shapes.
using ShapeBuilder = void (*)(const TSolidTexts&, bool doubled, TSurfaceList&);
constexpr std::array<ShapeBuilder, kSectionShapeCount> kBuilders{
    PrismSurfaces,
    [](const TSolidTexts& s, bool doubled, TSurfaceList& list) {
        TriangleSurfaces(s, "t*sqrt(0.75)", doubled, list);
    },
    [](const TSolidTexts& s, bool doubled, TSurfaceList& list) {
        RoundSurface(s, "0.5", doubled, list);
    },
    PrismSurfaces,
    [](const TSolidTexts& s, bool doubled, TSurfaceList& list) {
        TriangleSurfaces(s, "t", doubled, list);
    },
    [](const TSolidTexts& s, bool doubled, TSurfaceList& list) {
        RoundSurface(s, "", doubled, list);
    },
};

// A JOIN or DER on X in a text acts on x, for which the surfaces write u over a plain range:
// the form acts on u then. Between tied ends x is no variable a form could act on: 101.
int FormsOnXFollowU(const FormulaContext& formulas, const TSectionRange& range, std::string& text) {
    if (FormVariablesInText(formulas, text).find('X') == std::string::npos) return kNoError;
    if (range.Linked()) return kErrFormulaNotUsable;
    RenameFormVariableInText(formulas, text, 'X', 'U');
    return kNoError;
}

}  // namespace

const TShapeRow& ShapeRow(int shape) {
    return kShapes[ShapeIndex(shape)];
}

int ReadSectionFields(FormulaContext& formulas, const TSectionFields& fields,
                      const TSectionChoice& choice, TSectionRange& range, TSectionCounts& counts) {
    TSectionRange r;
    if (const int e = ReadEnd(formulas, fields.low, r.low, r.lowLetter)) return e;
    if (const int e = ReadEnd(formulas, fields.high, r.high, r.highLetter)) return e;
    if (r.high < r.low + kMinWidth) return kErrInconsistentData;
    if (choice.f < 0 || choice.g < 0) return kErrMakeSelection;
    if (choice.f == choice.g) return kErrSelectTwo;
    if (choice.usesJoin) return kErrFormulaNotUsable;
    TSectionCounts c;
    if (const int e = ReadCount(formulas, fields.zSections, kMostSections, c.zSections)) return e;
    if (const int e = ReadCount(formulas, fields.xSections, kMostSections, c.xSections)) return e;
    if (const int e = ReadCount(formulas, fields.subintervals, INT_MAX, c.subintervals)) return e;
    if (static_cast<long long>(c.xSections + 1) * (c.zSections + 1) > kMostSectionGridPoints)
        return kErrOutOfBounds;
    if (fields.height.size() >= kTextBuffer) return kErrTooLarge;
    range = r;
    counts = c;
    return kNoError;
}

std::string SectionIntegrandText(const TSectionRequest& request) {
    const std::string width = "(" + request.f + "-(" + request.g + "))";
    if (ShapeRow(request.shape).usesHeight) return width + "(" + request.height + ")";
    return width + "^2";
}

long double SectionFactor(int shape, bool doubled) {
    return ShapeRow(shape).factor * (doubled ? 2 : 1);
}

int SectionVolume(FormulaContext& formulas, const TSectionRequest& request, const SectionSum& sum,
                  long double& out) {
    if (const int error = formulas.Parse(SectionIntegrandText(request))) return error;
    const NodePtr integrand = formulas.TakeParseResult();
    long double summed = 0;
    const int result = sum(*integrand, summed);
    if (result == kNoError || result == kKeyStop)
        out = summed * SectionFactor(request.shape, request.doubled);
    return result;
}

std::string SectionXText(const TSectionRange& range) {
    if (!range.Linked()) return "u";
    const std::string low =
        range.lowLetter > 0 ? std::string(1, LetterOf(range.lowLetter)) : FormatShortest(range.low);
    std::string high;
    if (range.highLetter > 0)
        high = std::string("+") + LetterOf(range.highLetter);
    else
        high = (range.high > 0 ? "+" : "-") + FormatShortest(std::fabs(range.high));
    return "(" + low + "(1-u)" + high + "u)";
}

int SectionSurfaces(const FormulaContext& formulas, const TSectionRequest& request,
                    const TSectionRange& range, int xSections, int zSections,
                    std::vector<examples::TSectionSurface>& out, TCarriedFunctions& carried) {
    TSolidTexts s{request.f, request.g, request.height, SectionXText(range), "", ""};
    const bool height = ShapeRow(request.shape).usesHeight;
    // The letters of the ends move the solid in its window; every other letter it reads, and
    // every function, is written in with what it is here, or carried.
    std::vector<int> ends;
    for (const int letter : {range.lowLetter, range.highLetter})
        if (letter > 0) ends.push_back(letter);
    TCarriedFunctions functions(formulas, ends);
    for (std::string* text : {&s.f, &s.g, &s.h}) {
        if (text == &s.h && !height) continue;
        if (text->size() >= kTextBuffer) return kErrTooLarge;
        if (const int error = functions.StandAlone(*text, kTextBuffer)) return error;
        if (const int error = FormsOnXFollowU(formulas, range, *text)) return error;
        if (!SubstituteXYZInText(formulas, *text, kTextBuffer, s.x, "", "")) return kErrTooLarge;
    }
    s.m = "0.5(" + s.f + "+" + s.g + ")";
    s.d = height ? "(" + s.h + ")" : "(" + s.f + "-(" + s.g + "))";
    std::vector<examples::TSectionSurface> surfaces;
    TSurfaceList list(range, xSections, zSections, surfaces);
    if (!request.doubled) list.Add(s.x, Across(s), "0.0", 0, 1);
    kBuilders[ShapeIndex(request.shape)](s, request.doubled, list);
    if (list.Error()) return list.Error();
    out = std::move(surfaces);
    carried = std::move(functions);
    return kNoError;
}

int SettleSurfaces(TCarriedFunctions& carried, const FormulaContext& space,
                   std::vector<examples::TSectionSurface>& surfaces) {
    if (const int error = carried.Settle(space)) return error;
    std::vector<examples::TSectionSurface> named = surfaces;
    for (examples::TSectionSurface& surface : named)
        for (std::string* text : {&surface.x, &surface.y, &surface.z})
            if (const int error = carried.Rename(*text, kTextBuffer)) return error;
    surfaces = std::move(named);
    return kNoError;
}

}  // namespace quorlin::tools2d
