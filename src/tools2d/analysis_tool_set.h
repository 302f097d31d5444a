#pragma once
// The analysis tools of one graphing window (examples::TAnalysisTools): the integration dialog
// with its overlay and antiderivatives, the revolution, sector and two-curve volume dialogs,
// the reflect, rotate and translate dialogs and the roulettes and evolutes dialogs (2D windows),
// the combinations dialog (2D and 3D), the line and flux integral dialogs (832 in 2D and 3D, 833
// in 3D), and the derived examples of the tools with "derive". Each
// dialog is made by its command on first use, then shown and brought to the top; the window
// closes a dialog once its kinds are gone, and the dialogs hide and close with the window.
// The 2D windows also get the shading of explicit inequalities (713), the implicit regions and
// their centroid (769) and the modal choice of the left button's data (735), and the searches:
// zeros (707), extremes (709) and the intersections of two curves (710).
//
// InstallAnalysisTools sets the maker every graphing window asks for its tools.
#include <QPointer>

#include "examples/levels/analysis_tools.h"
#include "tools2d/derived/derived_dialogs.h"
#include "tools2d/derived/transform_dialogs.h"
#include "tools2d/integration/line_dialogs.h"
#include "tools2d/integration/measure_dialogs.h"
#include "tools2d/integration/riemann_dialog.h"
#include "tools2d/points/point_dialogs.h"
#include "tools2d/regions/centroid_dialog.h"
#include "tools2d/regions/shade_dialog.h"
#include "tools2d/searches/extreme_dialog.h"
#include "tools2d/searches/intersection_dialog.h"
#include "tools2d/searches/zero_dialog.h"

namespace quorlin::tools2d {

class TWindowAnalysisTools : public examples::TAnalysisTools {
public:
    explicit TWindowAnalysisTools(examples::TPlot11Win& window);
    ~TWindowAnalysisTools() override;

    // The commands of a window of the dimension.
    static std::vector<int> CommandsOf(int dimension);

    void RunCommand(int id) override;
    bool CommandEnabled(int id) const override;
    int DrawOverlays(platform::DeviceContext& dc) override;
    void RefreshToolValues() override;
    void RefreshToolDialogs() override;
    void ExamplesRenumbered(std::span<const int> map) override;
    void CloseDialogs(bool force) override;
    void Hide() override;
    void Close() override;
    std::array<int, 3> State() const override;
    void RestoreState(const std::array<int, 3>& state) override;
    // The derived examples of the tools, by the rows of derived_builders.h.
    std::optional<bool> RebuildDerived(int i) override;
    bool AddDerivative(int i) override;

    // The dialogs; null before their first opening.
    TRiemDlg* Riemann() const { return riemann_; }
    TRevDlg* Revolution() const { return revolution_; }
    TSectorDlg* Sector() const { return sector_; }
    T2VolDlg* VolumeTwo() const { return volumeTwo_; }
    TLineDlg* Line() const { return line_; }
    TFluxDlg* Flux() const { return flux_; }
    TReflDlg* Reflect() const { return reflect_; }
    TRotaDlg* Rotate() const { return rotate_; }
    TTranDlg* Translate() const { return translate_; }
    TRoulDlg* Roulette() const { return roulette_; }
    TEvolDlg* Evolute() const { return evolute_; }
    TCombineDlg* Combine() const { return combine_; }

    // The point list, distance and many-points dialogs.
    TPointTools& Points() { return points_; }

    // --- shading, regions and the mouse data (2D windows) ---
    TShadeDlg* Shade() const { return shade_; }
    TCentroidDlg* Centroid() const { return centroid_; }

    // --- the searches: zeros, extremes and intersections (2D windows) ---
    TZeroDlg* Zeros() const { return zero_; }
    TExtrDlg* Extremes() const { return extremes_; }
    TInterCCDlg* Intersections() const { return intersections_; }

    void OpenRiemann(int mode);
    void OpenRevolution(bool volume);

private:
    // The dialogs as one list, for what is done to all of them.
    std::vector<platform::Dialog*> Dialogs() const;
    // Makes the dialog on first use (kept in `slot` and closed with its kinds), then shows it.
    template <class Dlg, class... Args>
    Dlg* Open(QPointer<Dlg>& slot, std::vector<int> kinds, Args&&... args);

    // --- shading, regions and the mouse data (region_commands.cpp) ---
    // The commands of a 2D window followed by 713, 769 and 735.
    static std::vector<int> WithRegionCommands(std::vector<int> commands);
    // Runs a command of those; false for another one.
    bool RunRegionCommand(int id);
    // As Open for the dialogs that work on the plane of a 2D window (none in other windows).
    template <class Dlg>
    void OpenOnPlane(QPointer<Dlg>& slot, int kind);

    // --- the searches (search_commands.cpp) ---
    // The commands of a 2D window followed by 707, 709 and 710.
    static std::vector<int> WithSearchCommands(std::vector<int> commands);
    // Runs a command of those; false for another one. The first use makes the dialog, which
    // searches as it opens; each later one shows it and runs its next search.
    bool RunSearchCommand(int id);

    examples::TPlot11Win& window_;
    TRiemannOptions riemannOptions_;
    QPointer<TRiemDlg> riemann_;
    QPointer<TRevDlg> revolution_;
    QPointer<TSectorDlg> sector_;
    QPointer<T2VolDlg> volumeTwo_;
    QPointer<TLineDlg> line_;
    QPointer<TFluxDlg> flux_;
    TPointTools points_{window_};
    QPointer<TReflDlg> reflect_;
    QPointer<TRotaDlg> rotate_;
    QPointer<TTranDlg> translate_;
    QPointer<TRoulDlg> roulette_;
    QPointer<TEvolDlg> evolute_;
    QPointer<TCombineDlg> combine_;
    QPointer<TShadeDlg> shade_;
    QPointer<TCentroidDlg> centroid_;
    QPointer<TZeroDlg> zero_;
    QPointer<TExtrDlg> extremes_;
    QPointer<TInterCCDlg> intersections_;
};

// Every graphing window gets its analysis tools, and the planets window its orbital editor.
void InstallAnalysisTools();

}  // namespace quorlin::tools2d
