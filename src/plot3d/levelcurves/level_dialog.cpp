#include "plot3d/levelcurves/level_dialog.h"

#include "core/errors.h"
#include "dynamics/level_set.h"
#include "examples/records/equation_text.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/levels/plot_r_win.h"

namespace quorlin::plot3d {

namespace k = examples::kind;

namespace {

constexpr int kCannotUnderstand = 1;
constexpr int kStrCareful = 2;
constexpr int kStrDeleteEvery = 169;
constexpr int kStrLevelCurves = 193;
constexpr int kMaxFieldChars = 30;
constexpr std::size_t kMaxCaptionText = 999;

}  // namespace

// ---------------------------------------------------------------------------- curve list

T3DIvpDlg::T3DIvpDlg(TPlotRWin& window, std::string_view templateName, int example)
    : Dialog(&window, templateName), window_(window), example_(example) {}

void T3DIvpDlg::SetupWindow() {
    Dialog::SetupWindow();
    BackupCurves();
}

void T3DIvpDlg::SetExample(int example) {
    example_ = example;
    changed_ = false;
    BackupCurves();
    FillList();
}

examples::TrajectoryList* T3DIvpDlg::Curves() {
    if (!window_.Inventory().IsIndex(example_)) return nullptr;
    return &window_.Inventory()[example_].trajectories;
}

void T3DIvpDlg::BackupCurves() {
    const examples::TrajectoryList* curves = Curves();
    backup_ = curves ? examples::CloneTrajectoryList(*curves) : examples::TrajectoryList{};
}

void T3DIvpDlg::FollowBackup() {
    if (!window_.Inventory().IsIndex(example_)) return;
    dynamics::FollowLevelCurves(window_.Formulas(), window_.Inventory()[example_], backup_);
}

void T3DIvpDlg::FillList() {
    listed_.clear();
    if (IsCreated()) ClearList(kList);
    if (!window_.Inventory().IsIndex(example_)) return;
    const examples::TExample& e = window_.Inventory()[example_];
    listed_ = ListedCurvePositions(e, filter_);
    if (!IsCreated()) return;
    for (const int p : listed_) {
        const examples::TTrajectory& curve = e.trajectories[static_cast<std::size_t>(p)];
        AddString(kList, QString::fromStdString(
                             examples::DescribeTrajectory(curve, window_.Format().places, true)));
    }
    if (!listed_.empty()) SetSelectedIndex(kList, 0);
}

void T3DIvpDlg::RefillKeepingSelection() {
    const int line = IsCreated() ? SelectedIndex(kList) : -1;
    FillList();
    if (line > 0 && line < static_cast<int>(listed_.size())) SetSelectedIndex(kList, line);
}

void T3DIvpDlg::CurvesChanged() {
    FillList();
    window_.InvalidateImage(ImageLayer::Background);
    window_.Invalidate();
    window_.MarkModified();
    changed_ = true;
}

void T3DIvpDlg::DeleteOne() {
    examples::TrajectoryList* curves = Curves();
    const int line = SelectedIndex(kList);
    if (!curves || line < 0 || line >= static_cast<int>(listed_.size())) return;
    const auto p = static_cast<std::size_t>(listed_[static_cast<std::size_t>(line)]);
    if (p >= curves->size()) return;
    curves->erase(curves->begin() + static_cast<std::ptrdiff_t>(p));
    CurvesChanged();
}

void T3DIvpDlg::DeleteAll() {
    examples::TrajectoryList* curves = Curves();
    if (!curves || listed_.empty()) return;
    // The listed positions ascend: erasing from the back keeps the others in place.
    for (auto it = listed_.rbegin(); it != listed_.rend(); ++it)
        if (static_cast<std::size_t>(*it) < curves->size()) curves->erase(curves->begin() + *it);
    CurvesChanged();
}

void T3DIvpDlg::CmOk() {
    if (paletteOpened_ && window_.PaletteWindow()) window_.PaletteWindow()->hide();
    paletteOpened_ = false;
    window_.InvalidateImage(ImageLayer::Background);
    window_.Invalidate();
    window_.RefreshLevelWindow();
    window_.EnableInventory(true);
    HideDialog();
    changed_ = false;
}

void T3DIvpDlg::CmCancel() {
    if (paletteOpened_ && window_.PaletteWindow()) window_.PaletteWindow()->hide();
    paletteOpened_ = false;
    if (changed_) {
        if (examples::TrajectoryList* curves = Curves())
            *curves = examples::CloneTrajectoryList(backup_);
        window_.InvalidateImage(ImageLayer::Background);
        window_.Invalidate();
        changed_ = false;
    }
    window_.RefreshLevelWindow();
    window_.EnableInventory(true);
    HideDialog();
}

void T3DIvpDlg::OnControl(int id) {
    switch (id) {
        case kColour:
            window_.ChooseColor(examples::kRoleTrajectory);
            paletteOpened_ = true;
            break;
        case kDeleteOne:
            window_.RefreshLevelWindow();
            DeleteOne();
            break;
        case kDeleteAll:
            if (listed_.empty()) break;
            if (platform::MsgBox(this, platform::ResourceString(kStrCareful),
                                 platform::ResourceString(kStrDeleteEvery),
                                 platform::kMsgYesNo) == platform::kIdYes) {
                window_.RefreshLevelWindow();
                DeleteAll();
            }
            break;
        case platform::kIdOk:
            CmOk();
            break;
        case platform::kIdCancel:
            CmCancel();
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------- levels

TLevelDlg::TLevelDlg(TPlotRWin& window, int example) : T3DIvpDlg(window, "LEVELS", example) {
    filter_ = kLevelVariableZ;
}

void TLevelDlg::SetupWindow() {
    T3DIvpDlg::SetupWindow();
    SetExample(example_);
}

void TLevelDlg::SetExample(int example) {
    if (example != example_ || !rangesSet_) {
        // A new example starts with five levels across its box in each variable.
        rangesSet_ = window_.Inventory().IsIndex(example);
        if (rangesSet_) {
            const examples::TExample& e = window_.Inventory()[example];
            ranges_ = {TLevelRange{e.boxMin.x, e.boxMax.x, 4},
                       TLevelRange{e.boxMin.y, e.boxMax.y, 4},
                       TLevelRange{e.boxMin.z, e.boxMax.z, 4}};
        }
    }
    example_ = example;
    if (!IsCreated()) return;
    const bool known = window_.Inventory().IsIndex(example_);
    QString text = known ? QString::fromStdString(window_.DescribeExample(example_)) : QString();
    setWindowTitle(platform::ResourceString(kStrLevelCurves) + QStringLiteral(" [") +
                   text.left(static_cast<int>(kMaxCaptionText)) + QStringLiteral("]"));
    const bool explicitSurface = known && window_.Inventory()[example_].kind == k::kSurface;
    ShowControl(kRadioX, !explicitSurface);
    ShowControl(kRadioY, !explicitSurface);
    Press(kRadioZ);
    T3DIvpDlg::SetExample(example);
}

TLevelRange& TLevelDlg::Range() {
    return ranges_[static_cast<std::size_t>(filter_ - kLevelVariableX)];
}

void TLevelDlg::SelectVariable() {
    const bool x = IsChecked(kRadioX);
    const bool y = IsChecked(kRadioY);
    filter_ = x ? kLevelVariableX : y ? kLevelVariableY : kLevelVariableZ;
    values_.range = Range();
    values_.current = values_.range.low;
    FillList();
    ShowValues();
}

void TLevelDlg::ShowValues() {
    SetText(kLow, QString::fromStdString(window_.FormatNum(values_.range.low)));
    SetText(kCurrent, QString::fromStdString(window_.FormatNum(values_.current)));
    SetText(kHigh, QString::fromStdString(window_.FormatNum(values_.range.high)));
    SetText(kCount, QString::number(values_.range.Count()));
}

int TLevelDlg::ReadFields(OutsideCurrent rule) {
    const auto text = [this](int id) { return GetText(id).left(kMaxFieldChars).toStdString(); };
    const TLevelTexts texts{text(kLow), text(kHigh), text(kCurrent), text(kCount)};
    FormulaContext& formulas = window_.Formulas();
    const TLevelReaders read{
        [this](std::string_view t, long double& v) { return window_.ReadNumber(t, v); },
        [&formulas](std::string_view t, long long lo, long long hi, int& v) {
            return formulas.ReadInteger(t, lo, hi, v);
        }};
    if (ReadLevelFields(texts, read, rule, values_) != 0) {
        platform::ErrorMsg(this, kCannotUnderstand);
        return kCannotUnderstand;
    }
    Range() = values_.range;
    return 0;
}

int TLevelDlg::Request(TLevelRequest flags) {
    flags.example = example_;
    flags.variable = filter_;
    flags.value = values_.current;
    return window_.ShowLevel(flags);
}

void TLevelDlg::CmNextLevel() {
    if (ReadFields(OutsideCurrent::ToLow) != 0) return;
    values_.current = NextLevel(values_);
    ShowValues();
}

void TLevelDlg::CmPrevLevel() {
    if (ReadFields(OutsideCurrent::ToHigh) != 0) return;
    values_.current = PreviousLevel(values_);
    ShowValues();
}

int TLevelDlg::CmAuto() {
    if (ReadFields(OutsideCurrent::ToLow) != 0) return 0;
    // One poll paced across every level, asked by the searches and between levels: a level's
    // search alone is often over before its own poll would be due.
    const QPointer<TLevelWin> levels = &window_.MadeLevelWindow();
    levels->BeginLevelSearchRun();
    int key = 0;
    for (const long double level : AutoLevels(values_.range)) {
        values_.current = level;
        ShowValues();
        key = Request({.search = true, .currentOnly = true});
        changed_ = true;
        if (key != kKeyStop && levels) key = levels->PollLevelSearchRun();
        // Q ends the whole run, not only the search of this level.
        if (key == kKeyStop || !levels) break;
    }
    if (levels) levels->EndLevelSearchRun();
    FillList();
    return key == kKeyStop ? kKeyStop : 0;
}

void TLevelDlg::CmSearchCurrent() {
    if (ReadFields(OutsideCurrent::Refuse) != 0) return;
    Request({.progress = true, .untilQ = true, .search = true, .currentOnly = true});
    // New curves are a change that "discard changes" takes back.
    changed_ = true;
    FillList();
}

void TLevelDlg::CmSeeCurrent() {
    if (ReadFields(OutsideCurrent::Refuse) == 0) Request({.currentOnly = true});
}

void TLevelDlg::CmSeeAll() {
    if (ReadFields(OutsideCurrent::Refuse) == 0) Request({});
}

void TLevelDlg::OnControl(int id) {
    switch (id) {
        case kRadioX:
        case kRadioY:
        case kRadioZ:
            SelectVariable();
            break;
        case kNext:
            CmNextLevel();
            break;
        case kPrevious:
            CmPrevLevel();
            break;
        case kAuto:
            CmAuto();
            break;
        case kSearch:
            CmSearchCurrent();
            break;
        case kSeeCurrent:
            CmSeeCurrent();
            break;
        case kSeeAll:
            CmSeeAll();
            break;
        default:
            T3DIvpDlg::OnControl(id);
            break;
    }
}

}  // namespace quorlin::plot3d
