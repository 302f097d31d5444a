#pragma once
// A diagram body with something in every block: an example of every 2D kind (with
// trajectories, marked points, names and family marks; a polynomial through points and an
// orbital system whose stored forms differ from memory), axis labels, protection, parameters,
// user functions, plain and evaluated texts, a picture, equation labels, shading, a sketch, a
// notebook, a background bitmap and the open-tools mask. It is what a window in use would hand
// the writer, so that reading it back and writing again gives the same bytes.
#include "examples/diagram/diagram_body.h"
#include "formula/formula_context.h"
#include "support/test_paths.h"

namespace quorlin::examples::testing {

// A small metafile (a blue rectangle, 20 by 10 pixels) that the program's recorder made.
inline std::vector<std::uint8_t> SampleMetafile() {
    return quorlin::testing::ReadFileBytes(
        quorlin::testing::TestDataPath("canvas/records/picture.emf"));
}

inline TTrajectory SampleTrajectory(int kind, long double step, int texts) {
    TTrajectory t;
    t.Init(kind, 1, 2, -1, 0, 2, 1);
    t.startX = 0.5L, t.startY = -1.25L, t.endTime = 10, t.step = step;
    t.pen = {3, 2, 0};
    if (texts > 0) {
        t.AllocTexts();
        for (int j = 0; j < texts; ++j)
            t.texts[static_cast<std::size_t>(j)] = "A+" + std::to_string(j);
    }
    return t;
}

// A fresh example of the kind, made ready as the editing dialog would leave it.
inline TExample SampleExample(int kindCode, int colour) {
    namespace k = kind;
    TExample e;
    e.Init(kindCode, colour, 50);
    e.Text(1) = "SIN(X)";
    switch (e.kind) {
        case k::kImplicit:
            e.SlowDrawing() = 1;  // as every read implicit curve carries it
            break;
        case k::kRoulette:
            e.Number(TNumber::kRouletteRadius) = 1;
            break;
        case k::kPlotPoints:
            e.Text(4) = "1 2 3.5", e.PlotPointCount() = 3;
            e.values[0] = 1, e.values[1] = 2, e.values[2] = 3.5L;
            break;
        case k::kSystem:
            e.trajectories.push_back(SampleTrajectory(k::kSystem, 0.01L, 0));
            e.trajectories.push_back(
                SampleTrajectory(k::kSystem + TTrajectory::kFormulaKindOffset, 0.01L, 4));
            break;
        case k::kSlope:
        case k::kSequence:
            e.trajectories.push_back(SampleTrajectory(e.kind, 0.05L, 0));
            break;
        case k::kHigherOrder:
            e.order = 2;
            e.trajectories.push_back(SampleTrajectory(e.kind, 0.05L, 1));
            break;
        case k::kOrbital:
            e.derivationParam = 2;
            for (int j = 0; j < 3; ++j) {
                TTrajectory body = SampleTrajectory(TTrajectory::kOrbitalBodyKind, 1, 4);
                body.texts[3] = "body " + std::to_string(j);
                e.trajectories.push_back(std::move(body));
                e.points[60 + j] = {j + 0.5L, -j - 0.25L, 0};
                e.points[24 + j].x = 1.0L / (j + 3);  // masses with no short decimal form
                e.points[72 + j] = {0.1L * j, 1.0L / 3, 0};
            }
            break;
        default:
            break;
    }
    if (e.IsLagrangeExplicit()) {
        e.LagrangeLastPoint() = 2;
        for (std::size_t j = 0; j < e.points.size(); ++j)
            e.points[j] = {static_cast<long double>(j), j * 0.5L, 0};
    }
    return e;
}

inline TDiagramBody SampleBody() {
    TDiagramBody body;
    int colour = 2;
    auto add = [&](TExample e, std::string name = "", bool family = false) {
        const int k = body.inventory.Append(std::move(e));
        body.inventory.Entry(k).name = std::move(name);
        body.inventory.Entry(k).familyMark = family ? 1 : 0;
    };
    for (const TKindInfo& info : KindTable())
        if (info.stored && info.code / 100 == 2) add(SampleExample(info.code, colour++ % 60));
    add(SampleExample(kind::kLagrange, 9), "through points");
    body.inventory[0].markedPoints.push_back({7, {1, 2, 3, 4}, "top", 9});
    body.inventory.Entry(0).name = std::string(20, 'n');
    body.inventory.Entry(1).familyMark = 1;

    body.settings.openTools = 1 + 16 + 1024, body.settings.toolState = {3, 4, 5};
    body.settings.inventoryShown = body.settings.sliderShown[1] = true;
    body.axisLabels = {"x", "y", "height"};
    body.protection.Protect(2, "secret", {"me", "", "", "2026"});
    for (std::size_t i = 0; i < TParameterTables::kSlots; ++i) {
        body.parameters.left[i] = -static_cast<long double>(i);
        body.parameters.value[i] = i * 0.5L;
        body.parameters.right[i] = static_cast<long double>(i) + 1;
    }
    FormulaContext formulas;
    formulas.DefineUserFunction("QUAD", "X*X", 1);
    formulas.DefineUserFunction("HYP", "SQRT(QUAD(X)+QUAD(Y))", 2);
    body.userFunctions = TUserFunctionBlock::Of(formulas);

    canvas::TEquationLabel text;
    text.text = "a free text";
    body.texts = {text, text};
    body.texts[1].number = 1, body.texts[1].anchor = canvas::kAnchorFrame;
    canvas::TEquationLabel eval;
    eval.text = "X", eval.evalIndex = canvas::kFirstEvalIndex;
    body.evalTexts = {eval};
    canvas::TEvalText evalText;
    evalText.texts = {"A", "B", "0", "value"};
    evalText.CopySettingsFrom(evalText);
    body.evalTable.Store(canvas::kFirstEvalIndex, evalText);
    canvas::TPastedPicture picture{SampleMetafile(), 0, -1, false, {-1, 1, -2, 2}};
    body.pictures.push_back(std::move(picture));
    for (int k = 0; k < body.inventory.Count(); ++k) {
        canvas::TEquationLabel& label = body.equationLabels.emplace_back();
        label.number = static_cast<std::uint16_t>(k), label.text = "y" + std::to_string(k);
    }
    body.shading = {{0, -1, TShadeRecord::Style(2, 1, 3), 1, -1, 1, 6, {}},
                    {0, 2, 0, 0, 0, 0, 7, {1, 2, 3, 4}}};
    body.sketch = {{TSketchPoint::kHead, 0, 0, {0x0000ff, 2, 0}},
                   {TSketchPoint::kPoint, 1, 1, {}},
                   {TSketchPoint::kEnd, 2, 1.5L, {}}};
    body.notebook = "first line\r\nsecond line";
    body.backgroundBitmap = "diagram1.bmp";
    return body;
}

}  // namespace quorlin::examples::testing
