#include "tools2d/points/point_dialogs.h"

#include <QEvent>
#include <QFileInfo>

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "examples/operations/plot_points.h"
#include "examples/operations/tool_commands.h"
#include "examples/records/point_position.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"
#include "shell/col_win.h"
#include "tools2d/dialog_text.h"
#include "tools2d/points/point_lists.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

namespace {

constexpr int kRoleExample = 8;  // the colour role of new examples
constexpr int kStrPoints = 279;
constexpr int kStrStandard = 283;
constexpr int kStrCylindrical = 253;
constexpr int kStrSpherical = 277;
constexpr int kStrRho = 357;
constexpr int kStrTheta = 358;
constexpr int kStrPhi = 359;
constexpr std::size_t kMaxFormulaChars = 255;
constexpr std::size_t kMaxCountChars = 9;
constexpr std::size_t kMaxRangeChars = 10;
constexpr int kLetterN = 13;  // list position of N
constexpr int kPlanePoint[] = {k::kPoint};
constexpr int kSpacePoint[] = {k::kSpacePoint};

QString Labelled(int stringId) {
    return platform::ResourceString(stringId) + QStringLiteral(" =");
}

}  // namespace

// ------------------------------------------------------------------------------ point list

TPtListDlg::TPtListDlg(examples::TPlot11Win& window)
    : TComboDlg(window, "PTLIST", examples::kCurveKinds), owner_(window) {
    allowLagrange = true;
    allowDerived = true;
}

TPtListDlg::~TPtListDlg() {
    if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
}

void TPtListDlg::SetupWindow() {
    TComboDlg::SetupWindow();
    SetText(kDotSize, QStringLiteral("2"));
    SetText(kValues, QString());
    SelectionChanged();
}

void TPtListDlg::SelectionChanged() {
    SetText(kLabel, SelectedKind() == k::kExplicit ? QStringLiteral("x =") : QStringLiteral("t ="));
}

void TPtListDlg::CmPlot() {
    if (!owner_.CanAddExample(true)) return;
    if (!owner_.Inventory().IsIndex(SelectedExample())) {
        platform::ErrorMsg(this, kErrMakeSelection);
        return;
    }
    int dotSize = 0;
    if (const int error =
            ReadDotSize(owner_.Formulas(), EditText(*this, kDotSize, kMaxCountChars), 0, dotSize)) {
        platform::ErrorMsg(this, error);
        return;
    }
    const std::string values = EditText(*this, kValues, kMaxFormulaChars);
    if (const int error = examples::CheckPlotPointList(values)) {
        platform::ErrorMsg(this, error);
        return;
    }
    owner_.AddPlotPointsExample(SelectedExample(), values, dotSize);
}

void TPtListDlg::OnControl(int id) {
    if (id == kPlot) {
        CmPlot();
    } else if (id == kColor) {
        owner_.ChooseColor(kRoleExample);
        colourChosen_ = true;
    } else {
        TComboDlg::OnControl(id);
    }
}

// ------------------------------------------------------------------------------ distance

TDistDlg::TDistDlg(examples::TPlot11Win& window)
    : T2ComboDlg(window, "DIST",
                 window.Dimension() >= 3 ? std::span<const int>(kSpacePoint) : kPlanePoint,
                 window.Dimension() >= 3 ? std::span<const int>(kSpacePoint) : kPlanePoint),
      owner_(window) {
    allowDerived = true;
}

void TDistDlg::ShowDistance() {
    if (!IsCreated()) return;
    const examples::TInventory& inventory = owner_.Inventory();
    const int a = SelectedExample();
    const int b = SelectedExample2();
    if (!inventory.IsIndex(a) || !inventory.IsIndex(b)) {
        SetText(kDistance, QString());
        return;
    }
    // Between the points as drawn: a point typed in polar, cylindrical or spherical form is
    // measured where it stands in the picture.
    Vec3 p, q;
    FormulaContext& formulas = owner_.Formulas();
    const bool defined = examples::DrawnPointPosition(formulas, owner_.Inventory()[a], p) &&
                         examples::DrawnPointPosition(formulas, owner_.Inventory()[b], q);
    SetText(kDistance, defined ? FromWindows1252(owner_.Format().FormatNum(PointDistance(p, q)))
                               : QStringLiteral("?"));
}

void TDistDlg::RefillLists() {
    T2ComboDlg::RefillLists();
    ShowDistance();
}

void TDistDlg::OnControl(int id) {
    if (id == kShow)
        ShowDistance();
    else
        T2ComboDlg::OnControl(id);
}

// ------------------------------------------------------------------------------ many points

TManyPtDlg::TManyPtDlg(examples::TPlot11Win& window) : Dialog(&window, "MANYPTS"), owner_(window) {}

TManyPtDlg::~TManyPtDlg() {
    if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
}

void TManyPtDlg::SetupWindow() {
    Dialog::SetupWindow();
    const bool space = owner_.Dimension() >= 3;
    const int dotSize = owner_.Options().dotSize;
    InitPointTemplate(point_, owner_.Dimension(), owner_.Roles().Role(kRoleExample), dotSize);
    SetChecked(kSolid, true);
    SetChecked(kSystems[0], true);
    SetChecked(kFromClipboard, true);
    SetText(kDotSize, QString::number(dotSize));
    const char* defaults[] = {"2.54", "1.047", "0.785"};
    for (int c = 0; c < 3; ++c) SetText(kTexts[c], QString::fromLatin1(defaults[c]));
    SetText(kFrom, QStringLiteral("1"));
    SetText(kTo, QStringLiteral("10"));
    SetText(kAnchorText, QString());
    for (const int id : {kSystems[2], kLabels[2], kTexts[2]}) ShowControl(id, space);
    examples::TPlot11Win::FillLetterCombo(*this, kLetter, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    SetSelectedIndex(kLetter, kLetterN);
    if (space) {
        SetText(kSystems[0], platform::ResourceString(kStrStandard));
        SetText(kSystems[1], platform::ResourceString(kStrCylindrical));
        SetText(kSystems[2], platform::ResourceString(kStrSpherical));
    }
    UpdateLabels();
    UpdatePlotEnabled();
    setWindowTitle(platform::ResourceString(kStrPoints) + QStringLiteral(" [") +
                   QFileInfo(owner_.FileName()).fileName() + QStringLiteral("]"));
}

int TManyPtDlg::System() const {
    for (int s = 0; s < 3; ++s)
        if (IsChecked(kSystems[s])) return s;
    return 0;
}

void TManyPtDlg::UpdateLabels() {
    const int system = System();
    const QString standard[] = {QStringLiteral("x ="), QStringLiteral("y ="),
                                QStringLiteral("z =")};
    const QString cylindrical[] = {QStringLiteral("r ="), Labelled(kStrTheta), standard[2]};
    const QString spherical[] = {Labelled(kStrRho), Labelled(kStrTheta), Labelled(kStrPhi)};
    const QString* labels = system == 2 ? spherical : system == 1 ? cylindrical : standard;
    for (int c = 0; c < 3; ++c) SetText(kLabels[c], labels[c]);
}

void TManyPtDlg::UpdatePlotEnabled() {
    const bool clipboard = IsChecked(kFromClipboard);
    EnableControl(kPlot, !clipboard || !platform::CurrentClipboard().Text().isEmpty());
}

void TManyPtDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && IsCreated()) UpdatePlotEnabled();
    Dialog::changeEvent(event);
}

void TManyPtDlg::CmPlot() {
    TManyPointChoices choices;
    choices.circle = IsChecked(kCircle);
    choices.anchors = IsChecked(kAnchors);
    choices.anchorText = EditText(*this, kAnchorText, kMaxAnchorChars);
    choices.dotSize = EditText(*this, kDotSize, kMaxCountChars);
    choices.list = IsChecked(kList);
    choices.from = EditText(*this, kFrom, kMaxRangeChars);
    choices.to = EditText(*this, kTo, kMaxRangeChars);
    choices.letter = std::max(SelectedIndex(kLetter), 0) + 1;
    for (std::size_t c = 0; c < 3; ++c)
        choices.texts[c] = EditText(*this, kTexts[c], kMaxFormulaChars);
    choices.system = System();
    int error = FillPointTemplate(owner_.Formulas(), choices, owner_.Dimension(), point_);
    if (error == kNoError)
        error = choices.list ? owner_.AddPointsFromParameter(point_)
                             : owner_.AddPointsFromClipboard(point_);
    if (error != kNoError) platform::ErrorMsg(this, error);
}

void TManyPtDlg::OnControl(int id) {
    if (id == kPlot) {
        CmPlot();
    } else if (id == kColor) {
        const QPointer<TManyPtDlg> self(this);
        owner_.OpenColorPicker(
            kStrPoints,
            [self](int index) {
                if (self) self->point_.pen.colour = static_cast<std::int16_t>(index);
            },
            point_.pen.colour);
        colourChosen_ = true;
    } else if (id == kSystems[0] || id == kSystems[1] || id == kSystems[2]) {
        UpdateLabels();
    } else if (id == kFromClipboard || id == kList) {
        UpdatePlotEnabled();
    } else if (id == platform::kIdCancel) {
        if (colourChosen_ && owner_.PaletteWindow()) owner_.PaletteWindow()->HideWindow();
        HideDialog();
    } else {
        Dialog::OnControl(id);
    }
}

// ------------------------------------------------------------------------------ the three

std::vector<int> TPointTools::Commands(int) {
    return {cmd::kPlotList, cmd::kManyPoints, cmd::kDistance};
}

bool TPointTools::RunCommand(int id) {
    const bool space = window_.Dimension() >= 3;
    switch (id) {
        case cmd::kPlotList:
            OpenToolDialog(window_, pointList_,
                           {examples::kCurveKinds.begin(), examples::kCurveKinds.end()});
            return true;
        case cmd::kDistance:
            OpenToolDialog(window_, distance_, {space ? k::kSpacePoint : k::kPoint});
            distance_->ShowDistance();
            return true;
        case cmd::kManyPoints:
            // It works on no example: the window never closes it for want of one.
            OpenToolDialog(window_, manyPoints_, {});
            return true;
        default:
            return false;
    }
}

void TPointTools::RefreshValues() {
    if (distance_) distance_->ShowDistance();
}

std::vector<platform::Dialog*> TPointTools::Dialogs() const {
    std::vector<platform::Dialog*> dialogs;
    for (platform::Dialog* d :
         std::initializer_list<platform::Dialog*>{pointList_, distance_, manyPoints_})
        if (d) dialogs.push_back(d);
    return dialogs;
}

}  // namespace quorlin::tools2d
