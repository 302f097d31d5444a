#pragma once
// TPlot1Win: the inventory-operations level of a graphing window.
//
// Every example enters the inventory through AddExample, which only appends and initialises
// the record (its caller compiles it, gives it its label and draws it). The level removes
// examples with everything derived from them (their labels, and texts tied to them follow),
// exchanges two, draws one at once or everything again, shows and hides the point examples and
// the equation labels together, lists the inventory in the window's text window, and runs the
// pasted script (command 510) through the window as the script's executor, so that an aborted
// script takes back its examples with their labels and restores the view and the counters.
//
// It edits examples through their dialogs (EditExample, the duplicates, families and webs),
// builds the entries derived from one example (|f|, gradient field, the end points of a
// segment, a family member frozen at a parameter's value, plot points) and keeps them up to date
// with their parents, appends points from the clipboard or a parameter run, and shows value
// tables.
//
// Slots it introduces (130-147), filled by the 2D and 3D levels: AddDerivative, DrawExample (one
// example by its kind), EditExampleBox, OpenLevelsDialog, OpenIntersectionCurvesDialog,
// EnterLagrangeMode, CloseToolDialogs, EnableInventory, RefreshExample, SetCurrentExample,
// DrawExampleNow, RedrawAll, InvalidateGraph, EditOrbitalSystem, RebuildLagrangePolynomial,
// ToggleEquationLabels, TrajectoriesChanged and SwapExamples.
//
// It integrates over the window's variables (integration.h): the six sums over the tools'
// interval, Simpson's rule, double integrals, arc lengths, line integrals, flux and surface
// areas, stopped by Q through the window's key poll (81, with the partial sums scaled). A count
// below 1 gives 17; an integrand undefined or not finite where a rule needs it gives 106 and is
// never summed.
//
// It also opens the slider dialogs of the animation parameters (commands 600-624: '@', A-W
// and all letters), keeps them until the window goes, gives them the window's decimals and
// step counts, and keeps the "Evaluate parameters" switch (command 831).
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "examples/dialogs/edit_dialog.h"
#include "examples/levels/plot0_win.h"
#include "examples/operations/integration.h"

namespace quorlin::examples {

class TSlideDlg;

// Strings of the inventory listing.
inline constexpr int kStrInventoryCaption = 165;  // "inventory "
// The most characters a pasted script may have.
inline constexpr int kMaxScriptText = 30000;
// The most characters of clipboard text read for points.
inline constexpr int kMaxPointsText = 32000;

// Where the picking of a Lagrange polynomial's points starts: a new polynomial has no point yet;
// one edited again starts from the points it has, so that each can be typed or deleted.
enum class TLagrangePicking { Afresh, FromItsPoints };

class TPlot1Win : public TPlot0Win {
public:
    TPlot1Win(int kind, QString fileName, QString iniName, int dimension,
              QWidget* parent = nullptr);
    ~TPlot1Win() override;

    TInventorySwitches& Switches() { return switches_; }
    const TInventorySwitches& Switches() const { return switches_; }

    // --- the inventory ---
    // Appends a record initialised for the kind with the automatic colour of the next example,
    // the default table steps and the new-example marker as pen width; the non-empty texts go
    // to texts 1-5, low and high to the first range and the table range. Nothing is compiled,
    // labelled, counted or drawn. The caller asked CanAddExample first.
    TExample& AddExample(int kind, long double low, long double high,
                         std::array<std::string_view, 5> texts = {});
    // Removes the examples with everything derived from them: their labels go, the others are
    // renumbered, texts tied to a removed example stay with no example, and a removed current
    // example is no longer current.
    void DeleteExamples(std::span<const int> indexes);
    // Removes every example after lastIndex (an aborted script's).
    void RemoveExamplesAfter(int lastIndex);
    // The coordinates of point example k (z = 0 in a 2D window); false where one is undefined.
    bool GetPointCoords(int k, Vec3& out);

    // --- editing ---
    // The window as the editing, family and web dialogs see it.
    TExampleHost& ExampleHost();
    // Runs the editing dialog of example k with the inventory dialog disabled; true on OK, with
    // the change mask in `mask`.
    bool RunEditDialog(int k, std::uint32_t& mask);
    // Edits example k in its dialog (a polynomial through points in its point mode) and brings
    // the window up to date: true when something changed or force was given.
    bool EditExample(int k, bool force);
    // A copy of example k edited in its dialog; removed again when the dialog is cancelled.
    void DuplicateExample(int k);
    // A copy of example k in which parameter `letter` (1..23) is replaced by its value.
    void DuplicateFrozen(int k, int letter);
    void DefineFamily(int k);
    void DefineWeb(int k);

    // --- derived entries ---
    void AddAbsEntry(int k);
    bool BuildAbsEntry(int k);
    void AddGradientField(int k);
    bool BuildGradientField(int k);
    // The two end points of segment k as point examples, when it asks for them.
    void AddSegmentEndpoints(int k);
    bool BuildEndpoint(int k);
    void BuildFamilyMember(int k);
    // The points of example `parent` at the values of the list text; the new index or -1.
    int AddPlotPointsExample(int parent, std::string_view values, int dotSize);
    // Rebuilds derived example i from its parents by its derivation code: here |f|, gradient
    // fields, end points of segments, frozen family members and plot points; false for another
    // code or when the build failed. The drawing levels add their codes.
    virtual bool RebuildDerived(int i);
    // Rebuilds the examples derived from example i (-1: from any), in index order, through
    // chains of derivations.
    void UpdateDependents(int i) override;

    // --- points ---
    // Point examples copied from the filled point record, their coordinates taken from the
    // numbers of the clipboard text: 0, the clipboard's error, or 4 when the inventory became
    // full.
    int AddPointsFromClipboard(const TExample& point);
    // Point examples for every integer n from the first to the second letter of the point record,
    // the family letter in its coordinate texts replaced by n: 0, a text's parse error, 110 for a
    // text that would grow too long, or 4 when the inventory became full.
    int AddPointsFromParameter(const TExample& point);
    void AppendPointFromTemplate(const TExample& point);

    // --- tables ---
    // The value table of example k, or of trajectory `item` of it.
    void ShowTable(int k);
    void ShowItemTable(int k, int item);
    // The text of the value table of example k (item: one trajectory, -1 all of them).
    QString ValueTableText(int k, int item);
    // The table of an intrinsic curve: s and the point there.
    std::string IntrinsicTable(int k);

    // --- slots ---
    // The help text of a kind's editing dialog.
    virtual QString EditorHelpName(int kind) const;
    // The parameter letter a duplicate freezes: the letter chosen in the shown sliders of all
    // parameters while "Evaluate parameters" is on; 0 none.
    virtual int FrozenLetter() const;
    // Appends the derivative of example i; nothing here. A level that fills it says so with
    // AddsDerivatives, which enables the inventory's "derive" for explicit, polar and parametric
    // curves.
    virtual void AddDerivative(int i);
    virtual bool AddsDerivatives() const;
    // Draws example i by its kind; 0, the interrupt key or an error number. Nothing here.
    virtual int DrawExample(platform::DeviceContext& dc, int i);
    // The 3D inventory's "box" and "levels" buttons: nothing here. A level that fills one says
    // so with EditsExampleBoxes or OpensLevelsDialog; until then the button stays disabled.
    // Force counts the example as changed even when nothing was edited (a new example).
    virtual void EditExampleBox(int i, bool force);
    virtual bool EditsExampleBoxes() const;
    virtual void OpenLevelsDialog(int i);
    virtual bool OpensLevelsDialog() const;
    virtual void OpenIntersectionCurvesDialog(int i);
    virtual void EnterLagrangeMode(int i, TLagrangePicking start);
    virtual void CloseToolDialogs(bool force);
    virtual void EnableInventory(bool on);
    virtual void RefreshExample(int i, bool draw);
    virtual void SetCurrentExample(int i);
    // Draws example i into the cached layers and shows them; -1 only repaints. The diagram is
    // modified.
    virtual void DrawExampleNow(int i);
    // A new example on the screen: drawn at once in a 2D window, refreshed with the scene in a
    // 3D one.
    void ShowNewExample(int i);
    // Rebuilds and repaints everything: tool dialogs, inventory, check marks, used symbols.
    virtual void RedrawAll();
    // The examples image is stale: modified and repainted.
    virtual void InvalidateGraph();
    // Edits orbital example i in its editor: true after "draw" (the system is drawn anew),
    // false after "cancel" (the example is as it was). Nothing here: false.
    virtual bool EditOrbitalSystem(int i);
    // Builds the polynomial of a Lagrange example from its points. Nothing here.
    virtual void RebuildLagrangePolynomial(int i);
    // The compiled polynomial of Lagrange example i takes the coefficients of its points as
    // constants, and its derivatives follow.
    void FinishLagrangePolynomial(int i);
    // Shows all equation labels when the first is hidden, else hides them all.
    virtual void ToggleEquationLabels();
    virtual void TrajectoriesChanged();
    // Exchanges examples a and b with their labels and the texts tied to them; false when the
    // exchange would put an example before one of its parents.
    virtual bool SwapExamples(int a, int b);
    // Examples were removed: oldToNew maps each old index to its new one, -1 for a removed
    // example. The levels above renumber what they keep per example. Nothing here.
    virtual void ExamplesRemoved(std::span<const int> oldToNew);

    // --- commands ---
    // 820: the first point example decides whether all points are shown or hidden.
    void ShowPoints();
    // 762: the listing of the inventory in the window's text window.
    void ShowInventoryListing();
    // 510: runs the script on the clipboard; errors are shown.
    void PasteScript();
    // Runs a script (Windows-1252 text): 0 done, 1 a field missing or not understood (what
    // the run added is gone again), 10 nothing was added.
    int RunScript(std::string_view text);

    // --- integration ---
    // Each returns 0, kKeyStop when Q (or the work bound while keys are not polled) stopped
    // it, or an error number: 17 for a count below 1, kErrUndefinedIntegrand where the
    // integrand is undefined, kErrUndefinedIntegrand too when an example lacks a tree it needs.
    // The six sums of the tree in the variable slot over the tools' interval: the tools' sums
    // and their texts are replaced (also by the partial sums of a stopped run), unless an error
    // refused the run.
    int RiemannSums(TExprNode& tree, int slotIndex);
    int SimpsonIntegral(TExprNode& tree, const TIntegrationAxis& axis, long double& out);
    // These show "press Q to quit" in the caption while they run.
    int DoubleIntegral(TExprNode& tree, const TIntegrationAxis& inner,
                       const TIntegrationAxis& outer, long double& out);
    int DoubleIntegralPolar(const TExprNode& tree, const TIntegrationAxis& r,
                            const TIntegrationAxis& t, long double& out);
    // The six sums of the speed of curve example k over the tools' interval.
    int ArcLength(int k);
    // Of the field example along the curve example over the tools' line-integral range.
    int LineIntegral(int field, int curve, long double& out);
    // Of the 3D field example through the parametric surface over the tools' flux ranges.
    int Flux(int field, int surface, long double& out);
    // Of surface example k (301, 302, 303) over the two ranges (x and y, r and t, t and u);
    // other kinds compute nothing and give 0.
    int SurfaceArea(int k, const TIntegrationAxis& first, const TIntegrationAxis& second,
                    long double& out);

    // --- animation parameters ---
    // Opens (or shows) the slider dialog of slot 0 ('@'), 1-23 (A-W) or 24 (all letters), its
    // bar at the value. The all-letters dialog and the one-letter dialogs hide each other.
    void OpenParamDialog(int slot);
    // The dialog of a slot once opened; null before.
    TSlideDlg* ParamDialog(int slot) const;
    // The shown dialogs without units of their own take the step counts of slider slot 0.
    void ApplyParameterUnits();

    // The decimals reach the dialogs' bars too.
    void NumberFormatChanged() override;
    void UpdateMenuChecks(bool flag) override;
    // The slider dialogs hide with the window.
    void HideWindow() override;
    void EnableCommand(platform::CommandState& state) override;

private:
    class ScriptExecutor;
    // What a long sum asks after each subinterval: Q through the key poll while the window
    // polls keys, else a bound of work.
    TKeyPollControl SumControl();
    // Runs a caption-showing integral: the window takes the focus and shows the key hint
    // while it runs, and its caption back afterwards.
    template <class Run>
    int WithKeyHint(Run&& run);

    class ExampleHostAdapter;

    // Appends a copy of example k with its trees, compiled ranges, name and label; -1 (error 4
    // shown) when there is no room.
    int AppendCopy(int k);
    // Removes the last example with its label (a cancelled or failed entry).
    void DropLast();

    std::unique_ptr<TExampleHost> exampleHost_;

    class ParameterSink;

    std::array<QPointer<TSlideDlg>, 25> paramDialogs_;
    std::unique_ptr<ParameterSink> parameterSink_;
    TInventorySwitches switches_;
};

}  // namespace quorlin::examples
