#pragma once
// TPlot11Win: the tool-commands level of a graphing window.
//
// It owns the inventory dialog (inventory_host.h: made hidden at set-up, shown beside the window
// by "Inventory ..." (504) and kept up to date with the inventory) and the road of a new example
// from the Equa menu: a record of the kind with its demonstration values, edited in its dialog,
// then compiled, labelled and drawn, or removed again when the dialog is cancelled; points go
// through their own entry (commands 909, 1009, 1013, 1014). It keeps what the modeless tool
// windows of the tool menu share and introduces their slots (148-159): the hooks of the diagram
// body and the tool openers, which the 2D and 3D branches fill. The initial-value dialogs and the
// time and phase windows are its trajectory tools (trajectory_tools.h), which take their
// commands (780-782, 799, 630-636) and the linked-window slots.
//
// It writes and reads the body of the window's diagram files (diagram_body.h): writing gathers
// the body from every level; reading parses the whole file into a pending body, and only a
// body read to its end replaces the open diagram, which is then compiled again, its derived
// examples rebuilt and the dialogs and windows that were open opened again. Settings that no
// level holds keep the values the last file gave them, so that they travel on unchanged.
//
// Its tool commands: "Arc length ..." (723, the arc-length dialog), "Inspect ..." (866, the data
// list of the results the tools recorded on the examples), "Thickness ..." (883, the sketch
// pen, held to the 1-6 a file keeps); each is enabled by what the inventory holds
// (tool_commands.h). It keeps the tool dialogs that work on examples of some kinds
// (tool_dialog_list.h) and closes each one once the inventory holds none of its kinds. It draws
// what the 2D and 3D branches share: point examples record by record, curves of one parameter in
// the plane or in space, polylines by visibility marks, all through the canvas primitives.
//
// It creates the derived examples of the tracing sliders and the slicer (tangents.h): Taylor
// polynomials, tangent lines, marked points, trajectory points, vectors and tangent lines, and
// the tangent planes and lines of surfaces; each new one gets its label and is drawn, and the
// dependency walk of the branches rebuilds them through RebuildTangentEntry.
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/timed_poll.h"
#include "examples/diagram/diagram_body.h"
#include "examples/levels/analysis_tools.h"
#include "examples/levels/inventory_host.h"
#include "examples/levels/plot1_win.h"
#include "examples/levels/tool_dialog_list.h"
#include "examples/levels/trajectory_tools.h"
#include "examples/operations/tangents.h"

namespace quorlin {
class TDataWin;
}

namespace quorlin::examples {

class TArcLenDlg;

// Bits of the open-tools mask a diagram file keeps.
namespace tools_mask {
inline constexpr std::uint16_t kTimeWindowFirst = 1;  // 1, 2, 4, 8: time windows 0-3
inline constexpr std::uint16_t kIvp10 = 16;
inline constexpr std::uint16_t kIvp11 = 32;
inline constexpr std::uint16_t kIvp12 = 64;
inline constexpr std::uint16_t kPhaseWindowFirst = 128;  // 128, 256, 512: phase windows 0-2
inline constexpr std::uint16_t kIvp20 = 1024;
}  // namespace tools_mask

class TPlot11Win : public TPlot1Win {
public:
    TPlot11Win(int kind, QString fileName, QString iniName, int dimension,
               QWidget* parent = nullptr);
    ~TPlot11Win() override;

    TKeptToolState& KeptTools() { return keptTools_; }
    const TKeptToolState& KeptTools() const { return keptTools_; }
    // While the diagram reader rebuilds the derived examples.
    bool IsLoading() const { return loading_; }

    // The point of example k at the parameters (u, v): an explicit surface (301) at X = u,
    // Y = v; a cylindrical one (302) at R = u, T = v; any other kind's trees 1-3 at T = u,
    // U = v. False where a tree needed is undefined.
    bool EvalEntryPoint(int k, Vec3& out, long double u, long double v);

    // --- the inventory dialog ---
    TFnListDlg* InventoryDialog() const { return inventoryDialog_.Dialog(); }
    // The dialog is busy while a modal dialog of the window runs.
    void EnableInventory(bool on) override;
    // False, after error 111, while the inventory dialog is busy.
    bool CheckNotEditing();

    // --- new examples ---
    // The road of a new example of the kind: its record with the demonstration values, edited
    // in its dialog; on OK counted, compiled, labelled and drawn, on cancel removed. The new
    // index, or -1.
    int NewExample(int kind);
    // A new point (variant 0 Cartesian, 1 polar or cylindrical, 2 spherical, 4 complex) edited
    // in "EQUA309"; the new index, or -1.
    int AddPointEntry(int variant);
    bool ResizeInventory(int n, bool keep) override;

    // --- slots ---
    // A view was read from a diagram file.
    virtual void ViewLoaded();
    // Points example k keeps in its own coordinates (orbital and map windows).
    virtual void ConvertStoredPoints(int k);
    // The marks drawn around point example k (3D: its projections onto the box).
    virtual void DrawPointMarkers(platform::DeviceContext& dc, int k);
    virtual void CopyBodyListToTable(int k);
    virtual void OpenLineIntegral();
    virtual void OpenIvp10();
    virtual void OpenIvp11();
    virtual void OpenIvp12();
    virtual void OpenIvp20();
    // The open time and phase windows and initial-value dialogs (tools_mask bits).
    virtual std::uint16_t OpenToolsMask() const;
    // The state of a tool kept in a diagram file, and back.
    virtual void RestoreToolState(int a, int b, int c);
    virtual void GetToolState(std::array<int, 3>& out) const;
    // The time window k (0-3) and the phase window k (0-2) of the trajectories.
    virtual void OpenTimeWindow(int k);
    virtual void OpenPhaseWindow(int k);
    // Command 504: shows the inventory dialog, the first time (and after a new diagram) beside
    // the window; nothing when the diagram protects its inventory and the password is not given.
    // InventoryShown: whether it shows.
    virtual void ShowInventory();
    virtual bool InventoryShown() const;
    // Which window reads a body: 2D or 3D, and whether it is a map or logarithmic window.
    virtual TBodyWindow BodyWindow() const;
    // The explicit-shading list of a 2D window; null in a window without one (a file's list
    // then travels on unchanged).
    virtual ShadeList* ShadingList();
    // The end parameters of the shading list (or of the list kept from the file).
    std::vector<int> ShadingEndParameters() override;
    // The settings of a diagram file that the branches keep: into the settings for writing,
    // and from them after reading.
    virtual void StoreFileSettings(TDiagramSettings& settings) const;
    virtual void LoadFileSettings(const TDiagramSettings& settings);

    // --- the diagram file ---
    // The body of the diagram as the window holds it, but the inventory (which the writer
    // borrows rather than copies); kErrAlreadyReported when a text cannot be stored (the user
    // was told).
    int GatherBody(TDiagramBody& body);
    int WriteBody(ByteWriter& out) override;
    // The whole body goes into the pending body; no lower level reads a part of its own.
    int ReadBody(ByteReader& in, int version) override;
    void CommitRead() override;
    void DiscardRead() override;

    // A curve of T in space, t0 to t1 in n steps: each point projected, hidden ones marked when
    // the hidden test is on; the 3D branch draws it.
    virtual void DrawSpaceCurve(platform::DeviceContext& dc, TExprNode* x, TExprNode* y,
                                TExprNode* z, long double t0, long double t1, int n,
                                bool hiddenTest, const TPenSpec& pen);
    // Whether the window shows only the curves of its own level (a level-curve window).
    virtual bool FiltersLevels() const { return false; }
    // The level curves traced on example i: its stored curves (only those of the window's level
    // where the window filters them), then, when
    // the example asks for a search, new curves through points of the level found at random
    // (25 attempts, or until Q when asked and keys are polled), skipping points already drawn.
    // The search request is cleared. 0, or 81 when Q stopped it.
    int DrawTracedCurves(platform::DeviceContext& dc, int i);
    // The key poll of the search, asked after every attempt and paced by time: PollKey on this
    // window, or one a test puts in with its own pacing and clock (an empty poll: PollKey
    // again).
    void SetLevelSearchPoll(std::function<int()> poll,
                            TTimedPoll::Clock::duration interval = TTimedPoll::kInterval,
                            TTimedPoll::Now now = {});
    // A run of many searches (every level of a range, one search each): while it lasts, the
    // searches and the run between them ask one poll, whose pacing runs on across them all, so
    // that searches each shorter than the interval still see Q. Begun again, it starts afresh.
    void BeginLevelSearchRun();
    void EndLevelSearchRun();
    // The run's poll asked now: 81 after Q; 0 outside a run.
    int PollLevelSearchRun();
    // A search for level curves skips the points whose curve the picture shows already.
    bool DrawingReadsPixels() const override;
    // Whether a 3D point is drawn: the 3D branch tests it against its box and surfaces.
    virtual bool IsPointVisible(const Vec3& p);

    // --- tool commands ---
    // Opens the windows an open-tools mask names, in bit order (a diagram file's).
    void ReopenToolWindows(std::uint16_t mask);
    // Keeps a tool dialog that works on examples of the kinds: CloseToolDialogs closes it once
    // the inventory holds none of them.
    void AddToolDialog(platform::Dialog* dialog, std::vector<int> kinds);
    // The same for a dialog kept only while each group of the rule has an example.
    void AddToolDialogKeptBy(platform::Dialog* dialog, TKeepRule rule);
    // Unless forced, keeps each tool dialog (the trajectory tools' dialogs too) while an example
    // of its own kinds is left; closes and deletes the others.
    void CloseToolDialogs(bool force) override;
    // 723: the arc-length dialog, made on first use, then shown and brought to the top.
    void OpenArcLength();
    TArcLenDlg* ArcLengthDialog() const;
    // 866: the data list of the examples, made on first use, filled and shown.
    void Inspect();
    TDataWin* DataWindow() const;
    // The text of the data list.
    std::string DataListText();
    // 883: asks the sketch pen width; the file keeps 1 to 6, so the width is held to that.
    void AskSketchThickness();

    void NewDiagram() override;
    // Empties the diagram as File|New wants it (see plot11_file.cpp).
    void ResetWindow() override;
    // The tool dialogs, the trajectory tools' dialogs and windows and the analysis tools hide
    // with the window.
    void HideWindow() override;
    // Every example of its own that is listed is compiled again with the new functions, and
    // the examples derived from them rebuilt.
    void UserFunctionsChanged() override;
    // The trajectory tools' dialogs and the arc-length dialog list their examples again; the
    // arc-length dialog follows its curve when examples are removed or exchanged.
    void InventoryChanged(int selectLast) override;
    void ExamplesRemoved(std::span<const int> oldToNew) override;
    bool SwapExamples(int a, int b) override;
    // Refills the data list when it exists.
    void RefreshInventoryDlg() override;
    // The window's caption, and the inventory dialog's, which names the diagram's file.
    void UpdateCaption() override;
    void EnableCommand(platform::CommandState& state) override;

    // --- drawing shared by the 2D and 3D branches ---
    // Draws a point example record by record (209, 309, 215 and the point forms of 202, 203,
    // 304): 0, the key polled at the end, or 1 when the parameter of a marked point cannot be
    // read.
    int DrawEntryRecord(platform::DeviceContext& dc, TExample& e);
    int DrawEntry(platform::DeviceContext& dc, int k);
    // A polyline of world points whose marks choose the pieces drawn (mode as
    // canvas::SegmentChosen), in the pen (width 0 draws 1 wide).
    void DrawPolylineToOutputs(platform::DeviceContext& dc,
                               std::span<const canvas::WorldPoint> points,
                               std::span<const std::uint8_t> marks, const TPenSpec& pen, int mode);
    // A curve of T in the plane, t0 to t1 in n steps (the last exactly t1); it breaks where a
    // tree is undefined or the point leaves the view, rather than joining across.
    void DrawPlaneCurve(platform::DeviceContext& dc, TExprNode* x, TExprNode* y, long double t0,
                        long double t1, int n, const TPenSpec& pen);

    // --- derived examples of the sliders and the slicer ---
    // Each appends one example (two for the tangent lines of a surface), gives it its label,
    // draws it and tells the inventory; the index of the new example, or -1 after the error
    // box (nothing is shown for the entries refused without a message).
    int AddTaylorPolynomial(int parent, int degree, std::string_view centre);
    int AddMarkedPoint(int parent, std::string_view parameter);
    int AddTrajectoryPoint(int parent, const TTrajectory& trajectory, long double time);
    int AddTrajectoryLine(int parent, const TTrajectory& trajectory, long double time, int code,
                          long double length, long double speed);
    int AddTangentPlane(int parent, std::string_view pointText, Vec3 point);
    int AddTangentLines(int parent, std::string_view pointText, Vec3 point);
    // Rebuilds derived example i when its code is one of these; empty for other codes.
    std::optional<bool> RebuildTangentEntry(int i);
    // The builder on this window's inventory, compiler and trajectory numerics.
    TTangentBuilder TangentBuilder();
    // The state of a trajectory of `example` at time t, integrated as the window draws it;
    // empty where t cannot be reached.
    std::optional<Vec3> TrajectoryStateAt(TExample& example, const TTrajectory& trajectory,
                                          long double t);

    // Clears the combo box and adds one item per character of the letters, selecting the first.
    static void FillLetterCombo(platform::Dialog& dialog, int id, std::string_view letters);

    // --- trajectory tools ---
    // The window's initial-value dialogs, time and phase windows and tracers, made on first use
    // by the installed maker; null without one.
    TTrajectoryTools* TrajectoryTools();
    // The window's analysis tools (analysis_tools.h), made on first use by the installed maker;
    // null without one. MadeAnalysisTools: only when they were made already.
    TAnalysisTools* AnalysisTools();
    TAnalysisTools* MadeAnalysisTools() const { return analysisTools_.get(); }
    // The derivation codes the analysis tools own are rebuilt by them.
    bool RebuildDerived(int i) override;

    void RefreshLinkedWindows(const TLinkedPoint& point) override;
    void PlotInLinkedWindows(int i, const TTrajectory& trajectory) override;
    void RepaintLinkedWindows() override;
    void ClearModified() override;
    void RecomputeView() override;

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    TDiagramSettings GatherSettings() const;
    void ApplySettings(const TDiagramSettings& s);
    TParameterTables GatherParameters() const;
    void ApplyParameters(const TParameterTables& tables, bool complexMode);
    void InstallBody(TDiagramBody body);
    void RebuildExamples();
    void ReopenWindows(const TDiagramSettings& s, int protectionMask);

    // What the last file held of the settings, parameter ends and shadings that no level keeps.
    TDiagramSettings keptSettings_;
    TParameterTables keptParameters_;
    ShadeList keptShading_;
    std::optional<TDiagramBody> pendingBody_;
    // Label, drawing and inventory of a new derived example; the error box for a refusal.
    int FinishEntry(const TAddResult& added, bool slicer);
    // One point of a point example drawn as its marker; false when it is not drawn.
    bool DrawEntryPoint(canvas::TCanvasPrimitives& prim, TExample& e, int k);
    void DrawPointMark(canvas::TCanvasPrimitives& prim, const TExample& e, QPoint pixel);
    void WatchFamilyMember(const TExample& e);
    // The search's poll of this drawing; none while the window does not poll keys.
    TTimedPoll LevelSearchPoll();

    TToolDialogList toolDialogs_;
    QPointer<TArcLenDlg> arcLength_;
    QPointer<TDataWin> dataWin_;

    TInventoryDialogHost inventoryDialog_;
    std::unique_ptr<TTrajectoryTools> trajectoryTools_;
    bool trajectoryToolsMade_ = false;
    std::unique_ptr<TAnalysisTools> analysisTools_;
    bool analysisToolsMade_ = false;
    TKeptToolState keptTools_;
    bool loading_ = false;
    TPollSeam levelSearchKeys_;
    std::optional<TTimedPoll> levelSearchRun_;
};

}  // namespace quorlin::examples
