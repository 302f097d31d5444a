#include "tools2d/analysis_tool_set.h"

#include "examples/levels/plot11_win.h"
#include "examples/operations/tool_commands.h"
#include "formula/slot_guard.h"
#include "plot2d/plot_a_win.h"
#include "resources/command_ids.h"
#include "shell/palette.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/derived/derived_builders.h"
#include "tools2d/derived/transform_builders.h"
#include "tools2d/points/body_dialog.h"

namespace quorlin::tools2d {

namespace cmd = resources::cmd;
namespace k = examples::kind;

namespace {

// The tool state a diagram file keeps: the integration dialog's mode (0 when it is not shown),
// its two selections packed as f + 1 and (g + 1) * 256, and its option mask in the low seven bits
// of the third word. The overlay colour travels in the same word from bit 8 on, as its palette
// index plus one, so that it survives a save and reopen: the bits are free (the mask needs seven)
// and 0 there, in files that do not keep it, leaves the window's colour as it is.
constexpr int kSecondShift = 8;
constexpr int kSelectionMask = 0xff;
constexpr int kOptionMask = 0x7f;
constexpr int kColourShift = 8;

bool IsPaletteEntry(int index) {
    return index >= 0 && index < Palette::kEntries;
}
// The third word's colour bits for a role's palette index, and the index they keep (-1: none).
int ColourBits(int index) {
    return IsPaletteEntry(index) ? (index + 1) << kColourShift : 0;
}
int ColourOf(int word) {
    const int index = (word >> kColourShift) - 1;
    return IsPaletteEntry(index) ? index : -1;
}

std::vector<int> Kinds(std::span<const int> kinds) {
    return {kinds.begin(), kinds.end()};
}

}  // namespace

TWindowAnalysisTools::TWindowAnalysisTools(examples::TPlot11Win& window) : window_(window) {}

TWindowAnalysisTools::~TWindowAnalysisTools() {
    Close();
}

std::vector<int> TWindowAnalysisTools::CommandsOf(int dimension) {
    if (dimension >= 3) return {cmd::kLineIntegral, cmd::kSurfaceIntegral, cmd::kCombinations};
    return WithSearchCommands(WithRegionCommands(
        {cmd::kIntegrate, cmd::kIntegrateTwo, cmd::kVolumeOfRevolution, cmd::kAreaOfRevolution,
         cmd::kSectorArea, cmd::kVolumeTwo, cmd::kLineIntegral, cmd::kReflect, cmd::kRotate,
         cmd::kTranslate, cmd::kRoulettes, cmd::kEvolutes, cmd::kCombinations}));
}

template <class Dlg, class... Args>
Dlg* TWindowAnalysisTools::Open(QPointer<Dlg>& slot, std::vector<int> kinds, Args&&... args) {
    return OpenToolDialog(window_, slot, std::move(kinds), std::forward<Args>(args)...);
}

void TWindowAnalysisTools::OpenRiemann(int mode) {
    TRiemDlg* dialog = Open(riemann_, {k::kExplicit}, riemannOptions_);
    dialog->SetMode(mode);
}

void TWindowAnalysisTools::OpenRevolution(bool volume) {
    Open(revolution_, {k::kExplicit, k::kPolar, k::kParametric, k::kSegment})->SetKind(volume);
}

void TWindowAnalysisTools::RunCommand(int id) {
    if (points_.RunCommand(id)) return;
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
        // In space the line and surface integrals stay open while a field or a path is left:
        // a system, or a curve (line) or a parametric surface (flux).
        case cmd::kLineIntegral:
            Open(line_, space ? std::vector<int>{k::kSpaceSystem, k::kSpaceCurve}
                              : std::vector<int>{k::kSystem});
            break;
        case cmd::kSurfaceIntegral:
            Open(flux_, {k::kSpaceSystem, k::kParametricSurface});
            break;
        case cmd::kReflect:
            Open(reflect_, Kinds(ReflectableKinds()));
            break;
        case cmd::kRotate:
            Open(rotate_, Kinds(ReflectableKinds()));
            break;
        case cmd::kTranslate:
            Open(translate_, Kinds(TranslatableKinds()));
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
            if (!RunRegionCommand(id)) RunSearchCommand(id);
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
    // The overlay sets x at points of its own (a random one in every cell): the user's x is back
    // afterwards, so a save writes what the user set.
    const TSlotGuard guard(window_.Formulas(), {slot::kX});
    return plane->DrawThrough(dc, [&job](plot2d::TDrawEnvironment& env) {
        return DrawRiemannOverlay(env.target, *job).stop;
    });
}

std::vector<platform::Dialog*> TWindowAnalysisTools::Dialogs() const {
    std::vector<platform::Dialog*> dialogs;
    for (platform::Dialog* d : std::initializer_list<platform::Dialog*>{
             riemann_, revolution_, sector_, volumeTwo_, line_, flux_, reflect_, rotate_,
             translate_, roulette_, evolute_, combine_, shade_, centroid_, zero_, extremes_,
             intersections_})
        if (d) dialogs.push_back(d);
    for (platform::Dialog* d : points_.Dialogs()) dialogs.push_back(d);
    return dialogs;
}

void TWindowAnalysisTools::RefreshToolValues() {
    if (riemann_) riemann_->RefreshValues();
    points_.RefreshValues();
}

void TWindowAnalysisTools::RefreshToolDialogs() {
    for (platform::Dialog* d : Dialogs())
        if (auto* combo = dynamic_cast<examples::TComboDlg*>(d)) combo->RefillLists();
    if (centroid_) centroid_->RefillLists();
}

void TWindowAnalysisTools::ExamplesRenumbered(std::span<const int> map) {
    for (platform::Dialog* d : Dialogs())
        if (auto* combo = dynamic_cast<examples::TComboDlg*>(d)) combo->ExamplesRenumbered(map);
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
    // Only a plane window draws the overlay; a space window's words stay as they were.
    const int colour = window_.Dimension() >= 3
                           ? 0
                           : ColourBits(window_.Roles().Role(TRiemDlg::kOverlayColourRole));
    if (!riemann_ || riemann_->IsHidden()) return {0, 0, colour};
    const int f = riemann_->SelectedExample();
    const int g = riemann_->Mode() == 2 ? riemann_->SelectedExample2() : -1;
    return {riemann_->Mode(), (f + 1) | ((g + 1) << kSecondShift),
            riemann_->Options().Mask() | colour};
}

void TWindowAnalysisTools::RestoreState(const std::array<int, 3>& state) {
    if (const int colour = ColourOf(state[2]); colour >= 0 && window_.Dimension() < 3)
        window_.Roles().SetRole(TRiemDlg::kOverlayColourRole, static_cast<std::int16_t>(colour));
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
    riemann_->RestoreOptions(state[2] & kOptionMask);
}

std::optional<bool> TWindowAnalysisTools::RebuildDerived(int i) {
    TDeriveContext context = DeriveContextOf(window_);
    return RebuildToolExample(context, i);
}

bool TWindowAnalysisTools::AddDerivative(int i) {
    tools2d::AddDerivative(window_, i);
    return true;
}

void InstallAnalysisTools() {
    InstallOrbitalEditor();
    examples::SetAnalysisToolsMaker({[](examples::TPlot11Win& window) {
                                         return std::make_unique<TWindowAnalysisTools>(window);
                                     },
                                     [](int dimension) {
                                         std::vector<int> commands =
                                             TWindowAnalysisTools::CommandsOf(dimension);
                                         // The point dialogs, in both dimensions.
                                         for (const int id : TPointTools::Commands(dimension))
                                             commands.push_back(id);
                                         return commands;
                                     }});
}

}  // namespace quorlin::tools2d
