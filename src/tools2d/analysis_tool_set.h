#pragma once
// The analysis tools of one graphing window (examples::TAnalysisTools): the integration dialog
// with its overlay and antiderivatives, the revolution, sector and two-curve volume dialogs
// (2D windows), the roulettes and evolutes dialogs (2D windows), the combinations dialog (2D and
// 3D), and the line and flux integral dialogs (832 in 2D and 3D, 833 in 3D). Each
// dialog is made by its command on first use, then shown and brought to the top; the window
// closes a dialog once its kinds are gone, and the dialogs hide and close with the window.
//
// The combined examples are rebuilt here, by the table of their builders, for the 2D and the 3D
// walk alike. InstallAnalysisTools sets the maker every graphing window asks for its tools.
#include <QPointer>

#include "examples/levels/analysis_tools.h"
#include "tools2d/derived_dialogs.h"
#include "tools2d/line_dialogs.h"
#include "tools2d/measure_dialogs.h"
#include "tools2d/riemann_dialog.h"

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
    void CloseDialogs(bool force) override;
    void Hide() override;
    void Close() override;
    std::array<int, 3> State() const override;
    void RestoreState(const std::array<int, 3>& state) override;
    std::optional<bool> RebuildDerived(int i) override;

    // The dialogs; null before their first opening.
    TRiemDlg* Riemann() const { return riemann_; }
    TRevDlg* Revolution() const { return revolution_; }
    TSectorDlg* Sector() const { return sector_; }
    T2VolDlg* VolumeTwo() const { return volumeTwo_; }
    TLineDlg* Line() const { return line_; }
    TFluxDlg* Flux() const { return flux_; }
    TRoulDlg* Roulette() const { return roulette_; }
    TEvolDlg* Evolute() const { return evolute_; }
    TCombineDlg* Combine() const { return combine_; }

    void OpenRiemann(int mode);
    void OpenRevolution(bool volume);

private:
    // The dialogs as one list, for what is done to all of them.
    std::vector<platform::Dialog*> Dialogs() const;
    // Makes the dialog on first use (kept in `slot` and closed with its kinds), then shows it.
    template <class Dlg, class... Args>
    Dlg* Open(QPointer<Dlg>& slot, std::vector<int> kinds, Args&&... args);

    examples::TPlot11Win& window_;
    TRiemannOptions riemannOptions_;
    QPointer<TRiemDlg> riemann_;
    QPointer<TRevDlg> revolution_;
    QPointer<TSectorDlg> sector_;
    QPointer<T2VolDlg> volumeTwo_;
    QPointer<TLineDlg> line_;
    QPointer<TFluxDlg> flux_;
    QPointer<TRoulDlg> roulette_;
    QPointer<TEvolDlg> evolute_;
    QPointer<TCombineDlg> combine_;
};

// Every graphing window gets its analysis tools.
void InstallAnalysisTools();

}  // namespace quorlin::tools2d
