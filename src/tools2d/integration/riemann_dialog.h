#pragma once
// TRiemDlg: the integration dialog ("RIEM") of a 2D window.
//
// It integrates f (mode 1, command 721) or f - g (mode 2, 722) over the window's interval by the
// six rules at once ("definite", 761; "+" and "--" step the subintervals and compute again),
// shows the values of the checked rules and records the parabolic value on f (and g) as a data
// entry tagged 50 + mode. "overlay" draws the cells of the first checked rule on the graph in
// colour role 13 ("color" chooses it). "indefinite" (760) adds the antiderivative of the
// integrand from the typed lower limit as a derived example (kind 206) that follows f and g. An
// integrand undefined somewhere in the interval shows error 106 and records nothing; Q stops a
// computation without a word.
//
// The dialog shows only the sums it computed itself for what it shows now: a new f or g, a mode
// switch, typing in a limit or the count, a failed run or Q clear them; a change of the inventory
// or of a parameter sums them again. A new f also unties the limits from their parameters.
#include <array>
#include <optional>
#include <string>

#include "examples/levels/interval_dialog.h"
#include "examples/operations/integration.h"
#include "tools2d/integration/riemann_overlay.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

// The seven options of the dialog, kept by the window's tools between openings.
struct TRiemannOptions {
    std::array<bool, 7> checked{};  // the six rules, then "overlay"
    int Mask() const;
    void SetMask(int mask);
    // The first checked rule, 1..6, or 0 when none is.
    int FirstRule() const;
    bool Overlay() const { return checked[6]; }
};

class TRiemDlg : public examples::TPreRiemDlg {
public:
    static constexpr int kPlus = 751;
    static constexpr int kMinus = 752;
    static constexpr int kFirstCheck = 271;
    static constexpr int kOverlayCheck = 277;
    static constexpr int kFirstValue = 231;
    static constexpr int kColourButton = 278;
    static constexpr int kIndefinite = 760;
    static constexpr int kOverlayColourRole = 13;

    TRiemDlg(examples::TPlot11Win& window, TRiemannOptions& options);

    void SetMode(int mode);
    int Mode() const { return mode_; }
    const TRiemannOptions& Options() const { return options_; }
    // The options as a file restores them (after the selections).
    void RestoreOptions(int mask);
    // Chooses example g in the second list.
    void SelectSecond(int g);
    // The overlay's job when it is to be drawn now: the overlay is on, a rule is checked and the
    // interval reads.
    std::optional<TOverlayJob> OverlayJob();
    // Sums the shown values again after a parameter or an example changed; clears them when
    // that fails or the dialog is hidden.
    void RefreshValues();
    // Whether values are shown (a computation for the present f, g and mode stands).
    bool HasValues() const { return Current() != nullptr; }

    void SetupWindow() override;
    void OnControl(int id) override;
    // The lists, then the values summed again for the interval as it reads now.
    void RefillLists() override;

protected:
    void SelectionChanged() override;
    // A refill that finds f again (a new example, f edited) keeps the options.
    void SelectionKept() override { ShowResultText(); }
    void SecondSelectionChanged() override;
    int ComputeResult() override;
    void ShowResultText() override;
    // The data entry of a computation, on f and in mode 2 on g.
    void PrepareOverlay() override;
    void ClearResults() override { shown_.reset(); }
    // The sums go without a repaint: the overlay would read the half-typed interval.
    void FieldEdited(int id) override;

private:
    // The sums of one computation and what they were summed for.
    struct TShownSums {
        int f = -1;
        int g = -1;
        int mode = 1;
        examples::TSums sums{};
        std::array<std::string, examples::kSumRules> texts;
    };
    // The window's sums just computed, as the dialog's own.
    void TakeSums();
    // The shown sums when they belong to the present f, g and mode, else null.
    const TShownSums* Current() const;
    void ShowChecks();
    // The value statics of the checked rules from the sums shown (empty without them).
    void ShowValues();
    // f, or f - g in mode 2; null without a selection.
    NodePtr Integrand();
    void ReadChecks();
    void StepDivisions(int delta);
    void AddAntiderivative();
    int SecondExample() const { return mode_ == 2 ? SelectedExample2() : -1; }
    void Repaint();

    examples::TPlot11Win& owner_;
    TRiemannOptions& options_;
    int mode_ = 1;
    std::optional<TShownSums> shown_;
    bool colourChosen_ = false;
};

}  // namespace quorlin::tools2d
