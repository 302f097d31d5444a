// TPlot1Win: editing examples, the entries derived from one example, points from the clipboard
// or a parameter run, and the value tables.
//
// The tracer's header comes first: a member of it is called "slots", which Qt's keyword macro
// would swallow.
#include "dynamics/intrinsic.h"
#include "dynamics/trajectories.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/errors.h"
#include "examples/levels/plot1_win.h"
#include "examples/levels/slide_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "examples/operations/plot_points.h"
#include "examples/operations/value_table.h"
#include "examples/records/derivation.h"
#include "formula/formula_text.h"
#include "formula/opcodes.h"
#include "formula/parser.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/drawing_tools.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "shell/table_win.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;

namespace {

constexpr int kRoleExample = 8;
constexpr int kStrTables = 119;
constexpr int kFontInventory = 7;

// The value table of a graphing window: what ValueTableText gives for the source it was set.
class TValueTableWin : public TTableWin {
public:
    explicit TValueTableWin(TPlot1Win& owner) : owner_(owner) {}
    void BuildTable() override { SetText(owner_.ValueTableText(ExampleIndex(), Trajectory())); }

private:
    TPlot1Win& owner_;
};

}  // namespace

// ------------------------------------------------------------------------------ the host

class TPlot1Win::ExampleHostAdapter : public TExampleHost {
public:
    explicit ExampleHostAdapter(TPlot1Win& w) : w_(w) {}

    FormulaContext& Formulas() override { return w_.Formulas(); }
    TInventory& Inventory() override { return w_.Inventory(); }
    TEditorEnv EditorEnv() const override {
        const canvas::TViewFrame& v = w_.View();
        TEditorEnv env;
        env.format = w_.Format();
        env.logarithmic = v.logMode != canvas::kLogNone;
        env.logX = canvas::IsLogX(v.logMode);
        env.logXLow = std::pow(10.0L, v.altLeft);
        env.xLow = env.logX ? v.altLeft : v.left;
        env.xHigh = env.logX ? v.altRight : v.right;
        env.diagramVersion = w_.ReadingVersion() > 0 ? w_.ReadingVersion() : w_.Version();
        env.inventoryFull = !w_.Inventory().HasRoom();
        return env;
    }
    NumberFormat Format() const override { return w_.Format(); }
    std::string ShortText(const TExample& e) const override {
        return DescribeExampleShort(e, w_.TextSettings());
    }
    QFont DialogFont() const override {
        return platform::ToQFont(ToFontSpec(w_.Fonts().Font(kFontInventory)));
    }
    std::int16_t ColourRole(int role) const override { return w_.Roles().Role(role); }
    void SetColourRole(int role, std::int16_t index) override { w_.Roles().SetRole(role, index); }
    void ChooseColour(int role, int captionId) override {
        const int own = w_.Roles().CaptionId(role);
        if (captionId != 0) w_.Roles().SetCaptionId(role, captionId);
        w_.ChooseColor(role);
        w_.Roles().SetCaptionId(role, own);
    }
    void PickColour(int captionId, int current, std::function<void(int)> chosen) override {
        w_.OpenColorPicker(captionId, std::move(chosen), current);
    }
    bool IsPaletteShown() const override { return w_.IsPaletteShown(); }
    void HidePalette() override {
        if (w_.PaletteWindow()) w_.PaletteWindow()->HideWindow();
    }
    void ShowEditorHelp(int kind, int topicId) override {
        w_.ShowHelp(w_.EditorHelpName(kind), platform::ResourceString(topicId));
    }
    void ShadingColourChosen() override { w_.Options().pendingEdit = true; }
    void SetNewExamplePenWidth(int width) override { w_.NewPens().exampleWidth = width; }
    void SetParamsFromExample(int index) override { w_.Compiler().SetParamsFromExample(index); }

private:
    TPlot1Win& w_;
};

TExampleHost& TPlot1Win::ExampleHost() {
    if (!exampleHost_) exampleHost_ = std::make_unique<ExampleHostAdapter>(*this);
    return *exampleHost_;
}

QString TPlot1Win::EditorHelpName(int kind) const {
    // Antiderivatives and roulettes come from the tools for one example.
    if (kind == k::kIntegral || kind == k::kRoulette) return QStringLiteral("QZ2ONEH");
    return kind / 100 == 3 ? QStringLiteral("QZ3EQUAH") : QStringLiteral("QZ2EQUAH");
}

int TPlot1Win::FrozenLetter() const {
    constexpr int kAllLetters = 24;
    const TSlideDlg* all = ParamDialog(kAllLetters);
    if (!Switches().evaluateParameters || !all || all->IsHidden()) return 0;
    const int letter = const_cast<TSlideDlg*>(all)->Slider().Letter();
    return letter >= 1 && letter <= slot::kLastParameter ? letter : 0;
}

// ------------------------------------------------------------------------------ editing

bool TPlot1Win::RunEditDialog(int k, std::uint32_t& mask) {
    mask = 0;
    // An orbital system has an editor of its own.
    if (Inventory()[k].kind == kind::kOrbital) return EditOrbitalSystem(k);
    EnableInventory(false);
    TEditExmpDlg dialog(ExampleHost(), this, k, &mask);
    dialog.Create();
    const int editing = Inventory()[k].IsLagrangeExplicit() ? k::kLagrange : Inventory()[k].kind;
    TDialogPositions::Place* place = DialogPositions().Of(editing);
    if (place && place->x >= 0) dialog.PlaceAt({place->x, place->y});
    const int result = dialog.Execute();
    if (place) *place = {dialog.Place().x(), dialog.Place().y()};
    EnableInventory(true);
    return result == platform::kIdOk;
}

bool TPlot1Win::EditExample(int k, bool force) {
    if (!Inventory().IsIndex(k)) return false;
    TExample& e = Inventory()[k];
    if (e.IsLagrangeExplicit()) {
        // The inventory stays busy through the point mode itself (mouse mode 126), which ends
        // however the user leaves it.
        Compiler().BuildLagrangeTree(k);
        EnterLagrangeMode(k, TLagrangePicking::FromItsPoints);
        activateWindow();
        return true;
    }
    const std::uint8_t jumpsBefore = e.jumpsOff;
    std::uint32_t mask = 0;
    if (!RunEditDialog(k, mask)) return false;
    if (mask == 0 && !force) return false;
    MarkModified();
    TExample& edited = Inventory()[k];
    const int kind = edited.kind;
    const bool field = kind == k::kSystem || kind == k::kSlope || kind == k::kSpaceSystem;
    if (field && edited.FieldParameter() > 0 && edited.FieldParameter() <= slot::kLastParameter)
        Formulas().SetVar(edited.FieldParameter(), edited.fieldLengthPercent * 0.1L);
    if (kind == k::kRevolution) {
        edited.rangeLow = {0, 0};
        edited.rangeHigh = {1, 1};
        const std::string profile = CutToRecordText(
            DescribeExampleShort(edited, TextSettings(), kDescriptionSize, edited.subKind));
        edited.Text(5) = profile;
        edited.Text(7) = profile;
    }
    const bool derivedPlane = kind == k::kPlane && edited.derivation >= 1;
    if ((mask & change::kCompile) && kind != k::kPlotPoints && !derivedPlane) {
        edited.FreeTrajectories();
        RepaintLinkedWindows();
        CompileExample(k);
    }
    UpdateDependents(k);
    if (kind == k::kPlotPoints && mask > 3) RebuildPlotPointsExample(Inventory(), k);
    RefreshEquationLabel(k);
    if (kind == k::kRevolution) Compiler().SetParamsFromExample(k);
    if (Inventory()[k].IsMeshSurface(true)) {
        RefreshMeshColours(k);
        if (Inventory()[k].jumpsOff != jumpsBefore) mask |= change::kDisplay;
    }
    if (kind / 100 == 3 || force)
        RefreshExample(k, force || (Dimension() >= 3 && mask != 0 && mask != change::kDisplay));
    if (kind / 100 == 2 || force) {
        if (!force && mask != change::kDisplay) {
            BeginEditExample(kind);
            InvalidateImage(ImageLayer::Background);
            RenderImage(ImageLayer::Picture);
            Invalidate();
            EndEditExample(kind);
        } else {
            DrawExampleNow(k);
        }
    }
    if (kind == k::kSegment) AddSegmentEndpoints(k);
    if (kind > 400) SetCurrentExample(k);
    MarkWindowSymbols();
    InventoryChanged(0);
    return true;
}

int TPlot1Win::AppendCopy(int k) {
    if (!CanAddExample(true)) return -1;
    TExample copy;
    copy.InitCopy(Inventory()[k], true);
    copy.kind = Inventory()[k].kind;
    const int i = Inventory().Append(std::move(copy));
    TInventoryEntry& entry = Inventory().Entry(i);
    const TInventoryEntry& source = Inventory().Entry(k);
    entry.name = source.name;
    entry.rangeLow = TExprNode::CopyTree(source.rangeLow.get());
    entry.rangeHigh = TExprNode::CopyTree(source.rangeHigh.get());
    entry.thirdRange = TExprNode::CopyTree(source.thirdRange.get());
    entry.substituted = TExprNode::CopyTree(source.substituted.get());
    entry.revolutionBaseCount = source.revolutionBaseCount;
    entry.revolutionSteppedCount = source.revolutionSteppedCount;
    AddEquationLabel();
    return i;
}

void TPlot1Win::DropLast() {
    EquationLabels().RemoveFrom(Inventory().LastIndex());
    Inventory().RemoveLast();
}

void TPlot1Win::DuplicateExample(int k) {
    if (!Inventory().IsIndex(k)) return;
    const int i = AppendCopy(k);
    if (i < 0) return;
    if (!EditExample(i, true)) {
        DropLast();
        Repaint();
    }
}

void TPlot1Win::DuplicateFrozen(int k, int letter) {
    if (!Inventory().IsIndex(k) || letter < 1 || letter > slot::kLastParameter) return;
    const int i = AppendCopy(k);
    if (i < 0) return;
    TExample& e = Inventory()[i];
    e.FrozenLetter() = static_cast<std::int16_t>(letter);
    e.Number(TNumber::kFrozenValue) = Formulas().Var(letter);
    e.derivation = derived::kFrozenMember;
    e.parent = {static_cast<std::int16_t>(k), -1};
    BuildFamilyMember(i);
    RefreshEquationLabel(i);
    DrawExampleNow(i);
    InventoryChanged(1);
}

void TPlot1Win::DefineFamily(int k) {
    if (!Inventory().IsIndex(k)) return;
    EnableInventory(false);
    TFamDlg dialog(ExampleHost(), this, k);
    const int result = dialog.Execute();
    EnableInventory(true);
    if (result != platform::kIdOk) return;
    TExample& e = Inventory()[k];
    if (e.kind == k::kImplicit) {
        e.FreeTrajectories();
        e.TraceRequest() = 1;
        e.periodic = 0;
    }
    RefreshEquationLabel(k);
    InventoryChanged(0);
    InvalidateGraph();
}

void TPlot1Win::DefineWeb(int k) {
    if (!Inventory().IsIndex(k)) return;
    EnableInventory(false);
    TWebDlg dialog(ExampleHost(), this, k);
    const int result = dialog.Execute();
    EnableInventory(true);
    if (result != platform::kIdOk) return;
    MarkWindowSymbols();
    RefreshEquationLabel(k);
    InventoryChanged(0);
    InvalidateGraph();
}

// ------------------------------------------------------------------------------ derived entries

void TPlot1Win::AddAbsEntry(int k) {
    if (!Inventory().IsIndex(k) || !CanAddExample(true)) return;
    TExample e;
    e.InitCopy(Inventory()[k], false);
    e.derivation = derived::kAbsValue;
    e.parent = {static_cast<std::int16_t>(k), -1};
    e.familyOn = 0;
    e.WebOn() = 0;
    const int i = Inventory().Append(std::move(e));
    if (!BuildAbsEntry(i)) {
        Inventory().RemoveLast();
        return;
    }
    AddEquationLabel();
    DrawExampleNow(i);
    InventoryChanged(1);
    activateWindow();
}

bool TPlot1Win::BuildAbsEntry(int i) {
    TExample& e = Inventory()[i];
    const TExample& parent = Inventory()[e.parent[0]];
    if (!parent.Tree(2)) return false;
    e.Tree(1) = TExprNode::CopyTree(parent.Tree(1));
    e.Tree(2) = TExprNode::NewUnary(op::kAbs, TExprNode::CopyTree(parent.Tree(2)));
    Compiler().CompilePartials(i);
    Compiler().CompileCurvature(i);
    return true;
}

void TPlot1Win::AddGradientField(int k) {
    if (!Inventory().IsIndex(k) || !CanAddExample(true)) return;
    const TExample& parent = Inventory()[k];
    const Vec3 boxMin = parent.boxMin;
    const Vec3 boxMax = parent.boxMax;
    const std::int16_t colour = parent.pen.colour;
    const bool overBudget = parent.overBudget;  // its partial derivatives were not made
    TExample& e = AddExample(Dimension() * 100 + 10, 0, 1);
    e.boxMin = boxMin;
    e.boxMax = boxMax;
    e.pen.colour = colour;
    e.derivation = derived::kGradientField;
    e.parent = {static_cast<std::int16_t>(k), -1};
    e.fieldDisplay = 2;
    const int i = Inventory().LastIndex();
    if (!BuildGradientField(i)) {
        Inventory().RemoveLast();
        platform::ErrorMsg(this, overBudget ? kErrFormulaTooLong : kErrCannotUnderstand);
        return;
    }
    InventoryChanged(1);
    AddEquationLabel();
    DrawExampleNow(i);
}

bool TPlot1Win::BuildGradientField(int i) {
    TExample& e = Inventory()[i];
    const TExample& parent = Inventory()[e.parent[0]];
    const int dimension = std::min(Dimension(), 3);
    // Without its partial derivatives the parent has no gradient to show.
    for (int c = 1; c <= dimension; ++c)
        if (!parent.Tree(4 + c)) return false;
    for (int c = 1; c <= dimension; ++c) e.Tree(c) = TExprNode::CopyTree(parent.Tree(4 + c));
    if (dimension == 2) e.Tree(3) = TExprNode::NewConst(0);
    return true;
}

void TPlot1Win::AddSegmentEndpoints(int k) {
    if (!Inventory().IsIndex(k) || !Inventory()[k].EndPointsAsExamples()) return;
    for (int s = 0; s < 2; ++s) {
        if (!CanAddExample(true)) break;
        const TExample& segment = Inventory()[k];
        TExample point;
        point.Init(k::kPoint, segment.pen.colour, 50);
        point.derivation = derived::kEndPoint;
        point.parent = {static_cast<std::int16_t>(k), static_cast<std::int16_t>(2 * s)};
        point.pen.width = static_cast<std::uint16_t>(std::max<int>(Options().dotSize, 1));
        point.pen.style = 0;
        point.fieldDisplay = 0;
        point.PolarForm() = segment.PolarForm();
        const int i = Inventory().Append(std::move(point));
        if (!BuildEndpoint(i)) {
            Inventory().RemoveLast();
            continue;
        }
        AddEquationLabel();
        DrawExampleNow(i);
    }
    Inventory()[k].EndPointsAsExamples() = 0;
}

bool TPlot1Win::BuildEndpoint(int i) {
    TExample& e = Inventory()[i];
    const int p = e.parent[0];
    const int s = e.parent[1];
    // A point that names no end of a segment keeps no place: it is drawn as nothing.
    e.Tree(1).reset();
    e.Tree(2).reset();
    if (!Inventory().IsIndex(p) || !NamesSegmentEnd(s)) return false;
    const TExample& segment = Inventory()[p];
    if (Formulas().Parse(segment.Text(s + 1)) != kNoError) return false;
    NodePtr first = Formulas().TakeParseResult();
    if (Formulas().Parse(segment.Text(s + 2)) != kNoError) return false;
    e.Tree(1) = std::move(first);
    e.Tree(2) = Formulas().TakeParseResult();
    e.Text(1) = segment.Text(s + 1);
    e.Text(2) = segment.Text(s + 2);
    Compiler().CompileCurveData(i);
    return true;
}

void TPlot1Win::BuildFamilyMember(int i) {
    TExample& e = Inventory()[i];
    const TExample& parent = Inventory()[e.parent[0]];
    const int variable = op::kVarAt + e.FrozenLetter();
    for (int t = 1; t <= TExample::kTextCount; ++t) {
        e.Tree(t) = TExprNode::CopyTree(parent.Tree(t));
        if (e.Tree(t))
            TExprNode::ReplaceVarByConst(e.Tree(t).get(), variable,
                                         e.Number(TNumber::kFrozenValue));
    }
}

int TPlot1Win::AddPlotPointsExample(int parent, std::string_view values, int dotSize) {
    if (!CanAddExample(true)) return -1;
    const int i =
        AppendPlotPointsExample(Inventory(), parent, values, dotSize, Roles().Role(kRoleExample));
    if (i < 0) return -1;
    AddEquationLabel();
    DrawExampleNow(i);
    InventoryChanged(1);
    activateWindow();
    return i;
}

bool TPlot1Win::RebuildDerived(int i) {
    if (!Inventory().IsIndex(i)) return false;
    using Hook = TRebuildHook<TPlot1Win>;
    static constexpr Hook kHooks[] = {
        {derived::kGradientField, [](TPlot1Win& w, int k) { return w.BuildGradientField(k); }},
        {derived::kAbsValue, [](TPlot1Win& w, int k) { return w.BuildAbsEntry(k); }},
        {derived::kEndPoint, [](TPlot1Win& w, int k) { return w.BuildEndpoint(k); }},
        {derived::kFrozenMember,
         [](TPlot1Win& w, int k) {
             w.BuildFamilyMember(k);
             return true;
         }},
        {derived::kPlotPoints,
         [](TPlot1Win& w, int k) { return RebuildPlotPointsExample(w.Inventory(), k); }},
    };
    return RunRebuildHook(kHooks, *this, Inventory()[i].derivation, i).value_or(false);
}

void TPlot1Win::UpdateDependents(int i) {
    TInventory& inventory = Inventory();
    std::vector<bool> changed(static_cast<std::size_t>(inventory.Count()), i < 0);
    if (inventory.IsIndex(i)) changed[static_cast<std::size_t>(i)] = true;
    auto parentChanged = [&](int p) {
        return p >= 0 && p < inventory.Count() && changed[static_cast<std::size_t>(p)];
    };
    for (int j = std::max(i + 1, 0); j < inventory.Count(); ++j) {
        const TExample& e = inventory[j];
        if (e.derivation == 0 || e.parent[0] >= j) continue;
        // The end point of a segment keeps a text index in its second parent.
        const bool second = NamesSecondParent(e.derivation) && parentChanged(e.parent[1]);
        if (!parentChanged(e.parent[0]) && !second) continue;
        if (RebuildDerived(j)) changed[static_cast<std::size_t>(j)] = true;
    }
    TPlot0Win::UpdateDependents(i);
}

// ------------------------------------------------------------------------------ points

void TPlot1Win::AppendPointFromTemplate(const TExample& point) {
    TExample copy;
    copy.InitCopy(point, true);
    copy.kind = point.kind;
    copy.graphShown = 1;
    const int i = Inventory().Append(std::move(copy));
    if (i < 0) return;
    CompileExample(i);
    AddEquationLabel();
    ShowNewExample(i);
}

int TPlot1Win::AddPointsFromClipboard(const TExample& point) {
    QString clip;
    if (const int e =
            platform::GetClipboardText(platform::CurrentClipboard(), &clip, kMaxPointsText + 1))
        return e;
    const std::string text = ToWindows1252(clip).value_or(std::string());
    TExample filled;
    filled.InitCopy(point, true);
    filled.kind = point.kind;
    const int coordinates = std::clamp(Dimension(), 2, 3);
    int slot = 0;
    std::size_t pos = 0;
    while (pos < text.size() && Inventory().HasRoom()) {
        const auto isPart = [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-';
        };
        if (!isPart(text[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && isPart(text[end])) ++end;
        const std::string run = text.substr(pos, end - pos);
        pos = end;
        // A run without a digit, too long for a formula text or not a number is passed over.
        const bool digit = std::any_of(run.begin(), run.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        });
        long double value = 0;
        if (!digit || run.size() > kRecordTextChars || Formulas().ReadNumber(run, value) != 0)
            continue;
        filled.Text(++slot) = run;
        if (slot == coordinates) {
            AppendPointFromTemplate(filled);
            slot = 0;
        }
    }
    InventoryChanged(1);
    return Inventory().HasRoom() ? kNoError : kErrNoMoreRoom;
}

int TPlot1Win::AddPointsFromParameter(const TExample& point) {
    const int coordinates = std::clamp(Dimension(), 2, 3);
    std::array<std::string, 3> kept;
    for (int c = 0; c < coordinates; ++c) {
        kept[c] = point.Text(c + 1);
        if (const int e = Formulas().Parse(kept[c])) return e;
        MarkVariableInText(Formulas(), kept[c], static_cast<char>('@' + point.familyLetter));
    }
    const int first = point.FirstLetter();
    const int last = point.SecondLetter();
    // The longest number decides whether every text still fits.
    const std::size_t widest =
        std::max(std::to_string(first).size(), std::to_string(last).size()) + 2;
    for (int c = 0; c < coordinates; ++c) {
        const auto marks = static_cast<std::size_t>(std::count(kept[c].begin(), kept[c].end(), 1));
        if (kept[c].size() - marks + marks * widest > kRecordTextChars)
            return parse_error::kTooLong;
    }
    TExample filled;
    filled.InitCopy(point, true);
    filled.kind = point.kind;
    for (int n = first; n <= last && Inventory().HasRoom(); ++n) {
        for (int c = 0; c < coordinates; ++c) {
            std::string text = kept[c];
            ReplaceMarkedVariable(text, "(" + std::to_string(n) + ")", kRecordTextChars);
            filled.Text(c + 1) = text;
        }
        AppendPointFromTemplate(filled);
    }
    InventoryChanged(1);
    return Inventory().HasRoom() ? kNoError : kErrNoMoreRoom;
}

// ------------------------------------------------------------------------------ tables

QString TPlot1Win::ValueTableText(int k, int item) {
    if (!Inventory().IsIndex(k)) return {};
    TExample& e = Inventory()[k];
    const NumberFormat format = Format();
    std::string text = CurveValueTable(Inventory(), k, Formulas(), format);
    if (e.kind == k::kPoint || e.kind == k::kSpacePoint) {
        Vec3 p;
        const bool defined = GetPointCoords(k, p);
        const std::string_view names[] = {"x", "y", "z"};
        const int n = e.kind == k::kSpacePoint ? 3 : 2;
        const Vec3 points[] = {defined ? p : Vec3{NAN, NAN, NAN}};
        text = PointValueTable(std::span(names, n), points, {}, n, format);
    }
    if (e.kind == k::kIntrinsic || e.kind == k::kSpaceIntrinsic) text = IntrinsicTable(k);
    if (!e.trajectories.empty()) {
        const int n = e.kind / 100 == 3 ? 3 : 2;
        const std::string_view names[] = {"t", "x", "y", "z"};
        dynamics::TracerSettings settings =
            dynamics::TracerSettings::ForPixelSize(View().unitsPerPixelX);
        settings.roundLimit = kMaxTableRows;
        dynamics::AlongXOptions along;
        along.view = {View().left, View().right, View().down, View().up};
        for (int t = 0; t < static_cast<int>(e.trajectories.size()); ++t) {
            if (item >= 0 && t != item) continue;
            std::vector<Vec3> points;
            std::vector<long double> times;
            dynamics::TraceHooks hooks;
            hooks.sink = [&](const dynamics::TracePoint& p) {
                if (points.size() >= static_cast<std::size_t>(kMaxTableRows)) return;
                points.push_back(p.position);
                times.push_back(p.t);
            };
            Formulas().SaveVariables();
            dynamics::TraceTrajectory(Formulas(), e, e.trajectories[static_cast<std::size_t>(t)],
                                      settings, hooks, along);
            Formulas().RestoreVariables();
            text += PointValueTable(std::span(names, n + 1), points, times, n, format);
        }
    }
    return FromWindows1252(text);
}

// s and the point at arc length s over the example's range of s in its table steps.
std::string TPlot1Win::IntrinsicTable(int k) {
    TExample& e = Inventory()[k];
    const int steps = std::clamp<int>(e.tableSteps, 1, kMaxTableRows - 1);
    const int n = e.kind == k::kSpaceIntrinsic ? 3 : 2;
    std::vector<Vec3> points;
    std::vector<long double> arcs;
    for (int i = 0; i <= steps; ++i) {
        const long double s = i == steps
                                  ? e.rangeHigh[0]
                                  : e.rangeLow[0] + (e.rangeHigh[0] - e.rangeLow[0]) * i / steps;
        dynamics::FrenetState frame;
        const bool defined = dynamics::IntrinsicPoint3D(Formulas(), e, s, frame);
        points.push_back(defined ? frame.position : Vec3{NAN, NAN, NAN});
        arcs.push_back(s);
    }
    const std::string_view names[] = {"s", "x", "y", "z"};
    return PointValueTable(std::span(names, n + 1), points, arcs, n, Format());
}

void TPlot1Win::ShowTable(int k) {
    ShowItemTable(k, -1);
}

void TPlot1Win::ShowItemTable(int k, int item) {
    if (!Inventory().IsIndex(k)) return;
    if (!TableWindow()) AttachTableWindow(new TValueTableWin(*this));
    TTableWin* table = TableWindow();
    table->SetSource(k, Inventory()[k].kind, item);
    ShowKeyHint(kKeyHintQuit);
    table->BuildTable();
    table->SetCaption(platform::ResourceString(kStrTables) + QStringLiteral(" [") +
                      FromWindows1252(DescribeExample(k)) + QStringLiteral("]"));
    UpdateCaption();
    table->ShowWindow();
}

}  // namespace quorlin::examples
