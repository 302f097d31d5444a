#pragma once
// The formula engine of one graphing window, without the window: the variable table and the
// animation parameters, the user-defined functions, the real or complex mode, the parser
// (Parse leaves its tree in the parse result) and the evaluator, and the readers of numeric
// input fields, which accept any constant expression.
//
// Error numbers follow the program's table: 0 success, 1 "cannot understand", 9 an empty text,
// 17 "out of bounds", 101-119 parser errors (message 400 + n).
#include <array>
#include <complex>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "formula/expr_node.h"
#include "formula/work_budget.h"

namespace quorlin {

class ByteReader;
class ByteWriter;

using Complex = std::complex<long double>;

// The text with its ASCII letters upper-cased, as every formula is read.
std::string UpperCased(std::string_view text);

// Slots of the variable table.
namespace slot {
inline constexpr int kAt = 0;  // '@'
inline constexpr int kE = 5;
inline constexpr int kR = 18;
inline constexpr int kS = 19;
inline constexpr int kT = 20;
inline constexpr int kU = 21;
inline constexpr int kX = 24;
inline constexpr int kY = 25;
inline constexpr int kZ = 26;
inline constexpr int kNamedCount = 27;  // '@' and 'A'..'Z'
inline constexpr int kSightFirst = 27;  // 27-29 eye point, 30-32 direction of the sight line
inline constexpr int kCount = 33;
inline constexpr int kLastParameter = 23;  // animation parameters '@' and 'A'..'W'
}  // namespace slot

// 27 complex slots, '@' and the letters A-Z, and the six reals of the 3D sight line.
struct TVariableTable {
    std::array<Complex, slot::kCount> value{};

    // Every slot 0 except E, which holds e.
    void Reset();
    bool operator==(const TVariableTable&) const = default;
};

// Left and right ends of the animation parameters '@' and A..W; their values live in the
// variable table. A slider at position p of a range r shows left + p (right - left) / r.
struct TAnimParams {
    std::array<long double, slot::kLastParameter + 1> left{};
    std::array<long double, slot::kLastParameter + 1> right{};

    void Reset();  // every range [0, 1]
    long double SliderValue(int letterSlot, long double position, long double range) const;
};

// One user-defined function: NAME(x[, y[, z]]) = body, whose arguments are the letters X, Y
// and Z of the body. The parsed body is kept so that each call inlines a copy.
struct UserFunction {
    std::string name;  // 2..9 upper-case letters
    std::string body;  // at most 60 characters, upper-cased
    int argCount = 1;  // 1..3
    NodePtr tree;
    std::vector<std::string> calls;  // the user functions the body calls, each once
};

// Result codes of DefineUserFunction.
namespace userfn {
inline constexpr int kDone = 1000;
inline constexpr int kEmptyName = 1024;
inline constexpr int kNameTaken = 1122;  // one letter, a built-in name or a name in use
inline constexpr int kNameTooLong = 1116;
inline constexpr int kNameNotLetters = 1144;
inline constexpr int kEmptyBody = 2024;
inline constexpr int kBodyTooLong = 2116;
inline constexpr int kBodyParseError = 2000;  // plus the parser's error number
// A new function beyond the most that a diagram file's block can count (its count is 16 bits).
inline constexpr int kTooMany = 1404;
inline constexpr std::size_t kMaxFunctions = 0xFFFF;
inline constexpr std::size_t kMaxNameLength = 9;
inline constexpr std::size_t kMaxBodyLength = 60;
inline constexpr std::size_t kRecordSize = 77;
// The first rule the upper-case name breaks as a function's name, in the order of the codes a
// definition gives (empty, too long, not letters, one letter or a built-in or form name); 0
// when it may name a function.
int CheckName(std::string_view upperName);
}  // namespace userfn

// A function as listings show it: "NAME(X) = body", "(X,Y) = " or "(X,Y,Z) = " by its
// argument count.
std::string UserFunctionLine(const UserFunction& f);

class FormulaContext {
public:
    static constexpr std::size_t kMaxFormulaLength = 255;
    static constexpr int kMaxNesting = 256;  // deeper formulas are refused, not recursed into

    FormulaContext();
    ~FormulaContext();
    FormulaContext(const FormulaContext&) = delete;
    FormulaContext& operator=(const FormulaContext&) = delete;

    // --- modes and settings ---------------------------------------------------------------
    bool complexMode = false;
    bool derivativesOn = true;
    bool simplifyOn = true;
    int dimension = 2;
    long double rootTolerance = 1e-12L;
    // Extra real slots 12..20 read by the nodes of the same op codes (Lagrange chain).
    std::array<long double, op::kExtraRealLast + 1> extraReal{};
    // y, y', y'', ... of a derx(n,y) equation, read by DERX(k,Y) nodes (op kDerivState).
    std::array<long double, 10> derivState{};
    // The Taylor template, prepared by the symbolic side (taylor.h).
    NodePtr taylorTemplate;

    // --- variables -------------------------------------------------------------------------
    TVariableTable vars;
    TAnimParams params;

    void SetVar(int slotIndex, long double value) {
        // The imaginary part +0 written as zero bytes: a store of the x87 unit would cost as
        // much as the rest of a short evaluation in the loops that set a variable per point.
        auto& parts = reinterpret_cast<long double(&)[2]>(vars.value[slotIndex]);
        parts[0] = value;
        std::memset(&parts[1], 0, sizeof(long double));
    }
    void SetVar(int slotIndex, const Complex& value) { vars.value[slotIndex] = value; }
    void AddToVar(int slotIndex, long double delta) { vars.value[slotIndex] += delta; }
    long double Var(int slotIndex) const { return vars.value[slotIndex].real(); }
    void SaveVariables() { saved_ = vars; }
    void RestoreVariables() { vars = saved_; }
    // Variables to their start values (E = e, and I = i in complex mode, so call it after
    // choosing the mode) and every parameter range to [0, 1].
    void ResetVariables();

    // --- parsing ---------------------------------------------------------------------------
    // Parses the text (upper-cased first) into a new tree held as the parse result. Returns 0
    // or an error number; an empty text gives 9 and leaves the parse result as it was, any
    // other failure leaves it empty.
    int Parse(std::string_view text);
    const TExprNode* ParseResult() const { return parseResult_.get(); }
    NodePtr TakeParseResult() { return std::move(parseResult_); }

    // --- evaluation ------------------------------------------------------------------------
    // Evaluates the tree at the current variables; false where it is undefined. The value
    // (also a partial one after a failure) is left in the root's re and im.
    bool Evaluate(TExprNode& tree);
    // Sets the slot to (x, 0), evaluates, writes the root's real part to out whatever the
    // outcome; true when the value is defined.
    bool EvalAtReal(TExprNode& tree, int slotIndex, long double x, long double& out);
    // A 3-vector node (op 223) into three reals: 0 done, 1 undefined or not a vector node.
    int EvalVector3(TExprNode& tree, long double out[3]);

    // --- numeric fields --------------------------------------------------------------------
    // A constant expression into out; 0 or an error number; 1 when it is undefined.
    int ReadNumber(std::string_view text, long double& out);
    // As ReadNumber, for a text that may end in "@" and a parameter letter A..W: that letter
    // takes the value and its slot (1..23) goes to letterIndex, 0 without a letter; another
    // letter gives 1.
    int ReadNumberAt(std::string_view text, long double& out, int& letterIndex);
    // As ReadNumberAt, but the letter is only reported: the parameter keeps its value (a dialog
    // binds its fields once all of them are read).
    int ReadNumberAndLetter(std::string_view text, long double& out, int& letterIndex);
    // An expression rounded to an integer; 17 outside [low, high].
    int ReadShort(std::string_view text, int low, int high, std::int16_t& out);
    int ReadInteger(std::string_view text, long long low, long long high, int& out);

    // --- user-defined functions -------------------------------------------------------------
    // Checks and stores NAME = body with argCount arguments (1..3); replaces the function of
    // that name when existing names it. Returns a userfn code (kDone on success).
    int DefineUserFunction(std::string_view name, std::string_view body, int argCount,
                           const UserFunction* existing = nullptr);
    // Removes the function of that name (case ignored); false when there is none.
    bool RemoveUserFunction(std::string_view name);
    void FreeUserFunctions();
    const std::vector<UserFunction>& UserFunctions() const { return userFunctions_; }
    // Found through an index by name, in constant time.
    const UserFunction* FindUserFunction(std::string_view upperName) const;
    // The user-function block of a diagram file: u16 count, then 77-byte records.
    void WriteUserFunctions(ByteWriter& out) const;
    // Replaces the user functions by the block's; false (functions unchanged) on a damaged
    // block, or on one whose bodies together need more work than kBlockWork. Each body is
    // parsed once, after the bodies it calls; a record whose body does not parse (or that
    // calls itself, also through others) is kept with an empty tree.
    bool ReadUserFunctions(ByteReader& in);
    static constexpr long long kBlockWork = 1000000;
    // Rebuilds the list of names (built-in and user) that contain X, Y or Z.
    void CollectNamesWithXYZ();
    // The list, longest names first; brought up to date here when functions were defined
    // since it was last built, so that a definition costs the same however many exist.
    const std::vector<std::string>& NamesWithXYZ() const;

    // --- work bounds ----------------------------------------------------------------------
    // The budget in force (null outside a parse or block read); the symbolic side spends from
    // it. A scope puts a budget in force until it ends.
    WorkBudget* Budget() const { return budget_; }
    class BudgetScope {
    public:
        BudgetScope(FormulaContext& context, WorkBudget& budget)
            : context_(context), saved_(context.budget_) {
            context.budget_ = &budget;
        }
        ~BudgetScope() { context_.budget_ = saved_; }
        BudgetScope(const BudgetScope&) = delete;
        BudgetScope& operator=(const BudgetScope&) = delete;

    private:
        FormulaContext& context_;
        WorkBudget* saved_;
    };

    // --- symbolic side (derivative*, simplify*, root_finder*, integrands*) -----------------
    // result = d tree / d variable (X 88, Y 89, Z 90, T 84, R 82), simplified when simplifyOn.
    void Differentiate(const TExprNode* tree, int variableOp, NodePtr& result);
    // Simplifies in place when the tree evaluates somewhere, then folds constants.
    void Simplify(NodePtr& tree);
    int FindRootInInterval(TExprNode& tree, int slotIndex, long double a, long double& root,
                           long double b);
    void BuildShellIntegrand(NodePtr& out, const TExprNode* f, const TExprNode* g, long double a,
                             bool overlap);
    void BuildWasherIntegrand(NodePtr& out, const TExprNode* f, const TExprNode* g, long double a);

private:
    int ReadRounded(std::string_view text, long long low, long long high, long long& out);
    // Gives every user function the tree of its body where that parses, callees first; false
    // when the bodies need more work than a block may take.
    bool ParseStoredBodies();
    // The functions that call the named one, directly or through others.
    std::unordered_set<std::string> CallersOf(std::string_view name) const;
    // Rebuilds the index by name after the functions changed places.
    void IndexUserFunctions();
    void RebuildNamesWithXYZ() const;

    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };

    TVariableTable saved_;
    NodePtr parseResult_;
    std::vector<UserFunction> userFunctions_;
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> userIndex_;
    mutable std::vector<std::string> namesWithXYZ_;
    mutable bool namesWithXYZStale_ = false;
    // For each called name, the functions whose bodies call it directly.
    std::unordered_map<std::string, std::vector<std::string>, NameHash, std::equal_to<>>
        callersIndex_;
    WorkBudget* budget_ = nullptr;
};

}  // namespace quorlin
