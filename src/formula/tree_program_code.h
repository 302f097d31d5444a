#pragma once
// The code a TreeProgram runs, shared by the files that translate trees into it and the files
// that run it: the instruction set and code of the real accumulator machine, the same for the
// complex stack machine, and the two translations. Internal to the formula engine.
#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "formula/formula_context.h"
#include "formula/name_table.h"

namespace quorlin::program_detail {

// A stack of scratch places whose addresses never move.
template <typename T>
class ScratchStack {
public:
    int Push() {
        if (depth_ == static_cast<int>(places_.size())) places_.emplace_back();
        return depth_++;
    }
    void Pop() { --depth_; }
    T* At(int index) { return &places_[static_cast<std::size_t>(index)]; }

private:
    std::deque<T> places_;
    int depth_ = 0;
};

// --- real mode: an accumulator machine --------------------------------------------------------

enum class R : std::uint8_t {
    kLoad,    // acc = *a
    kStore,   // *t = acc
    kKeep,    // *t = acc, a value read again whose being undefined leaves the root undefined:
              // the run ends there, undefined, unless it is finite
    kOutput,  // out[n] = acc, the value of a tree of several (CompileRealOutputs); bit n of
              // undefinedOutputs set unless it is finite
    // acc = acc op *a
    kAdd,
    kSub,
    kMul,
    kDiv,
    kPow,
    // acc = *a op acc
    kRSub,
    kRDiv,
    kRPow,
    // acc = *a op *b
    kAdd2,
    kSub2,
    kMul2,
    kDiv2,
    kPow2,
    kNeg,
    kSquare,
    kCube,
    kPowInt,  // acc^n
    kSquareOf,
    kCubeOf,
    kPowIntOf,  // (*a)^n
    kHorner,    // acc = *b when b is given; then for the m terms from n: acc = acc * *a + term
    kSum,       // the m sum terms from n, each set into acc, or added to or taken from it
    kCall1,     // acc = fn(acc)
    kCall1Of,   // acc = fn(*a)
    kCall2,     // acc = fn(acc, *a)
    kCall2R,    // acc = fn(*a, acc)
    kJoin,      // acc is the boundary: jump to m when not finite, to n unless *a < acc
    kJump,
    kJumpIfFinite,
    kBoundEnter,  // acc is the point: jump to m when not finite, else keep slot t, set it
    kBoundLeave,
    kPeriodicEnter,  // *a low end, acc the period; X in t
    kPeriodicLeave,
};

struct RealInstr {
    R op;
    std::int32_t n = 0;
    std::int32_t m = 0;
    const long double* a = nullptr;
    const long double* b = nullptr;
    long double* t = nullptr;  // a place written: a temporary, or the parts of a variable slot
    RealEvaluator fn = nullptr;
    long double* saved = nullptr;  // two places that keep a slot's parts
};

// A term of a sum: a place, its square, cube or other whole power, or the product of two places
// (as the setter instruction of that name computes it), times a coefficient when one is given.
// The terms of a polynomial typed as a sum of powers.
inline constexpr int kMostSumTerms = 16;

struct SumTerm {
    enum class Combine : std::uint8_t { kSet, kAdd, kSub };
    R setter = R::kLoad;  // kLoad, kSquareOf, kCubeOf, kPowIntOf or kMul2
    Combine combine = Combine::kAdd;
    std::int32_t power = 0;          // of kPowIntOf
    const long double* x = nullptr;  // the place the setter reads
    const long double* b = nullptr;  // the second factor of kMul2
    const long double* coef = nullptr;
};

struct RealCode {
    std::vector<RealInstr> code;
    std::deque<long double> pool;    // constants; addresses never move
    std::deque<long double> shared;  // values of repeated subtrees, kept where first computed
    ScratchStack<long double> temps;
    ScratchStack<std::array<long double, 2>> saves;  // slots kept by bound and periodic nodes
    std::vector<const long double*> terms;           // of the Horner chains
    std::vector<SumTerm> sumTerms;
    bool constantRoot = false;
    long double rootIm = 0;
    // The outputs whose values were not finite, by bit, since it was last cleared: tested
    // where the value is at hand, since reading an output back from memory at once stalls.
    std::uint32_t undefinedOutputs = 0;

    // Runs the instructions [start, end) and returns the accumulator: the value, undefined
    // unless finite. The values of code for several trees go to out.
    long double Run(std::size_t start, std::size_t end, long double* out = nullptr);
};

// --- complex mode: a stack machine with the tree walk's rules -------------------------------

enum class C : std::uint8_t {
    // Pushes and pops: an instruction that pushes sets the top down first when `below` (the
    // stack is not empty); one that takes the top away takes up the value below when `below`.
    kPush,     // *a as it is (a constant node)
    kPushVar,  // a variable as a node keeps it
    kFail,     // a missing child: undefined
    kAdd,
    kSub,
    kMul,
    kDiv,
    kPow,
    kPowWhole,  // the top to the whole power n, as the power of a constant exact exponent
    kNeg,
    kSquare,
    kCall,          // fn of n arguments
    kJoin,          // pops the boundary; jump to n unless the slot's real part is below it
    kJump,          // to n
    kBoundEnter,    // pops the point into the slot, keeping the slot's value
    kBoundLeave,    // gives the slot its value back
    kMark,          // keeps the count of failures
    kFallbackTest,  // jump to m when nothing failed since the mark, else forget the first value
    kStore,         // the top as a node keeps it, undefined unless finite
    kNorm,          // the top as a node keeps it
    kKeep,          // the top into *slot, and the failures since the mark into *mark
    kPushKept,      // *a, with the *mark failures its subtree had
    kEnd,
};

struct ComplexInstr {
    C op;
    bool below = false;
    std::int32_t n = 0;
    std::int32_t m = 0;
    const Complex* a = nullptr;
    Complex* slot = nullptr;
    Complex* saved = nullptr;
    int* mark = nullptr;
    ComplexEvaluator fn = nullptr;
};

struct ComplexCode {
    std::vector<ComplexInstr> code;
    std::deque<Complex> pool;
    ScratchStack<Complex> saves;
    ScratchStack<int> marks;
    // Values of repeated subtrees, kept where first computed, with the failures they had.
    std::deque<Complex> shared;
    std::deque<int> sharedFailures;
    std::vector<Complex> stack;

    // Runs the instructions from start to the end; the value, and whether it is defined.
    Complex Run(std::size_t start, bool& defined);
};

// --- translation ------------------------------------------------------------------------------

// Translates the tree into the code for the context's real mode; false when the tree has nodes
// that only the tree walk evaluates.
bool CompileReal(FormulaContext& context, const TExprNode* tree, RealCode& code);
// Translates the trees into one code for the context's real mode that stores each tree's value
// in its output, computing a subtree common to several trees once; false as CompileReal.
bool CompileRealOutputs(FormulaContext& context, std::span<const TExprNode* const> trees,
                        RealCode& code);
// Translates the tree into the code for the context's complex mode; false when the tree has
// nodes that complex mode evaluates as real.
bool CompileComplex(FormulaContext& context, const TExprNode* tree, ComplexCode& code);

}  // namespace quorlin::program_detail
