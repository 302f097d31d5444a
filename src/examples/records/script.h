#pragma once
// The pasted script: a text of semicolon-terminated fields (blanks and line breaks ignored,
// keywords in any case) that adds examples with their options and trajectories, sets
// parameter values, the view and user functions in one go.
//
// TScriptParser reads the text statement by statement: a keyword and the fields that belong
// to it, every text checked by the formula parser and every number read by the number reader,
// into a TScriptAction. RunScript carries the actions out through a TScriptExecutor, which the
// graphing window implements; when a field is missing or unintelligible it removes everything
// the run added and puts the view, the counters and a changed example back.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/vectors.h"
#include "examples/records/inventory.h"

namespace quorlin {
class FormulaContext;
}

namespace quorlin::examples {

namespace script {
// Keyword codes beyond the example kinds (201-316).
inline constexpr int kUnknown = -1;
inline constexpr int kLock = 1001;
inline constexpr int kPer = 1002;
inline constexpr int kPos = 1003;
inline constexpr int kNoClip = 1004;
inline constexpr int kTraj = 1005;
inline constexpr int kValue = 1006;
inline constexpr int kColor = 1007;
inline constexpr int kCorners = 2000;
inline constexpr int kCenWid = 2001;
inline constexpr int kDefine1 = 3000;
inline constexpr int kDefine2 = 3001;
inline constexpr int kDefine3 = 3002;
inline constexpr int kEnd = 9999;

// Results of RunScript (messages 400 + n).
inline constexpr int kDone = 0;
inline constexpr int kCannotUnderstand = 1;
inline constexpr int kNothingToShow = 10;
// The window filled up before the script ended: what was added stays.
inline constexpr int kNoMoreRoom = 4;

inline constexpr std::size_t kMaxScriptChars = 30000;  // read from the clipboard
inline constexpr std::size_t kMaxFieldChars = 255;
}  // namespace script

// The keyword code of a field, case ignored; script::kUnknown for anything else.
int ScriptKeyword(std::string_view field);
// Example keywords are the kind codes 201-499.
inline bool IsExampleKeyword(int code) {
    return code >= 201 && code <= 499;
}

// One statement, its fields read and checked.
struct TScriptAction {
    int code = script::kUnknown;  // keyword code; kUnknown for an ignored field
    std::vector<std::string> texts;
    std::vector<long double> numbers;
    std::vector<std::string> numberTexts;  // the number fields as typed
    int pendingKind = -1;                  // TRAJ: the example keyword the trajectories are for
};

// Reads a script statement by statement. Number fields are evaluated at once, so a VALUE or
// DEFINE carried out before the next statement is read counts for it.
class TScriptParser {
public:
    enum class Status { kAction, kEnd, kError };

    // dimension: 2 in 2D and map windows, 3 in 3D windows; keywords of examples of the other
    // dimension are refused.
    TScriptParser(std::string_view text, int dimension, FormulaContext& formulas);

    // The next statement into action; kEnd after END or when no field follows; kError when a
    // field is missing, over 255 characters or unintelligible, or a value check fails.
    Status Next(TScriptAction& action);

private:
    std::optional<std::string> NextField();
    bool ReadTexts(int n, bool check, TScriptAction& action);
    bool ReadNumbers(int n, TScriptAction& action);
    bool ReadFields(int code, TScriptAction& action);
    bool ReadLagrange(TScriptAction& action);
    bool ReadTrajectory(TScriptAction& action);

    std::string text_;
    std::size_t position_ = 0;
    int dimension_;
    FormulaContext& formulas_;
    int pending_ = -1;
    bool fieldTooLong_ = false;
};

// The window's view as the script reads and sets it.
struct TScriptView {
    long double xLow = 0, xHigh = 1, yLow = 0, yHigh = 1;
    long double centreX = 0.5L, centreY = 0.5L;
    long double halfWidth = 0.5L, halfHeight = 0.5L;
    bool byCorners = false;  // the view mode byte: 1 by corners (scales unlinked), 0 by centre
    friend bool operator==(const TScriptView&, const TScriptView&) = default;
};

// The window's counters a script advances.
struct TScriptCounters {
    int examplesCreated = 0;  // picks the automatic colour of the next example
    int polynomials = 0;      // numbers the Lagrange polynomials
    friend bool operator==(const TScriptCounters&, const TScriptCounters&) = default;
};

// A system trajectory as the script asks for it (the window's AddTrajectory): field trees 1-3,
// method 0, no parameter, pen width 1.
struct TScriptSystemTrajectory {
    Vec3 start;
    long double startTime = 0;
    int direction = 1;     // +1 forward, -1 backward
    long double duration;  // e^42 for no practical end
};

// What the script needs of its graphing window.
class TScriptExecutor {
public:
    virtual ~TScriptExecutor() = default;

    virtual FormulaContext& Formulas() = 0;
    virtual TInventory& Inventory() = 0;
    virtual int Dimension() const = 0;
    virtual int DotSize() const = 0;
    // The automatic colour (style word) of the n-th created example.
    virtual int AutomaticColour(int n) const = 0;

    virtual TScriptView View() const = 0;
    // Sets the view and recomputes it from whichever the mode byte names.
    virtual void SetView(const TScriptView& view) = 0;
    virtual TScriptCounters Counters() const = 0;
    virtual void SetCounters(const TScriptCounters& counters) = 0;

    // Appends a record initialised for the kind (automatic colour, the window's table steps and
    // new-example mark) with the range low..high; returns it for the script to fill.
    virtual TExample& AddExample(int kind, long double low, long double high) = 0;
    virtual void CompileExample(int index) = 0;
    virtual void AddEquationLabel(int index) = 0;
    // Builds the polynomial of a Lagrange example from its points (variables saved before).
    virtual void RebuildLagrangePolynomial(int index) = 0;
    // Freezes the polynomial's coefficients into its tree, compiles its partial derivatives
    // and restores the variables saved before the rebuild.
    virtual void FinishLagrangePolynomial(int index) = 0;
    // 3D windows: projection, box and picture after example index was added.
    virtual void RecomputePicture(int index) = 0;
    // An example the script changed but did not add: compile it and renew its label.
    virtual void RefreshExample(int index) = 0;

    virtual void AddTrajectory(int index, const TScriptSystemTrajectory& trajectory) = 0;
    virtual void AddSlopeTrajectory(int index, const Vec3& start, long double step) = 0;
    virtual void AddRecursionTrajectory(int index, const Vec3& start, int terms) = 0;

    // DefineUserFunction's result (1000 when done).
    virtual int DefineFunction(std::string_view name, std::string_view body, int argCount) = 0;

    // Removes the examples after lastIndex whole: records, names, marks, trees and labels.
    virtual void RemoveExamplesAfter(int lastIndex) = 0;
};

// Runs a script on the window: 0 done, 1 a missing or unintelligible field (everything the
// run added is removed again), 4 the window filled up before the script ended (what was added
// stays), 10 nothing was added. Parameter values and user functions set
// before an error stay.
int RunScript(std::string_view text, TScriptExecutor& executor);

}  // namespace quorlin::examples
