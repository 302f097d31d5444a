#pragma once
// The point dialogs of the 2D and 3D windows, made by their commands on first use:
//   TPtListDlg  "PTLIST" (507): the points of a curve (201, 202, 203, 304) at a typed list of x
//               or t values, as a plot-points example that follows the curve;
//   TDistDlg    "DIST" (875): the distance of two points (209 in the plane, 309 in space),
//               shown again after every change, "?" while a point is undefined;
//   TManyPtDlg  "MANYPTS" (508): many points at once, from the numbers on the clipboard or from
//               coordinate formulas in a letter that runs over an integer range.
// TPointTools keeps the three for the window's analysis tools; OpenToolDialog opens a tool
// dialog as every command of the analysis tools does.
#include <QPointer>

#include <utility>
#include <vector>

#include "examples/levels/interval_dialog.h"
#include "examples/levels/plot11_win.h"
#include "examples/records/example.h"

namespace quorlin::tools2d {

class TPtListDlg : public examples::TComboDlg {
public:
    static constexpr int kValues = 211;
    static constexpr int kDotSize = 212;
    static constexpr int kLabel = 231;
    static constexpr int kColor = 208;
    static constexpr int kPlot = 91;

    explicit TPtListDlg(examples::TPlot11Win& window);
    ~TPtListDlg() override;

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override;

private:
    void CmPlot();
    examples::TPlot11Win& owner_;
    bool colourChosen_ = false;
};

class TDistDlg : public examples::T2ComboDlg {
public:
    static constexpr int kDistance = 231;
    static constexpr int kShow = 91;

    explicit TDistDlg(examples::TPlot11Win& window);

    // The distance of the two chosen points into the dialog: the window's number format, or
    // "?" while a point is undefined; empty while one is not chosen.
    void ShowDistance();
    // The points may have been renumbered or removed: the distance is shown afresh.
    void RefillLists() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override { ShowDistance(); }
    void SecondSelectionChanged() override { ShowDistance(); }
    void SelectionLost() override { ShowDistance(); }

private:
    examples::TPlot11Win& owner_;
};

class TManyPtDlg : public platform::Dialog {
public:
    static constexpr int kSolid = 251;
    static constexpr int kCircle = 252;
    static constexpr int kDotSize = 211;
    static constexpr int kAnchors = 271;
    static constexpr int kAnchorText = 217;
    static constexpr int kColor = 208;
    static constexpr int kSystems[3] = {253, 254, 255};
    static constexpr int kFromClipboard = 257;
    static constexpr int kList = 256;
    static constexpr int kLetter = 295;
    static constexpr int kFrom = 215;
    static constexpr int kTo = 216;
    static constexpr int kTexts[3] = {212, 213, 214};
    static constexpr int kLabels[3] = {281, 282, 283};
    static constexpr int kPlot = 91;

    explicit TManyPtDlg(examples::TPlot11Win& window);
    ~TManyPtDlg() override;

    // The point the choices made last.
    const examples::TExample& Template() const { return point_; }

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    // The clipboard may have changed while the dialog was away.
    void changeEvent(QEvent* event) override;

private:
    int System() const;
    void UpdateLabels();
    // "plot" is off while the clipboard is chosen and holds no text.
    void UpdatePlotEnabled();
    void CmPlot();

    examples::TPlot11Win& owner_;
    examples::TExample point_;
    bool colourChosen_ = false;
};

// How a window's modeless tool dialog opens: made by its command's first use (and, when it works
// on examples of some kinds, kept by the window only while one of them is left), then shown and
// brought to the top on every use.
template <class Dlg, class... Args>
Dlg* OpenToolDialog(examples::TPlot11Win& window, QPointer<Dlg>& slot, std::vector<int> kinds,
                    Args&&... args) {
    if (!slot) {
        slot = new Dlg(window, std::forward<Args>(args)...);
        slot->Create();
        if (!kinds.empty()) window.AddToolDialog(slot, std::move(kinds));
    }
    slot->ShowDialog();
    slot->raise();
    slot->activateWindow();
    return slot;
}

// The three dialogs of one window.
class TPointTools {
public:
    explicit TPointTools(examples::TPlot11Win& window) : window_(window) {}

    // The commands they take in a window of the dimension.
    static std::vector<int> Commands(int dimension);
    // Opens the dialog of a command; false for another command.
    bool RunCommand(int id);
    // After an example changed.
    void RefreshValues();
    std::vector<platform::Dialog*> Dialogs() const;

    TPtListDlg* PointList() const { return pointList_; }
    TDistDlg* Distance() const { return distance_; }
    TManyPtDlg* ManyPoints() const { return manyPoints_; }

private:
    examples::TPlot11Win& window_;
    QPointer<TPtListDlg> pointList_;
    QPointer<TDistDlg> distance_;
    QPointer<TManyPtDlg> manyPoints_;
};

}  // namespace quorlin::tools2d
