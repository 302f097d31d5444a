// The tool commands of the tool-commands level: the arc-length dialog, "Inspect ...", the sketch
// pen, the enablers, the tool dialogs that close with their last example, a new diagram and the
// reopening of the windows a diagram file names.
#include <QFileInfo>

#include <numeric>

#include "examples/levels/arclen_dialog.h"
#include "examples/levels/plot11_win.h"
#include "examples/operations/tool_commands.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"
#include "shell/data_win.h"
#include "shell/file_msg_win.h"

namespace quorlin::examples {

namespace {

constexpr int kStrPenWidth = 16;  // "display pen width"
constexpr int kInspectList = 6;   // the list kind of "Inspect ..."

// The data list of "Inspect ...", filled from its window.
class TInspectWin : public TDataWin {
public:
    explicit TInspectWin(TPlot11Win& owner) : TDataWin(kInspectList), owner_(owner) {}
    void FillText() override {
        SetText(FromWindows1252(owner_.DataListText()));
        ClearModified();
    }

private:
    TPlot11Win& owner_;
};

}  // namespace

// ------------------------------------------------------------------------------ tool windows

void TPlot11Win::OpenTimeWindow(int k) {
    if (auto* tools = TrajectoryTools()) tools->OpenTimeWindow(k);
}

void TPlot11Win::OpenPhaseWindow(int k) {
    if (auto* tools = TrajectoryTools()) tools->OpenPhaseWindow(k);
}

void TPlot11Win::ReopenToolWindows(std::uint16_t mask) {
    for (const TToolWindow& w : ToolWindowsOfMask(mask)) {
        switch (w.kind) {
            case TToolWindow::Kind::Time:
                OpenTimeWindow(w.index);
                break;
            case TToolWindow::Kind::Phase:
                OpenPhaseWindow(w.index);
                break;
            case TToolWindow::Kind::Ivp:
                if (w.index == 10) OpenIvp10();
                if (w.index == 11) OpenIvp11();
                if (w.index == 12) OpenIvp12();
                if (w.index == 20) OpenIvp20();
                break;
        }
    }
}

void TPlot11Win::AddToolDialog(platform::Dialog* dialog, std::vector<int> kinds) {
    toolDialogs_.Add(dialog, std::move(kinds));
}

void TPlot11Win::AddToolDialogKeptBy(platform::Dialog* dialog, TKeepRule rule) {
    toolDialogs_.AddKeptBy(dialog, std::move(rule));
}

void TPlot11Win::HideWindow() {
    toolDialogs_.HideAll();
    if (trajectoryTools_) trajectoryTools_->Hide();
    if (analysisTools_) analysisTools_->Hide();
    TPlot1Win::HideWindow();
}

void TPlot11Win::CloseToolDialogs(bool force) {
    TPlot1Win::CloseToolDialogs(force);
    if (trajectoryTools_) trajectoryTools_->CloseDialogs(force);
    if (analysisTools_) analysisTools_->CloseDialogs(force);
    for (const platform::Dialog* closed : toolDialogs_.CloseUnneeded(Inventory(), force))
        if (closed == arcLength_) arcLength_ = nullptr;
}

// ------------------------------------------------------------------------------ commands

void TPlot11Win::OpenArcLength() {
    if (!arcLength_) {
        arcLength_ = new TArcLenDlg(*this);
        arcLength_->Create();
        AddToolDialog(arcLength_, {kCurveKinds.begin(), kCurveKinds.end()});
    }
    arcLength_->ShowDialog();
    arcLength_->raise();
    arcLength_->activateWindow();
}

TArcLenDlg* TPlot11Win::ArcLengthDialog() const {
    return arcLength_;
}

std::string TPlot11Win::DataListText() {
    return DataListing(Inventory(), TextSettings());
}

TDataWin* TPlot11Win::DataWindow() const {
    return dataWin_;
}

void TPlot11Win::Inspect() {
    if (!dataWin_) {
        dataWin_ = new TInspectWin(*this);
        dataWin_->SetHideOnClose(true);
        AttachHidden(dataWin_, this);
    }
    dataWin_->SetCaption(QFileInfo(FileName()).fileName());
    dataWin_->FillText();
    dataWin_->ShowWindow();
}

void TPlot11Win::InventoryChanged(int selectLast) {
    inventoryDialog_.Refill(selectLast ? Inventory().LastIndex() : -1);
    TPlot1Win::InventoryChanged(selectLast);
    if (trajectoryTools_) trajectoryTools_->InventoryChanged();
    if (analysisTools_) analysisTools_->RefreshToolDialogs();
    if (arcLength_) arcLength_->RefillLists();
}

void TPlot11Win::ExamplesRemoved(std::span<const int> oldToNew) {
    TPlot1Win::ExamplesRemoved(oldToNew);
    if (arcLength_) arcLength_->ExamplesRenumbered(oldToNew);
    if (analysisTools_) analysisTools_->ExamplesRenumbered(oldToNew);
}

bool TPlot11Win::SwapExamples(int a, int b) {
    if (!TPlot1Win::SwapExamples(a, b)) return false;
    std::vector<int> map(static_cast<std::size_t>(Inventory().Count()));
    std::iota(map.begin(), map.end(), 0);
    std::swap(map[static_cast<std::size_t>(a)], map[static_cast<std::size_t>(b)]);
    if (arcLength_) arcLength_->ExamplesRenumbered(map);
    if (analysisTools_) analysisTools_->ExamplesRenumbered(map);
    return true;
}

// After Save as the file has a new name: an open inventory dialog shows it too.
void TPlot11Win::UpdateCaption() {
    TPlot1Win::UpdateCaption();
    inventoryDialog_.RefreshCaption();
}

void TPlot11Win::RefreshInventoryDlg() {
    TPlot1Win::RefreshInventoryDlg();
    if (dataWin_) dataWin_->FillText();
}

void TPlot11Win::AskSketchThickness() {
    std::int16_t typed = static_cast<std::int16_t>(NewPens().sketchWidth);
    if (!InputPositiveShort(typed, kStrPenWidth)) return;
    const int width = SketchThicknessOf(typed);
    if (width == NewPens().sketchWidth) return;
    NewPens().sketchWidth = width;
    MarkModified();
}

void TPlot11Win::NewDiagram() {
    if (!CheckNotEditing()) return;
    TPlot1Win::NewDiagram();
    CloseToolDialogs(false);
    if (trajectoryTools_) trajectoryTools_->DiagramReplaced();
    inventoryDialog_.Reset();
    RefreshInventoryDlg();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TPlot11Win::UserFunctionsChanged() {
    // The functions are copied into the trees that call them: those trees are made again.
    for (int i = 0; i <= Inventory().LastIndex(); ++i) {
        const TExample& e = Inventory()[i];
        if (e.derivation < 1 && e.listing >= 0) CompileExample(i);
    }
    UpdateDependents(-1);
    MarkWindowSymbols();
    TPlot1Win::UserFunctionsChanged();
    InvalidateImage(ImageLayer::Background);
    Invalidate();
}

void TPlot11Win::EnableCommand(platform::CommandState& state) {
    TPlot1Win::EnableCommand(state);
    if (state.id == resources::cmd::kInventory) state.enabled = !Inventory().Empty();
    if (state.enabled && !ToolCommandEnabled(state.id, Inventory(), Dimension()))
        state.enabled = false;
}

}  // namespace quorlin::examples
