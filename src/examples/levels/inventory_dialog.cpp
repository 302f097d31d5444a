#include "examples/levels/inventory_dialog.h"

#include <QFileInfo>

#include <algorithm>

#include "core/errors.h"
#include "examples/levels/plot11_win.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/drawing_tools.h"
#include "platform/strings.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"

namespace quorlin::examples {

namespace k = quorlin::examples::kind;
using platform::ControlKind;

namespace {

constexpr int kErrEditingInProgress = 111;
constexpr int kErrCannotCopy = 19;
constexpr int kErrCannotSwap = 119;
constexpr int kStrInventory = 165;
constexpr int kStrMaximumLength = 322;
constexpr int kStrExampleName = 323;
constexpr int kFontInventory = 7;

}  // namespace

// What each button does with the selected examples; the button is enabled (tool_commands'
// InventoryButtonEnabled) only when the selection suits it.
const TFnListDlg::ButtonAction TFnListDlg::kButtonActions[] = {
    {invent::kEdit, &TFnListDlg::EditSelected},
    {invent::kDelete, &TFnListDlg::DeleteSelected},
    {invent::kDuplicate, &TFnListDlg::DuplicateSelected},
    {invent::kClip, &TFnListDlg::CopySelected},
    {invent::kTable, &TFnListDlg::TableOfSelected},
    {invent::kFamily, &TFnListDlg::FamilyOfSelected},
    {invent::kGraph, &TFnListDlg::ToggleGraphs},
    {invent::kEquation, &TFnListDlg::ToggleEquationLabels},
    {invent::kName, &TFnListDlg::NameSelected},
    {invent::kDerive, &TFnListDlg::DeriveOrSwap},
    {invent::kWeb, &TFnListDlg::WebOrBox},
};

TFnListDlg::TFnListDlg(TPlot11Win& window, std::string_view templateName)
    : platform::Dialog(&window, templateName), window_(window) {}

void TFnListDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    SetInventoryCaption();
    FillList(0);
    explicitSelected_ = false;
    absMode_ = Mode().logarithmic;
    RefreshButtons();
}

TInventoryMode TFnListDlg::Mode() const {
    TInventoryMode mode;
    mode.logarithmic = window_.View().logMode != canvas::kLogNone;
    mode.map = window_.IsMapWindow() && !mode.logarithmic;
    mode.threeD = window_.Dimension() >= 3;
    mode.absMode = absMode_;
    mode.derivatives = window_.AddsDerivatives();
    mode.levelsDialog = window_.OpensLevelsDialog();
    mode.boxDialog = window_.EditsExampleBoxes();
    return mode;
}

void TFnListDlg::SetInventoryCaption() {
    setWindowTitle(platform::ResourceString(kStrInventory) + QStringLiteral("[") +
                   QFileInfo(window_.FileName()).fileName() + QStringLiteral("]"));
}

void TFnListDlg::FillList(int select) {
    const TInventory& inventory = window_.Inventory();
    SetControlFont(invent::kList,
                   platform::ToQFont(ToFontSpec(window_.Fonts().Font(kFontInventory))));
    ClearList(invent::kList);
    lineMap_.clear();
    window_.Scene().visibleParametricSurface = false;
    int selectLine = -1;
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        const TExample& e = inventory[i];
        if (window_.Dimension() >= 3 && e.graphShown && e.IsSurfaceWithNormals())
            window_.Scene().visibleParametricSurface = true;
        if (!window_.AcceptsExample(i)) continue;
        const std::string line = InventoryLine(inventory.Entry(i), window_.DescribeExample(i));
        AddString(invent::kList, FromWindows1252(line));
        if (i == select) selectLine = static_cast<int>(lineMap_.size());
        lineMap_.push_back(i);
    }
    if (select >= 0 && !lineMap_.empty()) {
        SetSelectedIndex(invent::kList, selectLine >= 0 ? selectLine : 0);
    } else {
        SetSelectedIndex(invent::kList, -1);
    }
    RefreshButtons();
}

std::vector<int> TFnListDlg::SelectedExamples() const {
    std::vector<int> examples;
    if (lineMap_.size() == 1) return {lineMap_[0]};
    for (const int line : SelectedLines(invent::kList))
        if (line >= 0 && line < static_cast<int>(lineMap_.size()))
            examples.push_back(lineMap_[static_cast<std::size_t>(line)]);
    return examples;
}

bool TFnListDlg::IsBusy() {
    if (!busy_ && window_.MouseMode() != resources::cmd::kMouseLagrange) return false;
    platform::ErrorMsg(this, kErrEditingInProgress);
    return true;
}

void TFnListDlg::RefreshButtons() {
    const std::vector<int> selected = SelectedExamples();
    const TInventoryMode mode = Mode();
    const TInventory& inventory = window_.Inventory();
    SetText(invent::kDerive,
            FromWindows1252(DeriveCaption(mode, static_cast<int>(selected.size()))));
    SetText(invent::kWeb, FromWindows1252(WebCaption(mode)));
    const int kind = selected.size() == 1 ? inventory[selected[0]].kind : 0;
    SetText(invent::kTable, FromWindows1252(TableCaption(kind)));
    for (const ButtonAction& button : kButtonActions)
        EnableControl(button.id, InventoryButtonEnabled(button.id, inventory, selected, mode));
}

void TFnListDlg::SelectionChanged() {
    if (!lineMap_.empty()) {
        const std::vector<int> lines = SelectedLines(invent::kList);
        if (lines.empty()) {
            // Deselecting a single explicit curve switches between "web" and "| f(x) |".
            if (explicitSelected_) absMode_ = !absMode_;
            explicitSelected_ = false;
        } else if (lines.size() == 1) {
            const int i = lineMap_[static_cast<std::size_t>(lines[0])];
            explicitSelected_ = window_.Inventory()[i].kind == k::kExplicit;
        } else {
            explicitSelected_ = false;
        }
    }
    RefreshButtons();
}

void TFnListDlg::OnNotify(int id, platform::Notification what) {
    if (id != invent::kList) return;
    if (what == platform::Notification::DoubleClicked) {
        OnControl(invent::kEdit);
        return;
    }
    if (what == platform::Notification::SelectionChanged) SelectionChanged();
}

namespace {

// The only selected example; -1 unless exactly one is selected.
int OnlyOne(const std::vector<int>& selected) {
    return selected.size() == 1 ? selected[0] : -1;
}

}  // namespace

void TFnListDlg::OnControl(int id) {
    if (id == platform::kIdCancel) {
        HideDialog();
        return;
    }
    const auto action = std::find_if(std::begin(kButtonActions), std::end(kButtonActions),
                                     [id](const ButtonAction& a) { return a.id == id; });
    if (action == std::end(kButtonActions) || IsBusy()) return;
    const std::vector<int> selected = SelectedExamples();
    if (!InventoryButtonEnabled(id, window_.Inventory(), selected, Mode())) return;
    (this->*(action->run))(selected);
}

void TFnListDlg::EditSelected(const std::vector<int>& selected) {
    Edit(OnlyOne(selected));
}

void TFnListDlg::DeleteSelected(const std::vector<int>& selected) {
    window_.DeleteExamples(selected);
    window_.RedrawAll();
    FillList(-1);
}

void TFnListDlg::DuplicateSelected(const std::vector<int>& selected) {
    Duplicate(OnlyOne(selected));
}

void TFnListDlg::CopySelected(const std::vector<int>& selected) {
    CopyDescription(OnlyOne(selected));
}

void TFnListDlg::NameSelected(const std::vector<int>& selected) {
    Name(OnlyOne(selected));
}

void TFnListDlg::TableOfSelected(const std::vector<int>& selected) {
    const int one = OnlyOne(selected);
    if (window_.Inventory()[one].kind == k::kImplicitSurface) {
        window_.AddGradientField(one);
    } else {
        window_.ShowTable(one);
    }
}

void TFnListDlg::FamilyOfSelected(const std::vector<int>& selected) {
    if (selected.size() >= 2) return ToggleFamilyMarks(selected);
    const int one = OnlyOne(selected);
    {
        const BusyScope busy(busy_);
        window_.DefineFamily(one);
    }
    FillList(one);
}

void TFnListDlg::ToggleGraphs(const std::vector<int>& selected) {
    for (const int i : selected) {
        std::uint8_t& shown = window_.Inventory()[i].graphShown;
        shown = shown ? 0 : 1;
    }
    FillList(-1);
    window_.InvalidateGraph();
}

void TFnListDlg::ToggleEquationLabels(const std::vector<int>& selected) {
    canvas::TextList& labels = window_.EquationLabels().Labels();
    for (const int i : selected)
        if (i < static_cast<int>(labels.size())) {
            std::uint8_t& shown = labels[static_cast<std::size_t>(i)].shown;
            shown = shown ? 0 : 1;
        }
    window_.MarkModified();
    window_.Repaint();
}

void TFnListDlg::DeriveOrSwap(const std::vector<int>& selected) {
    const int one = OnlyOne(selected);
    if (selected.size() == 2) {
        if (window_.SwapExamples(selected[0], selected[1])) {
            window_.InventoryChanged(0);
            window_.MarkModified();
            window_.Repaint();
        } else {
            platform::ErrorMsg(this, kErrCannotSwap);
        }
    } else if (Mode().threeD) {
        window_.OpenLevelsDialog(one);
    } else if (window_.Inventory()[one].kind == k::kImplicit) {
        window_.AddGradientField(one);
    } else {
        window_.AddDerivative(one);
    }
}

void TFnListDlg::WebOrBox(const std::vector<int>& selected) {
    const int one = OnlyOne(selected);
    if (Mode().threeD) {
        window_.EditExampleBox(one, false);
    } else if (absMode_) {
        window_.AddAbsEntry(one);
    } else if (Mode().map) {
        window_.SetCurrentExample(one);
    } else if (!Mode().logarithmic) {
        {
            const BusyScope busy(busy_);
            window_.DefineWeb(one);
        }
        FillList(one);
    }
}

void TFnListDlg::Edit(int k) {
    {
        const BusyScope busy(busy_);
        const int kind = window_.Inventory()[k].kind;
        if (kind == k::kSurfaceIntersection) {
            window_.OpenIntersectionCurvesDialog(k);
        } else if (kind == k::kOrbital) {
            window_.EditOrbitalSystem(k);
        } else {
            window_.EditExample(k, false);
        }
    }
    if (window_.Inventory().IsIndex(k)) FillList(k);
}

void TFnListDlg::Duplicate(int k) {
    if (!window_.CanAddExample(true)) return;
    if (window_.Inventory()[k].IsLagrangeExplicit()) {
        platform::ErrorMsg(this, kErrCannotCopy);
        return;
    }
    TSymbolBuffer used;
    for (int t = 1; t <= TExample::kTextCount; ++t)
        TExampleCompiler::MarkTreeSymbols(window_.Inventory()[k].Tree(t).get(), used);
    const int letter = window_.FrozenLetter();
    if (letter > 0 && used.UsesLetter(letter)) {
        window_.DuplicateFrozen(k, letter);
        FillList(window_.Inventory().LastIndex());
        return;
    }
    {
        const BusyScope busy(busy_);
        window_.DuplicateExample(k);
    }
    FillList(window_.Inventory().LastIndex());
    SelectionChanged();
}

void TFnListDlg::Name(int k) {
    std::string& name = window_.Inventory().Entry(k).name;
    QString text = FromWindows1252(name);
    platform::InputRequest request;
    request.title = platform::ResourceString(kStrExampleName);
    request.prompt = platform::ResourceString(kStrMaximumLength) + QStringLiteral(": 20");
    request.text = text;
    request.maxLength = static_cast<int>(TInventoryEntry::kNameChars);
    int result = 0;
    {
        const BusyScope busy(busy_);
        result = platform::CurrentPrompter().Input(this, request, &text);
    }
    if (result != platform::kIdOk) return;
    std::string typed = ToWindows1252(text).value_or(name);
    if (typed.size() > TInventoryEntry::kNameChars) typed.resize(TInventoryEntry::kNameChars);
    if (typed == name) return;
    name = typed;
    window_.MarkModified();
    window_.UpdateDependents(k);
    FillList(k);
}

void TFnListDlg::ToggleFamilyMarks(const std::vector<int>& selected) {
    TInventory& inventory = window_.Inventory();
    for (const int i : selected) {
        std::uint8_t& mark = inventory.Entry(i).familyMark;
        mark = mark ? 0 : 1;
    }
    // A family needs two members.
    int marked = 0;
    int last = -1;
    for (int i = 0; i <= inventory.LastIndex(); ++i)
        if (inventory.Entry(i).familyMark) {
            ++marked;
            last = i;
        }
    if (marked == 1) inventory.Entry(last).familyMark = 0;
    FillList(-1);
    window_.MarkModified();
}

void TFnListDlg::CopyDescription(int k) {
    const QString text = FromWindows1252(window_.DescribeExample(k));
    SetText(invent::kClipEdit, ControlKind::Edit, text);
    platform::CurrentClipboard().SetText(text);
}

}  // namespace quorlin::examples
