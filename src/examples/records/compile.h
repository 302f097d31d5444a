#pragma once
// Compilation of examples: the formula texts of an inventory entry become the expression trees
// its drawers evaluate, together with what is derived from them (parametric forms, first and
// second derivatives, curvature, the line forms of segments and lines, evolutes, planes,
// tubes and surfaces of revolution, the compiled range ends). Beside it: the record of which
// operations and parameters the examples use (the symbol buffer, read when a parameter moves
// to decide what must be redrawn), the parameters and slider ranges an example carries, and
// the window's seven compile option bytes.
//
// Compilation reports nothing: texts are checked where they are typed or read. A text that
// does not parse leaves its tree empty, and drawers treat an empty tree as undefined; no record
// makes compilation loop or fail.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/vectors.h"
#include "examples/records/inventory.h"
#include "formula/expr_node.h"
#include "formula/formula_context.h"
#include "formula/opcodes.h"

namespace quorlin::examples {

// One mark per operation code: entry n is set when operation n occurs in some example; a
// parameter letter k (1 = A) is marked at 64 + k, its variable's own code.
class TSymbolBuffer {
public:
    static constexpr int kSize = op::kCodeCount;

    void Clear() { marks_.fill(0); }
    // Codes outside the buffer are ignored.
    void Mark(int code) {
        if (code >= 0 && code < kSize) marks_[static_cast<std::size_t>(code)] = 1;
    }
    // Letter 0 '@', 1 'A' .. 26 'Z'; other numbers are ignored.
    void MarkLetter(int letter) {
        if (letter >= 0 && letter <= 26) Mark(op::kVarAt + letter);
    }
    bool IsMarked(int code) const {
        return code >= 0 && code < kSize && marks_[static_cast<std::size_t>(code)] != 0;
    }
    bool UsesLetter(int letter) const { return IsMarked(op::kVarAt + letter); }
    const std::array<std::uint8_t, kSize>& Bytes() const { return marks_; }

private:
    std::array<std::uint8_t, kSize> marks_{};
};

// The window's seven compile option bytes; diagram files carry them as one 7-bit mask.
struct TCompileOptions {
    static constexpr int kCount = 7;
    std::array<std::uint8_t, kCount> bytes{};
    // 1 + the position of the first set byte among the first six; 0 when none is set.
    int firstOption = 0;

    std::uint8_t Pack() const;  // bit i = byte i
    void Unpack(std::uint8_t mask);
};

// Where the parameters an example names go: the window level plugs in its sliders. Without
// one the compiler writes into the formula context (value, and the parameter's ends).
class TParameterSink {
public:
    virtual ~TParameterSink() = default;
    // Parameter letter (1 = A .. 23 = W) takes the value, and its slider runs over [low, high].
    virtual void SetParameter(int letter, long double value, long double low, long double high) = 0;
};

// The text of an example as the editing controls show it: none for a derived example (its
// trees come from its parents), except a plot-points list.
std::optional<std::string> EditableText(const TExample& e, int textNumber);

// The indexes of the point examples (209, 309) in inventory order: the position-to-index map
// of a list of points.
std::vector<int> PointExampleIndexes(const TInventory& inventory);

// Loads the coefficients of a Lagrange polynomial's Newton form (the divided differences of its
// points) into the extra real slots 12..20 that its tree reads; unused slots get 0.
void LoadLagrangeCoefficients(const TExample& e, FormulaContext& context);

// The value of the parameter letter a field's arrow length is tied to (its field parameter,
// A..W); empty when the length is the example's own number.
std::optional<long double> BoundFieldLength(const FormulaContext& f, const TExample& e);

// Tree builders of this level, from copies (null in, null out).
NodePtr MakeClampTree(const TExprNode* u);                  // MIN(1, MAX(0, u))
NodePtr MakeSpecialProduct(const TExprNode* u, int count);  // op-520 node (aux count) * u

class TExampleCompiler {
public:
    TExampleCompiler(TInventory& inventory, FormulaContext& context)
        : inventory_(inventory), ctx_(context) {}

    TSymbolBuffer& Symbols() { return symbols_; }
    const TSymbolBuffer& Symbols() const { return symbols_; }
    TCompileOptions& Options() { return options_; }
    const TCompileOptions& Options() const { return options_; }
    void SetParameterSink(TParameterSink* sink) { sink_ = sink; }
    // While a diagram file is read, the ranges of examples 0 and 1 are not evaluated.
    void SetReading(bool reading) { reading_ = reading; }

    // --- compilation -------------------------------------------------------------------------
    // Compiles example i: its trees from its texts by kind, its derived trees, its range trees
    // and values, and its symbol marks.
    void CompileExample(int i);
    // The compiled ends of a range kind and the arrow position of a parametric curve.
    void CompileRangeTexts(int i);
    // Per-kind preparation after parsing: range trees, polar forms, profiles, Lagrange tree.
    void CompileCurveData(int i);
    // The derivative trees 5-7 (4-7 of a plane map).
    void CompilePartials(int i);
    // Tree 7 the line through a segment's end points or of a line ax + by = c, tree 6 its
    // slope.
    void CompileSegment(int i);
    void CompileLine(int i);
    // Tree 4: the curvature of a curve.
    void CompileCurvature(int i);
    // Trees 1 and 2 of an evolute (derivation 83) from its parent's trees.
    void BuildEvolute(int i);
    // Evaluates the compiled range ends into the record.
    void EvaluateRanges(int i);
    // Tree 2 of a Lagrange polynomial: a Newton form through its points whose coefficients
    // are read from the extra real slots 12..20 (LoadLagrangeCoefficients).
    void BuildLagrangeTree(int i);
    // Trees 1-3 of a tangent construction: T direction + point, the directions into 5-7.
    void BuildParametricLine(int i);
    // Trees 1-3 of a plane example from its normal (trees 1-3), its point (trees 5-7) and its
    // side length (text 6): the square of that side about the point, in T and U.
    void BuildPlaneSurface(int i);

    // Parses the first n (1..3) comma-separated fields of the text (commas inside parentheses
    // belong to their field) into the slots; returns 0 or the first error, which ends the run
    // and leaves the rest of the slots untouched.
    int ParseList(std::string_view text, int n, NodePtr* slot1, NodePtr* slot2 = nullptr,
                  NodePtr* slot3 = nullptr);
    // node becomes a 3-vector (op 223) whose children are the three fields of the text.
    int ParseVector3(std::string_view text, TExprNode& node);

    // --- evaluation --------------------------------------------------------------------------
    // The two points of a point or segment (trees 1, 2 and 3, 4; a point's second point is its
    // first); points given in polar form become Cartesian. 1 when a value is undefined, else 0.
    int EvalEndPoints(int i, Vec2& p1, Vec2& p2);
    // The plane through three points of a mesh example's point array as a tree in X, Y, Z. With
    // axis > 0 on entry it is solved for z, else y, else x (axis 3, 2, 1); with no usable normal
    // component the result is the constant 0 and axis -6. Null when the array is too short.
    NodePtr PlaneEquationTree(int i, int& axis) const;

    // --- symbols, parameters, options --------------------------------------------------------
    // Clears the buffer and marks every example, then the given trees (evaluated texts) and
    // letters (the end parameters of shadings).
    void MarkUsedSymbols(std::span<const TExprNode* const> extraTrees = {},
                         std::span<const int> extraLetters = {});
    void MarkSymbolsOfExample(int i);
    void MarkTrajectorySymbols(int i);
    static void MarkTreeSymbols(const TExprNode* tree, TSymbolBuffer& buffer);
    // Marks the operations of a formula text (an evaluated text's piece); returns the parse
    // error, 0 when it parsed.
    int MarkTextSymbols(std::string_view text);

    // Sets the parameters and slider ranges named by a surface of revolution's ranges.
    void SetParamsFromExample(int i);

    std::uint8_t PackOptionBits() const { return options_.Pack(); }
    void UnpackOptionBits(std::uint8_t mask) { options_.Unpack(mask); }

    // --- small queries and rewrites ----------------------------------------------------------
    bool IsLagrangeExplicit(int i) const;
    // True when tree 1, 2 or 3 holds a JOIN node.
    bool UsesJoin(int i) const;
    // Replaces variable a by a leaf of op b in all seven trees.
    void RenameVariableInExample(int i, int a, int b);

private:
    NodePtr Parsed(std::string_view text);
    NodePtr Derivative(const TExprNode* tree, int variableOp);
    void Simplified(NodePtr& tree);
    void ParseKindTexts(int i);
    void CompilePeriodic(TExample& e);
    void CompileSegmentProfile(TExample& e);
    void CompileSpaceSegment(TExample& e);
    void BuildPlane(TExample& e);
    void BuildTube(TExample& e);
    void BuildRevolution(int i);
    void BuildImplicitRevolution(TExample& e);

    // The work the derivatives and simplifications of one example's compilation may do, in
    // the units of work_budget.h (about one a node built, copied or evaluated): twenty times
    // what the partial derivatives of SIN(X)^COS(X)*EXP(X^X)/(1+X^2) take, far below those of
    // its fourth derivative. The parses of the texts have their own bound.
    static constexpr long long kCompileWork = 200'000;
    struct CompileWork {
        WorkBudget* budget = nullptr;  // the example's, while one is compiled
        bool exhausted = false;
    };
    // Puts the budget of one example's compilation in force for its derivatives; at its end
    // the example is marked over budget, and loses its derivative trees, when the budget ran
    // out.
    class WorkScope {
    public:
        WorkScope(TExampleCompiler& compiler, TExample& example);
        ~WorkScope();
        WorkScope(const WorkScope&) = delete;
        WorkScope& operator=(const WorkScope&) = delete;

    private:
        TExampleCompiler& compiler_;
        TExample& example_;
        WorkBudget budget_;
        CompileWork saved_;
    };
    // Runs a symbolic step on the example's budget (a budget of its own outside a compilation
    // of an example); false, with the compilation marked exhausted, when the budget ran out.
    template <typename Step>
    bool WithinBudget(Step&& step);
    static void DropDerivativeTrees(TExample& e);

    TInventory& inventory_;
    FormulaContext& ctx_;
    CompileWork compileWork_;
    TSymbolBuffer symbols_;
    TCompileOptions options_;
    TParameterSink* sink_ = nullptr;
    bool reading_ = false;
};

}  // namespace quorlin::examples
