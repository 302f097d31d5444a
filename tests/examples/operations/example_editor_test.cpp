// The editing rules: what the controls show for a record, the refusals of a reading (parse
// errors at once, numeric errors last, lengths, counts, ranges), the change mask, the range
// forms of "lock interval", parameters bound by "@" only when everything is accepted, and the
// storing of an accepted record.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "core/errors.h"
#include "examples/operations/example_editor.h"
#include "formula/formula_context.h"

namespace quorlin::examples {
namespace {

using Texts = std::vector<std::string>;

TExample Fresh(int kindCode, const Texts& texts = {}) {
    TExample e;
    e.Init(kindCode, 4, 50);
    int k = 1;
    for (const std::string& text : texts) e.Text(k++) = text;
    return e;
}

class EditorTest : public ::testing::Test {
protected:
    // Reads the record's own form after `change` edited it.
    TEditorOutcome Edit(const TExample& e, const std::function<void(TEditorForm&)>& change = {},
                        int index = 0) {
        TExampleEditor editor(e, index, env, formulas);
        TEditorForm form = editor.Load();
        if (change) change(form);
        return editor.Read(form);
    }
    TEditorEnv env;
    FormulaContext formulas;
};

auto Set(std::initializer_list<std::pair<int, std::string>> edits) {
    std::vector<std::pair<int, std::string>> copy(edits.begin(), edits.end());
    return [copy](TEditorForm& f) {
        for (const auto& [id, text] : copy) f.edits[id] = text;
    };
}

// first followed by n times "+term".
std::string Sum(const char* first, const char* term, int n) {
    std::string text = first;
    for (int k = 0; k < n; ++k) text += std::string("+") + term;
    return text;
}

const Texts kNone, kLine = {"", "x"}, kPolar = {"", "", "1"}, kMesh = {"", "", "x*y"};
const Texts kSeries = {"n", "1/n"}, kField = {"y", "-x"}, kSegment = {"0", "0", "1", "1"};

TEST_F(EditorTest, RefusalsGiveTheirError) {
    const struct {
        const char* what;
        int kind;
        Texts texts;
        std::function<void(TEditorForm&)> change;
        int error;
    } cases[] = {
        {"accepted as it is", kind::kExplicit, kLine, {}, kNoError},
        {"density 0", kind::kExplicit, kLine, Set({{215, "0"}}), kErrOutOfBounds},
        {"density 10001", kind::kExplicit, kLine, Set({{215, "10001"}}), kErrOutOfBounds},
        {"density -3", kind::kExplicit, kLine, Set({{215, "-3"}}), kNoError},
        {"formula that does not parse", kind::kExplicit, kLine, Set({{212, "x*(2"}}), 102},
        {"parse error before a numeric one", kind::kExplicit, kLine,
         Set({{212, "x*(2"}, {215, "0"}}), 102},
        {"last numeric error: density after the range", kind::kPolar, kPolar,
         Set({{221, "2"}, {223, "1"}, {215, "0"}}), kErrOutOfBounds},
        {"pen width 31", kind::kExplicit, kLine, Set({{227, "31"}}), kErrOutOfBounds},
        {"end mark 20", kind::kPolar, kPolar, Set({{216, "20"}}), kErrOutOfBounds},
        {"range text reversed", kind::kPolar, kPolar, Set({{221, "pi"}, {223, "1"}}),
         kErrInconsistentData},
        {"range text too long", kind::kPolar, kPolar,
         Set({{221, Sum("0", "0", 66)}, {223, Sum("1", "0", 66)}}), 110},
        {"mesh 100 x 60", kind::kSurface, kMesh, Set({{216, "100"}, {217, "60"}}), kErrOutOfBounds},
        {"mesh 99 x 59", kind::kSurface, kMesh, Set({{216, "99"}, {217, "59"}}), kNoError},
        {"second range reversed", kind::kSurface, kMesh, Set({{222, "1"}, {224, "0"}}),
         kErrInconsistentData},
        {"fourth count 1", kind::kSurface, kMesh, Set({{220, "1"}}), kErrOutOfBounds},
        {"implicit curve without =", kind::kImplicit, kNone, Set({{218, "x^2+y^2"}}), 112},
        {"implicit curve split too long", kind::kImplicit, kNone,
         Set({{218, Sum("x=y", "y", 132)}}), 110},
        {"spherical rewrite too long", kind::kSphericalSurface, kNone,
         Set({{214, Sum("t", "t", 125)}}), 110},
        {"roulette radius 0", kind::kRoulette, kNone, Set({{235, "0"}}), kErrPositiveValue},
        {"series index not a letter", kind::kSeries, kSeries, Set({{211, "2"}}),
         kErrCannotUnderstand},
        {"series ends reversed", kind::kSeries, kSeries, Set({{216, "5"}, {217, "4"}}),
         kErrInconsistentData},
        {"field arrows shorter than 0.2 per cent", kind::kSystem, kField, Set({{225, "0.1"}}),
         kErrOutOfBounds},
        {"parameter letter beyond W", kind::kPolar, kPolar, Set({{223, "2@X"}}),
         kErrCannotUnderstand}};
    for (const auto& c : cases)
        EXPECT_EQ(Edit(Fresh(c.kind, c.texts), c.change).error, c.error) << c.what;
}

TEST_F(EditorTest, ParametersAreBoundOnlyWhenTheWholeDialogIsAccepted) {
    const TExample e = Fresh(kind::kPolar, {"", "", "1"});
    formulas.SetVar(2, 7);
    const TEditorOutcome refused = Edit(e, Set({{221, "0"}, {223, "2@B"}, {227, "99"}}));
    EXPECT_EQ(std::tuple(refused.error, formulas.Var(2)), std::tuple(kErrOutOfBounds, 7));
    const TEditorOutcome accepted = Edit(e, Set({{221, "0"}, {223, "2@B"}}));
    ASSERT_EQ(accepted.error, kNoError);
    EXPECT_EQ(std::tuple(accepted.record.Text(7), accepted.record.rangeHigh[0]),
              std::tuple("0;B", 2));
    EXPECT_EQ(accepted.bindings, (std::vector<TParameterBinding>{{2, 2}}));
    EXPECT_EQ(formulas.Var(2), 7);  // the caller binds
    EXPECT_TRUE(accepted.mask & change::kCompile);
}

TEST_F(EditorTest, TheMaskTellsWhatChanged) {
    const Texts polar = {"", "", "1", "", "", "", "0;1"};  // r = 1 for t from 0 to 1, compiled
    const auto check = [](int id) { return [id](TEditorForm& f) { f.SetChecked(id, true); }; };
    const struct {
        const char* what;
        int kind;
        Texts texts;
        std::function<void(TEditorForm&)> change;
        std::uint32_t mask;
    } cases[] = {
        {"nothing", kind::kPolar, polar, {}, 0},
        {"colour", kind::kPolar, polar, [](TEditorForm& f) { f.colours[2] = 9; }, change::kAny},
        {"formula", kind::kPolar, polar, Set({{213, "2"}}), change::kCompile | change::kAny},
        {"end mark", kind::kPolar, polar,
         [](TEditorForm& f) {
             f.edits[216] = "5";
             f.SetChecked(252, true);
             f.SetChecked(251, false);
         },
         change::kAny},
        {"slices of a surface", kind::kSurface, kMesh, Set({{219, "30"}}),
         change::kDisplay | change::kAny},
        {"divisions of a surface", kind::kSurface, kMesh, Set({{216, "30"}}),
         change::kCompile | change::kAny},
        {"range of an indefinite integral", kind::kIntegral, kNone,
         [](TEditorForm& f) {
             f.SetChecked(271, true);
             f.edits[221] = "0.5";
         },
         change::kAny},
        {"segment with its end points", kind::kSegment, kSegment, check(275),
         change::kAny | change::kEndPoints},
        {"sequence arrows keep the trajectories", kind::kSequence, kField, check(271),
         change::kAny}};
    for (const auto& c : cases) {
        const TEditorOutcome out = Edit(Fresh(c.kind, c.texts), c.change);
        ASSERT_EQ(out.error, kNoError) << c.what;
        EXPECT_EQ(out.mask, c.mask) << c.what;
    }
}

TEST_F(EditorTest, LockingAndUnlockingKeepsBothRangeForms) {
    TExample e = Fresh(kind::kExplicit, {"", "x"});
    e.rangeLow[0] = -2;
    e.rangeHigh[0] = 3;
    env.format.places = 1;
    env.format.NumberFormatChanged();
    TExampleEditor editor(e, 0, env, formulas);
    TEditorForm form = editor.Load();
    EXPECT_EQ(form.edits[221], "-2.0");
    EXPECT_FALSE(form.IsShown(216));  // no end marks without an interval
    const auto click = [&](int id, bool on) {
        form.SetChecked(id, on);
        editor.IntervalSwitched(form, id);
    };
    click(271, true);
    EXPECT_TRUE(form.IsShown(216));
    form.edits[221] = "-pi";
    form.edits[223] = "pi";
    click(272, true);  // periodic takes over from the lock
    EXPECT_EQ(std::tuple(form.IsChecked(271), form.edits[221]), std::tuple(false, "-pi"));
    click(272, false);
    EXPECT_EQ(form.edits[221], "-2.0");
    click(271, true);
    EXPECT_EQ(std::tuple(form.edits[221], form.edits[223]), std::tuple("-pi", "pi"));

    const TEditorOutcome out = editor.Read(form);
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(out.record.Text(7), "-pi;pi");
    EXPECT_NEAR(static_cast<double>(out.record.rangeHigh[0]), 3.14159265, 1e-8);
}

TEST_F(EditorTest, RangeEndsLeftAsShownKeepTheirStoredValues) {
    // The edits show four places; an end the user did not touch keeps every bit of its value,
    // one typed anew (even the same number with more digits) is read.
    constexpr long double kPi = 3.141592653589793238462643383279502884L;
    constexpr long double kE = 2.718281828459045235360287471352662498L;
    const Texts kCircle = {"cos(t)", "sin(t)"};
    struct Row {
        int kind;
        Texts texts;
        int which;  // 0: edits 221 and 223; 1: edits 222 and 224
        long double storedLow, storedHigh;
        std::vector<std::pair<int, std::string>> typed;
        long double low, high;
    };
    const Row rows[] = {
        {kind::kParametric, kCircle, 0, -kPi, kE, {}, -kPi, kE},
        {kind::kParametric, kCircle, 0, -kPi, kE, {{223, "2.5"}}, -kPi, 2.5L},
        {kind::kParametric, kCircle, 0, -kPi, kE, {{221, "-3.14160"}}, -3.1416L, kE},
        {kind::kSurface, kMesh, 0, -kE, kPi, {}, -kE, kPi},
        {kind::kSurface, kMesh, 1, -kE / 3, kPi * 7, {}, -kE / 3, kPi * 7},
        {kind::kSurface, kMesh, 1, -kE / 3, kPi * 7, {{222, "-1"}}, -1.0L, kPi * 7},
    };
    for (const Row& row : rows) {
        TExample e = Fresh(row.kind, row.texts);
        const auto at = static_cast<std::size_t>(row.which);
        e.rangeLow[at] = row.storedLow;
        e.rangeHigh[at] = row.storedHigh;
        const TEditorOutcome out = Edit(e, [&](TEditorForm& f) {
            for (const auto& [id, text] : row.typed) f.edits[id] = text;
        });
        ASSERT_EQ(out.error, kNoError) << row.kind << " " << row.which;
        EXPECT_EQ(std::tuple(out.record.rangeLow[at], out.record.rangeHigh[at]),
                  std::tuple(row.low, row.high))
            << row.kind << " " << row.which << " " << row.typed.size();
    }
    // A revolved segment moves its unbound ends into its numbers, keeping them too.
    TExample revolved = Fresh(kind::kRevolution, {"0", "1", "2", "3"});
    revolved.subKind = kind::kSegment;
    revolved.rangeLow = {-kE, kPi / 5};
    revolved.rangeHigh = {kPi, 2 * kPi};
    const TEditorOutcome out = Edit(revolved, Set({{224, "6.5"}}));
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(
        std::tuple(out.record.Number(TNumber::kFirstLow), out.record.Number(TNumber::kFirstHigh),
                   out.record.Number(TNumber::kSecondLow), out.record.Number(TNumber::kSecondHigh)),
        std::tuple(-kE, kPi, kPi / 5, 6.5L));
}

TEST_F(EditorTest, ExplicitCurveSpansTheWindowOrItsLockedIntervalAboveTheLogarithmicAxis) {
    env.xLow = -7;
    env.xHigh = 9;
    const TEditorOutcome out = Edit(Fresh(kind::kExplicit, {"", "x"}));
    EXPECT_EQ(std::tuple(out.record.rangeLow[0], out.record.rangeHigh[0]), std::tuple(-7, 9));

    env.logX = true;
    env.logXLow = 0.01L;
    TExample e = Fresh(kind::kExplicit, {"", "ln(x)"});
    e.lockInterval = 1;
    e.Text(7) = "0.001;1";
    EXPECT_EQ(Edit(e).error, kErrInconsistentData);
    e.Text(7) = "0.1;1";
    EXPECT_EQ(Edit(e).error, kNoError);
}

TEST_F(EditorTest, ShowsAndReadsEndMarksAndJumps) {
    TExample e = Fresh(kind::kExplicit, {"", "1/x"});
    e.lockInterval = 1;
    e.Text(7) = "0;1";
    e.jumpsOff = 1;
    e.SetEndMark(0, {TEndMark::Shape::kCircle, 4, false});
    e.SetEndMark(1, {TEndMark::Shape::kArrow, 6, true});
    TExampleEditor editor(e, 0, env, formulas);
    TEditorForm form = editor.Load();
    EXPECT_EQ(std::tuple(form.edits[215], form.edits[216]), std::tuple("1@", "4"));
    // A hollow circle and a solid arrow.
    EXPECT_EQ(std::tuple(form.IsChecked(252), form.IsChecked(273), form.IsChecked(256),
                         form.IsChecked(274)),
              std::tuple(true, false, true, true));
    form.edits[215] = "2";
    form.SetChecked(273, true);
    const TEditorOutcome out = editor.Read(form);
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(out.record.jumpsOff, 0);
    EXPECT_EQ(out.record.EndMark(0), (TEndMark{TEndMark::Shape::kCircle, 4, true}));
    EXPECT_EQ(out.record.EndMark(1), (TEndMark{TEndMark::Shape::kArrow, 6, true}));

    env.diagramVersion = 22;  // older diagrams had no jump switch
    EXPECT_EQ(TExampleEditor(e, 0, env, formulas).Load().edits[215], "1");
}

TEST_F(EditorTest, DerivedExampleKeepsItsTexts) {
    TExample e = Fresh(kind::kExplicit, {"", "2*x"});
    e.derivation = 111;
    e.parent[0] = 0;
    TExampleEditor editor(e, 1, env, formulas);
    TEditorForm form = editor.Load();
    EXPECT_EQ(form.edits[212], "cannot edit this");
    form.edits[227] = "3";
    const TEditorOutcome out = editor.Read(form);
    ASSERT_EQ(out.error, kNoError);
    TExample stored = Fresh(kind::kExplicit, {"", "2*x"});
    stored.derivation = 111;
    StoreEditedRecord(stored, out.record);
    EXPECT_EQ(std::tuple(stored.Text(2), stored.pen.width), std::tuple("2*x", 3));
}

TEST_F(EditorTest, FieldsWithReadingsOfTheirOwn) {
    // A pen width with "@" becomes the default; the style is the pen's.
    TEditorOutcome out = Edit(Fresh(kind::kLine, {"1", "1", "1"}), [](TEditorForm& f) {
        f.edits[227] = "4@";
        f.SetChecked(251, false);
        f.SetChecked(253, true);  // dashed
    });
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(std::tuple(out.record.pen.width, out.defaultPenWidth, out.record.pen.style),
              std::tuple(4, 4, 2));
    // The field length bound to a parameter, and shown with its value.
    TExample field = Fresh(kind::kSystem, kField);
    out = Edit(field, Set({{225, "2.5@C"}}));
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(std::tuple(out.record.fieldLengthPercent, out.record.FieldParameter()),
              std::tuple(25, 3));
    EXPECT_EQ(out.bindings, (std::vector<TParameterBinding>{{3, 2.5L}}));
    formulas.SetVar(3, 1.5);
    field.FieldParameter() = 3;
    EXPECT_EQ(TExampleEditor(field, 0, env, formulas).Load().edits[225], "1.5@C");
    // Anchors are packed into the kind word.
    out = Edit(Fresh(kind::kSpacePoint, {"1", "2", "3"}), [](TEditorForm& f) {
        f.edits[214] = "x/y";
        f.SetChecked(275, true);
    });
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(std::tuple(out.record.subKind, out.record.Anchors()), std::tuple(9, 1));
}

TEST_F(EditorTest, PointsAndSegmentsNameTheirCoordinates) {
    TExample polar = Fresh(kind::kPoint, {"1", "2"});
    polar.PolarForm() = 1;
    TEditorForm form = TExampleEditor(polar, 0, env, formulas).Load();
    EXPECT_EQ(std::tuple(form.caption, form.labels[281], form.IsShown(213)),
              std::tuple("point (r,t)", "r = ", false));
    TExample spherical = Fresh(kind::kSpacePoint, {"1", "2", "3"});
    spherical.PointCoordinates() = 2;
    form = TExampleEditor(spherical, 0, env, formulas).Load();
    EXPECT_EQ(std::tuple(form.caption, form.IsShown(213)),
              std::tuple("point (rho,theta,phi)", true));
    TExample segment = Fresh(kind::kSegment, {"1", "2", "3", "4"});
    segment.PolarForm() = 1;
    form = TExampleEditor(segment, 0, env, formulas).Load();
    EXPECT_EQ(form.labels[284], "t2 =");
    env.logarithmic = true;
    env.inventoryFull = true;
    form = TExampleEditor(segment, 0, env, formulas).Load();
    EXPECT_EQ(std::tuple(form.IsShown(275), form.IsShown(235)), std::tuple(false, false));
}

TEST_F(EditorTest, DotSizesOfPolynomialsAndSeriesAreTheDrawnSizes) {
    TExample lagrange = Fresh(kind::kLagrange);
    lagrange.PolynomialNumber() = 2;
    TExampleEditor editor(lagrange, 0, env, formulas);
    TEditorForm form = editor.Load();
    EXPECT_EQ(form.edits[212], "Polynomial2(x)");
    EXPECT_TRUE(form.disabled.count(212));
    form.edits[225] = "7";
    const TEditorOutcome out = editor.Read(form);
    ASSERT_EQ(out.error, kNoError);
    EXPECT_EQ(std::tuple(out.record.fieldLengthPercent, out.record.IsLagrangeExplicit()),
              std::tuple(7, true));
    const TEditorOutcome series = Edit(Fresh(kind::kSeries, kSeries), Set({{235, "4"}}));
    ASSERT_EQ(series.error, kNoError);
    EXPECT_EQ(series.record.sizeWord, 4);
}

TEST_F(EditorTest, RevolvedSegmentSplitsItsPairs) {
    TExample e = Fresh(kind::kRevolution, {"0", "1", "2", "3"});
    e.subKind = kind::kSegment;
    TExampleEditor editor(e, 0, env, formulas);
    TEditorForm form = editor.Load();
    EXPECT_EQ(std::tuple(form.edits[211], form.IsShown(213)), std::tuple("0,1", false));
    form.edits[212] = "5 6";
    EXPECT_EQ(editor.Read(form).error, kErrInconsistentData);
    form.edits[212] = "5,6";
    form.edits[221] = "0@A";
    const TEditorOutcome out = editor.Read(form);
    ASSERT_EQ(out.error, kNoError);
    // A at the low end of t.
    EXPECT_EQ(std::tuple(out.record.Text(3), out.record.Text(4), out.record.EndsBound(),
                         out.record.Number(TNumber::kFirstLetterPair)),
              std::tuple("5", "6", 1, 1));
}

TEST(EditorStoreTest, KeepsTraceStateAndReadsPlotPoints) {
    TExample traced = Fresh(kind::kPoint, {"1", "2"});
    traced.derivation = 78;
    traced.numbers[12] = 11;
    traced.Number(TNumber::kStartTime) = 12;
    TExample edited = Fresh(kind::kPoint, {"9", "9"});
    edited.pen.width = 5;
    StoreEditedRecord(traced, edited);
    EXPECT_EQ(std::tuple(traced.numbers[12], traced.Number(TNumber::kStartTime), traced.Text(1),
                         traced.pen.width),
              std::tuple(11, 12, "1", 5));

    TExample points = Fresh(kind::kPlotPoints);
    points.derivation = 99;
    TExample typed = Fresh(kind::kPlotPoints);
    typed.Text(4) = "1, 2.5; -3";
    StoreEditedRecord(points, typed);
    EXPECT_EQ(points.Text(4), "1, 2.5; -3");
    ASSERT_EQ(points.PlotPointCount(), 3);
    EXPECT_EQ(points.values[2], -3);

    TExample map = Fresh(kind::kComplexMap, {"z^2"});
    StoreEditedRecord(map, Fresh(kind::kComplexMap, {"z^3"}));
    EXPECT_EQ(std::tuple(map.listing, map.Text(1)), std::tuple(4, "z^3"));
}

TEST(EditorNamesTest, TemplatesAndHelp) {
    EXPECT_EQ(EditorTemplateName(Fresh(kind::kLagrange)), "EQUA213");
    EXPECT_EQ(EditorTemplateName(Fresh(kind::kPoint)), "EQUA309");
    EXPECT_EQ(EditorTemplateName(Fresh(kind::kPolar)), "EQUA202");
    EXPECT_EQ(EditorHelpTopic(kind::kIntrinsic), 378);
    EXPECT_EQ(EditorHelpTopic(kind::kPlane), 330);
}

}  // namespace
}  // namespace quorlin::examples
