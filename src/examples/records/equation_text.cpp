#include "examples/records/equation_text.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "core/text_helpers.h"
#include "resources/string_table.h"

namespace quorlin::examples {

namespace {

// String ids of the words the texts are made of.
namespace word {
inline constexpr int kLevelCurve = 100;
inline constexpr int kTerms = 101;
inline constexpr int kLeftSide = 122;
inline constexpr int kRightSide = 123;
inline constexpr int kFamily = 134;
inline constexpr int kSteps = 135;
inline constexpr int kPeriodic = 140;
inline constexpr int kXAxis = 142;
inline constexpr int kYAxis = 143;
inline constexpr int kReflect = 144;
inline constexpr int kTube = 145;
inline constexpr int kRevolve = 146;
inline constexpr int kAxis = 147;
inline constexpr int kSeedValue = 148;
inline constexpr int kWeb = 150;
inline constexpr int kPlug = 158;
inline constexpr int kPolarSegment = 159;
inline constexpr int kRadius = 161;
inline constexpr int kTrace = 164;
inline constexpr int kStart = 173;
inline constexpr int kModifiedEuler = 180;
inline constexpr int kEuler = 181;
inline constexpr int kArm = 198;
inline constexpr int kRungeKutta = 200;
inline constexpr int kCannotEdit = 201;
inline constexpr int kRoulette = 202;
inline constexpr int kPolynomial = 204;
inline constexpr int kForward = 207;
inline constexpr int kBackward = 208;
inline constexpr int kDerivative = 210;
inline constexpr int kDegree = 211;
inline constexpr int kTaylor = 212;
inline constexpr int kOrbitalSystem = 216;
inline constexpr int kEvolute = 219;
inline constexpr int kSegment = 244;
inline constexpr int kPoints = 279;
inline constexpr int kRotate = 280;
inline constexpr int kCenter = 281;
inline constexpr int kAngle = 282;
inline constexpr int kTangentPlane = 329;
inline constexpr int kPlane = 330;
inline constexpr int kTangentLine = 333;
inline constexpr int kSum = 343;
inline constexpr int kProjection = 347;
inline constexpr int kPerpendicular = 348;
inline constexpr int kGradient = 351;
inline constexpr int kIndefinite = 352;
inline constexpr int kIntrinsic = 378;
}  // namespace word

constexpr std::size_t kLineTextChars = 1000;

std::string Decimal(long long n) {
    return std::to_string(n);
}

// Cuts the text so that it fits a buffer of `size` bytes with its terminator.
std::string FitTo(std::string text, std::size_t size) {
    const std::size_t room = size > 0 ? size - 1 : 0;
    if (text.size() > room) text.resize(room);
    return text;
}

// The text up to the first "; " (a parent's range and option suffixes dropped).
std::string CutAtSemicolon(std::string_view text) {
    return std::string(text.substr(0, text.find("; ")));
}

// " @ v = ": the literal " a x = " with '@' in its second position and v in its fourth.
std::string AtPart(char letter) {
    std::string part = " a x = ";
    part[1] = '@';
    part[3] = letter;
    return part;
}

const std::string kShortAtPart = " @ ";

// The prefix a kind's own text starts with, which a parent's name drops.
std::string_view KindPrefix(int kind) {
    switch (kind) {
        case kind::kExplicit:
            return "y = ";
        case kind::kPolar:
            return "r = ";
        case kind::kParametric:
            return "(x,y) = ";
        case kind::kSpaceCurve:
            return "(x,y,z) = ";
        default:
            return "";
    }
}

bool ValidParent(const TInventory& inventory, int parent, int child) {
    return parent >= 0 && parent < child && parent <= inventory.LastIndex();
}

// The text of an example of its own texts, read as the given kind.
std::string ShortText(const TExample& ex, int kind, const TTextSettings& settings);

// Builds the texts of one window; a derived example asks for its parents' texts in turn.
class TDescriber {
public:
    TDescriber(TInventory& inventory, const TTextSettings& settings)
        : inventory_(inventory), settings_(settings) {}

    std::string Full(int index, std::size_t size) {
        const TExample& ex = inventory_[index];
        std::string text = ex.derivation != 0 ? Long(index) : ShortText(ex, ex.kind, settings_);
        text += FamilySuffix(ex) + WebSuffix(ex);
        // An example whose compilation ran out of work says so after whatever of it fits.
        const std::string note = OverBudgetNote(ex);
        const std::size_t room = size > note.size() ? size - note.size() : 0;
        if (room > 5 && text.size() >= room) {
            text.resize(room - 5);
            text += " ...";
        }
        return FitTo(std::move(text) + note, size);
    }

    std::string Long(int index);

private:
    std::string Num(long double value) const { return settings_.format.FormatNum(value); }
    bool ThreeD() const { return settings_.dimension >= 3; }

    std::string FamilySuffix(const TExample& ex) const;
    // " (derivative: formula too long)" for an example compiled without its derivatives.
    static std::string OverBudgetNote(const TExample& ex) {
        if (!ex.overBudget) return {};
        return " (" + Word(355) + ": " + Word(510) + ")";
    }
    std::string WebSuffix(const TExample& ex) const;

    // The name of a parent: its user-given name, else its full text without its kind prefix.
    std::string ParentName(int parent) {
        const TInventoryEntry& entry = inventory_.Entry(parent);
        if (!entry.name.empty()) return entry.name;
        std::string text = Full(parent, kDescriptionSize);
        const std::size_t prefix = KindPrefix(entry.example.kind).size();
        return text.size() > prefix ? text.substr(prefix) : std::string();
    }

    std::string DerivativeText(int index, std::string_view prefix);
    std::string AntiderivativeText(int index, int parent);
    std::string TraceText(const TExample& ex, int parentKind, std::string_view n1Cut) const;

    TInventory& inventory_;
    const TTextSettings& settings_;
};

std::string TDescriber::FamilySuffix(const TExample& ex) const {
    if (!ex.familyOn) return {};
    const char letter = static_cast<char>(96 + ex.familyLetter);
    const std::string equals = std::string(1, letter) + " = ";
    return " " + Word(word::kFamily) + "[" + equals + FormatLf(ex.familyLow, 5, 3) + " --> " +
           equals + FormatLf(ex.familyHigh, 5, 3) + "; " + Decimal(std::abs(ex.familySteps)) + " " +
           Word(word::kSteps) + "]";
}

std::string TDescriber::WebSuffix(const TExample& ex) const {
    if (ex.kind != kind::kExplicit || !ex.byte60) return {};
    const std::string seed = ex.subKind >= 1 ? std::string(1, static_cast<char>(64 + ex.subKind))
                                             : FormatLf(ex.NumberAt(431), 5, 3);
    return " " + Word(word::kWeb) + "[" + Word(word::kSeedValue) + " " + seed + "; " +
           Decimal(ex.word34) + " " + Word(word::kSteps) + "]";
}

std::string ShortText(const TExample& ex, int kind, const TTextSettings& settings) {
    const auto t = [&ex](int k) -> const std::string& { return ex.Text(k); };
    switch (kind) {
        case kind::kExplicit: {
            std::string body = ex.IsLagrangeExplicit()
                                   ? Word(word::kPolynomial) + Decimal(ex.letter36) + "(x)"
                                   : t(2);
            if (ex.periodic) body = PeriodicText(body, ex);
            return "y = " + body + RangeText(ex);
        }
        case kind::kPolar:
            return "r = " + t(3) + RangeText(ex);
        case kind::kParametric:
            return std::string(ex.byte60 ? "(r,t)" : "(x,y)") + " = (" + t(1) + "," + t(2) + ")" +
                   RangeText(ex);
        case kind::kImplicit:
        case kind::kImplicitSurface:
            return t(5);
        case kind::kSegment:
            return SegmentText(ex, false);
        case kind::kSpaceSegment:
            return SegmentText(ex, true);
        case kind::kLine:
            return LineText(ex);
        case kind::kPoint: {
            const std::string head = ex.byte58 ? "(r,t) = " : ex.byte55 ? "z = " : "(x,y) = ";
            return head + (ex.byte55 ? t(1) : "(" + t(1) + "," + t(2) + ")");
        }
        case kind::kSystem:
            return "[x',y'] = [" + t(1) + "," + t(2) + "]";
        case kind::kSlope:
            return "dy/dx = " + t(3);
        case kind::kSequence:
        case kind::kPlaneMap:
            if (settings.complexWindow) return "z==>" + t(1);
            return "(x,y)==>(" + t(1) + "," + t(2) + ")";
        case kind::kSeries:
            return Word(word::kSum) + "(" + t(2) + "," + t(1) + "," + Decimal(ex.divisions[0]) +
                   "," + Decimal(ex.divisions[1]) + ")";
        case kind::kOrbital:
            return Word(word::kOrbitalSystem);
        case kind::kHigherOrder:
            return "xdot(" + Decimal(ex.order) + ") = " + t(3);
        case kind::kIntrinsic:
        case kind::kSpaceIntrinsic: {
            const bool space = kind == kind::kSpaceIntrinsic;
            return Word(word::kIntrinsic) + "(" + t(1) + "; " + (space ? t(2) + "; " : "") +
                   FormatLf(ex.rangeLow[0], 8, 6) + " <= s <= " + FormatLf(ex.rangeHigh[0], 8, 6) +
                   "; (" + t(5) + "); [" + t(6) + "]" + (space ? "; [" + t(7) + "]" : "") + ")";
        }
        case kind::kSurface:
        case kind::kPolarSurface:
            return "z = " + t(3);
        case kind::kParametricSurface:
        case kind::kSpaceCurve:
            return "(x,y,z) = (" + t(1) + "," + t(2) + "," + t(3) + ")";
        case kind::kTube:
            return Word(word::kTube) + "(" + t(1) + "," + t(2) + "," + t(3) + "); " +
                   Word(word::kRadius) + " = " + t(4);
        case kind::kRevolution:
            return Word(word::kRevolve) + " [" + t(7) + "] " + Word(word::kAxis) + " ax+by=c (" +
                   settings.format.FormatNum(ex.NumberAt(281)) + "," +
                   settings.format.FormatNum(ex.NumberAt(291)) + "," +
                   settings.format.FormatNum(ex.NumberAt(301)) + ")";
        case kind::kSpacePoint: {
            const std::string head = ex.word32 == 1   ? "(r,t,z) = "
                                     : ex.word32 == 2 ? "(rho,theta,phi) = "
                                                      : "(x,y,z) = ";
            return head + "(" + t(1) + "," + t(2) + "," + t(3) + ")";
        }
        case kind::kSpaceSystem:
            return "[x',y',z'] = [" + t(1) + "," + t(2) + "," + t(3) + "]";
        case kind::kPlane:
            return Word(word::kPlane) + "{[" + t(1) + "," + t(2) + "," + t(3) + "];(" + t(4) + ")}";
        case kind::kSphericalSurface:
            return "r = " + t(4);
        case kind::kComplexMap:
            return "z ==> " + t(1);
        case kind::kTripleMap:
            return "(x,y,z)==>(" + t(1) + "," + t(2) + "," + t(3) + ")";
        default:
            return {};  // kinds without a text of their own, and unknown kinds
    }
}

std::string TDescriber::DerivativeText(int index, std::string_view prefix) {
    const TExample& ex = inventory_[index];
    const int first = ex.parent[0];
    // The ancestor the derivatives start from: up the first parents to one of order below 1.
    int ancestor = first;
    while (inventory_[ancestor].order >= 1 &&
           ValidParent(inventory_, inventory_[ancestor].parent[0], ancestor))
        ancestor = inventory_[ancestor].parent[0];
    std::string base = inventory_.Entry(ancestor).name;
    if (base.empty()) {
        const TExample& a = inventory_[ancestor];
        base = ShortText(a, a.kind, settings_);
        if (inventory_.Entry(first).name.empty())
            base = base.size() > prefix.size() ? base.substr(prefix.size()) : std::string();
    }
    return std::string(prefix) + Word(word::kDerivative) + "{" + Decimal(ex.order) + "," + base +
           "}";
}

std::string TDescriber::AntiderivativeText(int index, int parent) {
    TExample& ex = inventory_[index];
    const std::string& p2 = inventory_[parent].Text(2);
    const int second = ex.parent[1];
    const std::string integrand = ValidParent(inventory_, second, index)
                                      ? "(" + p2 + ")-(" + inventory_[second].Text(2) + ")"
                                      : p2;
    ex.Text(2) = CutToRecordText(Word(word::kIndefinite) + "{" + integrand + kShortAtPart +
                                 ex.Text(1) + "}");
    return "y = " + ex.Text(2) + RangeText(ex);
}

std::string TDescriber::TraceText(const TExample& ex, int parentKind,
                                  std::string_view n1Cut) const {
    std::string text = Word(word::kTrace) + " pt ";
    if (ex.derivation == 78) {
        const auto value = [&ex](int k) {
            const TExprNode* tree = ex.Tree(k);
            return FormatLf(tree ? tree->re : 0.0L, 7, 5);
        };
        text += "(" + value(1) + "," + value(2) + (ThreeD() ? "," + value(3) : "") + ") <-- ";
    }
    return text + "{" + std::string(n1Cut) + "}" +
           AtPart(parentKind == kind::kExplicit ? 'x' : 't') + ex.Text(4);
}

std::string TDescriber::Long(int index) {
    const int code = inventory_[index].derivation;
    const int first = inventory_[index].parent[0];
    const int second = inventory_[index].parent[1];
    const bool hasFirst = ValidParent(inventory_, first, index);
    const int parentKind = hasFirst ? inventory_[first].kind : 0;
    const std::string prefix(KindPrefix(parentKind));
    const std::string n1 = hasFirst ? ParentName(first) : std::string();
    const std::string n2 =
        code != 125 && ValidParent(inventory_, second, index) ? ParentName(second) : std::string();
    const std::string n1Cut = CutAtSemicolon(n1);
    const std::string n2Cut = CutAtSemicolon(n2);
    TExample& ex = inventory_[index];  // the parents' texts are done: no more appends below
    const auto t = [&ex](int k) -> const std::string& { return ex.Text(k); };

    switch (code) {
        case 42:
        case 43:
        case 45:
        case 47:
        case 94:  // the code is the operation's character
            return prefix + "(" + n1Cut + ")" + static_cast<char>(code) + "(" + n2Cut + ")" +
                   RangeText(ex);
        case 177: {
            std::string text = prefix + Word(word::kPlug) + "{" + n1Cut + "} <-- {" + n2Cut + "}";
            ex.Text(2) = CutToRecordText(text);
            return text;
        }
        case 65: {
            if (!hasFirst) return {};
            std::string text = "y = " + Word(word::kTaylor) + "{" + inventory_[first].Text(2) +
                               "; " + Word(word::kDegree) + " " + Decimal(ex.derivationParam) +
                               AtPart('x') + t(4) + "}";
            ex.Text(2) = CutToRecordText(text);
            return text;
        }
        case 68:
            return hasFirst ? DerivativeText(index, prefix) : std::string();
        case 71: {
            const auto equals = n1.find('=');
            const std::string field =
                equals == std::string::npos
                    ? n1
                    : "(" + n1.substr(equals + 1) + ")-(" + n1.substr(0, equals) + ")";
            return Word(word::kGradient) + "{" + field + "}";
        }
        case 73:
            return hasFirst ? AntiderivativeText(index, first) : std::string();
        case 76:
            return Word(word::kTangentLine) + "{" + n1 + "}" + AtPart('t') + t(4);
        case 77:
        case 81: {
            const auto [low, high] = ex.SplitRangeText();
            ex.Text(4) = Word(word::kCannotEdit);
            return Word(code == 77 ? word::kTangentPlane : word::kTangentLine) + "{" + n1 + "; (" +
                   low + "," + high + ")}";
        }
        case 78:
        case 109:
            return TraceText(ex, parentKind, n1Cut);
        case 79:
        case 80:
            return Word(word::kTangentLine) + " {" + n1 + "}" + AtPart('t') +
                   FormatLf(ex.NumberAt(431), 7, 5);
        case 82:
            return Word(word::kRoulette) + n1 + "; " + Word(word::kStart) + Num(ex.NumberAt(281)) +
                   "; " + Word(word::kRadius) + " " + Num(ex.NumberAt(291)) + "; " +
                   Word(word::kArm) + Num(ex.NumberAt(301)) + "; " +
                   Word(ex.byte55 ? word::kLeftSide : word::kRightSide) + "}";
        case 83:
            return Word(word::kEvolute) + "{" + n1 + "}";
        case 99:
            return Word(word::kPoints) + " {" + n1Cut +
                   AtPart(parentKind == kind::kExplicit ? 'x' : 't') + t(4) + "}";
        case 100:
            return LineText(ex);
        case 101:
        case 102:
        case 103:
        case 104: {
            const std::string axis = code == 101   ? Word(word::kXAxis)
                                     : code == 102 ? Word(word::kYAxis)
                                     : code == 103 ? std::string("y = x")
                                                   : Word(word::kAxis);
            return Word(word::kReflect) + "{" + n1Cut + "} | " + axis + " " +
                   (code == 104 ? LineText(ex) : std::string());
        }
        case 105:
        case 106:
            return Word(word::kRotate) + "{" + n1Cut + "}; " + Word(word::kAngle) + " " + t(1) +
                   "; " + Word(word::kCenter) + " (" + t(2) + "," + t(3) + ")";
        case 110:
            return "{" + n1 + "} + [" + t(1) + "," + t(2) + "]";
        case 111:
            return prefix + "|" + n1 + "|";
        case 125: {
            // The second parent holds the index of the parent's first text of the pair.
            if (!hasFirst || second < 0 || second + 1 >= TExample::kTextCount) return {};
            const TExample& segment = inventory_[first];
            return std::string(ex.byte58 ? "(r,t) = " : "(x,y) = ") + "(" +
                   segment.texts[static_cast<std::size_t>(second)] + "," +
                   segment.texts[static_cast<std::size_t>(second + 1)] + ")";
        }
        case 142:
        case 143:
        case 144:
        case 145:
        case 146:
        case 147:
        case 152:
        case 153:
        case 154:
            return "{" + n1 + "} X {" + n2 + "}";
        case 150:
        case 151:
            return "{" + n1 + "} " + Word(code == 150 ? word::kProjection : word::kPerpendicular) +
                   " {" + n2 + "}";
        case 180:
            return n1 + AtPart(static_cast<char>(96 + ex.letter36)) + Num(ex.NumberAt(441));
        default:
            return {};
    }
}

// Decodes UTF-8 into the 8-bit code page; characters it has no byte for become '?'.
std::string Windows1252OfUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : 1;
        char32_t c = extra == 0 ? lead : lead & (0x3f >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
        i += static_cast<std::size_t>(extra) + 1;
        const auto byte = c <= 0xffff ? Windows1252OfChar(static_cast<char16_t>(c)) : std::nullopt;
        out.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return out;
}

}  // namespace

std::string Word(int id) {
    return Windows1252OfUtf8(resources::FindString(id));
}

std::string CutToRecordText(std::string text) {
    if (text.size() > kRecordTextChars) text.resize(kRecordTextChars);
    return text;
}

std::string DescribeExample(TInventory& inventory, int index, const TTextSettings& settings,
                            std::size_t size) {
    if (index < 0 || index > inventory.LastIndex()) return {};
    return TDescriber(inventory, settings).Full(index, size);
}

std::string DescribeExampleShort(const TExample& example, const TTextSettings& settings,
                                 std::size_t size, int kind) {
    return FitTo(ShortText(example, kind != 0 ? kind : example.kind, settings), size);
}

std::string DescribeExampleLong(TInventory& inventory, int index, const TTextSettings& settings,
                                std::size_t size) {
    if (index < 0 || index > inventory.LastIndex()) return {};
    return FitTo(TDescriber(inventory, settings).Long(index), size);
}

std::string RangeText(const TExample& example) {
    const bool explicitLike = example.kind == kind::kExplicit || example.kind == kind::kIntegral;
    if (explicitLike && !example.lockInterval) return {};
    std::string low;
    std::string high;
    if (example.HasRangeText()) {
        TRangeTexts halves = example.SplitRangeText();
        low = std::move(halves.low);
        high = std::move(halves.high);
    } else {
        low = FormatLf(example.rangeLow[0], 8, 6);
        high = FormatLf(example.rangeHigh[0], 8, 6);
    }
    if (!explicitLike) return "; " + low + " <= t <= " + high;
    // A hollow circle at an end leaves that end out of the interval.
    const auto open = [&example](int end) {
        const TEndMark mark = example.EndMark(end);
        return mark.shape == TEndMark::Shape::kCircle && !mark.solid;
    };
    return "; " + low + (open(0) ? " < " : " <= ") + "x" + (open(1) ? " < " : " <= ") + high;
}

std::string PeriodicText(std::string_view body, const TExample& example) {
    const auto [low, high] = example.SplitRangeText();
    return Word(word::kPeriodic) + "[" + std::string(body) + "; " + low + " <= x < " + high + "]";
}

std::string LineText(const TExample& example) {
    std::string text =
        "(" + example.Text(1) + ")x + (" + example.Text(2) + ")y = " + example.Text(3);
    if (text.size() > kLineTextChars) text.resize(kLineTextChars);
    return text;
}

std::string SegmentText(const TExample& example, bool threeD) {
    const auto t = [&example](int k) -> const std::string& { return example.Text(k); };
    const int marks = example.word32;
    const std::string label =
        Word(!threeD && example.byte58 ? word::kPolarSegment : word::kSegment);
    const std::string arrows =
        std::string(marks % 2 != 0 ? "<" : "") + "--" + (marks >= 2 ? ">" : "");
    if (!threeD)
        return label + " (" + t(1) + "," + t(2) + ")" + arrows + "(" + t(3) + "," + t(4) + ")";
    return label + " (" + t(1) + "," + t(2) + "," + t(3) + ")" + arrows + "(" + t(4) + "," + t(6) +
           "," + t(7) + ")";
}

std::string DescribeTrajectory(const TTrajectory& trajectory, int digits, bool threeD,
                               int logMode) {
    const int k = trajectory.kind % TTrajectory::kFormulaKindOffset;
    const auto num = [digits](long double v) { return FormatLf(v, digits + 2, digits); };
    std::string out = "(";
    std::string steps;
    if (k == kind::kSlope || k == kind::kHigherOrder) {
        const int method = trajectory.option1;
        steps = Word(word::kSteps) + " " + num(trajectory.step) + " " +
                Word(method == 0   ? word::kEuler
                     : method == 1 ? word::kModifiedEuler
                                   : word::kRungeKutta);
    }
    if (k == kind::kHigherOrder) {
        std::string values = trajectory.texts[0];
        if (!values.empty()) values.pop_back();
        return out + values + ") t = " + num(trajectory.startTime) + " " + steps;
    }
    if (trajectory.kind > TTrajectory::kFormulaKindOffset) {
        out += trajectory.texts[0] + "," + trajectory.texts[1];
        if (threeD) out += "," + trajectory.texts[2];
    } else {
        long double x = trajectory.startX;
        long double y = trajectory.startY;
        if (logMode == 1 || logMode == 3) x = std::exp(x * std::log(10.0L));
        if (logMode == 2 || logMode == 3) y = std::exp(y * std::log(10.0L));
        out += num(x) + "," + num(y);
        if (threeD) out += "," + num(trajectory.startZ);
    }
    const std::string direction =
        Word(trajectory.endTime > trajectory.startTime ? word::kForward : word::kBackward);
    switch (k) {
        case kind::kSlope:
            return out + ") " + steps;
        case kind::kSequence:
            return out + ") --> " + Decimal(RoundLD(trajectory.endTime) + 1LL) + " " +
                   Word(word::kTerms);
        case kind::kSurfaceIntersection:
            return out + ") " + direction;
        case kind::kSurface:
        case kind::kImplicitSurface:
            return out + std::string(1, static_cast<char>(96 + trajectory.option1)) + " " +
                   Word(word::kLevelCurve);
        default:
            return out + ") t = " + num(trajectory.startTime) + " " + direction +
                   " t = " + num(trajectory.endTime);
    }
}

}  // namespace quorlin::examples
