#pragma once
// Error numbers shared by the whole program.
//
// Operations report 0 for success or one of these numbers; the error box shows string
// 400 + n of the string table under the caption "hmm ...".
namespace quorlin {

inline constexpr int kNoError = 0;
inline constexpr int kErrCannotUnderstand = 1;     // "cannot understand"
inline constexpr int kErrCouldNotFind = 2;         // "could not find"
inline constexpr int kErrNoMoreRoom = 4;           // "no more room"
inline constexpr int kErrInconsistentData = 6;     // "inconsistent data"
inline constexpr int kErrIncompatibleVersion = 8;  // "incompatible versions!"
inline constexpr int kErrCannotOpenFile = 11;      // "cannot open file"
inline constexpr int kErrPositiveValue = 14;       // "positive value?"
inline constexpr int kErrMakeSelection = 15;       // "make a selection"
inline constexpr int kErrOutOfBounds = 17;         // "out of bounds"
inline constexpr int kErrTooLarge = 20;            // "too large"
inline constexpr int kErrSelectTwo = 23;           // "select two"
// A tool that cannot take an example whose formula holds a JOIN.
inline constexpr int kErrFormulaNotUsable = 101;  // "formula not usable here"
// An example compiled past its work budget has no derivative trees for a tool to use.
inline constexpr int kErrFormulaTooLong = 110;  // "formula too long"
// An eye typed for a 3D window that stands over the focus or beyond every useful distance.
inline constexpr int kErrTooClose = 115;  // "too close"
inline constexpr int kErrTooFar = 118;    // "too far"

// What a key poll answers for Q (or any accelerator key), and what a long operation it stopped
// returns: drawing, tracing, sums and players end within a bounded amount of work.
inline constexpr int kKeyStop = 81;

// String-table id of the message for error n.
constexpr int ErrorStringId(int error) {
    return 400 + error;
}

}  // namespace quorlin
