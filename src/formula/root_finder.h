#pragma once
// Result codes of FormulaContext::FindRootInInterval (formula_context.h), the bisection root
// finder that the zero, extreme and intersection tools run on subintervals of a range.
//
// The finder evaluates the tree at both ends (an end whose value lies within kRootZero of 0
// is the root), requires a change of sign (a value above 0 at one end only), and halves the
// bracket until it is narrower than the context's rootTolerance or 101 halvings are done.
namespace quorlin::rootfind {

inline constexpr int kFound = 0;      // root stored
inline constexpr int kUndefined = 1;  // an evaluation failed
inline constexpr int kNotAZero = 2;   // the bracket closed on a pole or jump (root stored)
inline constexpr int kNoSignChange = 104;
inline constexpr int kEndTouch = -1;  // no sign change, but an end value is 0 (end stored)

inline constexpr long double kRootZero = 1e-16L;    // an end value this small is a root
inline constexpr long double kMaxResidual = 1e-5L;  // a located root must be at least this flat
inline constexpr int kMaxHalvings = 101;

}  // namespace quorlin::rootfind
