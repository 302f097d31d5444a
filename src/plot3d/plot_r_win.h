#pragma once
// TPlotRWin: the 3D graph window proper. It keeps the observer and the scene box in step with
// the examples: RecomputePicture computes an example's mesh or box and refits the picture,
// ComputeSceneBox and FitBoxToWindow rebuild the scene box, the focus and the 2D view that
// shows it, ViewChanged repaints after an observer move. It draws the scene box and, when they
// are shown, the axes; the examples are drawn by the painting levels above.
//
// It owns the observer dialog (obs_dialog.h: made hidden at set-up, shown by "Coordinates ..."
// 981), answers the 3D menu's enablers (commands3d.h), keeps the 3D tool dialogs by the kinds
// they need, maps the colour roles of its demonstrations, writes its observer, box and axis
// ends into diagram files and recomputes meshes, boxes and view after a file was read. It
// introduces slot 168, GetIvpExample.
//
// Its picture (plot_r_paint.cpp): the fast surfaces filled patch by patch in painter's order,
// then every example by its kind (slot 131), the scene box and axes last.
#include <QPointer>

#include <array>
#include <chrono>
#include <functional>
#include <optional>

#include "examples/operations/integration.h"
#include "plot3d/hidden/surface_hiding.h"
#include "plot3d/obs_dialog.h"
#include "plot3d/painting/surface_patches.h"
#include "plot3d/plot_q_win.h"
#include "plot3d/tools/double_integral.h"

namespace quorlin::plot3d {

class TRiem3Dlg;
class TRDSDlg;
class TRDSWin;
class TLevelDlg;
class TLevelWin;
struct TLevelRequest;

// Colour roles of a 3D window.
inline constexpr int kRoleBox = 2;
inline constexpr int kRoleAxes = 3;
inline constexpr int kRoleTangentDemo = 4;
inline constexpr int kRoleSecantDemo = 5;
inline constexpr int kRoleFrenetAsked = 6;
inline constexpr int kRoleFrenet = 9;
// Caption strings of the demonstration roles in a 3D window.
inline constexpr int kStrTangentPlane = 329;
inline constexpr int kStrSecant = 332;
inline constexpr int kStrFrenet = 353;

class TPlotRWin : public TPlotQWin {
public:
    TPlotRWin(QString fileName, QString iniName, std::string_view menu, QWidget* parent = nullptr);
    ~TPlotRWin() override;

    TObsDlg* ObserverDialog() const { return observerDialog_.data(); }

    // --- observer and scene box ---
    void ComputeViewAngles();
    Vec3 FocusPlanePoint(long double u, long double v) const;
    // False when the box is degenerate at the origin (nothing changed).
    bool ComputeSceneBox();
    // The 2D view that shows the projected box; nothing changes while the drawing area is empty.
    void FitBoxToWindow();
    // The observer moves; each refreshes the observer dialog when it shows.
    void ScaleObserverDistance(long double factor);
    void AdjustObserverDistance();
    void TurnObserver(bool forward);
    void TiltObserver(bool up);
    // The eye at a typed point: 115 "too close", 118 "too far", else 0 and the picture refitted.
    int MoveEyeTo(Vec3 eye);
    // The observer dialog shows the eye again when it is shown.
    void RefreshObserverDialog();

    // --- slots ---
    void ViewChanged(bool refit) override;
    void RecomputePicture(int i) override;
    void RefreshExample(int i, bool recompute) override;
    void InventoryChanged(int selectLast) override;
    bool AcceptsExample(int i) const override;
    void ChooseColor(int role) override;
    // A font change (code 7) also refills the inventory list in the new font and the lists of
    // the open tool dialogs.
    void Notify(int code) override;
    void OpenTrace() override;
    void ViewLoaded() override;
    void StoreFileSettings(examples::TDiagramSettings& settings) const override;
    void LoadFileSettings(const examples::TDiagramSettings& settings) override;
    void ResetWindow() override;
    void EnableCommand(platform::CommandState& state) override;
    // The fast surfaces, then each example by its kind, then the box and axes (also after Q):
    // 0, 81 after Q, or 4 when the painter's picture does not fit in memory.
    int DrawAll(platform::DeviceContext& dc) override;
    // --- the picture ---
    // Fills the patches of every fast surface in one order, farthest first: 0, 81 when Q
    // stopped it, or 4 when they do not fit in memory.
    int DrawFastSurfaces(platform::DeviceContext& dc);
    // Projects example i's mesh (its pixels and sides kept in the record for the hidden-line
    // tests) and appends its patches to the list.
    TProjectedMesh ProjectSurfacePatches(int i, TPatchList& list);
    // Slot 131: example i by its kind; 0, 81 after Q, or a drawer's error.
    int DrawExample(platform::DeviceContext& dc, int i) override;
    // 304: the curve as one slice, and its arrow at t when asked.
    int DrawSpaceCurve(platform::DeviceContext& dc, int i);
    using TPlotQWin::DrawSpaceCurve;
    // 308: the segment with its end arrows.
    int DrawSegmentExample(platform::DeviceContext& dc, int i);
    // A point is drawn when it lies in the scene box and no surface hides it.
    bool IsPointVisible(const Vec3& p) override;
    // 325: an intrinsic curve's family; drawn by the intrinsic-curve drawers (not here yet).
    virtual int DrawIntrinsicFamily(platform::DeviceContext& dc, int i);
    // The axes on or off: the boxes take in the origin (or no longer), and the picture refits.
    void ToggleAxes() override;
    // 101-105: whether the surface of example i lies between p and the eye, by the tests of its
    // family (hidden/surface_hiding.h); hidden lines are removed in this window, the tested
    // point moving towards the eye by a thousandth of the scene box's plan (plot_r_hidden.cpp).
    bool IsHiddenByPolarSurface(int i, const Vec3& p) override;
    bool IsHiddenByImplicitSurface(int i, const Vec3& p) override;
    bool IsHiddenByParametricSurface(int i, const Vec3& p) override;
    bool IsHiddenByPlane(int i, const Vec3& p) override;
    bool IsHiddenByExplicitSurface(int i, const Vec3& p) override;
    // 788 "Parametrics obscure": parametric-type surfaces hide what lies behind them, or not.
    void ToggleParametricsObscure();
    void UpdateMenuChecks(bool flag) override;
    // 168: the first differential equation while "IVP10" shows, else -1.
    virtual int GetIvpExample();
    // Every example's mesh or box again, then the scene box and the view. The meshes poll Q by
    // time with the key hint in the caption; Q leaves the examples not reached as they were.
    void RecomputeAllBoxes();
    // The key poll of the mesh computations: PollKey on this window, asked at most every
    // interval; tests put in their own.
    void SetKeyPoll(std::function<int()> poll, std::chrono::steady_clock::duration interval =
                                                   examples::TKeyPollControl::kPollInterval);
    // "Colour role 6" asks for role 6 itself the next time, not the Frenet role.
    void AskOwnSixthRole() { Scene3D().ownSixthRole = true; }

    // --- tools and linked windows (plot_r_tools.cpp) ---
    // Each is made once on first use and kept; later requests show it again and bring it to
    // the top. Null before the first request.
    TRiem3Dlg* IntegralDialog(Riem3Mode mode) const;
    TRDSDlg* StereogramDialog() const;
    TRDSWin* StereogramWindow() const;
    // 774, 836, 777: the double-integral dialog of the mode.
    void OpenIntegralDialog(Riem3Mode mode);
    // 783: the stereogram dialog.
    void OpenStereogramDialog();
    // 166: the stereogram window (made once, sharing this window's examples), drawn afresh.
    void ShowStereogramWindow() override;
    // Whether the axes ask anything of the window before they are drawn: never.
    int AxisQuery() const { return 0; }
    void ExamplesRemoved(std::span<const int> oldToNew) override;

    // --- level curves (plot_r_levels.cpp) ---
    TLevelDlg* LevelDialog() const;
    TLevelWin* LevelWindow() const;
    // The inventory's "levels": the level dialog for example i, made once and kept.
    void OpenLevelsDialog(int i) override;
    bool OpensLevelsDialog() const override { return true; }
    // 162: the level in the level-curve window (made once, sharing this window's examples);
    // the key of its drawing when a search draws at once (81 after Q), else 0.
    int ShowLevel(const TLevelRequest& request);
    // 163: the level-curve window's picture again.
    void RefreshLevelWindow();
    void HideLevelWindow() override;
    // Examples were removed: the level dialog and window follow theirs.
    void LevelExamplesRemoved(std::span<const int> oldToNew);
    // The background and cursor colours the next level-curve window starts with.
    std::array<std::int16_t, 2>& LevelWindowColours() { return levelWindowColours_; }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    void RegisterToolCommands();
    // The dialogs and the stereogram window follow the inventory.
    void RefreshOwnTools();
    // The stereogram window goes before the examples it shares.
    void CloseLinkedWindows();
    void CloseLevelWindow();

    // What the hidden-line tests read of the window now.
    hidden::THiddenLineView HiddenLineView() const;
    void RegisterHiddenLineCommands();
    // Draws the scene box's edges and the axes from the lower to the upper ends.
    void DrawSceneFrame(platform::DeviceContext& dc);
    void RegisterViewCommands();
    void RegisterDrawingCommands();
    // The open tool dialogs refill their example lists.
    void RefillToolDialogs();
    // What asks for Q in a long computation; nothing while the window does not poll keys.
    std::optional<examples::TKeyPollControl> KeyControl();

    QPointer<TObsDlg> observerDialog_;
    std::array<QPointer<TRiem3Dlg>, 3> integralDialogs_;
    QPointer<TRDSDlg> stereogramDialog_;
    QPointer<TRDSWin> stereogramWindow_;
    QPointer<TLevelDlg> levelDialog_;
    QPointer<TLevelWin> levelWindow_;
    std::array<std::int16_t, 2> levelWindowColours_{-1, -1};
    std::function<int()> keyPoll_;
    std::chrono::steady_clock::duration pollInterval_ = examples::TKeyPollControl::kPollInterval;
};

}  // namespace quorlin::plot3d
