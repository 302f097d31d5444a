// What the tool dialogs of a 2D window show after the user types: a result stands only beside
// the fields it was computed from. For each dialog that shows a result, computed by its own
// button, typing in a field the result reads (or choosing another axis or kind of solid) leaves
// the result blank, and computing again shows the value of what the fields now hold.
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "core/random.h"
#include "examples/levels/arclen_dialog.h"
#include "support/typing.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
using examples::TPreRiemDlg;
using quorlin::testing::TypeOver;
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr int kParabolicValue = TRiemDlg::kFirstValue + 4;
constexpr int kParabolicCheck = TRiemDlg::kFirstCheck + 4;

// A dialog as the table drives it: its fields filled with a starting text (after its buttons
// set, when it has some that choose), its button that computes, the static that shows the
// result, and the value computed last.
struct TDialogRoad {
    platform::Dialog* dialog = nullptr;
    std::vector<std::pair<int, const char*>> start;
    int compute = 0;
    int result = 0;
    std::function<long double()> value;
    std::function<void()> reset = [] {};
};

// One action of the user: text typed over a field, or (typed null) a button pressed; then the
// value the dialog computes from what it shows.
struct TTyping {
    int field;
    const char* typed;
    long double value;
};

class TypedFieldsTest : public ToolsWindowTest {
public:
    ~TypedFieldsTest() override { SetRandomSource({}); }

    // The roads of the table: each adds its examples and opens its dialog.

    // A measuring dialog over [1, 2] in 4 strips, then the fields of `more` (later ones win).
    static TDialogRoad Measuring(
        TPreRiemDlg& d, std::vector<std::pair<int, const char*>> more,
        std::function<void()> reset = [] {}) {
        std::vector<std::pair<int, const char*>> start{{TPreRiemDlg::kLowEdit, "1"},
                                                       {TPreRiemDlg::kHighEdit, "2"},
                                                       {TPreRiemDlg::kSubintervalEdit, "4"}};
        start.insert(start.end(), more.begin(), more.end());
        return {&d,
                std::move(start),
                TPreRiemDlg::kValueButton,
                TPreRiemDlg::kResultStatic,
                [&d] { return d.Result(); },
                std::move(reset)};
    }

    long double Parabolic() const {
        return win.Tools().sums[static_cast<std::size_t>(examples::SumRule::Simpson)];
    }
    // y = x^2 over [1, 2] in 4 strips: the parabolic rule is exact, 7/3.
    TDialogRoad Riemann() {
        Paste("EXPL2;x^2;");
        TRiemDlg& d = Command(cmd::kIntegrate, &TWindowAnalysisTools::Riemann);
        d.SetChecked(kParabolicCheck, true);
        d.OnControl(kParabolicCheck);
        return {&d,
                {{TPreRiemDlg::kLowEdit, "1"},
                 {TPreRiemDlg::kHighEdit, "2"},
                 {TPreRiemDlg::kSubintervalEdit, "4"}},
                TPreRiemDlg::kValueButton,
                kParabolicValue,
                [this] { return Parabolic(); }};
    }
    // y = 2x from 1 to 3: 2 sqrt(5).
    TDialogRoad ArcLength() {
        Paste("EXPL2;2*x;");
        EXPECT_TRUE(win.SendCommand(cmd::kArcLength));
        examples::TArcLenDlg& d = *win.ArcLengthDialog();
        return {&d,
                {{examples::TArcLenDlg::kLowEdit, "1"},
                 {examples::TArcLenDlg::kHighEdit, "3"},
                 {examples::TArcLenDlg::kCountEdit, "10"}},
                examples::TArcLenDlg::kLength,
                examples::TArcLenDlg::kResult,
                [this] { return Parabolic(); }};
    }
    // y = x over [1, 2] about the x-axis: the cone's frustum, 7 pi / 3.
    TDialogRoad Revolution() {
        const int line = Add(k::kExplicit, -5, 5, {"", "x"});
        TRevDlg& d = Command(cmd::kVolumeOfRevolution, &TWindowAnalysisTools::Revolution);
        Pick(d, line);
        return Measuring(d, {}, [&d] { d.Press(TRevDlg::kXAxisButton); });
    }
    // The circle r = 2 swept from angle 1 to 2: r^2 / 2 per radian, 2.
    TDialogRoad Sector() {
        Paste("POLAR;2;0;7;");
        TSectorDlg& d = Command(cmd::kSectorArea, &TWindowAnalysisTools::Sector);
        Pick(d, 0);
        return Measuring(d, {});
    }
    // The strip between y = 1 and y = 0 over [1, 3] in washers about y = 0: 2 pi.
    TDialogRoad TwoCurves() {
        Paste("EXPL2;1;EXPL2;0;");
        T2VolDlg& d = Command(cmd::kVolumeTwo, &TWindowAnalysisTools::VolumeTwo);
        Pick(d, 0);
        return Measuring(d,
                         {{TPreRiemDlg::kHighEdit, "3"},
                          {TPreRiemDlg::kSubintervalEdit, "6"},
                          {T2VolDlg::kAxisEdit, "0"}},
                         [&d] { d.Press(T2VolDlg::kWashers); });
    }
    // The field (-y, x) along the unit circle from t = 1 to 2.5: the arc's length, 1.5.
    TDialogRoad LineIntegral() {
        const int field = Add(k::kSystem, 0, 7, {"-y", "x"});
        Add(k::kParametric, 0, 7, {"cos(t)", "sin(t)"});
        TLineDlg& d = Command(cmd::kLineIntegral, &TWindowAnalysisTools::Line);
        Pick(d, field);
        return {&d,
                {{TLineDlg::kTLow, "1"}, {TLineDlg::kTHigh, "2.5"}, {TLineDlg::kTCount, "40"}},
                TLineDlg::kValue,
                TLineDlg::kResult,
                [&d] { return d.LastResult(); }};
    }
    // The field (x, y, z) through the unit sphere over t in [1, 2], u in [1, 3]:
    // (cos 1 - cos 2) * 2.
    TDialogRoad Flux() {
        const int field = Add(k::kSpaceSystem, 0, 7, {"x", "y", "z"});
        Add(k::kParametricSurface, 0, 7, {"sin(t)*cos(u)", "sin(t)*sin(u)", "cos(t)"});
        flux_ = std::make_unique<TFluxDlg>(win);
        flux_->Create();
        flux_->ShowDialog();
        Pick(*flux_, field);
        TFluxDlg* d = flux_.get();
        return {d,
                {{TLineDlg::kTLow, "1"},
                 {TLineDlg::kTHigh, "2"},
                 {TLineDlg::kTCount, "40"},
                 {TLineDlg::kULow, "1"},
                 {TLineDlg::kUHigh, "3"},
                 {TLineDlg::kUCount, "20"}},
                TLineDlg::kValue,
                TLineDlg::kResult,
                [d] { return d->LastResult(); }};
    }

protected:
    QString Shown(long double value) const { return QString::fromStdString(win.FormatNum(value)); }
    // The starting fields, then the dialog's button: the first value shown.
    static void Compute(const TDialogRoad& road, bool fresh) {
        if (fresh) {
            road.reset();
            for (const auto& [id, text] : road.start)
                road.dialog->SetText(id, QString::fromLatin1(text));
        }
        road.dialog->Press(road.compute);
    }

    std::unique_ptr<TFluxDlg> flux_;
};

// A dialog's rows: its road, the value of the starting fields, the actions, and how near the
// computed values come to the closed forms (the parabolic rule is exact on the polynomials but
// not on the flux's sine).
struct TDialogRows {
    const char* name;
    TDialogRoad (TypedFieldsTest::*road)();
    long double first;
    std::vector<TTyping> typings;
    double tolerance = 1e-12;
};

void PrintTo(const TDialogRows& rows, std::ostream* os) {
    *os << rows.name;
}

class TypedFieldsTableTest : public TypedFieldsTest,
                             public ::testing::WithParamInterface<TDialogRows> {};

const long double kSqrt5 = std::sqrt(5.0L);
// The sphere's band between t = 1 and t = 2 gives cos 1 - cos 2 a radian of u.
const long double kBand = std::cos(1.0L) - std::cos(2.0L);

const TDialogRows kTables[] = {
    {"integration",
     &TypedFieldsTest::Riemann,
     7.0L / 3,
     {{TPreRiemDlg::kLowEdit, "0.5", (8 - 0.125L) / 3},
      {TPreRiemDlg::kHighEdit, "3", 26.0L / 3},
      {TPreRiemDlg::kSubintervalEdit, "6", 7.0L / 3}}},
    {"arclength",
     &TypedFieldsTest::ArcLength,
     2 * kSqrt5,
     {{examples::TArcLenDlg::kLowEdit, "2", kSqrt5},
      {examples::TArcLenDlg::kHighEdit, "4", 3 * kSqrt5},
      {examples::TArcLenDlg::kCountEdit, "7", 2 * kSqrt5}}},
    {"revolution",
     &TypedFieldsTest::Revolution,
     7 * kPi / 3,
     {{TPreRiemDlg::kLowEdit, "0.5", (8 - 0.125L) * kPi / 3},
      {TPreRiemDlg::kHighEdit, "3", 26 * kPi / 3},
      {TPreRiemDlg::kSubintervalEdit, "6", 7 * kPi / 3},
      // About y = 1: the radius is x - 1.
      {TRevDlg::kCEdit, "1", kPi / 3},
      // 2y = 0 is the x-axis still: the same volume, read afresh.
      {TRevDlg::kBEdit, "2", 7 * kPi / 3},
      {TRevDlg::kAEdit, "0.0", 7 * kPi / 3},
      // About the y-axis y = x sweeps the same cone.
      {TRevDlg::kYAxisButton, nullptr, 7 * kPi / 3}}},
    {"sector",
     &TypedFieldsTest::Sector,
     2,
     {{TPreRiemDlg::kLowEdit, "0.5", 3},
      {TPreRiemDlg::kHighEdit, "3", 4},
      {TPreRiemDlg::kSubintervalEdit, "8", 2}}},
    {"twocurves",
     &TypedFieldsTest::TwoCurves,
     2 * kPi,
     {// About y = -1: washers from radius 1 to 2.
      {T2VolDlg::kAxisEdit, "-1", 6 * kPi},
      {TPreRiemDlg::kLowEdit, "2", kPi},
      {TPreRiemDlg::kHighEdit, "5", 4 * kPi},
      {TPreRiemDlg::kSubintervalEdit, "3", 2 * kPi},
      // Shells about x = 0: a tube from radius 1 to 3, one high.
      {T2VolDlg::kShells, nullptr, 8 * kPi}}},
    {"lineintegral",
     &TypedFieldsTest::LineIntegral,
     1.5L,
     {{TLineDlg::kTLow, "0.25", 2.25L},
      {TLineDlg::kTHigh, "4", 3},
      {TLineDlg::kTCount, "8", 1.5L}}},
    {"flux",
     &TypedFieldsTest::Flux,
     2 * kBand,
     {{TLineDlg::kTLow, "0.5", 2 * (std::cos(0.5L) - std::cos(2.0L))},
      {TLineDlg::kTHigh, "2.5", 2 * (std::cos(1.0L) - std::cos(2.5L))},
      {TLineDlg::kTCount, "30", 2 * kBand},
      {TLineDlg::kULow, "2", kBand},
      {TLineDlg::kUHigh, "4", 3 * kBand},
      {TLineDlg::kUCount, "30", 2 * kBand}},
     1e-8},
};

TEST_P(TypedFieldsTableTest, TypingInAFieldTheResultReadsClearsIt) {
    const TDialogRows& table = GetParam();
    const TDialogRoad road = (this->*table.road)();
    ASSERT_NE(road.dialog, nullptr);
    for (const TTyping& typing : table.typings) {
        SCOPED_TRACE(typing.field);
        Compute(road, true);
        ASSERT_TRUE(Errors().empty()) << Errors().back().toStdString();
        EXPECT_NEAR(static_cast<double>(road.value()), static_cast<double>(table.first),
                    table.tolerance);
        ASSERT_EQ(road.dialog->GetText(road.result), Shown(table.first));
        if (typing.typed)
            TypeOver(*road.dialog, typing.field, typing.typed);
        else
            road.dialog->Press(typing.field);
        EXPECT_EQ(road.dialog->GetText(road.result), QString());
        // Computed again, it is the value of the fields as they read now.
        Compute(road, false);
        ASSERT_TRUE(Errors().empty()) << Errors().back().toStdString();
        EXPECT_NEAR(static_cast<double>(road.value()), static_cast<double>(typing.value),
                    table.tolerance);
        EXPECT_EQ(road.dialog->GetText(road.result), Shown(typing.value));
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TypedFieldsTableTest, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<TDialogRows>& info) {
                             return std::string(info.param.name);
                         });

// The centroid is that of the darts thrown: a new count typed clears it, and the next throw
// throws the typed count.
TEST_F(TypedFieldsTest, TypingADartCountClearsTheCentroid) {
    Paste("IMPL2;x^2+y^2=1;");
    TCentroidDlg& d = Command(cmd::kShadeImplicit, &TWindowAnalysisTools::Centroid);
    d.Press(TCentroidDlg::kToLess);
    d.Press(TCentroidDlg::kCentroid);
    long long draws = 0;
    std::uint64_t state = 29;
    SetRandomSource([&draws, &state] {
        ++draws;
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) & static_cast<std::uint64_t>(kRandomMax));
    });
    const auto shown = [&d, this] {
        return QString::fromStdString("x = " + win.FormatNum(d.Centroid()->x) +
                                      "\ny = " + win.FormatNum(d.Centroid()->y));
    };
    const struct {
        const char* typed;
        int darts;
    } rows[] = {{"300", 300}, {"1234", 1234}, {"75", 75}};
    for (const auto& row : rows) {
        d.SetText(TCentroidDlg::kDartsEdit, QStringLiteral("400"));
        ASSERT_EQ(d.CmThrow(), kNoError);
        ASSERT_TRUE(d.Centroid());
        ASSERT_EQ(d.GetText(TCentroidDlg::kResult), shown());
        TypeOver(d, TCentroidDlg::kDartsEdit, row.typed);
        EXPECT_EQ(d.GetText(TCentroidDlg::kResult), QString()) << row.typed;
        EXPECT_FALSE(d.Centroid()) << row.typed;
        draws = 0;
        ASSERT_EQ(d.CmThrow(), kNoError);
        EXPECT_EQ(draws, 2 * row.darts);
        EXPECT_EQ(win.Tools().randomDarts, row.darts);
        ASSERT_TRUE(d.Centroid());
        EXPECT_EQ(d.GetText(TCentroidDlg::kResult), shown());
    }
    EXPECT_TRUE(Errors().empty());
}

}  // namespace
}  // namespace quorlin::tools2d
