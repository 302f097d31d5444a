#pragma once
// TExample: one example (one graph object) of a graphing window's inventory, the same record
// for 2D, 3D and map windows: kind and derivation, plotting options, ranges and boxes, the pen,
// seven formula texts with their seven compiled trees, the per-kind point arrays, and its
// trajectories and marked points.
//
// The record owns everything it holds; copies are explicit (CopyFrom, InitCopy) and deep. Its
// 547-byte file layout lives only in record_codec.h. Words and bytes that mean different things
// by kind are read through role accessors (WebSteps, PolarForm, ...), never by their place.
//
// Beside the record: the kind table (codes, dialog titles, texts the compiler parses) and the
// per-kind array sizes; the derivation codes are in derivation.h.
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
// Whether records of the array kind and sub-kind keep a mesh: the mesh kinds, and a surface of
// revolution unless it revolves an implicit curve (sub-kind 204).
bool HasMesh(int arrayKind, int subKind);

// The turns a cylindrical surface's t range makes beyond its first: ceil((tHigh - tLow) / 2 pi)
// - 1, within 0..kMostAdditionalTurns (0 for an empty or undefined range). Each turn is one pass
// of the surface's hidden-line test, so a range of a million turns does not make every test
// a million passes.
inline constexpr int kMostAdditionalTurns = 100;
std::int16_t AdditionalTurnsOf(long double tLow, long double tHigh);

// --- per-kind arrays ---

inline constexpr std::size_t kMeshPoints = 6000;      // most points, pixels and bytes of a mesh
inline constexpr std::size_t kLagrangePoints = 9;     // defining points of a Lagrange polynomial
inline constexpr std::size_t kPlotPointValues = 128;  // numbers of a plot-points list
inline constexpr std::size_t kOrbitalPoints = 120;
inline constexpr std::size_t kOrbitalPixels = 24;  // one per body
inline constexpr std::size_t kOrbitalValues = 288;

// Rows of the mesh of a first grid count: first + 1, or 2 first + 3 for a surface of
// revolution whose ends are bound to parameters.
long long MeshRows(long first, bool boundRevolution);
// Points of the mesh that the grid counts describe, rows times (second + 1), at most
// kMeshPoints (none for counts below 0).
std::size_t MeshPointCount(long first, long second, bool boundRevolution);

// Entries of the four per-kind arrays.
struct TArraySizes {
    std::size_t points = 0;
    std::size_t pixels = 0;
    std::size_t values = 0;
    std::size_t bytes = 0;
    friend bool operator==(const TArraySizes&, const TArraySizes&) = default;
};
// Bytes that arrays of these sizes take in memory.
std::size_t MemoryOf(const TArraySizes& sizes);

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

// The words and option bytes whose meaning depends on the kind, kept by their place in the file
// record: only the codec (and its tests) reads them by place; everything else goes through the
// role accessors of TExample, one per role a kind gives the place.
struct TKindSlots {
    std::int16_t word32 = 0;
    std::int16_t word34 = 0;
    std::int16_t word36 = 0;
    std::int16_t word38 = 0;
    std::uint8_t byte55 = 0;
    std::uint8_t byte56 = 0;
    std::uint8_t byte58 = 0;
    std::uint8_t byte59 = 0;
    std::uint8_t byte60 = 0;

    void ClearOptionBytes() { byte55 = byte56 = byte58 = byte59 = byte60 = 0; }
};

// Roles of the eighteen per-kind numbers (six groups of three), as indexes into
// TExample::numbers; roles of different kinds share places.
enum class TNumber : std::uint8_t {
    // Group 1: a roulette's start, radius and arm; the axis a, b, c of a surface of revolution;
    // the stored point of a slicer entry or a trajectory's start; a drawn point's pixel; the
    // orbital simulation's gravity and interval, then its step.
    kRouletteStart = 0,
    kRouletteRadius = 1,
    kRouletteArm = 2,
    kAxisA = 0,
    kAxisB = 1,
    kAxisC = 2,
    kPointX = 0,
    kPointY = 1,
    kPointZ = 2,
    kIntegralStart = 0,  // an old file's indefinite integral (73): its parameter's value
    kGravity = 0,
    kInterval = 1,
    kTimeStep = 2,
    // Group 2: the orbital positions and calculations; the two packed parameter-letter pairs
    // (100 h + u) of a 307 whose ends are bound to parameters; a trajectory entry's own step; a
    // roulette's 1 / radius and arm / radius.
    kPositions = 3,
    kCalculations = 4,
    kFirstLetterPair = 3,
    kSecondLetterPair = 4,
    kTrajectoryStep = 3,
    kRouletteCurvature = 3,  // 1 / radius
    kRouletteArmRatio = 4,   // arm / radius
    // Group 3: the low and high ends of the first parameter (the period start and length of a
    // periodic curve).
    kFirstLow = 6,
    kFirstHigh = 7,
    kPeriodStart = 6,
    kPeriodLength = 7,
    // Group 4: the ends of the second parameter; the arrow's t of a parametric curve.
    kSecondLow = 9,
    kSecondHigh = 10,
    kArrowT = 9,
    // Group 5: set by the script's periodic command. Groups 5 and 6 hold the state the tracing
    // slider keeps for the entries at a trajectory's state.
    kPeriodMark = 12,
    kTraceStateFirst = 12,
    // Group 6: the web seed of 201 and the point of a tangent or a trajectory entry's time;
    // the frozen value of code 180 and a trajectory entry's start time.
    kWebSeed = 15,
    kTangentAt = 15,
    kTime = 15,
    kFrozenValue = 16,
    kStartTime = 16,
    // A surface intersection (317) keeps the normals of its plane parents (first at 9-11,
    // second at 12-14), so that a diagram read does not depend on the planes' meshes.
    kFirstPlaneNormal = 9,
    kSecondPlaneNormal = 12,
};

// The two parameters of a surface of revolution (307) whose ends are bound to letters: where
// each keeps its packed letter pair (100 h + u) and its low and high ends.
struct TBoundRange {
    TNumber letters;
    TNumber low;
    TNumber high;
};
inline constexpr std::array<TBoundRange, 2> kBoundRanges{
    {{TNumber::kFirstLetterPair, TNumber::kFirstLow, TNumber::kFirstHigh},
     {TNumber::kSecondLetterPair, TNumber::kSecondLow, TNumber::kSecondHigh}}};

struct TExample {
    static constexpr int kTextCount = 7;
    static constexpr std::size_t kTextCapacity = 256;  // with the terminator: 255 characters

    // --- identity and derivation ---
    std::int16_t kind = 0;
    std::uint16_t derivation = 0;                // 0, or the operation that derived it
    std::array<std::int16_t, 2> parent{-1, -1};  // for derivation 125, parent[1] is the parent's
                                                 // first text of the pair (0 or 2)
    std::int16_t derivationParam = 0;            // Taylor degree (65), 1 for tangent (76)
    std::int16_t order = 0;                      // derivative order (68), n of derx (220)
    std::int16_t density = 1;                    // > 0 divides the basic step, < 0 multiplies
    // --- fields of slopes and vectors (210, 211, 310) ---
    std::int16_t fieldRows = 20;                     // 3D drawers: a count of their own
    std::int16_t fieldDisplay = 1;                   // 0 none, 1 slopes, 2 unit vectors
    std::int16_t fieldLengthPercent = 15;            // dot size of a Lagrange polynomial
    std::array<std::int16_t, 2> extraColour{5, 22};  // colour roles 6 and 7 of the editor; the
                                                     // second is also the web colour of 201
    // --- words whose meaning depends on the kind ---
    std::int16_t subKind = 0;       // profile kind of 307; inequality sense of 204; web seed
                                    // letter of 201; parameter letter of 206
    std::int16_t listing = 0;       // < 0 hides from lists; revolution mode of 307 when > 0
    std::int16_t familyDelay = 0;   // milliseconds (50 for 201)
    std::int16_t sizeWord = 0;      // drawers add 10: arrow or mark size in pixels (web arrows
                                    // of 201); the dot size of a series as it is
    TKindSlots kindSlots;           // by place; read through the role accessors below
    std::int16_t familyLetter = 1;  // 1 = A
    std::int16_t familySteps = 20;  // one fewer than the members; drawers use |steps|
    std::int16_t tableSteps = 50;
    // --- option bytes ---
    std::uint8_t familyOn = 0;
    std::uint8_t lockInterval = 0;  // the range text (text 7) is in force
    std::uint8_t graphShown = 1;
    std::uint8_t jumpsOff = 0;       // density typed with the "@" suffix
    std::uint8_t restrictOn = 0;     // condition text 4 in force (204, 210, 310)
    std::uint8_t optionCheck = 0;    // follows the editor's second check box (the third of a
                                     // mesh surface); the script's tube sets it for shading
    std::uint8_t recompute = 1;      // 204's cached curve must be recomputed; frame boundary
    std::uint8_t solverOption = 1;   // handed to the trajectory solver with recompute
    std::uint8_t surfaceOption = 1;  // read by the 3D surface recomputation
    std::uint8_t periodic = 0;       // "make periodic" (201)
    // --- numbers ---
    long double fieldFactor = 0.2L;
    long double familyLow = 0.0L;
    long double familyHigh = 1.0L;
    long double tableLow = -5.0L;
    long double tableHigh = 5.0L;
    std::array<std::int16_t, 3> divisions{36, 36, 36};  // surface divisions; 218: first and last
                                                        // index of a series
    std::array<std::int16_t, 2> slicePoints{150, 150};
    std::array<long double, 2> rangeLow{0.0L, 0.0L};  // first (x or t), second (y, u)
    std::array<long double, 2> rangeHigh{1.0L, 1.0L};
    Vec3 boxMin{0, 0, 0};
    Vec3 boxMax{1, 1, 1};
    Vec3 box2Min{0, 0, 0};
    Vec3 box2Max{1, 1, 1};
    std::array<long double, 18> numbers{};  // per-kind numbers: see TNumber
    TPenSpec pen;                           // colour, width, style
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
    // whatever is passed; kind 213 becomes 201 in Lagrange form and keeps the nine Lagrange
    // points; every 201 (213 included) gets a family delay of 50 ms and 10 web steps.
    void Init(int newKind, int colour, int newTableSteps);
    // Fresh empty texts, no trees, no trajectories or marked points, and the per-kind arrays
    // (ArraySizes), zeroed.
    void AllocArrays();
    // Gives the arrays the sizes ArraySizes asks, zeroed (a 307 whose sub-kind changed to or
    // from 204); texts, trees and lists stay.
    void ReshapeArrays();
    // Fits the mesh storage to the grid counts, keeping the points it holds as far as they
    // still fit: whoever changes the counts of a record with a mesh fits it.
    void FitMeshStorage();
    // Drops texts' contents, trees, lists and arrays; the other fields stay.
    void Free();
    void FreeTrajectories() { trajectories.clear(); }
    void FreeMarkedPoints() { markedPoints.clear(); }

    // Copies every field but the kind and the arrays' storage from source: the numbers, words,
    // flags, pen and the seven texts; with trees also deep copies of the seven trees, of the
    // trajectories and marked points, and the contents of every array both records have.
    void CopyFrom(const TExample& source, bool withTrees);
    // Makes the record a copy of source: initialised for its array kind, sub-kind and grid
    // counts (so the arrays match, a 307 revolving an implicit curve included), colour 0, table
    // steps 50, then CopyFrom.
    void InitCopy(const TExample& source, bool withTrees);

    // --- queries ---

    // The kind that decides the arrays: 213 for a Lagrange polynomial, else the kind.
    int ArrayKind() const { return IsLagrangeExplicit() ? examples::kind::kLagrange : kind; }
    // The sizes of the per-kind arrays the record asks: by its array kind and sub-kind, a mesh
    // as large as its grid counts make it. A reader weighs them before it allocates them.
    TArraySizes ArraySizes() const;
    // Bytes the per-kind arrays hold now.
    std::size_t ArrayMemory() const;

    // Strictly inside the box (a point on a face is outside).
    bool InBox(long double x, long double y, long double z) const;
    // Text 7 split at its first ';' (the rest, further ';' included, is the high end);
    // "0.0" and "1.0" when it has none.
    TRangeTexts SplitRangeText() const;
    // Clears the jump flag, "make periodic" and every kind-specific option byte.
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
    // 201 drawn through its points.
    bool IsLagrangeExplicit() const {
        return kind == examples::kind::kExplicit && LagrangeForm() != 0;
    }

    // The mark at the low (end 0) or high (end 1) end of a curve's range. A circle's size is kept
    // in the end's count word (divisions[end]), an arrow's in its slice-point word
    // (slicePoints[end]), negative when hollow; a word outside +-19, or 0, carries no mark, so the
    // defaults of those words (36, 150) mean none. A circle wins when both words hold one.
    TEndMark EndMark(int end) const;
    void SetEndMark(int end, const TEndMark& mark);

    // --- role accessors over the kind slots: one per role a kind gives a place ---
    // End marks of a segment (205, 308): bit 0 an arrow at the first end, 2 or more one at
    // the second (3 both).
    std::int16_t& EndMarkMode() { return kindSlots.word32; }
    const std::int16_t& EndMarkMode() const { return kindSlots.word32; }
    // How a point gives its coordinates: 309 0 Cartesian, 1 cylindrical, 2 spherical; the
    // variant a 209 was created with (1, 2 polar, 4 complex).
    std::int16_t& PointCoordinates() { return kindSlots.word32; }
    const std::int16_t& PointCoordinates() const { return kindSlots.word32; }
    // Index of the last defining point of a Lagrange polynomial; -1 while none is set.
    std::int16_t& LagrangeLastPoint() { return kindSlots.word32; }
    const std::int16_t& LagrangeLastPoint() const { return kindSlots.word32; }
    // Parameter letter of a field (210, 211, 310) that sets its length, when positive.
    std::int16_t& FieldParameter() { return kindSlots.word32; }
    const std::int16_t& FieldParameter() const { return kindSlots.word32; }
    // The additional turns of a cylindrical surface (302): the turns of its t range beyond
    // the first, set when it is compiled.
    std::int16_t& AdditionalTurns() { return subKind; }
    const std::int16_t& AdditionalTurns() const { return subKind; }
    // Steps of the web diagram of 201.
    std::int16_t& WebSteps() { return kindSlots.word34; }
    const std::int16_t& WebSteps() const { return kindSlots.word34; }
    // The coordinate a surface intersection (317) gives by its tree 3: the axis minus 3 (0 z,
    // -1 y, -2 x).
    std::int16_t& SolvedAxis() { return kindSlots.word34; }
    const std::int16_t& SolvedAxis() const { return kindSlots.word34; }
    // Grid-line colour of a mesh surface or plane, a tangent plane's second colour; the
    // editor carries it for every kind.
    std::int16_t& GridColour() { return kindSlots.word34; }
    const std::int16_t& GridColour() const { return kindSlots.word34; }
    // Kind of the trajectory an entry at a trajectory's state (78-80) was made from.
    std::int16_t& TrajectoryKind() { return kindSlots.word34; }
    const std::int16_t& TrajectoryKind() const { return kindSlots.word34; }
    // The body the orbital simulation (219) centres on.
    std::int16_t& OrbitalOrigin() { return kindSlots.word34; }
    const std::int16_t& OrbitalOrigin() const { return kindSlots.word34; }
    // First parameter letter (1 = a): of a point list made from a parameter, of a plane
    // (315) when positive, of the point of a surface's tangents (77, 81).
    std::int16_t& FirstLetter() { return kindSlots.word36; }
    const std::int16_t& FirstLetter() const { return kindSlots.word36; }
    // The letter a family member (180) freezes.
    std::int16_t& FrozenLetter() { return kindSlots.word36; }
    const std::int16_t& FrozenLetter() const { return kindSlots.word36; }
    // How many numbers a plot-points list (215) holds.
    std::int16_t& PlotPointCount() { return kindSlots.word36; }
    const std::int16_t& PlotPointCount() const { return kindSlots.word36; }
    // The number shown after "Polynomial" for a Lagrange polynomial.
    std::int16_t& PolynomialNumber() { return kindSlots.word36; }
    const std::int16_t& PolynomialNumber() const { return kindSlots.word36; }
    // The first option of the trajectory an entry (78-80) was made from.
    std::int16_t& TrajectoryOption1() { return kindSlots.word36; }
    const std::int16_t& TrajectoryOption1() const { return kindSlots.word36; }
    // Second parameter letter: the last of a point list, the second of a plane or of the
    // point of a surface's tangents.
    std::int16_t& SecondLetter() { return kindSlots.word38; }
    const std::int16_t& SecondLetter() const { return kindSlots.word38; }
    // The variable slot a plot-points list (215) runs over (T or X).
    std::int16_t& PlotPointVariable() { return kindSlots.word38; }
    const std::int16_t& PlotPointVariable() const { return kindSlots.word38; }
    // The second option of the trajectory an entry (78-80) was made from.
    std::int16_t& TrajectoryOption2() { return kindSlots.word38; }
    const std::int16_t& TrajectoryOption2() const { return kindSlots.word38; }
    // A roulette (207) rolls on the left side.
    std::uint8_t& LeftSide() { return kindSlots.byte55; }
    const std::uint8_t& LeftSide() const { return kindSlots.byte55; }
    // A point (209) given as a complex number z (text 1).
    std::uint8_t& ComplexPoint() { return kindSlots.byte55; }
    const std::uint8_t& ComplexPoint() const { return kindSlots.byte55; }
    // An implicit curve (204) searches four times as long for its points.
    std::uint8_t& LongSearch() { return kindSlots.byte55; }
    const std::uint8_t& LongSearch() const { return kindSlots.byte55; }
    // A surface (301, 317) searches new level curves at its next drawing.
    std::uint8_t& LevelSearch() { return kindSlots.byte55; }
    const std::uint8_t& LevelSearch() const { return kindSlots.byte55; }
    // A surface's level search goes on until Q instead of a few attempts.
    std::uint8_t& LevelSearchUntilQ() { return kindSlots.byte56; }
    const std::uint8_t& LevelSearchUntilQ() const { return kindSlots.byte56; }
    // A surface's level search shows its attempts in the caption (byte 57, which only
    // explicit curves use otherwise, for "make periodic").
    std::uint8_t& LevelSearchProgress() { return periodic; }
    const std::uint8_t& LevelSearchProgress() const { return periodic; }
    // A Lagrange polynomial shows its defining points always.
    std::uint8_t& DotsAlwaysVisible() { return kindSlots.byte55; }
    const std::uint8_t& DotsAlwaysVisible() const { return kindSlots.byte55; }
    // The web diagram of 201 rises from its seed on the x-axis.
    std::uint8_t& InitialSegment() { return kindSlots.byte56; }
    const std::uint8_t& InitialSegment() const { return kindSlots.byte56; }
    // An implicit curve (204) is to be traced anew.
    std::uint8_t& TraceRequest() { return kindSlots.byte56; }
    const std::uint8_t& TraceRequest() const { return kindSlots.byte56; }
    // A surface of revolution (307) has its parameter ends bound to letters.
    std::uint8_t& EndsBound() { return kindSlots.byte56; }
    const std::uint8_t& EndsBound() const { return kindSlots.byte56; }
    // An explicit or cylindrical surface (301, 302) is drawn in the random-dot stereogram.
    std::uint8_t& StereogramFlag() { return kindSlots.byte56; }
    const std::uint8_t& StereogramFlag() const { return kindSlots.byte56; }
    // A series (218) draws its dots in the size word's size.
    std::uint8_t& OwnDotSize() { return kindSlots.byte56; }
    const std::uint8_t& OwnDotSize() const { return kindSlots.byte56; }
    // The orbital simulation (219) draws its bodies as bullets.
    std::uint8_t& Bullets() { return kindSlots.byte56; }
    const std::uint8_t& Bullets() const { return kindSlots.byte56; }
    // An old file's point: its coordinate groups were split after the Cartesian one.
    std::uint8_t& OldGroupSplit() { return kindSlots.byte56; }
    const std::uint8_t& OldGroupSplit() const { return kindSlots.byte56; }
    // A point (209) or segment (205) given by polar texts (r, t).
    std::uint8_t& PolarForm() { return kindSlots.byte58; }
    const std::uint8_t& PolarForm() const { return kindSlots.byte58; }
    // A parametric curve (203, 304) puts an arrow at t (text 6).
    std::uint8_t& ArrowAtT() { return kindSlots.byte58; }
    const std::uint8_t& ArrowAtT() const { return kindSlots.byte58; }
    // A mesh surface draws slowly ("fast draw" off); a diagram reading sets it on every
    // implicit curve and surface.
    std::uint8_t& SlowDrawing() { return kindSlots.byte58; }
    const std::uint8_t& SlowDrawing() const { return kindSlots.byte58; }
    // The web diagram of 201 shows the way of every step with arrows.
    std::uint8_t& WebArrows() { return kindSlots.byte58; }
    const std::uint8_t& WebArrows() const { return kindSlots.byte58; }
    // An explicit curve (201) is a Lagrange polynomial through its points.
    std::uint8_t& LagrangeForm() { return kindSlots.byte59; }
    const std::uint8_t& LagrangeForm() const { return kindSlots.byte59; }
    // A segment (205) adds its end points as point examples.
    std::uint8_t& EndPointsAsExamples() { return kindSlots.byte59; }
    const std::uint8_t& EndPointsAsExamples() const { return kindSlots.byte59; }
    // A sequence (212, 312) joins its terms with arrows.
    std::uint8_t& SequenceArrows() { return kindSlots.byte59; }
    const std::uint8_t& SequenceArrows() const { return kindSlots.byte59; }
    // A point (209, 309) shows its anchors.
    std::uint8_t& Anchors() { return kindSlots.byte59; }
    const std::uint8_t& Anchors() const { return kindSlots.byte59; }
    // A mesh surface is coloured by height.
    std::uint8_t& Spectrum() { return kindSlots.byte59; }
    const std::uint8_t& Spectrum() const { return kindSlots.byte59; }
    // The orbital simulation (219) centres on a body.
    std::uint8_t& OriginOn() { return kindSlots.byte59; }
    const std::uint8_t& OriginOn() const { return kindSlots.byte59; }
    // An explicit curve (201) shows its web diagram.
    std::uint8_t& WebOn() { return kindSlots.byte60; }
    const std::uint8_t& WebOn() const { return kindSlots.byte60; }
    // A parametric curve (203) given as r(t), theta(t); the profile of a surface of revolution
    // (307) given in polar form.
    std::uint8_t& PolarCurve() { return kindSlots.byte60; }
    const std::uint8_t& PolarCurve() const { return kindSlots.byte60; }
    // A sequence or series (212, 312, 218) joins its points.
    std::uint8_t& ConnectPoints() { return kindSlots.byte60; }
    const std::uint8_t& ConnectPoints() const { return kindSlots.byte60; }
    // A mesh surface draws its grid.
    std::uint8_t& Grid() { return kindSlots.byte60; }
    const std::uint8_t& Grid() const { return kindSlots.byte60; }
    // An old file's point: its polar group came first.
    std::uint8_t& OldPolarFirst() { return kindSlots.byte60; }
    const std::uint8_t& OldPolarFirst() const { return kindSlots.byte60; }

    // A per-kind number by its role.
    long double& Number(TNumber role) { return numbers[static_cast<std::size_t>(role)]; }
    long double Number(TNumber role) const { return numbers[static_cast<std::size_t>(role)]; }
    // Text k (1..7) and tree k (1..7), numbered as the rest of the program names them.
    std::string& Text(int k) { return texts[static_cast<std::size_t>(k - 1)]; }
    const std::string& Text(int k) const { return texts[static_cast<std::size_t>(k - 1)]; }
    NodePtr& Tree(int k) { return trees[static_cast<std::size_t>(k - 1)]; }
    const TExprNode* Tree(int k) const { return trees[static_cast<std::size_t>(k - 1)].get(); }
};

}  // namespace quorlin::examples
