#pragma once
// The formula texts a solid tool writes into its 3D window, made to read there as they read in
// the plane window that made them: each call of one of the plane window's user functions
// written out with its body, and each parameter letter ('@', A..W) replaced by its value in
// the plane window, written as the shortest number that reads back the same. A solid then
// stands on what it was made with, whatever the 3D window's own letters and functions hold,
// then or later (a recompute, a save and open, the next solid's letters).
//
// The letters a solid is meant to follow in its 3D window stay letters: those of its range
// ends, which the 3D window's sliders move, and a curve's own parameter.
//
// A function whose body holds a JOIN or DER form cannot be written out: those forms act on the
// function's own variable, which a call binds to its argument, and written out they would act
// on the letter of the body. Such a function is carried into the 3D window's table instead,
// with every function its body calls that cannot be written out either; the others are
// written out in the carried body, and its letters written in as a text's are. A carried
// function keeps its name where the 3D window lacks it or holds the very same function (body
// and arguments), and otherwise takes the first of its numbered names (NumberedName) that is
// free there or holds that very function: the calls in the texts and in the carried bodies
// take the name it settles on. So each solid keeps its functions beside the solids made with
// the same names defined otherwise, and through the 3D window's file, which holds its table.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_context.h"
#include "formula/formula_text.h"

namespace quorlin::tools2d {

// The n-th name of a function's copies: n = 0 the name itself, then the name followed by the
// number n written in letters (A 1 .. Z 26, AA 27, .., as a name holds no digits), the name cut
// so that the whole keeps to the nine letters of a name. The name rules (userfn::CheckName)
// are the caller's to check: "CO" and 19 make "COS".
std::string NumberedName(std::string_view name, std::size_t n);

// One function carried into a 3D window.
struct TCarriedFunction {
    std::string planeName;  // its name in the plane window
    std::string body;       // its letters written in; its callees by their 3D names once settled
    int argCount = 1;
    std::string name;    // its name in the 3D window, once settled
    bool added = false;  // whether the 3D window lacks it: AddTo defines it
};

// The texts of one solid made to stand alone, and the functions they carry. Made for a plane
// window and the letters the solid follows; StandAlone each text, then, with the 3D window at
// hand, Settle the names, Rename the calls in each text and AddTo the 3D window.
class TCarriedFunctions {
public:
    TCarriedFunctions() = default;
    TCarriedFunctions(const FormulaContext& plane, std::span<const int> kept);

    // The text made to stand alone, at most size - 1 characters, the kept letters left as they
    // are and the calls of functions that cannot be written out left as calls (by their plane
    // names until Rename), their functions carried. 0; 20 when the text, or a carried body,
    // would pass size - 1 characters, or 60 for a body; 101 where a letter's value is not a
    // finite real number or a JOIN or DER of the text or of a carried body acts on a letter the
    // solid does not follow (T, U, R: written in, the letter would be no variable there); or
    // the parse error of a call. The text changes only on success.
    int StandAlone(std::string& text, std::size_t size);

    // Settles the name of each carried function in the 3D window's table, callees first: 0, 20
    // when a body would pass 60 characters with its callees' names, or 4 when no name is free.
    int Settle(const FormulaContext& space);
    // The calls of carried functions in the text named as settled: 0, or 20 (the text then
    // unchanged) when it would pass size - 1 characters.
    int Rename(std::string& text, std::size_t size) const;
    // Defines the settled functions the 3D window lacks, callees first, after checking that its
    // table has room for all of them: 0, 4 when it has not, or 101 (20 for a body too long)
    // when one is refused there. Nothing is added on failure.
    int AddTo(FormulaContext& space) const;
    // Removes from the 3D window's table the functions AddTo adds.
    void RemoveFrom(FormulaContext& space) const;
    // Whether AddTo adds any function.
    bool AddsAny() const;

    // The carried functions, callees before their callers.
    const std::vector<TCarriedFunction>& Functions() const { return functions_; }

private:
    int Carry(const UserFunction& function);
    FormCallHandler Carrier();
    int WriteInLetters(std::string& text, std::size_t size) const;
    int CheckFormVariables(std::string_view text) const;
    bool Kept(int letter) const;
    int SettleOne(const FormulaContext& space, TCarriedFunction& function);

    const FormulaContext* plane_ = nullptr;
    std::vector<int> kept_;
    std::vector<TCarriedFunction> functions_;
    UserFunctionRenames names_;  // the 3D names of the settled functions, by their plane names
};

}  // namespace quorlin::tools2d
