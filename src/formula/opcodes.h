#pragma once
// Operation codes of expression-tree nodes, all in one table.
//
// Operators and variables are their ASCII characters ('+' 43, 'X' 88, ...), constants are '#',
// built-in functions start at 128. A few codes below 32 and a few at 200 and up are nodes
// that only the compiler of examples builds (curvature, fallback, periodic curves, vectors,
// surfaces of revolution). Codes are plain ints so that they can be stored, compared and used
// as table indices without casts.
//
// Child layout, by kind of node:
//   binary operator, two-argument function   child[0] left, child[1] right
//   unary minus, one-argument function       child[1] the argument (child[0] empty)
//   JOIN                                     child[0] piece left of the boundary,
//                                            child[1] boundary, child[2] the rest (another
//                                            JOIN node or the last piece); aux = variable op
//   constant '#'                             re, im hold the value
//   variable '@', 'A'..'Z'                   the value comes from the variable table
//   extra real slot 12..20                   the value comes from the extra real slots
#include <cstdint>

namespace quorlin::op {

// Nodes built by example compilation and by the tree builders.
inline constexpr int kCurvature3 = 6;  // children x'', z'', y''; child[3] the curvature
// Bound node: evaluates child[1] with the variable slot (aux & 0xFF) set to the value of
// child[0], times child[2] (a missing child[2] counts as 1). aux >> 8 holds a marker letter
// ('A' for the Taylor template, 'L' for tangent lines) that tells the builders apart.
inline constexpr int kBound = 7;
inline constexpr int kFallback = 10;        // child[0], or child[1] where child[0] is undefined
inline constexpr int kExtraRealFirst = 12;  // nodes 12..20 read the extra real slots 12..20
inline constexpr int kExtraRealLast = 20;
// Nodes 21..26 read the sight line of the 3D hidden-line tests, variable slots 27..32: the eye
// point P1-P3 and the direction P4-P6.
inline constexpr int kSightFirst = 21;
inline constexpr int kSightLast = 26;
inline constexpr int kPlaceholder1 = 28;  // temporary stand-ins for X and Y while substituting
inline constexpr int kPlaceholder2 = 29;

// Leaves and operators.
inline constexpr int kConst = '#';   // 35
inline constexpr int kPlus = '+';    // 43
inline constexpr int kMinus = '-';   // 45 (binary)
inline constexpr int kTimes = '*';   // 42
inline constexpr int kDivide = '/';  // 47
inline constexpr int kPower = '^';   // 94
inline constexpr int kNegate = '~';  // 126: unary minus, argument in child[1]
inline constexpr int kVarAt = '@';   // 64, variable slot 0
inline constexpr int kVarA = 'A';    // 65 .. 'Z' 90, variable slots 1..26
inline constexpr int kVarZ = 'Z';
inline constexpr int kVarR = 'R';
inline constexpr int kVarT = 'T';
inline constexpr int kVarU = 'U';
inline constexpr int kVarX = 'X';
inline constexpr int kVarY = 'Y';
inline constexpr int kVarZLetter = 'Z';

// Built-in functions (the name table gives their names and arities).
inline constexpr int kSqrt = 128;
inline constexpr int kExp = 129;
inline constexpr int kCos = 130;
inline constexpr int kTan = 131;
inline constexpr int kCot = 132;
inline constexpr int kSec = 133;
inline constexpr int kCsc = 134;
inline constexpr int kArcSin = 135;
inline constexpr int kArcCos = 136;
inline constexpr int kArcTan = 137;
inline constexpr int kArcCot = 138;
inline constexpr int kAbs = 139;
inline constexpr int kLn = 140;
inline constexpr int kLog10 = 141;
inline constexpr int kSin = 142;
inline constexpr int kSinh = 143;
inline constexpr int kCosh = 144;
inline constexpr int kTanh = 145;
inline constexpr int kCoth = 146;
inline constexpr int kSech = 147;
inline constexpr int kCsch = 148;
inline constexpr int kArSinh = 149;
inline constexpr int kArCosh = 150;
inline constexpr int kArTanh = 151;
inline constexpr int kArCoth = 152;
inline constexpr int kMax = 153;
inline constexpr int kMin = 154;
inline constexpr int kSign = 155;
inline constexpr int kFloor = 156;
inline constexpr int kCeil = 157;
inline constexpr int kRound = 158;
inline constexpr int kFrac = 159;
inline constexpr int kTrunc = 160;
inline constexpr int kRe = 161;
inline constexpr int kIm = 162;
inline constexpr int kConj = 163;
inline constexpr int kGamma = 164;
inline constexpr int kLnGamma = 165;
inline constexpr int kErf = 166;
inline constexpr int kErfc = 167;
inline constexpr int kFactorial = 168;
inline constexpr int kCbrt = 169;
inline constexpr int kLog2 = 170;
inline constexpr int kPi = 171;  // no argument
inline constexpr int kArcSec = 172;
inline constexpr int kArcCsc = 173;
inline constexpr int kArSech = 174;
inline constexpr int kArCsch = 175;
inline constexpr int kStep = 176;     // Heaviside: 0 below 0, 1 from 0 on
inline constexpr int kArcTan2 = 177;  // ATAN2(y, x)
inline constexpr int kMod = 178;      // MOD(a, b) = a - b FLOOR(a / b)
inline constexpr int kLogBase = 179;  // LOGB(b, x) = LN(x) / LN(b)
inline constexpr int kJoin = 180;
inline constexpr int kRoot = 181;   // ROOT(n, x): the real n-th root
inline constexpr int kHypot = 182;  // HYPOT(a, b)
inline constexpr int kBeta = 183;   // BETA(a, b)
inline constexpr int kBesselJ0 = 184;
inline constexpr int kBesselJ1 = 185;
inline constexpr int kBesselY0 = 186;
inline constexpr int kBesselY1 = 187;
inline constexpr int kSinInt = 188;  // Si(x)
inline constexpr int kCosInt = 189;  // Ci(x)
inline constexpr int kExpInt = 190;  // Ei(x)
inline constexpr int kArg = 191;
inline constexpr int kZeta = 192;
inline constexpr int kFresnelS = 193;
inline constexpr int kFresnelC = 194;
inline constexpr int kDigamma = 195;
inline constexpr int kSinc = 196;      // SIN(x)/x, 1 at 0
inline constexpr int kBinomial = 197;  // BINOM(n, k) through the gamma function
inline constexpr int kLog1p = 198;     // LN(1 + x) without cancellation
inline constexpr int kExpm1 = 199;     // EXP(x) - 1 without cancellation

inline constexpr int kPeriodic = 200;    // child[0] low end, child[1] f(X), child[2] period
inline constexpr int kDerivState = 222;  // n-th derivative of y in a derx(n,y) equation, n = aux
inline constexpr int kVector3 = 223;     // child[0..2] the three components
inline constexpr int kSquare = 253;      // argument in child[1]

// Surface-of-revolution nodes; aux holds the first division count.
inline constexpr int kRevolutionFirst = 500;
inline constexpr int kRevolutionFoot = 500;
inline constexpr int kRevolutionFootWide = 510;
inline constexpr int kRevolutionScale = 520;
inline constexpr int kRevolutionLast = 520;

inline constexpr int kFirstBuiltin = 128;
inline constexpr int kLastBuiltin = 254;

// The symbol buffer of a window has one byte per code; no code reaches it.
inline constexpr int kCodeCount = 1000;

constexpr bool IsVariable(int code) {
    return code >= kVarAt && code <= kVarZ;
}
constexpr int VariableSlot(int code) {
    return code - kVarAt;
}  // '@' 0, 'A' 1, ..., 'Z' 26
constexpr int VariableOp(int slot) {
    return kVarAt + slot;
}
constexpr bool IsExtraReal(int code) {
    return code >= kExtraRealFirst && code <= kExtraRealLast;
}
constexpr bool IsSightLine(int code) {
    return code >= kSightFirst && code <= kSightLast;
}
constexpr int SightLineSlot(int code) {
    return code - kSightFirst + 27;
}
constexpr bool IsBinaryOperator(int code) {
    return code == kPlus || code == kMinus || code == kTimes || code == kDivide || code == kPower;
}
constexpr int BoundAux(int slot, char marker) {
    return (slot & 0xFF) | (marker << 8);
}
constexpr int BoundSlot(int aux) {
    return aux & 0xFF;
}
constexpr char BoundMarker(int aux) {
    return static_cast<char>(aux >> 8);
}

}  // namespace quorlin::op
