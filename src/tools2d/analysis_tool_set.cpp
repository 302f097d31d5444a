#include "tools2d/analysis_tool_set.h"

#include "examples/levels/plot11_win.h"
#include "examples/operations/tool_commands.h"
#include "plot2d/plot_a_win.h"
#include "resources/command_ids.h"
#include "tools2d/combinations.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

namespace {

// The tool state a diagram file keeps: the integration dialog's mode (0 when it is not shown),
// its two selections packed as f + 1 and (g + 1) * 256, and its option mask.
constexpr int kSecondShift = 8;
constexpr int kSelectionMask = 0xff;

}  // namespace

TWindowAnalysisTools::TWindowAnalysisTools(examples::TPlot11Win& window) : window_(window) {}

TWindowAnalysisTools::~TWindowAnalysisTools() {
    Close();
}

std::vector<int> TWindowAnalysisTools::CommandsOf(int dimension) {
    if (dimension >= 3) return {cmd::kLineIntegral, cmd::kSurfaceIntegral, cmd::kCombinations};
    return {cmd::kIntegrate,  cmd::kIntegrateTwo, cmd::kVolumeOfRevolution, cmd::kAreaOfRevolution,
            cmd::kSectorArea, cmd::kVolumeTwo,    cmd::kLineIntegral,       cmd::kRoulettes,
            cmd::kEvolutes,   cmd::kCombinations};
}

template <class Dlg, class... Args>
Dlg* TWindowAnalysisTools::Open(QPointer<Dlg>& slot, std::vector<int> kinds, Args&&... args) {
    if (!slot) {
        slot = new Dlg(window_, std::forward<Args>(args)...);
        slot->Create();
        window_.AddToolDialog(slot, std::move(kinds));
    }
    slot->ShowDialog();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void TWindowAnalysisTools::OpenRiemann(int mode) {
    TRiemDlg* dialog = Open(riemann_, {k::kExplicit}, riemannOptions_);
    dialog->SetMode(mode);
}

void TWindowAnalysisTools::OpenRevolution(bool volume) {
    Open(revolution_, {k::kExplicit, k::kPolar, k::kParametric, k::kSegment})->SetKind(volume);
}

void TWindowAnalysisTools::RunCommand(int id) {
    const bool space = window_.Dimension() >= 3;
    switch (id) {
        case cmd::kIntegrate:
            OpenRiemann(1);
            break;
        case cmd::kIntegrateTwo:
            OpenRiemann(2);
            break;
        case cmd::kVolumeOfRevolution:
            OpenRevolution(true);
            break;
        case cmd::kAreaOfRevolution:
            OpenRevolution(false);
            break;
        case cmd::kSectorArea:
            Open(sector_, {k::kExplicit, k::kPolar, k::kParametric});
            break;
        case cmd::kVolumeTwo:
            Open(volumeTwo_, {k::kExplicit});
            break;
        case cmd::kLineIntegral:
            Open(line_, space ? std::vector<int>{k::kSpaceSystem} : std::vector<int>{k::kSystem});
            break;
        case cmd::kSurfaceIntegral:
            Open(flux_, {k::kSpaceSystem});
            break;
        case cmd::kRoulettes:
            Open(roulette_, {std::begin(kRollingKinds), std::end(kRollingKinds)});
            break;
        case cmd::kEvolutes:
            Open(evolute_, {std::begin(kRollingKinds), std::end(kRollingKinds)});
            break;
        case cmd::kCombinations: {
            const std::span<const int> kinds = CombinationKinds(window_.Dimension());
            Open(combine_, {kinds.begin(), kinds.end()});
            break;
        }
        default:
            break;
    }
}

bool TWindowAnalysisTools::CommandEnabled(int id) const {
    return examples::ToolCommandEnabled(id, window_.Inventory(), window_.Dimension());
}

int TWindowAnalysisTools::DrawOverlays(platform::DeviceContext& dc) {
    auto* plane = dynamic_cast<plot2d::TPlotAWin*>(&window_);
    if (!plane || !riemann_) return 0;
    const std::optional<TOverlayJob> job = riemann_->OverlayJob();
    if (!job) return 0;
    return plane->DrawThrough(dc, [&job](plot2d::TDrawEnvironment& env) {
        return DrawRiemannOverlay(env.target, *job).stop;
    });
}

std::vector<platform::Dialog*> TWindowAnalysisTools::Dialogs() const {
    std::vector<platform::Dialog*> dialogs;
    for (platform::Dialog* d :
         std::initializer_list<platform::Dialog*>{riemann_, revolution_, sector_, volumeTwo_, line_,
                                                  flux_, roulette_, evolute_, combine_})
        if (d) dialogs.push_back(d);
    return dialogs;
}

void TWindowAnalysisTools::RefreshToolValues() {
    if (riemann_) riemann_->RefreshValues();
}

void TWindowAnalysisTools::RefreshToolDialogs() {
    for (platform::Dialog* d : Dialogs())
        if (auto* combo = dynamic_cast<examples::TComboDlg*>(d)) combo->RefillLists();
}

// The window's tool-dialog list closes the dialogs whose kinds are gone; their pointers clear
// once they are deleted.
void TWindowAnalysisTools::CloseDialogs(bool) {}

void TWindowAnalysisTools::Hide() {
    for (platform::Dialog* d : Dialogs()) d->HideDialog();
}

void TWindowAnalysisTools::Close() {
    for (platform::Dialog* d : Dialogs()) delete d;
}

std::array<int, 3> TWindowAnalysisTools::State() const {
    if (!riemann_ || riemann_->IsHidden()) return {0, 0, 0};
    const int f = riemann_->SelectedExample();
    const int g = riemann_->Mode() == 2 ? riemann_->SelectedExample2() : -1;
    return {riemann_->Mode(), (f + 1) | ((g + 1) << kSecondShift), riemann_->Options().Mask()};
}

void TWindowAnalysisTools::RestoreState(const std::array<int, 3>& state) {
    if (state[0] != 1 && state[0] != 2) {
        if (riemann_) riemann_->HideDialog();
        return;
    }
    OpenRiemann(state[0]);
    const int f = (state[1] & kSelectionMask) - 1;
    const int g = ((state[1] >> kSecondShift) & kSelectionMask) - 1;
    if (const int position = riemann_->ListIndexOf(f); position >= 0)
        riemann_->SelectPosition(position);
    if (g >= 0) riemann_->SelectSecond(g);
    riemann_->RestoreOptions(state[2]);
}

std::optional<bool> TWindowAnalysisTools::RebuildDerived(int i) {
    examples::TInventory& inventory = window_.Inventory();
    if (!inventory.IsIndex(i) || !FindCombinationBuilder(inventory[i].derivation))
        return std::nullopt;
    return BuildCombinedExample(window_.Compiler(), inventory, i);
}

void InstallAnalysisTools() {
    examples::SetAnalysisToolsMaker({[](examples::TPlot11Win& window) {
                                         return std::make_unique<TWindowAnalysisTools>(window);
                                     },
                                     TWindowAnalysisTools::CommandsOf});
}

}  // namespace quorlin::tools2d
