#pragma once
// TRiem3Dlg: the modeless double-integral dialog ("RIEM3") of a 3D window, one per mode (the
// integral over z = f(x, y), the surface area of a 301, 302 or 303, the polar integral of
// f(r, t) r dr dt). It lists the examples its mode accepts, shows the selected one's stored
// ranges under labels in its variables' letters, and "value" integrates over the typed ranges
// and division counts, shows the result and records it in the example's data list. The window
// refreshes it after each inventory change: the selection stays with its example, the ranges
// follow it, the division counts stay as typed, and the result shown is cleared. With nothing
// listed it computes nothing and "value" is disabled.
#include <functional>

#include "examples/operations/integration.h"
#include "platform/dialog.h"
#include "plot3d/tools/double_integral.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TRiem3Dlg : public platform::Dialog {
public:
    static constexpr int kList = 295;
    static constexpr int kFirstLow = 211;
    static constexpr int kFirstHigh = 212;
    static constexpr int kFirstCount = 213;
    static constexpr int kSecondLow = 214;
    static constexpr int kSecondHigh = 215;
    static constexpr int kSecondCount = 216;
    static constexpr int kResult = 231;
    static constexpr int kValue = 91;

    // What computes a value: the window's integration over the two axes, for the mode and the
    // example; 0 (or negative) done, 81 stopped by Q, else an error number.
    using Computation =
        std::function<int(Riem3Mode, int example, const examples::TIntegrationAxis& first,
                          const examples::TIntegrationAxis& second, long double& out)>;

    TRiem3Dlg(TPlotRWin& window, Riem3Mode mode);

    Riem3Mode Mode() const { return mode_; }
    // The selected example; -1 when nothing is listed.
    int SelectedExample() const { return selected_; }
    void SelectExample(int example);
    // After an inventory change: the list again, the same example selected (else the first).
    void Refresh();
    // Examples were removed: the selected one moves with its index.
    void ExamplesRemoved(std::span<const int> oldToNew);
    // "value": 0 when a value was shown and recorded, else the code (a shown error, or 81).
    int CmValue();
    // Tests put in their own computation (a Q, an undefined integrand).
    void SetComputation(Computation computation) { compute_ = std::move(computation); }

protected:
    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    void FillList();
    void SelectionChanged();
    void ShowRanges();
    void SetRangeLabels();
    int Compute(const examples::TIntegrationAxis& first, const examples::TIntegrationAxis& second,
                long double& out);

    TPlotRWin& window_;
    Riem3Mode mode_;
    TExampleChoice choice_;
    int selected_ = -1;
    int selectedKind_ = 0;
    Computation compute_;
};

}  // namespace quorlin::plot3d
