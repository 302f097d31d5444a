#include "dynamics/ivp_dialogs.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "dynamics/steppers.h"
#include "dynamics/tracer.h"
#include "dynamics/trajectory_actions.h"
#include "dynamics/value_list.h"
#include "examples/records/equation_text.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::dynamics {

namespace {

using examples::TTrajectory;
using resources::ControlKind;
namespace kind = examples::kind;

constexpr int kDescriptionDigits = 4;
constexpr int kMostTerms = 1'000'000;
constexpr long double kNoEnd = -1;  // a new system trajectory has no practical end

QString Number(long double value) {
    return QString::fromStdString(FormatShortest(value));
}

}  // namespace

// ------------------------------------------------------------------------------ TIvp0Dlg

TIvp0Dlg::TIvp0Dlg(examples::TPlot11Win& window, std::string_view templateName,
                   std::vector<int> kinds, std::int16_t* exampleIndex)
    : platform::Dialog(&window, templateName),
      window_(window),
      kinds_(std::move(kinds)),
      exampleIndex_(exampleIndex) {}

bool TIvp0Dlg::Accepts(int k) const {
    return std::find(kinds_.begin(), kinds_.end(), k) != kinds_.end();
}

void TIvp0Dlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    SetCaption();
    SetText(ivp::kPenWidth, ControlKind::Edit, QStringLiteral("1"));
    SetText(ivp::kDelay, ControlKind::Edit, QString::number(window_.Tracer().trajectoryDelay));
    SetText(ivp::kStep, ControlKind::Edit, QStringLiteral("0.1"));
    SetText(ivp::kSteps, ControlKind::Edit, QStringLiteral("10"));
    RefillLists();
}

void TIvp0Dlg::SetCaption() {
    setWindowTitle(platform::ResourceString(ivp::kStrCaption) + QStringLiteral(" [") +
                   QFileInfo(window_.FileName()).fileName() + QStringLiteral("]"));
}

void TIvp0Dlg::RefillLists() {
    const int previous = example_ >= 0 ? example_ : (exampleIndex_ ? *exampleIndex_ : -1);
    ClearList(ivp::kExamples);
    listed_.clear();
    const auto& inventory = window_.Inventory();
    for (int k = 0; k <= inventory.LastIndex(); ++k) {
        const examples::TExample& e = inventory[k];
        if (!Accepts(e.kind) || e.listing < 0) continue;
        const std::string& name = inventory.Entry(k).name;
        AddString(ivp::kExamples,
                  FromWindows1252(name.empty() ? window_.DescribeExample(k) : name));
        listed_.push_back(k);
    }
    const auto it = std::find(listed_.begin(), listed_.end(), previous);
    if (!listed_.empty())
        SetSelectedIndex(ivp::kExamples,
                         it == listed_.end() ? 0 : static_cast<int>(it - listed_.begin()));
    ReadSelection();
}

void TIvp0Dlg::ReadSelection() {
    const int position = SelectedIndex(ivp::kExamples);
    if (position < 0 || position >= static_cast<int>(listed_.size())) {
        example_ = -1;
        if (exampleIndex_) *exampleIndex_ = -1;
        ClearList(ivp::kTrajectories);
        return;
    }
    example_ = listed_[static_cast<std::size_t>(position)];
    if (exampleIndex_) *exampleIndex_ = static_cast<std::int16_t>(example_);
    // New trajectories take the example's colour.
    window_.Roles().SetRole(examples::kRoleTrajectory, window_.Inventory()[example_].pen.colour);
    SelectionChanged();
}

void TIvp0Dlg::SelectionChanged() {
    FillList();
}

void TIvp0Dlg::OnNotify(int id, platform::Notification what) {
    if (id == ivp::kExamples && what == platform::Notification::SelectionChanged) ReadSelection();
}

void TIvp0Dlg::FillList() {
    ClearList(ivp::kTrajectories);
    if (!window_.Inventory().IsIndex(example_)) return;
    const bool space = window_.Dimension() >= 3;
    for (const TTrajectory& t : window_.Inventory()[example_].trajectories)
        AddString(ivp::kTrajectories, FromWindows1252(examples::DescribeTrajectory(
                                          t, kDescriptionDigits, space, window_.View().logMode)));
}

int TIvp0Dlg::SelectedTrajectory() const {
    if (!window_.Inventory().IsIndex(example_)) return -1;
    const int position = SelectedIndex(ivp::kTrajectories);
    const int count = static_cast<int>(window_.Inventory()[example_].trajectories.size());
    return position >= 0 && position < count ? position : -1;
}

TTrajectory* TIvp0Dlg::ChosenTrajectory() {
    const int k = SelectedTrajectory();
    if (k < 0) return nullptr;
    return &window_.Inventory()[example_].trajectories[static_cast<std::size_t>(k)];
}

int TIvp0Dlg::ReadField(int id, long double& value) const {
    const std::string text = GetText(id, ControlKind::Edit).toStdString();
    return window_.ReadNumber(text, value);
}

void TIvp0Dlg::SetNumber(int id, long double value) {
    SetText(id, ControlKind::Edit, Number(value));
}

int TIvp0Dlg::GetStepSize(long double& h) const {
    long double value = 0;
    if (const int error = ReadField(ivp::kStep, value)) return error;
    if (!(std::fabs(value) >= kSmallestStep) || !std::isfinite(value)) return kErrInconsistentData;
    h = value;
    return kNoError;
}

int TIvp0Dlg::GetDelay() {
    long double value = 0;
    if (const int error = ReadField(ivp::kDelay, value)) return error;
    if (!(value >= 1)) return kErrPositiveValue;
    const auto delay = static_cast<std::int32_t>(std::min(value, 1e6L));
    window_.Tracer().watchDelay = delay;
    window_.Tracer().trajectoryDelay = delay;
    return kNoError;
}

int TIvp0Dlg::GetPenWidth() const {
    long double value = 0;
    if (ReadField(ivp::kPenWidth, value) != kNoError || !(value >= 1 && value <= ivp::kWidestPen))
        return 1;
    return static_cast<int>(std::lround(value));
}

int TIvp0Dlg::GetMethod() const {
    if (IsChecked(ivp::kEuler)) return 0;
    if (IsChecked(ivp::kModifiedEuler)) return 1;
    return 2;
}

void TIvp0Dlg::ShowSolverSettings() {
    const TTrajectory* t = const_cast<TIvp0Dlg*>(this)->ChosenTrajectory();
    if (!t) return;
    SetNumber(ivp::kStep, t->step);
    const int method = static_cast<int>(MethodOf(t->option1));
    SetChecked(ivp::kEuler, method == 0);
    SetChecked(ivp::kModifiedEuler, method == 1);
    SetChecked(ivp::kRungeKutta, method == 2);
}

// ------------------------------------------------------------------------------ TIvpDlg

void TIvpDlg::SelectionChanged() {
    TIvp0Dlg::SelectionChanged();
}

void TIvpDlg::OnNotify(int id, platform::Notification what) {
    if (id == ivp::kTrajectories && what == platform::Notification::SelectionChanged) {
        ShowStartValues();
        return;
    }
    TIvp0Dlg::OnNotify(id, what);
}

void TIvpDlg::OnControl(int id) {
    switch (id) {
        case ivp::kDraw:
            Draw(false);
            return;
        case ivp::kWatch:
            Draw(true);
            return;
        case ivp::kDelete:
            DeleteChosen();
            return;
        case ivp::kDeleteAll:
            DeleteAll();
            return;
        case ivp::kColour:
            Window().ChooseColor(examples::kRoleTrajectory);
            return;
        case ivp::kTable:
            ShowTable();
            return;
        default:
            TIvp0Dlg::OnControl(id);
    }
}

int TIvpDlg::ReadStartPoint(Vec3& start, bool withZ) const {
    int error = ReadField(ivp::kStartX, start.x);
    if (error == 0) error = ReadField(ivp::kStartY, start.y);
    if (error == 0 && withZ && Window().Dimension() >= 3) error = ReadField(ivp::kStartZ, start.z);
    return error;
}

int TIvpDlg::ShowRefusal(int error) {
    if (error != 0) platform::ErrorMsg(this, error);
    return error;
}

int TIvpDlg::ReadSolverSettings(bool watch, TNewTrajectorySettings& settings) {
    long double step = 0;
    int error = GetStepSize(step);
    if (error == 0 && watch) error = GetDelay();
    if (error != 0) return ShowRefusal(error);
    settings = {step, GetMethod(), GetPenWidth(), watch, Window().Tracer().watchDelay};
    return kNoError;
}

void TIvpDlg::AfterDrawing() {
    FillList();
    activateWindow();
}

void TIvpDlg::TrajectoriesChanged() {
    examples::TPlot11Win& w = Window();
    w.InvalidateImage(ImageLayer::Background);
    w.Invalidate();
    w.RepaintLinkedWindows();
    w.MarkModified();
    FillList();
}

void TIvpDlg::DeleteChosen() {
    const int k = SelectedTrajectory();
    if (k < 0) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    auto& list = Window().Inventory()[Example()].trajectories;
    list.erase(list.begin() + k);
    TrajectoriesChanged();
}

void TIvpDlg::DeleteAll() {
    if (!Window().Inventory().IsIndex(Example())) return;
    auto& list = Window().Inventory()[Example()].trajectories;
    if (list.empty()) return;
    if (platform::MsgBox(this, platform::ResourceString(platform::kStrHmmCaption),
                         platform::ResourceString(ivp::kStrDeleteAll),
                         platform::kMsgYesNo) != platform::kIdYes)
        return;
    list.clear();
    TrajectoriesChanged();
}

void TIvpDlg::ShowTable() {
    const TTrajectory* t = ChosenTrajectory();
    if (!t) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    long double steps = 0;
    if (const int error = ReadField(ivp::kSteps, steps)) {
        platform::ErrorMsg(this, error);
        return;
    }
    if (!(steps >= 1 && steps <= kMostTerms)) {
        platform::ErrorMsg(this, kErrOutOfBounds);
        return;
    }
    examples::TPlot11Win& w = Window();
    const std::string table =
        TrajectoryTable(w, Example(), *t, static_cast<int>(std::lround(steps)));
    TTextWin& text = w.PlainTextWindow();
    text.SetText(QString::fromStdString(table));
    text.SetCaption(FromWindows1252(examples::DescribeTrajectory(
        *t, kDescriptionDigits, w.Dimension() >= 3, w.View().logMode)));
    text.ClearModified();
    text.ShowWindow();
}

// ------------------------------------------------------------------------------ TIvp10Dlg

TIvp10Dlg::TIvp10Dlg(examples::TPlot11Win& window, std::vector<int> kinds,
                     std::int16_t* exampleIndex)
    : TIvpDlg(window, "IVP10", std::move(kinds), exampleIndex) {}

void TIvp10Dlg::SetupWindow() {
    TIvpDlg::SetupWindow();
    const bool space = Window().Dimension() >= 3;
    ShowControl(ivp::kStartZ, space);
    ShowControl(ivp::kZLabel, space);
    SetText(ivp::kStartX, ControlKind::Edit, QStringLiteral("1"));
    SetText(ivp::kStartY, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kStartZ, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kStartT, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kStep, ControlKind::Edit, QStringLiteral("0.01"));
    SetChecked(ivp::kRungeKutta, true);
    SetChecked(ivp::kForward, true);
}

int TIvp10Dlg::GetDirection() const {
    if (IsChecked(ivp::kBackward)) return -1;
    if (IsChecked(ivp::kBoth)) return 0;
    return 1;
}

void TIvp10Dlg::ShowStartValues() {
    const TTrajectory* t = ChosenTrajectory();
    if (!t) return;
    SetNumber(ivp::kStartX, t->startX);
    SetNumber(ivp::kStartY, t->startY);
    SetNumber(ivp::kStartZ, t->startZ);
    SetNumber(ivp::kStartT, t->startTime);
    ShowSolverSettings();
}

int TIvp10Dlg::Draw(bool watch) {
    Vec3 start;
    long double t0 = 0;
    int error = ReadStartPoint(start, true);
    if (error == 0) error = ReadField(ivp::kStartT, t0);
    if (error != 0) return ShowRefusal(error);
    TNewTrajectorySettings s;
    if (const int refused = ReadSolverSettings(watch, s)) return refused;
    const int key =
        DrawNewSystemTrajectory(Window(), Example(), start, t0, GetDirection(), kNoEnd, s);
    AfterDrawing();
    return key;
}

int TIvp10Dlg::DrawFrom(Vec3 start, bool watch) {
    TNewTrajectorySettings s;
    if (const int refused = ReadSolverSettings(watch, s)) return refused;
    const int key =
        DrawNewSystemTrajectory(Window(), Example(), start, 0, GetDirection(), kNoEnd, s);
    FillList();
    return key;
}

// ------------------------------------------------------------------------------ TIvp11Dlg

TIvp11Dlg::TIvp11Dlg(examples::TPlot11Win& window, std::int16_t* exampleIndex)
    : TIvpDlg(window, "IVP11", {kind::kSlope}, exampleIndex) {}

void TIvp11Dlg::SetupWindow() {
    TIvpDlg::SetupWindow();
    SetText(ivp::kStartX, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kStartY, ControlKind::Edit, QStringLiteral("1"));
    SetChecked(ivp::kEuler, true);
}

void TIvp11Dlg::ShowStartValues() {
    const TTrajectory* t = ChosenTrajectory();
    if (!t) return;
    SetNumber(ivp::kStartX, t->startX);
    SetNumber(ivp::kStartY, t->startY);
    ShowSolverSettings();
}

int TIvp11Dlg::Draw(bool watch) {
    Vec3 start;
    if (const int error = ReadStartPoint(start, false)) return ShowRefusal(error);
    return DrawFrom(start, watch);
}

int TIvp11Dlg::DrawFrom(Vec3 start, bool watch) {
    TNewTrajectorySettings s;
    if (const int refused = ReadSolverSettings(watch, s)) return refused;
    const int key = DrawNewSlopeTrajectory(Window(), Example(), {start.x, start.y}, s);
    AfterDrawing();
    return key;
}

// ------------------------------------------------------------------------------ TIvp12Dlg

TIvp12Dlg::TIvp12Dlg(examples::TPlot11Win& window, std::vector<int> kinds,
                     std::int16_t* exampleIndex)
    : TIvpDlg(window, "IVP12", std::move(kinds), exampleIndex) {}

void TIvp12Dlg::SetupWindow() {
    TIvpDlg::SetupWindow();
    const bool space = Window().Dimension() >= 3;
    ShowControl(ivp::kStartZ, space);
    ShowControl(ivp::kZLabel, space);
    SetText(ivp::kStartX, ControlKind::Edit, QStringLiteral("0.5"));
    SetText(ivp::kStartY, ControlKind::Edit, QStringLiteral("0.5"));
    SetText(ivp::kStartZ, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kSteps, ControlKind::Edit, QStringLiteral("20"));
}

int TIvp12Dlg::GetTerms(int& terms) const {
    long double value = 0;
    if (const int error = ReadField(ivp::kSteps, value)) return error;
    if (!(value >= 1 && value <= kMostTerms)) return kErrOutOfBounds;
    terms = static_cast<int>(std::lround(value));
    return kNoError;
}

void TIvp12Dlg::ShowStartValues() {
    const TTrajectory* t = ChosenTrajectory();
    if (!t) return;
    SetNumber(ivp::kStartX, t->startX);
    SetNumber(ivp::kStartY, t->startY);
    SetNumber(ivp::kStartZ, t->startZ);
    SetNumber(ivp::kSteps, t->endTime);
}

int TIvp12Dlg::Draw(bool watch) {
    Vec3 start;
    if (const int error = ReadStartPoint(start, true)) return ShowRefusal(error);
    return DrawFrom(start, watch);
}

int TIvp12Dlg::DrawFrom(Vec3 start, bool watch) {
    int terms = 0;
    int error = GetTerms(terms);
    if (error == 0 && watch) error = GetDelay();
    if (error != 0) return ShowRefusal(error);
    TNewTrajectorySettings s{0, 0, GetPenWidth(), watch, Window().Tracer().watchDelay};
    const int key = DrawNewSequence(Window(), Example(), start, terms, s);
    AfterDrawing();
    return key;
}

// ------------------------------------------------------------------------------ TIvp20Dlg

TIvp20Dlg::TIvp20Dlg(examples::TPlot11Win& window, std::int16_t* exampleIndex)
    : TIvpDlg(window, "IVP20", {kind::kHigherOrder}, exampleIndex) {}

void TIvp20Dlg::SetupWindow() {
    TIvpDlg::SetupWindow();
    SetText(ivp::kStartX, ControlKind::Edit, QStringLiteral("0"));
    SetText(ivp::kStartY, ControlKind::Edit, QStringLiteral("1;0"));
    SetChecked(ivp::kRungeKutta, true);
}

int TIvp20Dlg::GetValues(std::string& values) const {
    std::string text = GetText(ivp::kStartY, ControlKind::Edit).toStdString();
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty() || text.back() != ';') text += ';';
    const ValueList parsed = ParseValueList(Window().Formulas(), text);
    if (parsed.error != 0) return parsed.error;
    const int order =
        Window().Inventory().IsIndex(Example()) ? Window().Inventory()[Example()].order : 1;
    if (static_cast<int>(parsed.trees.size()) < std::max(order, 1)) return kErrInconsistentData;
    values = text;
    return kNoError;
}

void TIvp20Dlg::ShowStartValues() {
    const TTrajectory* t = ChosenTrajectory();
    if (!t) return;
    SetNumber(ivp::kStartX, t->startTime);
    std::string values = t->texts[0];
    if (!values.empty() && values.back() == ';') values.pop_back();
    SetText(ivp::kStartY, ControlKind::Edit, FromWindows1252(values));
    ShowSolverSettings();
}

int TIvp20Dlg::Draw(bool watch) {
    long double x0 = 0;
    std::string values;
    int error = ReadField(ivp::kStartX, x0);
    if (error == 0) error = GetValues(values);
    if (error != 0) return ShowRefusal(error);
    TNewTrajectorySettings s;
    if (const int refused = ReadSolverSettings(watch, s)) return refused;
    const int key = DrawNewHigherOrderTrajectory(Window(), Example(), x0, values, s);
    AfterDrawing();
    return key;
}

int TIvp20Dlg::DrawFrom(Vec3 start, bool watch) {
    std::string values;
    if (const int error = GetValues(values)) return ShowRefusal(error);
    // The clicked height becomes y(x0); y', y'', ... stay as typed.
    const std::size_t first = values.find(';');
    values = FormatShortest(start.y) + values.substr(first);
    TNewTrajectorySettings s;
    if (const int refused = ReadSolverSettings(watch, s)) return refused;
    const int key = DrawNewHigherOrderTrajectory(Window(), Example(), start.x, values, s);
    AfterDrawing();
    return key;
}

}  // namespace quorlin::dynamics
