#pragma once
// Derivation codes: the operations that derive an example from one or two parents. One table
// holds every code with its name, the parents it names, whether a Taylor polynomial or tangent
// line may be taken of its result, how its text is written and what its record must hold. The
// windows rebuild a derived example from the same codes through tables of their own (a level
// rebuilds what it knows how to build, see RebuildHook); nothing switches over a code.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "examples/records/example.h"

namespace quorlin::examples {

// The codes by name; arithmetic combinations use the operation's character. The product
// constructions (142-147, 152-154) appear only in the table.
namespace derived {
inline constexpr std::uint16_t kProduct = 42;            // '*'
inline constexpr std::uint16_t kSum = 43;                // '+'
inline constexpr std::uint16_t kDifference = 45;         // '-'
inline constexpr std::uint16_t kQuotient = 47;           // '/'
inline constexpr std::uint16_t kTaylor = 65;             // Taylor polynomial (201)
inline constexpr std::uint16_t kDerivative = 68;         // the parent's order + 1
inline constexpr std::uint16_t kGradientField = 71;      // created with unit vectors
inline constexpr std::uint16_t kAntiderivative = 73;     // its value is evaluated every time
inline constexpr std::uint16_t kTangentLine = 76;        // tangent line of a curve
inline constexpr std::uint16_t kTangentPlane = 77;       // of a surface at the slicer point
inline constexpr std::uint16_t kTrajectoryPoint = 78;    // point at a trajectory's state
inline constexpr std::uint16_t kTrajectoryVector = 79;   // velocity vector there
inline constexpr std::uint16_t kTrajectoryTangent = 80;  // tangent line there
inline constexpr std::uint16_t kSurfaceLine = 81;        // tangent lines of a surface (304)
inline constexpr std::uint16_t kRoulette = 82;           // rolled along the parent
inline constexpr std::uint16_t kEvolute = 83;            // of the parent curve
inline constexpr std::uint16_t kPower = 94;              // '^'
inline constexpr std::uint16_t kPlotPoints = 99;         // chosen points of the parent
inline constexpr std::uint16_t kMirrorLine = 100;        // line of a reflection
inline constexpr std::uint16_t kReflectX = 101;          // in the x-axis
inline constexpr std::uint16_t kReflectY = 102;          // in the y-axis
inline constexpr std::uint16_t kReflectDiagonal = 103;   // in the line y = x
inline constexpr std::uint16_t kReflectLine = 104;       // in a given line
inline constexpr std::uint16_t kHalfTurn = 105;          // rotation by a half-turn
inline constexpr std::uint16_t kRotation = 106;          // by an angle about a centre
inline constexpr std::uint16_t kMarkedPoint = 109;       // point marked on a curve
inline constexpr std::uint16_t kTranslation = 110;       // by a vector
inline constexpr std::uint16_t kAbsValue = 111;          // |f|
inline constexpr std::uint16_t kEndPoint = 125;          // end point of a segment
inline constexpr std::uint16_t kProjection = 150;        // projection on the second parent
inline constexpr std::uint16_t kPerpendicular = 151;     // part perpendicular to it
inline constexpr std::uint16_t kComposition = 177;       // first parent plugged into second
inline constexpr std::uint16_t kFrozenMember = 180;      // family member, letter frozen
// The surface intersections (317) from this code on meet a parametric surface and are traced
// in its parameter plane (t read as x, u as y).
inline constexpr std::uint16_t kFirstParametricIntersection = 152;
}  // namespace derived

// The parents a derivation code names: one example; two operands; one, optionally a second
// (antiderivative); or, for the end point of a segment, the segment and the index of the first
// text of the copied pair in place of the second parent.
enum class TParents { kOne, kTwo, kOneOrTwo, kSegmentAndText };

// The parts the text of a derived example is made of (derived_texts.h).
struct TDerivedText;
using TDescribe = std::string (*)(TDerivedText& parts);
// True when the record holds what its code needs.
using TValidate = bool (*)(const TExample& example);

struct TDerivationInfo {
    std::uint16_t code;
    std::string_view derived;
    TParents parents;
    TDescribe describe;           // null: no text
    bool approximable = false;    // a Taylor polynomial or tangent line may be taken of it
    TValidate valid = nullptr;    // null: nothing of its own to check
    std::string_view fault = {};  // the field a failed check names
};

std::span<const TDerivationInfo> DerivationTable();
// The entry of a derivation code; null for 0 (not derived) and for unknown codes.
const TDerivationInfo* FindDerivation(int code);

// The degrees a Taylor polynomial may have: the record check, the builder and the tracing
// slider all ask this one test.
inline constexpr int kMaxTaylorDegree = 9;
constexpr bool IsTaylorDegree(int degree) {
    return degree >= 0 && degree <= kMaxTaylorDegree;
}

// The second parent word names an example (all but the end point of a segment, which keeps
// a text index there); true for 0 and unknown codes.
bool NamesSecondParent(int code);

// The end of its segment an end point copies, by its second parent word: 0 the first (texts 1
// and 2), 2 the second (texts 3 and 4). A file may hold another word there, written by a
// program that renumbers that word with the parents when examples are deleted or exchanged;
// such a point names no end, keeps its word and is drawn as nothing.
constexpr bool NamesSegmentEnd(int word) {
    return word == 0 || word == 2;
}

// The entries at a trajectory's state (78-80) keep that state in their numbers.
constexpr bool IsTrajectoryEntry(int code) {
    return code >= derived::kTrajectoryPoint && code <= derived::kTrajectoryTangent;
}

// A level's way of rebuilding the codes it knows: how it rebuilds example i, true when it
// was rebuilt. A level keeps a table of these beside its commands and falls back to its base's.
template <class Level>
struct TRebuildHook {
    std::uint16_t code;
    bool (*rebuild)(Level& level, int i);
};

// The hook of the code in a level's table run on example i; empty when the level does not
// build the code.
template <class Level, class Hooks>
std::optional<bool> RunRebuildHook(const Hooks& hooks, Level& level, int code, int i) {
    for (const TRebuildHook<Level>& hook : hooks)
        if (hook.code == code) return hook.rebuild(level, i);
    return std::nullopt;
}

}  // namespace quorlin::examples
