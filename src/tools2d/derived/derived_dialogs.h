#pragma once
// The tools that add derived examples to a graphing window, each a modeless dialog:
//   TRoulDlg    "ROUL" (789, 2D): rolls a circle along a curve, "draw" adds the roulette;
//   TEvolDlg    "EVOL" (792, 2D): "draw" adds the evolute of a curve;
//   TCombineDlg "COMBOS" (750, 2D and 3D): adds f + g, f - g, f * g, f / g, f ^ g, the
//               composition f(g), the projection and perpendicular part of two fields or the
//               cross product of two space fields.
// The added examples follow their parents: the window's dependency walk rebuilds them. Beside
// them the window operations the dialogs run (AddRoulette, AddEvolute, CombineExamples), each
// answering 0 or an error number.
#include "examples/levels/interval_dialog.h"
#include "tools2d/derived/roulettes.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

int AddRoulette(examples::TPlot11Win& window, int curve, const TRouletteSettings& settings);
int AddEvolute(examples::TPlot11Win& window, int curve);
// Appends the combination of f and g by the derivation code, labels, draws and lists it.
int CombineExamples(examples::TPlot11Win& window, int code, int f, int g);

class TRoulDlg : public examples::TComboDlg {
public:
    static constexpr int kLowEdit = 211;
    static constexpr int kStartEdit = 212;
    static constexpr int kHighEdit = 213;
    static constexpr int kRadiusEdit = 214;
    static constexpr int kArmEdit = 215;
    static constexpr int kLeftRadio = 251;
    static constexpr int kRightRadio = 252;
    static constexpr int kDrawButton = 91;

    explicit TRoulDlg(examples::TPlot11Win& window);

    // The fields as typed: 0 or the first error (the number reader's, or 6).
    int ReadFields(TRouletteSettings& settings) const;

    void SetupWindow() override;
    void OnControl(int id) override;

private:
    void CmDraw();

    examples::TPlot11Win& owner_;
};

class TEvolDlg : public examples::TComboDlg {
public:
    static constexpr int kDrawButton = 91;

    explicit TEvolDlg(examples::TPlot11Win& window);
    void OnControl(int id) override;

private:
    examples::TPlot11Win& owner_;
};

class TCombineDlg : public examples::T2ComboDlg {
public:
    explicit TCombineDlg(examples::TPlot11Win& window);

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override { UpdateLabels(); }
    void SecondSelectionChanged() override { UpdateLabels(); }
    void SelectionLost() override { UpdateLabels(); }

private:
    // The buttons' texts and whether each may be chosen, for the two selected kinds.
    void UpdateLabels();
    void Combine(int button);

    examples::TPlot11Win& owner_;
};

}  // namespace quorlin::tools2d
