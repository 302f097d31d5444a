#pragma once
// The texts of derived examples, one writer per derivation row (derivation.cpp names them in
// its table). Each builds its text from the parts the describer gathered: the record, its
// parents' names and the parent's kind. A few keep their text as a formula text of their own
// (text 2 of a Taylor polynomial, a composition and an antiderivative; text 4 of a tangent
// plane or line at the slicer point), so they write into the record.
#include <string>

#include "examples/records/derivation.h"
#include "examples/records/equation_text.h"

namespace quorlin::examples {

struct TDerivedText {
    TDerivedText(TInventory& inv, const TTextSettings& textSettings, int exampleIndex)
        : inventory(inv), settings(textSettings), index(exampleIndex), ex(inv[exampleIndex]) {}

    TInventory& inventory;
    const TTextSettings& settings;
    int index;
    TExample& ex;    // inventory[index]
    int first = -1;  // the parents, as the record names them
    int second = -1;
    bool hasFirst = false;     // the first parent lies before the example
    int parentKind = 0;        // the first parent's kind, 0 without one
    std::string prefix;        // what the parent kind's texts start with
    std::string n1, n2;        // the parents' names (n2 empty for an end point)
    std::string n1Cut, n2Cut;  // the names up to their first "; "

    std::string Num(long double value) const { return settings.format.FormatNum(value); }
    bool ThreeD() const { return settings.dimension >= 3; }
    const std::string& Text(int k) const { return ex.Text(k); }
};

namespace derived_text {
std::string Combination(TDerivedText& p);
std::string Composition(TDerivedText& p);
std::string Taylor(TDerivedText& p);
std::string Derivative(TDerivedText& p);
std::string Gradient(TDerivedText& p);
std::string Antiderivative(TDerivedText& p);
std::string TangentLine(TDerivedText& p);
std::string SlicerTangent(TDerivedText& p);
std::string Trace(TDerivedText& p);
std::string TrajectoryLine(TDerivedText& p);
std::string Roulette(TDerivedText& p);
std::string Evolute(TDerivedText& p);
std::string PlotPoints(TDerivedText& p);
std::string MirrorLine(TDerivedText& p);
std::string Reflection(TDerivedText& p);
std::string Rotation(TDerivedText& p);
std::string Translation(TDerivedText& p);
std::string AbsValue(TDerivedText& p);
std::string EndPoint(TDerivedText& p);
std::string ProductConstruction(TDerivedText& p);
std::string Projection(TDerivedText& p);
std::string FrozenMember(TDerivedText& p);
}  // namespace derived_text

}  // namespace quorlin::examples
