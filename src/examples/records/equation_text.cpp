#include "examples/records/equation_text.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <utility>

#include "core/text_helpers.h"
#include "examples/records/derived_texts.h"
#include "examples/records/equation_words.h"
#include "resources/string_table.h"

namespace quorlin::examples {

namespace text_parts {

std::string Decimal(long long n) {
    return std::to_string(n);
}

std::string AtPart(char letter) {
    std::string part = " a x = ";
    part[1] = '@';
    part[3] = letter;
    return part;
}

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

}  // namespace text_parts

namespace {

using namespace text_parts;

constexpr std::size_t kLineTextChars = 1000;

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

// --- texts of examples of their own texts, kind by kind ---

using TKindTextFn = std::string (*)(const TExample& ex, const TTextSettings& settings);
struct TKindText {
    int kind;
    TKindTextFn text;
};

// "(t1,t2,...)" of the texts.
std::string Tuple(const TExample& ex, std::initializer_list<int> texts) {
    std::string out = "(";
    bool first = true;
    for (const int k : texts) {
        if (!first) out += ",";
        out += ex.Text(k);
        first = false;
    }
    return out + ")";
}

std::string ExplicitText(const TExample& ex, const TTextSettings&) {
    std::string body = ex.IsLagrangeExplicit()
                           ? Word(word::kPolynomial) + Decimal(ex.PolynomialNumber()) + "(x)"
                           : ex.Text(2);
    if (ex.periodic) body = PeriodicText(body, ex);
    return "y = " + body + RangeText(ex);
}

std::string PointText(const TExample& ex, const TTextSettings&) {
    const std::string head = ex.PolarForm() ? "(r,t) = " : ex.ComplexPoint() ? "z = " : "(x,y) = ";
    return head + (ex.ComplexPoint() ? ex.Text(1) : Tuple(ex, {1, 2}));
}

std::string SpacePointText(const TExample& ex, const TTextSettings&) {
    const std::string head = ex.PointCoordinates() == 1   ? "(r,t,z) = "
                             : ex.PointCoordinates() == 2 ? "(rho,theta,phi) = "
                                                          : "(x,y,z) = ";
    return head + Tuple(ex, {1, 2, 3});
}

std::string MapText(const TExample& ex, const TTextSettings& settings) {
    if (settings.complexWindow) return "z==>" + ex.Text(1);
    return "(x,y)==>" + Tuple(ex, {1, 2});
}

std::string IntrinsicText(const TExample& ex, bool space) {
    const auto t = [&ex](int k) -> const std::string& { return ex.Text(k); };
    return Word(word::kIntrinsic) + "(" + t(1) + "; " + (space ? t(2) + "; " : "") +
           FormatLf(ex.rangeLow[0], 8, 6) + " <= s <= " + FormatLf(ex.rangeHigh[0], 8, 6) + "; (" +
           t(5) + "); [" + t(6) + "]" + (space ? "; [" + t(7) + "]" : "") + ")";
}

std::string RevolutionText(const TExample& ex, const TTextSettings& settings) {
    const auto num = [&](TNumber n) { return settings.format.FormatNum(ex.Number(n)); };
    return Word(word::kRevolve) + " [" + ex.Text(7) + "] " + Word(word::kAxis) + " ax+by=c (" +
           num(TNumber::kAxisA) + "," + num(TNumber::kAxisB) + "," + num(TNumber::kAxisC) + ")";
}

// Kinds without a text of their own, and unknown kinds, have none here.
constexpr TKindText kKindTexts[] = {
    {kind::kExplicit, ExplicitText},
    {kind::kPolar,
     [](const TExample& ex, const TTextSettings&) { return "r = " + ex.Text(3) + RangeText(ex); }},
    {kind::kParametric,
     [](const TExample& ex, const TTextSettings&) {
         return std::string(ex.PolarCurve() ? "(r,t)" : "(x,y)") + " = " + Tuple(ex, {1, 2}) +
                RangeText(ex);
     }},
    {kind::kImplicit, [](const TExample& ex, const TTextSettings&) { return ex.Text(5); }},
    {kind::kImplicitSurface, [](const TExample& ex, const TTextSettings&) { return ex.Text(5); }},
    {kind::kSegment,
     [](const TExample& ex, const TTextSettings&) { return SegmentText(ex, false); }},
    {kind::kSpaceSegment,
     [](const TExample& ex, const TTextSettings&) { return SegmentText(ex, true); }},
    {kind::kLine, [](const TExample& ex, const TTextSettings&) { return LineText(ex); }},
    {kind::kPoint, PointText},
    {kind::kSystem,
     [](const TExample& ex, const TTextSettings&) {
         return "[x',y'] = [" + ex.Text(1) + "," + ex.Text(2) + "]";
     }},
    {kind::kSlope,
     [](const TExample& ex, const TTextSettings&) { return "dy/dx = " + ex.Text(3); }},
    {kind::kSequence, MapText},
    {kind::kPlaneMap, MapText},
    {kind::kSeries,
     [](const TExample& ex, const TTextSettings&) {
         return Word(word::kSum) + "(" + ex.Text(2) + "," + ex.Text(1) + "," +
                Decimal(ex.divisions[0]) + "," + Decimal(ex.divisions[1]) + ")";
     }},
    {kind::kOrbital,
     [](const TExample&, const TTextSettings&) { return Word(word::kOrbitalSystem); }},
    {kind::kHigherOrder,
     [](const TExample& ex, const TTextSettings&) {
         return "xdot(" + Decimal(ex.order) + ") = " + ex.Text(3);
     }},
    {kind::kIntrinsic,
     [](const TExample& ex, const TTextSettings&) { return IntrinsicText(ex, false); }},
    {kind::kSpaceIntrinsic,
     [](const TExample& ex, const TTextSettings&) { return IntrinsicText(ex, true); }},
    {kind::kSurface, [](const TExample& ex, const TTextSettings&) { return "z = " + ex.Text(3); }},
    {kind::kPolarSurface,
     [](const TExample& ex, const TTextSettings&) { return "z = " + ex.Text(3); }},
    {kind::kParametricSurface,
     [](const TExample& ex, const TTextSettings&) {
         return "(x,y,z) = " + Tuple(ex, {1, 2, 3});
     }},
    {kind::kSpaceCurve,
     [](const TExample& ex, const TTextSettings&) {
         return "(x,y,z) = " + Tuple(ex, {1, 2, 3});
     }},
    {kind::kTube,
     [](const TExample& ex, const TTextSettings&) {
         return Word(word::kTube) + Tuple(ex, {1, 2, 3}) + "; " + Word(word::kRadius) + " = " +
                ex.Text(4);
     }},
    {kind::kRevolution, RevolutionText},
    {kind::kSpacePoint, SpacePointText},
    {kind::kSpaceSystem,
     [](const TExample& ex, const TTextSettings&) {
         return "[x',y',z'] = [" + ex.Text(1) + "," + ex.Text(2) + "," + ex.Text(3) + "]";
     }},
    {kind::kPlane,
     [](const TExample& ex, const TTextSettings&) {
         return Word(word::kPlane) + "{[" + ex.Text(1) + "," + ex.Text(2) + "," + ex.Text(3) +
                "];(" + ex.Text(4) + ")}";
     }},
    {kind::kSphericalSurface,
     [](const TExample& ex, const TTextSettings&) { return "r = " + ex.Text(4); }},
    {kind::kComplexMap,
     [](const TExample& ex, const TTextSettings&) { return "z ==> " + ex.Text(1); }},
    {kind::kTripleMap,
     [](const TExample& ex, const TTextSettings&) {
         return "(x,y,z)==>" + Tuple(ex, {1, 2, 3});
     }},
};

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
    if (ex.kind != kind::kExplicit || !ex.WebOn()) return {};
    const std::string seed = ex.subKind >= 1 ? std::string(1, static_cast<char>(64 + ex.subKind))
                                             : FormatLf(ex.Number(TNumber::kWebSeed), 5, 3);
    return " " + Word(word::kWeb) + "[" + Word(word::kSeedValue) + " " + seed + "; " +
           Decimal(ex.WebSteps()) + " " + Word(word::kSteps) + "]";
}

std::string TDescriber::Long(int index) {
    TDerivedText parts(inventory_, settings_, index);
    const TExample& ex = parts.ex;
    const TDerivationInfo* derivation = FindDerivation(ex.derivation);
    parts.first = ex.parent[0];
    parts.second = ex.parent[1];
    parts.hasFirst = ValidParent(inventory_, parts.first, index);
    parts.parentKind = parts.hasFirst ? inventory_[parts.first].kind : 0;
    parts.prefix = KindPrefix(parts.parentKind);
    // The parents' texts come first: describing them may write into their records.
    if (parts.hasFirst) parts.n1 = ParentName(parts.first);
    const bool pairIndex = derivation && derivation->parents == TParents::kSegmentAndText;
    if (!pairIndex && ValidParent(inventory_, parts.second, index))
        parts.n2 = ParentName(parts.second);
    parts.n1Cut = CutAtSemicolon(parts.n1);
    parts.n2Cut = CutAtSemicolon(parts.n2);
    return derivation && derivation->describe ? derivation->describe(parts) : std::string();
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

std::string text_parts::ShortText(const TExample& ex, int kind, const TTextSettings& settings) {
    for (const TKindText& entry : kKindTexts)
        if (entry.kind == kind) return entry.text(ex, settings);
    return {};
}

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
    const int marks = example.EndMarkMode();
    const std::string label =
        Word(!threeD && example.PolarForm() ? word::kPolarSegment : word::kSegment);
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
    // Fixed with the line's digits where that reads well; an unbounded end (e^42), a huge step
    // or a start far out in exponent form, so no line runs into twenty digits.
    const auto num = [digits](long double v) { return FormatNumberAuto(v, digits); };
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
