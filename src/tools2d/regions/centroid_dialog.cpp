#include "tools2d/regions/centroid_dialog.h"

#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/drawing_tools.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "plot2d/plot_a_win.h"
#include "shell/col_win.h"
#include "shell/fonts.h"
#include "tools2d/dialog_text.h"
#include "tools2d/regions/region_model.h"

namespace quorlin::tools2d {

namespace {

constexpr int kStrCareful = 2;               // "careful!"
constexpr int kStrShadeImplicit = 149;       // "shade implicit"
constexpr int kStrDeleteInequalities = 167;  // "delete every inequality?"
constexpr std::size_t kMaxCountChars = 20;
constexpr int kListFont = 7;  // the font of the window's inventory-like lists
constexpr int kCentroidControls[] = {TCentroidDlg::kThrow, TCentroidDlg::kFrame,
                                     TCentroidDlg::kDartsLabel, TCentroidDlg::kDartsEdit,
                                     TCentroidDlg::kSeeDarts};

}  // namespace

TCentroidDlg::TCentroidDlg(plot2d::TPlotAWin& window)
    : Dialog(&window, "CENTROID"), owner_(window) {}

void TCentroidDlg::SetupWindow() {
    Dialog::SetupWindow();
    if (owner_.IsPaletteShown()) owner_.ChooseColor(plot2d::kRegionColourRole);
    ShowValues();
    SetChecked(kSeeDarts, false);
    ShowControl(kThrow, IsChecked(kCentroid));
}

void TCentroidDlg::ShowValues() {
    const int mode = owner_.State2D().regionMode;
    SetText(kDartsEdit, QString::number(owner_.Tools().randomDarts));
    SetChecked(kIntersect, IntersectOfMode(mode));
    SetChecked(kShading, !CentroidOfMode(mode));
    SetChecked(kCentroid, CentroidOfMode(mode));
    FillLists();
}

bool TCentroidDlg::IsShowingDarts() const {
    return IsChecked(kCentroid) && IsChecked(kSeeDarts);
}

int TCentroidDlg::GetSelectedRegion() const {
    if (IsChecked(kIntersect)) return -1;
    const int line = SelectedIndex(kInequalities);
    return line >= 0 && line < static_cast<int>(inequalities_.size())
               ? inequalities_[static_cast<std::size_t>(line)]
               : -1;
}

void TCentroidDlg::FillLists() {
    if (!IsCreated()) return;
    examples::TInventory& inventory = owner_.Inventory();
    curves_ = ImplicitExamples(inventory);
    inequalities_ = InequalityExamples(inventory);
    const QFont font = platform::ToQFont(ToFontSpec(owner_.Fonts().Font(kListFont)));
    for (const int id : {kCurves, kInequalities}) SetControlFont(id, font);
    ClearList(kCurves);
    for (const int i : curves_) AddString(kCurves, FromWindows1252(owner_.DescribeExample(i)));
    ClearList(kInequalities);
    for (const int i : inequalities_)
        AddString(kInequalities,
                  FromWindows1252(InequalityText(owner_.DescribeExample(i), inventory[i].subKind)));
    // What was thrown at may be gone.
    ShowCentroid(std::nullopt);
    if (!CentroidOfMode(owner_.State2D().regionMode)) CmMode();
}

void TCentroidDlg::CmMode() {
    const bool centroid = IsChecked(kCentroid);
    for (const int id : kCentroidControls) ShowControl(id, centroid);
    ShowCentroid(std::nullopt);
    plot2d::TPlot2DState& state = owner_.State2D();
    const int mode = RegionMode(centroid, IsChecked(kIntersect));
    if (mode != state.regionMode) owner_.MarkModified();
    state.regionMode = mode;
    state.darts.clear();
    owner_.InvalidateImage(ImageLayer::Background);
    owner_.Invalidate();
}

int TCentroidDlg::ChosenExample(int listId, const std::vector<int>& listed) {
    int position = -1;
    const int error =
        ListSelection(static_cast<int>(listed.size()), SelectedIndex(listId), position);
    if (error != kNoError) {
        platform::ErrorMsg(this, error);
        return -1;
    }
    return listed[static_cast<std::size_t>(position)];
}

void TCentroidDlg::ChangeSide(int side) {
    const int i = ChosenExample(kCurves, curves_);
    if (i < 0) return;
    SetSide(owner_.Inventory(), i, side, owner_.Roles().Role(plot2d::kRegionColourRole));
    SidesChanged();
}

void TCentroidDlg::DeleteOne() {
    const int i = ChosenExample(kInequalities, inequalities_);
    if (i < 0) return;
    SetSide(owner_.Inventory(), i, kEquation, 0);
    SidesChanged();
}

void TCentroidDlg::DeleteAll() {
    if (platform::MsgBox(this, platform::ResourceString(kStrCareful),
                         platform::ResourceString(kStrDeleteInequalities),
                         platform::kMsgYesNo) != platform::kIdYes)
        return;
    ClearSides(owner_.Inventory());
    SidesChanged();
}

void TCentroidDlg::SidesChanged() {
    owner_.MarkModified();
    owner_.State2D().darts.clear();
    owner_.InvalidateImage(ImageLayer::Background);
    owner_.Invalidate();
    FillLists();
}

int TCentroidDlg::CmThrow() {
    int region = -1;
    if (!IsChecked(kIntersect)) {
        // Without "intersect" the darts go at one region: the chosen one.
        region = ChosenExample(kInequalities, inequalities_);
        if (region < 0) return kErrMakeSelection;
    }
    int count = 0;
    if (const int error =
            ReadDartCount(owner_.Formulas(), EditText(*this, kDartsEdit, kMaxCountChars), count)) {
        platform::ErrorMsg(this, error);
        return error;
    }
    examples::TToolSettings& tools = owner_.Tools();
    if (tools.randomDarts != count) owner_.MarkModified();
    tools.randomDarts = count;
    ShowCentroid(owner_.ThrowDartsInWindow(region, IsShowingDarts()));
    return kNoError;
}

void TCentroidDlg::ShowCentroid(std::optional<Vec2> centroid) {
    centroid_ = centroid;
    if (!centroid) {
        SetText(kResult, QString());
        return;
    }
    SetText(kResult, FromWindows1252("x = " + owner_.FormatNum(centroid->x) +
                                     "\ny = " + owner_.FormatNum(centroid->y)));
}

void TCentroidDlg::OnControl(int id) {
    switch (id) {
        case kCentroid:
        case kShading:
        case kIntersect:
            CmMode();
            break;
        case kToLess:
            ChangeSide(tools2d::kLessThan);
            break;
        case kToGreater:
            ChangeSide(tools2d::kGreaterThan);
            break;
        case kDeleteOne:
            DeleteOne();
            break;
        case kDeleteAll:
            DeleteAll();
            break;
        case kThrow:
            CmThrow();
            break;
        case kColourButton:
            owner_.ChooseColor(plot2d::kRegionColourRole);
            colourChosen_ = true;
            break;
        case kHelpButton:
            owner_.ShowHelp({}, platform::ResourceString(kStrShadeImplicit));
            break;
        case platform::kIdCancel:
            if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
            HideDialog();
            owner_.Repaint();
            break;
        default:
            break;
    }
}

// Another region chosen, or another count typed: the centroid shown was not thrown for them.
void TCentroidDlg::OnNotify(int id, platform::Notification what) {
    const bool otherRegion = id == kInequalities &&
                             what == platform::Notification::SelectionChanged &&
                             !IsChecked(kIntersect);
    const bool otherCount = id == kDartsEdit && what == platform::Notification::TextChanged;
    if (otherRegion || otherCount) ShowCentroid(std::nullopt);
}

}  // namespace quorlin::tools2d
