// The diagram body: files laid out by hand from the file's tables are read with the values of
// each position, older versions keep or convert what they lack, damaged files are refused
// without touching the body, and a full body read back writes the same bytes again.
#include "examples/diagram/diagram_body.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <set>
#include <tuple>

#include "core/errors.h"
#include "examples/body_file.h"
#include "examples/records/derivation.h"
#include "examples/records/variable_groups.h"
#include "examples/sample_body.h"
#include "formula/formula_context.h"
#include "shell/records/file_head.h"

namespace quorlin::examples {
namespace {

using testing::Bytes;
using testing::Group;
using testing::HandBody;
using testing::Laid;

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

int Read(const Bytes& bytes, int version, TDiagramBody& body, TBodyWindow window = {}) {
    ByteReader in(bytes);
    return ReadDiagramBody(in, version, body, window);
}

int Read(const HandBody& hand, TDiagramBody& body, TBodyWindow window = {}) {
    return Read(hand.Body(), hand.version, body, window);
}

Bytes Written(const TDiagramBody& body) {
    ByteWriter out;
    EXPECT_EQ(WriteDiagramBody(out, body), kNoError);
    return out.Take();
}

TExample Fresh(int kindCode) {
    TExample e;
    e.Init(kindCode, 3, 50);
    return e;
}

Bytes UserFunction(const std::string& name, const std::string& body, int args) {
    return Laid([&](ByteWriter& out) {
        out.FixedText(name, 10);
        out.FixedText(body, 61);
        out.U16(static_cast<std::uint16_t>(args));
        out.Zeros(4);
    });
}

Bytes UserFunctions(const std::vector<Bytes>& records) {
    Bytes block =
        Laid([&](ByteWriter& out) { out.U16(static_cast<std::uint16_t>(records.size())); });
    for (const Bytes& r : records) block.insert(block.end(), r.begin(), r.end());
    return block;
}

// ------------------------------------------------------------------------------ settings

// The settings read from words, flags and numbers, in the order of the position tables below.
template <class... T>
std::vector<long double> Values(T... v) {
    return {static_cast<long double>(v)...};
}

std::vector<long double> WordSettings(const TDiagramSettings& s) {
    return Values(s.decimalPlaces, s.mouseMode, s.scene.hideSegments, s.levelWords[0],
                  s.axes.xFrequency, s.axes.yFrequency, s.axes.tickLength, s.axes.minorTickLength,
                  s.printedThickness, s.scene.planarity, s.axes.axesKind, s.scene.axesWords[0],
                  s.numberFormat, s.axes.gridFlags, s.opaque, s.axes.scaleFlags,
                  s.scene.axesWords[1], s.scene.lineOfSightSamples, s.scene.slides,
                  s.scene.axesWords[2], s.axes.xPlaces, s.axes.yPlaces, s.levelWords[1],
                  s.axisLength, s.compileOptions, s.scene.screenThickness, s.scene.printedThickness,
                  s.pictexKind, s.scene.cube, s.screenThickness, s.piSymbol, s.axes.polarSectors,
                  s.fillExplicit, s.shadingStyle, s.defaultCount, s.mapGridFlag, s.axes.suffixChar,
                  s.abruptAngles, s.regionsMode, s.view.logMode, s.sketchThickness, s.openTools,
                  s.toolState[0], s.toolState[1], s.toolState[2]);
}
// (word, raw value, value read)
constexpr std::array<std::tuple<int, int, long double>, 45> kWords = {
    {{0, 6, 6},      {1, 121, 121},    {2, 5, 1},        {3, 7, 7},        {4, 2, 2},
     {5, 3, 3},      {6, 11, 11},      {7, 4, 4},        {8, 2, 2},        {10, 150, 150},
     {11, 4, 4},     {12, 21, 21},     {13, 1, 1},       {14, 80, 80},     {15, 9, 1},
     {16, 7, 7},     {17, 22, 22},     {18, 20, 20},     {19, 40, 40},     {20, 23, 23},
     {21, 12, 12},   {22, 3, 3},       {23, 5, 5},       {24, 8, 8},       {25, 0xD5, 0x55},
     {26, 2, 2},     {27, 3, 3},       {28, 0xFFFE, -2}, {37, 137, 1},     {38, 2, 2},
     {39, 960, 960}, {40, 16, 16},     {43, 1, 1},       {44, 892, 892},   {46, 700, 700},
     {47, 1, 1},     {48, 39, 39},     {49, 0, 0},       {50, 0xFFFF, -1}, {51, 2, 2},
     {52, 5, 5},     {53, 1025, 1025}, {54, 31, 31},     {55, 32, 32},     {56, 33, 33}}};

// Flags stored as 1, and the inverted ones (on when 0) stored as 0; all read as on.
std::vector<long double> FlagSettings(const TDiagramSettings& s) {
    return Values(s.view.cornersFlag, s.inventoryShown, s.scene.box, s.axes.dots,
                  s.axes.originLetter, s.scene.lockLengths, s.axes.xPi, s.axes.yPi, s.scene.coords,
                  s.scene.axesFlags[1], s.scene.dotted, s.graphInBlack, s.solidArrowheads,
                  s.sliderShown[3], s.notebookShown, s.evaluateParameters);
}
constexpr std::pair<int, std::uint8_t> kFlags[] = {
    {0, 1},  {1, 1},  {2, 1},  {3, 1},  {6, 1},  {7, 1},  {8, 1},  {9, 1},
    {13, 1}, {15, 1}, {18, 1}, {19, 0}, {20, 1}, {25, 0}, {47, 0}, {48, 0}};

// Number i holds i + 0.5 (ordered corners, positive sizes); the integers round half away.
std::vector<long double> NumberSettings(const TDiagramSettings& s) {
    return Values(s.view.centreX, s.view.centreY, s.view.halfWidth, s.view.left, s.view.right,
                  s.view.down, s.view.up, s.speedFactor, s.axes.xInterval, s.axes.yInterval,
                  s.scene.observer[1], s.scene.boxLengths[5], s.loopClosing, s.zeroVectors,
                  s.tracer[1], s.scene.angle, s.view.zoomFactor, s.revolutionRange[1],
                  s.scene.number28, s.riemann.low, s.riemann.steps, s.rightButton, s.centroidCount,
                  s.ivpDelay, s.scene.number39, s.view.aspect, s.lineIntegral.high,
                  s.lineIntegral.steps, s.flux1.low, s.flux1.steps, s.flux2.steps,
                  s.scene.sceneBox[0], s.scene.sceneBox[5], s.toolNumbers[2]);
}
constexpr int kNumbers[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  12, 19, 20, 21, 23, 24, 25,
                            27, 28, 33, 35, 36, 37, 38, 39, 41, 45, 46, 47, 49, 52, 53, 58, 61};
const std::set<int> kIntegerNumbers = {35, 37, 38, 39, 46, 49, 52};

TEST(DiagramBody, EverySettingIsReadFromItsPosition) {
    HandBody hand;
    for (const auto& [i, raw, read] : kWords) hand.words[i] = static_cast<std::uint16_t>(raw);
    for (const auto& [i, raw] : kFlags) hand.flags[i] = raw;
    hand.flags[4] = hand.flags[10] = 0;  // axes and labels off
    hand.flags[49] = 2;
    for (int i = 0; i < 62; ++i) hand.numbers[i] = i + 0.5L;

    TDiagramBody body;
    ASSERT_EQ(Read(hand, body), kNoError);
    const std::vector<long double> words = WordSettings(body.settings);
    for (std::size_t k = 0; k < kWords.size(); ++k)
        EXPECT_EQ(words[k], std::get<2>(kWords[k])) << "word " << std::get<0>(kWords[k]);
    const std::vector<long double> flags = FlagSettings(body.settings);
    for (std::size_t k = 0; k < std::size(kFlags); ++k)
        EXPECT_EQ(flags[k], 1) << "flag " << kFlags[k].first;
    const std::vector<long double> numbers = NumberSettings(body.settings);
    for (std::size_t k = 0; k < std::size(kNumbers); ++k) {
        const int i = kNumbers[k];
        EXPECT_EQ(numbers[k], kIntegerNumbers.count(i) ? i + 1 : i + 0.5L) << "number " << i;
    }
    EXPECT_FALSE(body.settings.complexMode);
    EXPECT_FALSE(body.settings.axes.axesShown);
    EXPECT_FALSE(body.settings.axes.labels);
    EXPECT_EQ(body.settings.shadingChoice, 2);
}

TEST(DiagramBody, OlderVersionsKeepWhatTheyLackAndConvertWhatTheyMean) {
    TDiagramBody before;
    before.settings.levelWords[1] = -7;
    before.settings.axisLength = -8;
    before.settings.axes.suffixChar = -9;
    before.settings.view.logMode = 3;
    before.settings.toolNumbers = {-1, -2, -3};
    before.sliderSteps.steps[5] = 77;
    for (int version : {1, 12, 13, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 31, 32, 33, 40, 41}) {
        HandBody hand;
        hand.version = version;
        for (int w : {3, 23, 24, 48, 50, 51, 53, 56}) hand.words[w] = 2;
        hand.flags[6] = 1;
        hand.numbers[61] = 4;
        hand.steps[5] = 55;
        hand.sketch = Laid([](ByteWriter& out) {
            out.I32(1);
            WriteSketchPoint(out, TSketchPoint{TSketchPoint::kHead, 0, 0, {}});
        });
        TDiagramBody body;
        body.settings = before.settings;
        body.sliderSteps = before.sliderSteps;
        ASSERT_EQ(Read(hand, body), kNoError) << version;
        const TDiagramSettings& s = body.settings;
        const auto carried = [version](int from, long double value, long double kept) {
            return version >= from ? value : kept;
        };
        EXPECT_EQ(s.levelWords[0], carried(13, 2, 1)) << version;
        EXPECT_EQ(s.levelWords[1], carried(13, 2, -7)) << version;
        EXPECT_EQ(s.axisLength, carried(41, 2, -8)) << version;
        EXPECT_EQ(s.axes.suffixChar, carried(18, 2, -9)) << version;
        EXPECT_EQ(s.view.logMode, carried(33, 2, 3)) << version;
        EXPECT_EQ(s.regionsMode, carried(22, 2, 0)) << version;
        EXPECT_EQ(s.openTools, carried(25, 2, 0)) << version;
        EXPECT_EQ(s.toolState[2], carried(25, 2, 0)) << version;
        EXPECT_EQ(s.axes.originLetter, version >= 16) << version;
        EXPECT_EQ(s.toolNumbers[2], carried(19, 4, -3)) << version;
        EXPECT_EQ(body.sliderSteps.steps[5], carried(32, 55, 77)) << version;
        EXPECT_EQ(body.sketch.size(), version >= 24 ? 1u : 0u) << version;
    }
}

TEST(DiagramBody, SettingsOutOfRangeTakeTheirDefaults) {
    const auto setting = [](const TDiagramBody& body, bool word, int index) {
        if (word) {
            const auto at =
                std::ranges::find(kWords, index, [](auto& w) { return std::get<0>(w); });
            return WordSettings(body.settings)[static_cast<std::size_t>(at - kWords.begin())];
        }
        return NumberSettings(body.settings)[static_cast<std::size_t>(
            std::ranges::find(kNumbers, index) - std::begin(kNumbers))];
    };
    struct Case {
        bool word;  // or number
        int index;
        long double raw, expected;
    };
    const Case cases[] = {
        {true, 46, 0, 50},  {true, 46, 1001, 50}, {true, 44, 894, 891},  {true, 39, 31, 112},
        {true, 40, 1, 8},   {true, 52, 7, 1},     {true, 26, 0xFFFF, 0}, {true, 27, 0, 1},
        {true, 38, 0, 1},   {true, 18, 0, 12},    {false, 7, 11, 1},     {false, 25, 0, 1.01L},
        {false, 41, -1, 1}, {false, 46, 1, 1000}, {false, 45, -3, 1},    {false, 49, 0, 100}};
    for (const Case& c : cases) {
        HandBody hand;
        if (c.word)
            hand.words[c.index] = static_cast<std::uint16_t>(static_cast<int>(c.raw));
        else
            hand.numbers[c.index] = c.raw;
        TDiagramBody body;
        ASSERT_EQ(Read(hand, body), kNoError) << c.index;
        EXPECT_EQ(setting(body, c.word, c.index), c.expected) << c.word << " " << c.index;
    }
}

// ------------------------------------------------------------------------------ examples

TEST(DiagramBody, ExamplesComeBackWithListsTextsNamesAndStoredForms) {
    HandBody hand;
    TExample explicitCurve = testing::SampleExample(kind::kExplicit, 7);
    explicitCurve.markedPoints.push_back({5, {1, 2, 3, 4}, "max", 1});
    hand.groups.push_back(Group(explicitCurve, "parabola", true));

    TExample system = testing::SampleExample(kind::kSystem, 4);
    hand.groups.push_back(Group(system, std::string(20, 'n')));

    TExample points = Fresh(kind::kPlotPoints);
    points.Text(4) = "1, 2; 3-5 x";
    hand.groups.push_back(Group(points));

    TExample lagrange = Fresh(kind::kLagrange);  // its points travel in its numbers
    for (int j = 0; j < 9; ++j) lagrange.numbers[2 * j] = j, lagrange.numbers[2 * j + 1] = -j;
    hand.groups.push_back(Group(lagrange));

    TExample orbital = testing::SampleExample(kind::kOrbital, 5);
    orbital.trajectories[1].texts = {"0.25", "-1", "", "moon"};
    orbital.trajectories[1].startY = 3;
    orbital.trajectories[1].step = 0.5L;
    hand.groups.push_back(Group(orbital));
    hand.groups.push_back(Group(Fresh(kind::kImplicit)));

    TDiagramBody body;
    ASSERT_EQ(Read(hand, body), kNoError);
    ASSERT_EQ(body.inventory.Count(), 6);
    const TInventoryEntry& first = body.inventory.Entry(0);
    EXPECT_EQ(std::tuple(body.inventory.Capacity(), first.name, first.familyMark,
                         first.example.pen.colour, first.example.Text(1)),
              std::tuple(15, "parabola", 1, 7, "SIN(X)"));
    EXPECT_EQ(first.example.markedPoints, explicitCurve.markedPoints);
    ASSERT_EQ(body.inventory[1].trajectories.size(), 2u);
    EXPECT_EQ(std::tuple(body.inventory.Entry(1).name, body.inventory[1].trajectories[1].texts[3]),
              std::tuple(std::string(20, 'n'), "A+3"));
    // "3-5" is no number; the polynomial's points and the orbital bodies come from their stored
    // forms.
    const TExample& bodies = body.inventory[4];
    EXPECT_EQ(std::tuple(body.inventory[2].PlotPointCount(), body.inventory[2].values[1],
                         body.inventory[3].points[4].y, bodies.points[61].y, bodies.points[25].x,
                         bodies.points[73].x, bodies.points[73].y),
              std::tuple(2, 2, -4, 3, 0.5L, 0.25L, -1));
    EXPECT_EQ(std::tuple(body.inventory[5].SlowDrawing(), body.remembered.system,
                         body.remembered.sequence, body.equationLabels.size()),
              std::tuple(1, 1, -1, 6u));

    TDiagramBody map;
    ASSERT_EQ(Read(hand, map, {2, true}), kNoError);
    EXPECT_EQ(std::tuple(map.inventory.Entry(0).familyMark, map.inventory[0].Text(2),
                         map.inventory[1].Text(2)),
              std::tuple(0, "t", ""));
    explicitCurve.Text(2) = "X^2";  // a text the example uses is not replaced
    hand.groups[0] = Group(explicitCurve);
    ASSERT_EQ(Read(hand, map, {2, true}), kNoError);
    EXPECT_EQ(map.inventory[0].Text(2), "X^2");
}

TEST(DiagramBody, RecordsOfOlderVersionsAreConverted) {
    const auto add = [](HandBody& hand, int kindCode, auto setup) {
        TExample e = Fresh(kindCode);
        setup(e);
        hand.groups.push_back(Group(e));
    };
    HandBody hand;
    hand.version = 29;
    add(hand, kind::kSpacePoint, [](TExample& e) { e.OldGroupSplit() = e.Anchors() = 1; });
    add(hand, kind::kPolar, [](TExample& e) { e.rangeLow[0] = 0.5L, e.rangeHigh[0] = 2; });
    add(hand, kind::kExplicit, [](TExample& e) {  // a tangent plane
        e.derivation = 77, e.parent[0] = 0, e.FirstLetter() = 'A', e.SecondLetter() = 'B';
    });
    add(hand, kind::kExplicit, [](TExample& e) {
        e.derivation = 81, e.parent[0] = 0, e.Number(TNumber::kPointX) = 1.5L,
        e.Number(TNumber::kPointY) = -2;
    });
    add(hand, kind::kExplicit,
        [](TExample& e) { e.derivation = 73, e.parent[0] = 0, e.subKind = 3; });
    add(hand, kind::kParametric,
        [](TExample& e) { e.ArrowAtT() = 1, e.Number(TNumber::kArrowT) = 1.25L; });

    TDiagramBody body;
    ASSERT_EQ(Read(hand, body, {3, false}), kNoError);
    const TInventory& read = body.inventory;
    EXPECT_EQ(std::tuple(read[0].subKind, read[1].Text(7), read[2].Text(7), read[3].Text(7),
                         read[4].Text(1), read[5].Text(6)),
              std::tuple(EncodeVariableGroups("XYZ/"), "0.5000;2.0000", "A;B", "1.5000;-2.0000",
                         "C", "1.2500"));

    hand.version = 37;  // converted already: the texts are taken as they are
    ASSERT_EQ(Read(hand, body, {3, false}), kNoError);
    EXPECT_EQ(std::tuple(read[1].Text(7), read[0].subKind), std::tuple("", 0));
}

// Each conversion runs for the last version before its threshold and not from the threshold on.
TEST(DiagramBody, EveryConversionStopsAtItsVersion) {
    struct Threshold {
        int version;
        int kindCode;
        std::function<void(TExample&)> setup;
        std::function<std::string(const TExample&)> field;
        std::string converted;
    };
    const auto text = [](int k) { return [k](const TExample& e) { return e.Text(k); }; };
    const Threshold thresholds[] = {
        {30, kind::kSpacePoint, [](TExample& e) { e.OldGroupSplit() = e.Anchors() = 1; },
         [](const TExample& e) { return std::to_string(e.subKind); },
         std::to_string(EncodeVariableGroups("XYZ/"))},
        {34, kind::kPolar, [](TExample& e) { e.rangeLow[0] = 0.5L, e.rangeHigh[0] = 2; }, text(7),
         "0.5000;2.0000"},
        {35, kind::kExplicit,
         [](TExample& e) {
             e.derivation = 77, e.parent[0] = 0, e.FirstLetter() = 'A', e.SecondLetter() = 'B';
         },
         text(7), "A;B"},
        {35, kind::kExplicit,
         [](TExample& e) {
             e.derivation = 81, e.parent[0] = 0, e.Number(TNumber::kPointX) = 1.5L,
             e.Number(TNumber::kPointY) = -2;
         },
         text(7), "1.5000;-2.0000"},
        {36, kind::kExplicit,
         [](TExample& e) { e.derivation = 73, e.parent[0] = 0, e.subKind = 3; }, text(1), "C"},
        {37, kind::kParametric,
         [](TExample& e) { e.ArrowAtT() = 1, e.Number(TNumber::kArrowT) = 1.25L; }, text(6),
         "1.2500"},
    };
    for (const Threshold& t : thresholds) {
        TExample e = Fresh(t.kindCode);
        t.setup(e);
        const std::string stored = t.field(e);
        HandBody hand;
        hand.groups.push_back(Group(Fresh(kind::kExplicit)));
        hand.groups.push_back(Group(e));
        for (const int version : {t.version - 1, t.version}) {
            SCOPED_TRACE("threshold " + std::to_string(t.version) + ", file version " +
                         std::to_string(version));
            hand.version = version;
            TDiagramBody body;
            ASSERT_EQ(Read(hand, body, {3, false}), kNoError);
            ASSERT_EQ(body.inventory.Count(), 2);
            EXPECT_EQ(t.field(body.inventory[1]), version < t.version ? t.converted : stored);
        }
    }
}

// ------------------------------------------------------------------------------ other blocks

// A complex-mode body with protection, user functions, an evaluated text, a notebook and a
// background bitmap.
HandBody WithOptionalBlocks() {
    HandBody hand;
    FileProtection author;
    author.Protect(2, "pw", {"me", "", "", ""});
    hand.protectionMask = 2;
    hand.protection = Laid([&](ByteWriter& out) { author.WriteProtection(out); });
    hand.flags[12] = 0;  // complex mode: every entry with its imaginary part
    for (int i = 0; i < 162; ++i) hand.complexParameters.push_back(i);
    hand.userFunctions =
        UserFunctions({UserFunction("TWICE", "2*QUAD(X)", 1), UserFunction("QUAD", "X*X", 1)});
    canvas::TEvalText evalText;
    evalText.texts[0] = "A+1";
    canvas::TEquationLabel eval;
    eval.evalIndex = 1007;
    hand.evalTexts = Laid([&](ByteWriter& out) {
        out.I16(1);
        eval.Write(out);
        evalText.WriteRecord(out);
        evalText.WriteStrings(out);
    });
    hand.notebook = "notes";
    hand.bitmapName = Bytes(256, 'b');  // no terminator: cut to 255 characters
    return hand;
}

TEST(DiagramBody, ProtectionParametersAndTheBlocksThatMayBeAbsent) {
    const HandBody hand = WithOptionalBlocks();
    TDiagramBody body;
    ASSERT_EQ(Read(hand, body), kNoError);
    EXPECT_EQ(
        std::tuple(body.protection.Mask(), body.protection.Password(), body.protection.IsUnlocked(),
                   body.settings.complexMode, body.parameters.value[1]),
        std::tuple(2, "pw", false, true, std::complex<long double>(56, 57)));
    FormulaContext formulas;
    ASSERT_TRUE(body.userFunctions.InstallInto(formulas));
    ASSERT_TRUE(body.evalTexts.size() == 1u && body.evalTable.Find(1000));
    EXPECT_EQ(
        std::tuple(formulas.UserFunctions().size(), body.evalTexts[0].evalIndex,
                   body.evalTable.Find(1000)->texts[0], *body.notebook, body.backgroundBitmap),
        std::tuple(2u, 1000, "A+1", "notes", std::string(255, 'b')));

    // Real mode: 810 bytes of tables, imaginary parts cleared; a password that comes back
    // empty leaves the diagram unprotected.
    HandBody plain;
    plain.parameters[28] = 3;
    plain.protectionMask = 2;
    plain.protection = Laid([](ByteWriter& out) {
        for (int i = 0; i < 5; ++i) WriteString(out, "");
    });
    ASSERT_EQ(Read(plain, body), kNoError);
    EXPECT_EQ(std::tuple(body.parameters.value[1], body.protection.Mask(),
                         body.notebook.has_value(), body.evalTexts.size(), body.evalTable.InUse()),
              std::tuple(std::complex<long double>(3, 0), 0, false, 0u, 0));
}

// ------------------------------------------------------------------------------ damage

TEST(DiagramBody, DamagedFilesAreRefusedAndLeaveTheBodyAsItWas) {
    struct Case {
        const char* what;
        std::function<void(HandBody&)> damage;
        int error;
        std::function<void(Bytes&, const HandBody&)> patch = {};
    };
    const auto example = [](std::function<void(TExample&)> change) {
        return [change](HandBody& h) {
            TExample e = Fresh(kind::kSystem);
            change(e);
            h.groups = {Group(Fresh(kind::kExplicit)), Group(e)};
        };
    };
    const auto functions = [](std::vector<Bytes> records) {
        return [records](HandBody& h) { h.userFunctions = UserFunctions(records); };
    };
    const std::vector<Case> cases = {
        {"decimal places", [](HandBody& h) { h.words[0] = 19; }, kErrCannotOpenFile},
        {"scale places", [](HandBody& h) { h.words[22] = 20; }, kErrCannotOpenFile},
        {"log mode", [](HandBody& h) { h.words[51] = 4; }, kErrCannotOpenFile},
        {"name length", [](HandBody& h) { h.words[41] = 21; }, kErrCannotOpenFile},
        {"last index below -1", [](HandBody&) {}, kErrCannotOpenFile,
         [](Bytes& b, const HandBody&) { testing::Patch16(b, 18, 0xFFFE); }},
        {"more examples than bytes", [](HandBody&) {}, kErrCannotOpenFile,
         [](Bytes& b, const HandBody&) { testing::Patch16(b, 18, 5); }},
        {"more examples than room", [](HandBody&) {}, kErrCannotOpenFile,
         [](Bytes& b, const HandBody&) { testing::Patch16(b, 18, 32001); }},
        {"half width", [](HandBody& h) { h.numbers[2] = 0; }, kErrCannotOpenFile},
        {"corners", [](HandBody& h) { h.flags[0] = 1, h.numbers[5] = 5; }, kErrCannotOpenFile},
        {"x ticks", [](HandBody& h) { h.numbers[8] = 0; }, kErrCannotOpenFile},
        {"y ticks", [](HandBody& h) { h.numbers[9] = -1; }, kErrCannotOpenFile},
        {"number", [](HandBody& h) { h.numbers[20] = kNaN; }, kErrCannotOpenFile},
        {"parameter", [](HandBody& h) { h.parameters[30] = kNaN; }, kErrCannotOpenFile},
        {"slider step", [](HandBody& h) { h.steps[39] = 1; }, kErrCannotOpenFile},
        {"page step", [](HandBody& h) { h.pageSteps[0] = 0; }, kErrCannotOpenFile},
        // (The validator's own refusals are tested with it; one shows that the reader asks it.)
        {"letter", example([](TExample& e) { e.familyLetter = 27; }), kErrInconsistentData},
        {"text length",
         [](HandBody& h) {
             h.groups = {Group(Fresh(kind::kExplicit))};
             Bytes& g = h.groups[0];         // text 1 (after the record and two empty lists): 256
             testing::Patch16(g, 551, 257);  // characters and its terminator
             g.insert(g.begin() + 553, 256, 'a');
         },
         kErrCannotOpenFile},
        {"evaluated texts",
         [](HandBody& h) { h.evalTexts = Laid([](ByteWriter& out) { out.I16(52); }); },
         kErrCannotOpenFile},
        {"shading",
         [](HandBody& h) {
             h.shading = Laid([](ByteWriter& out) { WriteShadeList(out, ShadeList{{0, -1}}); });
         },
         kErrInconsistentData},
        {"sketch point",
         [](HandBody& h) {
             h.sketch = Laid([](ByteWriter& out) {
                 WriteSketchList(
                     out, {{TSketchPoint::kHead, 0, 0, {}}, {TSketchPoint::kPoint, kNaN, 0, {}}});
             });
         },
         kErrCannotOpenFile},
        {"sketch count", [](HandBody& h) { h.sketch = Bytes(4, 0xff); }, kErrCannotOpenFile},
        {"function name", functions({UserFunction("X1", "X", 1)}), kErrCannotOpenFile},
        {"function twice", functions({UserFunction("QUAD", "X", 1), UserFunction("QUAD", "X", 1)}),
         kErrCannotOpenFile},
        {"function body", functions({UserFunction("QUAD", "SIN(", 1)}), kErrCannotOpenFile},
        {"function calls itself", functions({UserFunction("QUAD", "QUAD(X)", 1)}),
         kErrCannotOpenFile},
        {"functions call each other",
         functions({UserFunction("FA", "FB(X)", 1), UserFunction("FB", "FA(X)+1", 1)}),
         kErrCannotOpenFile},
        {"function count", [](HandBody& h) { h.userFunctions[0] = 5; }, kErrCannotOpenFile},
        {"notebook length",
         [](HandBody& h) {
             h.notebook = "x";
             h.bitmapName = Bytes(70000, 'x');  // bytes enough for the length below
         },
         kErrCannotOpenFile,
         [](Bytes& b, const HandBody& h) {
             const std::vector<Bytes> blocks = h.Blocks();
             std::size_t at = 0;
             for (std::size_t i = 0; i + 2 < blocks.size(); ++i) at += blocks[i].size();
             testing::Patch16(b, at, 64002);
         }}};
    for (const Case& c : cases) {
        HandBody hand;
        c.damage(hand);
        Bytes bytes = hand.Body();
        if (c.patch) c.patch(bytes, hand);
        TDiagramBody body;
        body.settings.decimalPlaces = 7;
        body.inventory.Append(Fresh(kind::kPolar));
        EXPECT_EQ(Read(bytes, hand.version, body), c.error) << c.what;
        EXPECT_EQ(body.settings.decimalPlaces, 7) << c.what;
        EXPECT_EQ(body.inventory.Count(), 1) << c.what;
    }
    TDiagramBody body;
    const Bytes sound = HandBody().Body();
    EXPECT_EQ(Read(sound, 0, body), kErrCannotOpenFile);
    EXPECT_EQ(Read(sound, -3, body), kErrCannotOpenFile);
    EXPECT_EQ(Read(sound, 42, body), kErrIncompatibleVersion);
}

TEST(DiagramBody, CountsLengthsAndValuesAtTheirLimitsAreRead) {
    HandBody hand;
    hand.words[0] = kMaxDecimalPlaces;
    hand.words[21] = hand.words[22] = kMaxScalePlaces;
    hand.steps.fill(2);
    hand.pageSteps.fill(1);
    TExample e = Fresh(kind::kExplicit);
    e.Text(7) = std::string(255, 'x');
    hand.groups.push_back(Group(e, std::string(20, 'n')));
    hand.evalTexts = Laid([](ByteWriter& out) {
        out.I16(canvas::kEvalTextSlots);
        for (int i = 0; i < canvas::kEvalTextSlots; ++i) {
            canvas::TEquationLabel eval;
            eval.evalIndex = static_cast<std::uint16_t>(canvas::kFirstEvalIndex + i);
            eval.Write(out);
            canvas::TEvalText{}.WriteRecord(out);
            canvas::TEvalText{}.WriteStrings(out);
        }
    });
    hand.notebook = std::string(kMaxNotebookLength, 'n');
    hand.bitmapName = Bytes(255, 'b');
    hand.bitmapName->push_back(0);
    TDiagramBody body;
    ASSERT_EQ(Read(hand, body), kNoError);
    EXPECT_EQ(std::tuple(body.inventory[0].Text(7).size(), body.inventory.Entry(0).name.size(),
                         body.evalTable.InUse(), body.notebook->size(), body.sliderSteps.steps[0]),
              std::tuple(255u, 20u, canvas::kEvalTextSlots, kMaxNotebookLength, 2u));
}

TEST(DiagramBody, TruncationAtEveryBlockBoundaryIsRefused) {
    HandBody hand = WithOptionalBlocks();
    for (int k : {kind::kExplicit, kind::kSystem, kind::kHigherOrder})
        hand.groups.push_back(Group(testing::SampleExample(k, 4), "n"));
    const std::vector<Bytes> blocks = hand.Blocks();
    const Bytes whole = testing::Concat(blocks);
    TDiagramBody body;
    ASSERT_EQ(Read(whole, 41, body), kNoError);
    std::size_t boundary = 0;
    for (const Bytes& block : blocks) {
        for (std::size_t cut : {boundary, boundary + 1, boundary + block.size() - 1}) {
            if (cut >= whole.size()) continue;
            body.settings.decimalPlaces = 9;
            EXPECT_EQ(Read(Bytes(whole.begin(), whole.begin() + cut), 41, body), kErrCannotOpenFile)
                << cut;
            EXPECT_EQ(body.settings.decimalPlaces, 9);
        }
        boundary += block.size();
    }
}

// ------------------------------------------------------------------------------ round trip

TEST(DiagramBody, ABodyReadBackWritesTheSameBytes) {
    const TDiagramBody sample = testing::SampleBody();
    const Bytes first = Written(sample);
    TDiagramBody read;
    ASSERT_EQ(Read(first, kProgramVersion, read), kNoError);
    EXPECT_EQ(Written(read), first);

    // What the bytes alone cannot tell: that nothing was left out on both sides.
    EXPECT_EQ(read.inventory.Count(), sample.inventory.Count());
    EXPECT_EQ(read.settings, sample.settings);
    EXPECT_EQ(read.inventory[0].markedPoints, sample.inventory[0].markedPoints);
    EXPECT_EQ(std::tuple(read.inventory.Entry(0).name, read.inventory.Entry(1).familyMark),
              std::tuple(std::string(20, 'n'), 1));
    const int last = read.inventory.LastIndex();
    EXPECT_EQ(read.inventory[last].points[8].y, 4);  // the polynomial's ninth point
    for (int k = 0; k <= last; ++k) {
        const TExample &e = read.inventory[k], &s = sample.inventory[k];
        EXPECT_EQ(std::tuple(e.kind, e.texts, e.trajectories.size()),
                  std::tuple(s.kind, s.texts, s.trajectories.size()))
            << k;
        for (int j : {26, 62, 74}) {
            if (e.kind != kind::kOrbital) break;
            EXPECT_EQ(std::tuple(e.points[j].x, e.points[j].y),
                      std::tuple(s.points[j].x, s.points[j].y));
        }
    }
    EXPECT_EQ(read.axisLabels, sample.axisLabels);
    EXPECT_EQ(read.protection.Password(), "secret");
    EXPECT_EQ(read.parameters, sample.parameters);
    EXPECT_EQ(read.userFunctions, sample.userFunctions);
    EXPECT_EQ(read.texts, sample.texts);
    EXPECT_EQ(read.evalTexts, sample.evalTexts);
    EXPECT_EQ(*read.evalTable.Find(1000), *sample.evalTable.Find(1000));
    ASSERT_EQ(read.pictures.size(), 1u);
    EXPECT_EQ(read.pictures[0].metafile, sample.pictures[0].metafile);
    EXPECT_EQ(read.equationLabels, sample.equationLabels);
    EXPECT_EQ(read.shading, sample.shading);
    EXPECT_EQ(read.sketch, sample.sketch);
    EXPECT_EQ(read.notebook, sample.notebook);
    EXPECT_EQ(read.backgroundBitmap, sample.backgroundBitmap);
}

TEST(DiagramBody, WhatAFileCannotHoldIsRefusedWhenWriting) {
    const std::vector<std::pair<const char*, std::function<void(TDiagramBody&)>>> cases = {
        {"example text", [](TDiagramBody& b) { b.inventory[0].Text(3) = std::string(256, 'x'); }},
        {"axis label", [](TDiagramBody& b) { b.axisLabels[2] = std::string(256, 'x'); }},
        {"notebook", [](TDiagramBody& b) { b.notebook = std::string(64001, 'x'); }},
        {"bitmap name", [](TDiagramBody& b) { b.backgroundBitmap = std::string(256, 'x'); }}};
    for (const auto& [what, change] : cases) {
        TDiagramBody body;
        body.inventory.Append(Fresh(kind::kExplicit));
        change(body);
        ByteWriter out;
        EXPECT_EQ(WriteDiagramBody(out, body), kErrTooLarge) << what;
        EXPECT_EQ(out.Size(), 0u) << what;
    }
}

// A diagram saved after an aborted script holds the labels of the examples the script took
// back, and one saved before may hold fewer: the body keeps what the file holds, in file order
// and numbered so, for the window to restore one per example.
TEST(DiagramBody, EquationLabelsMoreOrFewerThanExamplesAreRead) {
    const auto labels = [](std::vector<std::string> texts) {
        return Laid([&](ByteWriter& out) {
            canvas::TextList list(texts.size());
            for (std::size_t k = 0; k < texts.size(); ++k) list[k].text = texts[k];
            canvas::WriteTexts(out, list);
        });
    };
    const struct {
        std::vector<std::string> held;
        const char* what;
    } rows[] = {{{}, "none for two examples"},
                {{"y = x"}, "one for two"},
                {{"y = x", "y = 2x", "taken back", "taken back too"}, "four for two"}};
    for (const auto& row : rows) {
        HandBody hand;
        hand.groups = {Group(Fresh(kind::kExplicit)), Group(Fresh(kind::kPolar))};
        hand.equationLabels = labels(row.held);
        TDiagramBody body;
        ASSERT_EQ(Read(hand, body), kNoError) << row.what;
        EXPECT_EQ(body.inventory.Count(), 2) << row.what;
        std::vector<std::string> read;
        for (std::size_t k = 0; k < body.equationLabels.size(); ++k) {
            read.push_back(body.equationLabels[k].text);
            EXPECT_EQ(body.equationLabels[k].number, k) << row.what;
        }
        EXPECT_EQ(read, row.held) << row.what;
    }
}

// An end point of a segment keeps in its second parent word which end it copies (0 or 2); a
// file may hold another number there, renumbered as if it were an example index. It is read
// as it is.
TEST(DiagramBody, AnEndPointWhoseEndWordIsRenumberedIsRead) {
    for (const std::int16_t word : {1, 3, 6, -4}) {
        TExample end = Fresh(kind::kPoint);
        end.derivation = derived::kEndPoint;
        end.parent = {0, word};
        HandBody hand;
        hand.groups = {Group(Fresh(kind::kSegment)), Group(end)};
        TDiagramBody body;
        ASSERT_EQ(Read(hand, body), kNoError) << word;
        EXPECT_EQ(body.inventory[1].parent[1], word);
    }
}

// Values another program stores that this one cannot draw as they are: a pen style outside
// -1..4 (kept, drawn solid), a zero trajectory step (kept, traced as nothing) and a range end
// its range text left undefined (mended to an empty range). The file opens with each.
TEST(DiagramBody, ValuesThatCannotBeDrawnAsTheyAreAreKeptOrMended) {
    TExample curve = Fresh(kind::kParametric);
    curve.pen.style = 9;
    curve.rangeLow[0] = kNaN;
    curve.rangeHigh[0] = 2;
    TExample slope = Fresh(kind::kSlope);
    TTrajectory& t = slope.trajectories.emplace_back();
    t.Init(kind::kSlope, -1, -1, -1, 2, 0, 1);
    t.pen.style = 0x7FFF;
    HandBody hand;
    hand.groups = {Group(curve), Group(slope)};
    TDiagramBody body;
    ASSERT_EQ(Read(hand, body), kNoError);
    const TExample& read = body.inventory[0];
    EXPECT_EQ(std::tuple(read.pen.style, read.rangeLow[0], read.rangeHigh[0]), std::tuple(9, 2, 2));
    ASSERT_EQ(body.inventory[1].trajectories.size(), 1u);
    const TTrajectory& kept = body.inventory[1].trajectories[0];
    EXPECT_EQ(std::tuple(kept.step, kept.pen.style), std::tuple(0, 0x7FFF));
}

TEST(DiagramBody, TheWrittenFormOfExamplesLeavesTheBodyAlone) {
    TDiagramBody body;
    TExample revolution = Fresh(kind::kRevolution);
    revolution.divisions[0] = 41;  // stepped by its compilation from 21
    body.inventory.Append(std::move(revolution));
    body.inventory.Entry(0).revolutionBaseCount = 21;
    body.inventory.Entry(0).revolutionSteppedCount = 41;
    body.inventory.Append(Fresh(kind::kLagrange));
    body.inventory[1].points[0] = {3, 4, 0};
    body.equationLabels.resize(2);
    const Bytes bytes = Written(body);
    EXPECT_EQ(body.inventory[0].divisions[0], 41);
    EXPECT_EQ(body.inventory[1].numbers[1], 0);
    TDiagramBody read;
    ASSERT_EQ(Read(bytes, kProgramVersion, read, {3, false}), kNoError);
    EXPECT_EQ(read.inventory[0].divisions[0], 21);
    EXPECT_EQ(read.inventory[1].points[0].y, 4);
}

}  // namespace
}  // namespace quorlin::examples
