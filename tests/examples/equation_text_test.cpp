// Equation texts: the texts of examples of their own texts and of derived examples, the
// suffixes and the cut, and the stored texts of derived examples.
#include "examples/equation_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <initializer_list>
#include <string>

namespace quorlin::examples {
namespace {

TExample& Append(TInventory& inventory, int kind, std::initializer_list<std::string> texts = {},
                 const std::string& name = "") {
    TInventoryEntry& entry = inventory.Entries().emplace_back();
    entry.example.kind = static_cast<std::int16_t>(kind);
    entry.name = name;
    int k = 1;
    for (const std::string& text : texts) entry.example.Text(k++) = text;
    return entry.example;
}

TExample& Derive(TInventory& inventory, int kind, int code, int first, int second = -1) {
    TExample& ex = Append(inventory, kind);
    ex.derivation = static_cast<std::uint16_t>(code);
    ex.parent = {static_cast<std::int16_t>(first), static_cast<std::int16_t>(second)};
    return ex;
}

void LockedParabola(TInventory& inv) {
    TExample& ex = Append(inv, kind::kExplicit, {"", "x^2", "", "", "", "", "0;1"});
    ex.lockInterval = 1;
}

struct TextCase {
    const char* what;
    std::function<void(TInventory&)> build;  // the last example is described
    std::string expected;
    std::size_t size = kDescriptionSize;
};

class EquationTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(EquationTextTable, DescribesTheLastExample) {
    TInventory inventory;
    GetParam().build(inventory);
    TTextSettings settings;
    settings.format.places = 2;
    settings.format.NumberFormatChanged();
    EXPECT_EQ(DescribeExample(inventory, inventory.LastIndex(), settings, GetParam().size),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EquationTextTable,
    ::testing::Values(
        TextCase{"locked closed interval", LockedParabola, "y = x^2; 0 <= x <= 1"},
        TextCase{"locked interval open at its high end",
                 [](TInventory& inv) {
                     LockedParabola(inv);
                     inv[0].SetEndMark(1, {TEndMark::Shape::kCircle, 3, false});
                 },
                 "y = x^2; 0 <= x < 1"},
        TextCase{"a web seed or frozen value does not open an end",
                 [](TInventory& inv) {
                     LockedParabola(inv);
                     inv[0].NumberAt(431) = -2;
                     inv[0].NumberAt(441) = -1;
                 },
                 "y = x^2; 0 <= x <= 1"},
        TextCase{"family suffix",
                 [](TInventory& inv) {
                     TExample& ex = Append(inv, kind::kExplicit, {"", "c*x"});
                     ex.familyOn = 1;
                     ex.familyLetter = 3;
                     ex.familyLow = 0;
                     ex.familyHigh = 2;
                     ex.familySteps = -4;
                 },
                 "y = c*x family[c = 0.000 --> c = 2.000; 4 steps]"},
        TextCase{"cut to a buffer of 60",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", std::string(70, 'x')});
                 },
                 "y = " + std::string(51, 'x') + " ...", 60},
        TextCase{"sum of two explicit examples",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "x"});
                     Append(inv, kind::kExplicit, {"", "x^2"});
                     Derive(inv, kind::kExplicit, 43, 0, 1);
                 },
                 "y = (x)+(x^2)"},
        TextCase{"absolute value of a named example",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "x^2-1"}, "parab");
                     Derive(inv, kind::kExplicit, 111, 0);
                 },
                 "y = |parab|"},
        TextCase{"segment with both arrows",
                 [](TInventory& inv) {
                     Append(inv, kind::kSegment, {"0", "0", "1", "1"}).word32 = 3;
                 },
                 "segment (0,0)<-->(1,1)"},
        TextCase{
            "polar parametric curve with its range text",
            [](TInventory& inv) {
                Append(inv, kind::kParametric, {"1+t", "t", "", "", "", "", "0;2*pi"}).byte60 = 1;
            },
            "(r,t) = (1+t,t); 0 <= t <= 2*pi"},
        TextCase{"periodic explicit curve",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "x", "", "", "", "", "0;2"}).periodic = 1;
                 },
                 "y = periodic[x; 0 <= x < 2]"},
        TextCase{"web diagram with a seed parameter",
                 [](TInventory& inv) {
                     TExample& ex = Append(inv, kind::kExplicit, {"", "a*x*(1-x)"});
                     ex.byte60 = 1;
                     ex.subKind = 1;
                     ex.word34 = 10;
                 },
                 "y = a*x*(1-x) web[seed value A; 10 steps]"},
        TextCase{
            "surface of revolution with its axis in window format",
            [](TInventory& inv) {
                TExample& ex = Append(inv, kind::kRevolution, {"", "", "", "", "", "", "y = x"});
                ex.NumberAt(281) = 1;
            },
            "revolve [y = x] axis ax+by=c (1.00,0.00,0.00)"},
        TextCase{"spherical point",
                 [](TInventory& inv) {
                     Append(inv, kind::kSpacePoint, {"1", "2", "3"}).word32 = 2;
                 },
                 "(rho,theta,phi) = (1,2,3)"},
        TextCase{"derivative of a derivative names the first ancestor",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "sin(x)"});
                     Derive(inv, kind::kExplicit, 68, 0).order = 1;
                     Derive(inv, kind::kExplicit, 68, 1).order = 2;
                 },
                 "y = der{2,sin(x)}"},
        TextCase{"gradient field of an implicit curve",
                 [](TInventory& inv) {
                     Append(inv, kind::kImplicit, {"", "", "", "", "x^2+y^2=1"});
                     Derive(inv, kind::kSystem, 71, 0);
                 },
                 "grad{(1)-(x^2+y^2)}"},
        TextCase{"reflection in the line y = x drops the parent's range",
                 [](TInventory& inv) {
                     LockedParabola(inv);
                     Derive(inv, kind::kParametric, 103, 0);
                 },
                 "reflect{x^2} | y = x "},
        TextCase{"end point of a segment takes the pair its text index names",
                 [](TInventory& inv) {
                     Append(inv, kind::kSegment, {"0", "1", "2", "3"});
                     Derive(inv, kind::kPoint, 125, 0, 2);
                 },
                 "(x,y) = (2,3)"},
        TextCase{"end point with a text index outside the record",
                 [](TInventory& inv) {
                     Append(inv, kind::kSegment, {"0", "1", "2", "3"});
                     Derive(inv, kind::kPoint, 125, 0, 6);
                 },
                 ""},
        TextCase{"parent index that is not an earlier example",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "x"});
                     Derive(inv, kind::kExplicit, 111, 1);
                 },
                 "||"},
        TextCase{"frozen family member",
                 [](TInventory& inv) {
                     Append(inv, kind::kExplicit, {"", "a*x"});
                     TExample& ex = Derive(inv, kind::kExplicit, 180, 0);
                     ex.letter36 = 1;
                     ex.NumberAt(441) = 0.5L;
                 },
                 "a*x @ a = 0.50"}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(EquationText, DerivedTextsThatAreStoredAreCutToTheRecordsTexts) {
    TInventory inventory;
    Append(inventory, kind::kExplicit, {"", std::string(250, 'x')});
    TExample& taylor = Derive(inventory, kind::kExplicit, 65, 0);
    taylor.derivationParam = 3;
    taylor.Text(4) = "0";
    Append(inventory, kind::kParametricSurface, {"t", "u", "t*u"});
    TExample& plane = Derive(inventory, kind::kPlane, 77, 2);
    plane.Text(7) = "0.5;0.25";
    const TTextSettings settings;

    const std::string text = DescribeExample(inventory, 1, settings);
    EXPECT_EQ(text, "y = Taylor{" + std::string(250, 'x') + "; deg 3 @ x = 0}");
    EXPECT_EQ(inventory[1].Text(2), text.substr(0, 255));
    EXPECT_EQ(DescribeExample(inventory, 3, settings),
              "tangent plane{(x,y,z) = (t,u,t*u); (0.5,0.25)}");
    EXPECT_EQ(inventory[3].Text(4), "cannot edit this");
}

TEST(EquationText, TrajectoryLines) {
    TTrajectory system;
    system.kind = kind::kSystem;
    system.startX = 1;
    system.startTime = 0;
    system.endTime = -5;
    EXPECT_EQ(DescribeTrajectory(system, 2, false), "(1.00,0.00) t = 0.00 bkw t = -5.00");

    TTrajectory slope;
    slope.kind = kind::kSlope;
    slope.startX = 2;  // shown as 10^2 on a logarithmic x axis
    slope.step = 0.1L;
    slope.option1 = 2;
    EXPECT_EQ(DescribeTrajectory(slope, 1, false, 1), "(100.0,0.0) steps 0.1 Runge-Kutta");

    TTrajectory sequence;
    sequence.kind = TTrajectory::kFormulaKindOffset + kind::kSpaceSequence;
    sequence.texts = {"a", "b", "c", ""};
    sequence.endTime = 9;
    EXPECT_EQ(DescribeTrajectory(sequence, 2, true), "(a,b,c) t = 0.00 fwd t = 9.00");

    // A derx equation shows its initial values without their closing comma, and an empty list
    // as nothing.
    TTrajectory derx;
    derx.kind = kind::kHigherOrder;
    derx.step = 0.5L;
    for (auto [values, shown] :
         {std::pair{"1,0,", "(1,0) t = 0.0 steps 0.5 Euler"}, {"", "() t = 0.0 steps 0.5 Euler"}}) {
        derx.texts[0] = values;
        EXPECT_EQ(DescribeTrajectory(derx, 1, false), shown);
    }
}

}  // namespace
}  // namespace quorlin::examples
