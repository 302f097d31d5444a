#include "examples/records/derived_texts.h"

#include <utility>

#include "core/text_helpers.h"
#include "examples/records/equation_words.h"

namespace quorlin::examples::derived_text {

using namespace text_parts;

namespace {

// The parent a derivation chain starts from: up the first parents to one of order below 1.
int DerivativeAncestor(const TInventory& inventory, int first) {
    int ancestor = first;
    while (inventory[ancestor].order >= 1 &&
           ValidParent(inventory, inventory[ancestor].parent[0], ancestor))
        ancestor = inventory[ancestor].parent[0];
    return ancestor;
}

}  // namespace

std::string Combination(TDerivedText& p) {
    // The code is the operation's character.
    return p.prefix + "(" + p.n1Cut + ")" + static_cast<char>(p.ex.derivation) + "(" + p.n2Cut +
           ")" + RangeText(p.ex);
}

std::string Composition(TDerivedText& p) {
    std::string text = p.prefix + Word(word::kPlug) + "{" + p.n1Cut + "} <-- {" + p.n2Cut + "}";
    p.ex.Text(2) = CutToRecordText(text);
    return text;
}

std::string Taylor(TDerivedText& p) {
    if (!p.hasFirst) return {};
    std::string text = "y = " + Word(word::kTaylor) + "{" + p.inventory[p.first].Text(2) + "; " +
                       Word(word::kDegree) + " " + Decimal(p.ex.derivationParam) + AtPart('x') +
                       p.Text(4) + "}";
    p.ex.Text(2) = CutToRecordText(text);
    return text;
}

std::string Derivative(TDerivedText& p) {
    if (!p.hasFirst) return {};
    const int ancestor = DerivativeAncestor(p.inventory, p.first);
    std::string base = p.inventory.Entry(ancestor).name;
    if (base.empty()) {
        const TExample& a = p.inventory[ancestor];
        base = ShortText(a, a.kind, p.settings);
        if (p.inventory.Entry(p.first).name.empty())
            base = base.size() > p.prefix.size() ? base.substr(p.prefix.size()) : std::string();
    }
    return p.prefix + Word(word::kDerivative) + "{" + Decimal(p.ex.order) + "," + base + "}";
}

std::string Gradient(TDerivedText& p) {
    const auto equals = p.n1.find('=');
    const std::string field = equals == std::string::npos ? p.n1
                                                          : "(" + p.n1.substr(equals + 1) + ")-(" +
                                                                p.n1.substr(0, equals) + ")";
    return Word(word::kGradient) + "{" + field + "}";
}

std::string Antiderivative(TDerivedText& p) {
    if (!p.hasFirst) return {};
    const std::string& p2 = p.inventory[p.first].Text(2);
    const std::string integrand = ValidParent(p.inventory, p.second, p.index)
                                      ? "(" + p2 + ")-(" + p.inventory[p.second].Text(2) + ")"
                                      : p2;
    p.ex.Text(2) = CutToRecordText(Word(word::kIndefinite) + "{" + integrand +
                                   std::string(kShortAtPart) + p.Text(1) + "}");
    return "y = " + p.Text(2) + RangeText(p.ex);
}

std::string TangentLine(TDerivedText& p) {
    return Word(word::kTangentLine) + "{" + p.n1 + "}" + AtPart('t') + p.Text(4);
}

std::string SlicerTangent(TDerivedText& p) {
    const auto [low, high] = p.ex.SplitRangeText();
    p.ex.Text(4) = Word(word::kCannotEdit);
    const bool plane = p.ex.derivation == derived::kTangentPlane;
    return Word(plane ? word::kTangentPlane : word::kTangentLine) + "{" + p.n1 + "; (" + low + "," +
           high + ")}";
}

std::string Trace(TDerivedText& p) {
    std::string text = Word(word::kTrace) + " pt ";
    if (p.ex.derivation == derived::kTrajectoryPoint) {
        const auto value = [&ex = std::as_const(p.ex)](int k) {
            const TExprNode* tree = ex.Tree(k);
            return FormatLf(tree ? tree->re : 0.0L, 7, 5);
        };
        text += "(" + value(1) + "," + value(2) + (p.ThreeD() ? "," + value(3) : "") + ") <-- ";
    }
    return text + "{" + p.n1Cut + "}" + AtPart(p.parentKind == kind::kExplicit ? 'x' : 't') +
           p.Text(4);
}

std::string TrajectoryLine(TDerivedText& p) {
    return Word(word::kTangentLine) + " {" + p.n1 + "}" + AtPart('t') +
           FormatLf(p.ex.Number(TNumber::kTangentAt), 7, 5);
}

std::string Roulette(TDerivedText& p) {
    const TExample& ex = p.ex;
    return Word(word::kRoulette) + p.n1 + "; " + Word(word::kStart) +
           p.Num(ex.Number(TNumber::kRouletteStart)) + "; " + Word(word::kRadius) + " " +
           p.Num(ex.Number(TNumber::kRouletteRadius)) + "; " + Word(word::kArm) +
           p.Num(ex.Number(TNumber::kRouletteArm)) + "; " +
           Word(ex.LeftSide() ? word::kLeftSide : word::kRightSide) + "}";
}

std::string Evolute(TDerivedText& p) {
    return Word(word::kEvolute) + "{" + p.n1 + "}";
}

std::string PlotPoints(TDerivedText& p) {
    return Word(word::kPoints) + " {" + p.n1Cut +
           AtPart(p.parentKind == kind::kExplicit ? 'x' : 't') + p.Text(4) + "}";
}

std::string MirrorLine(TDerivedText& p) {
    return LineText(p.ex);
}

std::string Reflection(TDerivedText& p) {
    const int code = p.ex.derivation;
    const std::string axis = code == derived::kReflectX          ? Word(word::kXAxis)
                             : code == derived::kReflectY        ? Word(word::kYAxis)
                             : code == derived::kReflectDiagonal ? std::string("y = x")
                                                                 : Word(word::kAxis);
    return Word(word::kReflect) + "{" + p.n1Cut + "} | " + axis + " " +
           (code == derived::kReflectLine ? LineText(p.ex) : std::string());
}

std::string Rotation(TDerivedText& p) {
    return Word(word::kRotate) + "{" + p.n1Cut + "}; " + Word(word::kAngle) + " " + p.Text(1) +
           "; " + Word(word::kCenter) + " (" + p.Text(2) + "," + p.Text(3) + ")";
}

std::string Translation(TDerivedText& p) {
    return "{" + p.n1 + "} + [" + p.Text(1) + "," + p.Text(2) + "]";
}

std::string AbsValue(TDerivedText& p) {
    return p.prefix + "|" + p.n1 + "|";
}

std::string EndPoint(TDerivedText& p) {
    // The second parent holds the index of the parent's first text of the pair.
    if (!p.hasFirst || !NamesSegmentEnd(p.second)) return {};
    const TExample& segment = p.inventory[p.first];
    return std::string(p.ex.PolarForm() ? "(r,t) = " : "(x,y) = ") + "(" +
           segment.texts[static_cast<std::size_t>(p.second)] + "," +
           segment.texts[static_cast<std::size_t>(p.second + 1)] + ")";
}

std::string ProductConstruction(TDerivedText& p) {
    return "{" + p.n1 + "} X {" + p.n2 + "}";
}

std::string Projection(TDerivedText& p) {
    const bool onto = p.ex.derivation == derived::kProjection;
    return "{" + p.n1 + "} " + Word(onto ? word::kProjection : word::kPerpendicular) + " {" + p.n2 +
           "}";
}

std::string FrozenMember(TDerivedText& p) {
    return p.n1 + AtPart(static_cast<char>(96 + p.ex.FrozenLetter())) +
           p.Num(p.ex.Number(TNumber::kFrozenValue));
}

}  // namespace quorlin::examples::derived_text
