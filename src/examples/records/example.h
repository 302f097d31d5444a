#pragma once
// TExample: one example (one graph object) of a graphing window's inventory, the same record
// for 2D, 3D and map windows: kind and derivation, plotting options, ranges and boxes, the pen,
// seven formula texts with their seven compiled trees, the per-kind point arrays, and its
// trajectories and marked points.
//
// The record owns everything it holds; copies are explicit (CopyFrom, InitCopy) and deep. Its
// 547-byte file layout lives only in record_codec.h; the comments below give each field's
// offset there, since other parts of the program speak of "byte 59" or "the word at 24".
//
// Beside the record: the kind table (codes, dialog titles, texts the compiler parses), the
// derivation-code table and the per-kind array sizes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/vectors.h"
#include "examples/records/trajectory.h"
#include "formula/expr_node.h"

namespace quorlin::examples {

// Kind codes: 201-225 2D kinds, 301-325 3D kinds, 401-403 maps. Input-only codes (213, 214,
// 216, 217, 221, 313, 314) are turned into stored kinds when an example is created.
namespace kind {
inline constexpr int kExplicit = 201;
inline constexpr int kPolar = 202;
inline constexpr int kParametric = 203;
inline constexpr int kImplicit = 204;
inline constexpr int kSegment = 205;
inline constexpr int kIntegral = 206;
inline constexpr int kRoulette = 207;
inline constexpr int kLine = 208;
inline constexpr int kPoint = 209;
inline constexpr int kSystem = 210;
inline constexpr int kSlope = 211;
inline constexpr int kSequence = 212;
inline constexpr int kLagrange = 213;
inline constexpr int kPolarPoint = 214;
inline constexpr int kPlotPoints = 215;
inline constexpr int kPolarSegment = 216;
inline constexpr int kComplexPoint = 217;
inline constexpr int kSeries = 218;
inline constexpr int kOrbital = 219;
inline constexpr int kHigherOrder = 220;
inline constexpr int kPolarParametric = 221;
inline constexpr int kIntrinsic = 225;
inline constexpr int kSurface = 301;
inline constexpr int kPolarSurface = 302;
inline constexpr int kParametricSurface = 303;
inline constexpr int kSpaceCurve = 304;
inline constexpr int kImplicitSurface = 305;
inline constexpr int kTube = 306;
inline constexpr int kRevolution = 307;
inline constexpr int kSpaceSegment = 308;
inline constexpr int kSpacePoint = 309;
inline constexpr int kSpaceSystem = 310;
inline constexpr int kSpaceSequence = 312;
inline constexpr int kCylindricalPoint = 313;
inline constexpr int kSphericalPoint = 314;
inline constexpr int kPlane = 315;
inline constexpr int kSphericalSurface = 316;
inline constexpr int kSurfaceIntersection = 317;
inline constexpr int kSpaceIntrinsic = 325;
inline constexpr int kComplexMap = 401;
inline constexpr int kPlaneMap = 402;
inline constexpr int kTripleMap = 403;
}  // namespace kind

// --- kinds ---

// One kind code: whether records are stored with it (input-only codes become another kind when
// the example is created), what it draws, the caption of its editing dialog (empty where the
// template has none) and the texts the compiler parses, bit k - 1 for text k. Kinds whose
// parsing depends on flags list every text they may parse; 307 parses by its sub-kind and lists
// none here.
struct TKindInfo {
    std::int16_t code;
    bool stored;
    std::string_view example;
    std::string_view title;
    std::uint8_t textsParsed;
};

std::span<const TKindInfo> KindTable();
// The entry of a kind code; null for an unknown code.
const TKindInfo* FindKind(int code);
// Known and stored in records (input-only codes such as 213 are not).
bool IsStoredKind(int code);
// Index of per-kind tables: (kind / 100 - 2) x 25 + kind mod 100 (201 -> 1, 301 -> 26, 401 -> 51).
int KindTableIndex(int kind);
// The surfaces drawn as a mesh whatever their sub-kind: explicit, polar, parametric and
// spherical surfaces, tubes and planes. A surface of revolution (307) is one unless it revolves
// an implicit curve.
bool IsMeshKind(int kind);

// --- derivations ---

// The parents a derivation code names: one example; two operands; one, optionally a second
// (antiderivative); or, for the end point of a segment (125), the segment and the index of the
// first text of the copied pair in place of the second parent.
enum class TParents { kOne, kTwo, kOneOrTwo, kSegmentAndText };

struct TDerivationInfo {
    std::uint16_t code;
    std::string_view derived;
    TParents parents;
};

std::span<const TDerivationInfo> DerivationTable();
// The entry of a derivation code; null for 0 (not derived) and for unknown codes.
const TDerivationInfo* FindDerivation(int code);

// The degrees a Taylor polynomial (derivation 65) may have: the record check, the builder and
// the tracing slider all ask this one test.
inline constexpr int kMaxTaylorDegree = 9;
constexpr bool IsTaylorDegree(int degree) {
    return degree >= 0 && degree <= kMaxTaylorDegree;
}

// --- per-kind arrays ---

inline constexpr std::size_t kMeshPoints = 6000;      // points, pixels and bytes of a mesh
inline constexpr std::size_t kLagrangePoints = 9;     // defining points of a Lagrange polynomial
inline constexpr std::size_t kPlotPointValues = 128;  // numbers of a plot-points list
inline constexpr std::size_t kOrbitalPoints = 120;
inline constexpr std::size_t kOrbitalPixels = 24;  // one per body
inline constexpr std::size_t kOrbitalValues = 288;

// Entries of the four per-kind arrays. The kind is the array kind: 213 for a Lagrange
// polynomial (stored as 201 with byte 59); a surface of revolution (307) revolving an implicit
// curve (sub-kind 204) has no mesh.
struct TArraySizes {
    std::size_t points = 0;
    std::size_t pixels = 0;
    std::size_t values = 0;
    std::size_t bytes = 0;
    friend bool operator==(const TArraySizes&, const TArraySizes&) = default;
};
TArraySizes ArraySizesOf(int arrayKind, int subKind);

// The two halves of a range text "low;high".
struct TRangeTexts {
    std::string low;
    std::string high;
    friend bool operator==(const TRangeTexts&, const TRangeTexts&) = default;
};

// True when the text has at least one character.
inline bool IsNonEmptyText(std::string_view text) {
    return !text.empty();
}

// The mark at one end of the range of a curve (201, 202, 203, 206): a circle or an arrow of a
// size 1..19, filled when solid.
struct TEndMark {
    enum class Shape { kNone, kCircle, kArrow };
    static constexpr int kMaxSize = 19;
    Shape shape = Shape::kNone;
    int size = 0;
    bool solid = true;
    friend bool operator==(const TEndMark&, const TEndMark&) = default;
};

// A pixel-sized point of the 8-byte point arrays (two 32-bit coordinates).
struct TPixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

struct TExample {
    static constexpr int kTextCount = 7;
    static constexpr std::size_t kTextCapacity = 256;  // with the terminator: 255 characters

    // --- identity and derivation ---
    std::int16_t kind = 0;                       // 0
    std::uint16_t derivation = 0;                // 2: 0, or the operation that derived it
    std::array<std::int16_t, 2> parent{-1, -1};  // 4, 6: for derivation 125, parent[1] is the
                                                 // parent's first text of the pair (0 or 2)
    std::int16_t derivationParam = 0;            // 8: Taylor degree (65), 1 for tangent (76)
    std::int16_t order = 0;                      // 10: derivative order (68), n of derx (220)
    std::int16_t density = 1;                    // 12: > 0 divides the basic step, < 0 multiplies
    // --- fields of slopes and vectors (210, 211, 310) ---
    std::int16_t fieldRows = 20;                     // 14 (3D drawers: a count of their own)
    std::int16_t fieldDisplay = 1;                   // 16: 0 none, 1 slopes, 2 unit vectors
    std::int16_t fieldLengthPercent = 15;            // 18; dot size of a Lagrange polynomial
    std::array<std::int16_t, 2> extraColour{5, 22};  // 20, 22: colour roles 6 and 7 of the editor;
                                                     // 22 is also the web colour of 201
    // --- words whose meaning depends on the kind ---
    std::int16_t subKind = 0;       // 24: profile kind of 307; inequality sense of 204; web seed
                                    // letter of 201; parameter letter of 206
    std::int16_t listing = 0;       // 26: < 0 hides from lists; revolution mode of 307 when > 0
    std::int16_t familyDelay = 0;   // 28: milliseconds (50 for 201)
    std::int16_t sizeWord = 0;      // 30: drawers add 10: arrow or mark size in pixels (web
                                    // arrows of 201); the dot size of a series as it is
    std::int16_t word32 = 0;        // 32: end marks of 205/308; coordinates of 309; Lagrange
                                    // point count; parameter letter of 210, 211, 310
    std::int16_t word34 = 0;        // 34: web steps (10 for 201); second colour of a tangent plane
    std::int16_t letter36 = 0;      // 36: frozen letter (180), first letter of a point list,
                                    // letter of a plane, number of a Lagrange polynomial
    std::int16_t letter38 = 0;      // 38: last letter of a point list; plot-points variable slot;
                                    // second letter of a plane
    std::int16_t familyLetter = 1;  // 40: 1 = A
    std::int16_t familySteps = 20;  // 42: one fewer than the members; drawers use |steps|
    std::int16_t tableSteps = 50;   // 44
    // --- option bytes ---
    std::uint8_t familyOn = 0;      // 46
    std::uint8_t lockInterval = 0;  // 47: the range text (text 7) is in force
    std::uint8_t graphShown = 1;    // 48
    std::uint8_t jumpsOff = 0;      // 49: density typed with the "@" suffix
    std::uint8_t restrictOn = 0;    // 50: condition text 4 in force (204, 210, 310)
    std::uint8_t option51 = 0;      // 51
    std::uint8_t recompute = 1;     // 52: 204's cached curve must be recomputed
    std::uint8_t option53 = 1;      // 53: handed to the trajectory solver with byte 52
    std::uint8_t option54 = 1;      // 54: read by the 3D surface recomputation
    std::uint8_t byte55 = 0;        // 55: roulette on the left side; 209 coordinates not by texts
    std::uint8_t byte56 = 0;        // 56: 204 recompute marker; initial segment of a web (201)
    std::uint8_t periodic = 0;      // 57: "make periodic" (201)
    std::uint8_t byte58 = 0;        // 58: polar form (209, 205); arrow at t (203, 304); slow
                                    // drawing of a mesh surface; arrows of a web (201)
    std::uint8_t byte59 = 0;        // 59: Lagrange (201); end points as examples (205); arrows
                                    // (212, 312); anchors (209, 309); spectrum of a mesh
    std::uint8_t byte60 = 0;        // 60: web diagram (201); polar form (203); connect the
                                    // points (212, 312, 218); grid of a mesh
    // --- numbers ---
    long double fieldFactor = 0.2L;                     // 61
    long double familyLow = 0.0L;                       // 71
    long double familyHigh = 1.0L;                      // 81
    long double tableLow = -5.0L;                       // 91
    long double tableHigh = 5.0L;                       // 101
    std::array<std::int16_t, 3> divisions{36, 36, 36};  // 111: surface divisions; 218: first
                                                        // and last index of a series
    std::array<std::int16_t, 2> slicePoints{150, 150};  // 117
    std::array<long double, 2> rangeLow{0.0L, 0.0L};    // 121, 131: first (x or t), second (y, u)
    std::array<long double, 2> rangeHigh{1.0L, 1.0L};   // 141, 151
    Vec3 boxMin{0, 0, 0};                               // 161
    Vec3 boxMax{1, 1, 1};                               // 191
    Vec3 box2Min{0, 0, 0};                              // 221
    Vec3 box2Max{1, 1, 1};                              // 251
    std::array<long double, 18> numbers{};  // 281..451: six groups of three; number k lies at
                                            // offset 281 + 10 k
    TPenSpec pen;                           // 461: colour, width, style
    // --- formula texts and their trees ---
    std::array<std::string, kTextCount> texts;  // texts 1-7 at [0..6], each at most 255 chars
    std::array<NodePtr, kTextCount> trees;      // trees 1-7 at [0..6]
    // Compilation ran out of its work budget: the texts and trees 1-4 stand, the derivative
    // trees are empty (not stored; set by each compilation).
    bool overBudget = false;
    // --- per-kind arrays (sizes by kind: see AllocArrays) ---
    std::vector<Vec3> points;         // 30-byte entries
    std::vector<TPixelPoint> pixels;  // 8-byte entries
    std::vector<long double> values;  // long doubles
    std::vector<std::uint8_t> bytes;  // 6000 bytes of a mesh
    TrajectoryList trajectories;      // newest first
    MarkedPointList markedPoints;     // newest first

    TExample() = default;
    TExample(TExample&&) = default;
    TExample& operator=(TExample&&) = default;

    // --- life cycle ---

    // Makes the record a fresh example of the kind: every default of the record, the pen
    // (colour, 1, 0), the table steps, the arrays of the kind. Kinds 210 and 211 take colour 4
    // whatever is passed; kind 213 becomes 201 with byte 59 set and keeps the nine Lagrange
    // points; every 201 (213 included) gets a family delay of 50 ms and 10 web steps.
    void Init(int newKind, int colour, int newTableSteps);
    // Fresh empty texts, no trees, no trajectories or marked points, and the per-kind arrays of
    // the array kind and sub-kind, zeroed.
    void AllocArrays();
    // Gives the arrays the sizes of the array kind and sub-kind, zeroed (a 307 whose sub-kind
    // changed to or from 204); texts, trees and lists stay.
    void ReshapeArrays();
    // Drops texts' contents, trees, lists and arrays; the other fields stay.
    void Free();
    void FreeTrajectories() { trajectories.clear(); }
    void FreeMarkedPoints() { markedPoints.clear(); }

    // Copies every field but the kind and the arrays' storage from source: the numbers, words,
    // flags, pen and the seven texts; with trees also deep copies of the seven trees, of the
    // trajectories and marked points, and the contents of every array both records have.
    void CopyFrom(const TExample& source, bool withTrees);
    // Makes the record a copy of source: initialised for its array kind and sub-kind (so the
    // arrays match, a 307 revolving an implicit curve included), colour 0, table steps 50, then
    // CopyFrom.
    void InitCopy(const TExample& source, bool withTrees);

    // --- queries ---

    // The kind that decides the arrays: 213 for a Lagrange polynomial, else the kind.
    int ArrayKind() const { return IsLagrangeExplicit() ? examples::kind::kLagrange : kind; }

    // Strictly inside the box (a point on a face is outside).
    bool InBox(long double x, long double y, long double z) const;
    // Text 7 split at its first ';' (the rest, further ';' included, is the high end);
    // "0.0" and "1.0" when it has none.
    TRangeTexts SplitRangeText() const;
    // Clears byte 49 and bytes 55-60.
    void ClearOptionBytes();

    // The plotting density for the drawers: a stored 0 counts as 1, so no drawer samples with
    // a zero step. Positive values divide the basic step, negative ones multiply it.
    int StepDensity() const { return density == 0 ? 1 : density; }
    // The drawer's basic step scaled by the density.
    long double ScaledStep(long double basicStep) const;

    // 301, 302, 303, 306, 315, 316; 305 unless implicit ones are excluded; 307 unless it
    // revolves an implicit curve and implicit ones are excluded.
    bool IsMeshSurface(bool excludeImplicit) const;
    // 202, 203; 201 locked or periodic; 206 locked.
    bool HasRangeText() const;
    // 303, 306, 316, and 307 unless it revolves an implicit curve.
    bool IsSurfaceWithNormals() const;
    // 305, and 307 revolving an implicit curve.
    bool IsImplicitSurface() const;
    // 201 drawn through its points (byte 59).
    bool IsLagrangeExplicit() const { return kind == examples::kind::kExplicit && byte59 != 0; }

    // The mark at the low (end 0) or high (end 1) end of a curve's range. A circle's size is kept
    // in the end's count word (divisions[end]: 111 low, 113 high), an arrow's in its slice-point
    // word (117, 119), negative when hollow; a word outside +-19, or 0, carries no mark, so the
    // defaults of those words (36, 150) mean none. A circle wins when both words hold one.
    TEndMark EndMark(int end) const;
    void SetEndMark(int end, const TEndMark& mark);

    // Number k (0..17) of the per-kind numbers by its offset: NumberAt(431) is numbers[15].
    long double& NumberAt(int offset) {
        return numbers[static_cast<std::size_t>((offset - 281) / 10)];
    }
    long double NumberAt(int offset) const {
        return numbers[static_cast<std::size_t>((offset - 281) / 10)];
    }
    // Text k (1..7) and tree k (1..7), numbered as the rest of the program names them.
    std::string& Text(int k) { return texts[static_cast<std::size_t>(k - 1)]; }
    const std::string& Text(int k) const { return texts[static_cast<std::size_t>(k - 1)]; }
    NodePtr& Tree(int k) { return trees[static_cast<std::size_t>(k - 1)]; }
    const TExprNode* Tree(int k) const { return trees[static_cast<std::size_t>(k - 1)].get(); }
};

}  // namespace quorlin::examples
