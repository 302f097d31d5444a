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
// ends into diagram files and recomputes meshes, boxes and view after a file was read (a file
// from version 12 on keeps its stored box, view_reload.h). It introduces slot 168,
// GetIvpExample. Its mouse modes (mouse/plot_r_mouse.cpp): a click in the trajectory mode
// starts a trajectory at the surface point under the mouse.
//
// Its picture (plot_r_paint.cpp): the fast surfaces filled patch by patch in painter's order,
// then every example by its kind (slot 131), the axes and the scene box last
// (axes/plot_r_axes.cpp).
#include <QPointer>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "examples/operations/integration.h"
#include "plot3d/axes/axes_geometry.h"
#include "plot3d/dialogs/obs_dialog.h"
#include "plot3d/hidden/surface_hiding.h"
#include "plot3d/levels/plot_q_win.h"
#include "plot3d/painting/surface_patches.h"
#include "plot3d/tools/double_integral.h"

namespace quorlin::plot3d {

class TRiem3Dlg;
class TRDSDlg;
class TRDSWin;
class TSliceDlg;
class TIntCSDlg;
class TLevelDlg;
class TLevelWin;
struct TLevelRequest;
class TIntSSDlg;
struct TSurfacePair;

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

    // The observer dialog, once "Observer coordinates" has shown it (null before).
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

    // --- the tour and rotation frames (plot_r_tour.cpp) ---
    // "Make tour ...": one turn of the observer back as the set number of slides, played until
    // Q; the eye and the turn step are as before afterwards.
    void MakeTour();
    // The frames of an exported animation as one turn of the observer.
    bool WriteRotationFrames() override;
    // Frame k (0..n-1) written by `write` with the view turned k steps of 2 pi / n, frame 0 the
    // view now; stops at the first failing write or on Q (false), the key polled by time after
    // each frame. The eye and step come back.
    bool WriteTurningFrames(int n, const std::function<bool(int)>& write);

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
    // Slot 148, after a diagram was installed: the version of the file read decides the scene
    // box (ReloadView); an empty diagram (File|New) has every box computed afresh.
    void ViewLoaded() override;
    // Every example's mesh or box again; then the scene box kept from a file of this version
    // (12 on) or computed from the examples (older), the sight shift, the eye in box units and
    // the view angles. The 2D view is the file's (RecomputeView), not refitted.
    void ReloadView(int version);
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
    virtual int DrawFastSurfaces(platform::DeviceContext& dc);
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
    // --- the curve slider's overlays (plot_r_overlays.cpp) ---
    // Slot 112: the slider's marker and vectors, then the labels, texts and pictures.
    int DrawPicture(platform::DeviceContext& dc) override;
    void DrawCurveSliderOverlays(platform::DeviceContext& dc);
    // The point the curve-surface dialog shows, marked while it is open.
    void DrawCurveSurfacePoint(platform::DeviceContext& dc);
    void DrawSlicerCurves(platform::DeviceContext& dc);
    // Slot 100: the saved picture, then what the level window traces over it.
    void PaintPrepared(platform::DeviceContext& dc) override;
    // While the level window is in its cursor mode: its cursor point on the surface and the
    // level curve through it, traced over the saved picture in a box widened to hold z near 0,
    // with loops closed by the closed-loop budget; the window, the example and its curve list
    // are as they were afterwards, also after Q (levels/plot_r_cursor.cpp).
    void DrawLevelCursorCurve(platform::DeviceContext& dc);
    // The secant from the base point (or from the cursor below it), or the tangent: at the
    // cursor, or at the base point when secants show too.
    void DrawSecantOrTangent(platform::DeviceContext& dc, bool tangent);
    // T, N and B at the cursor as unit arrows; nothing where T or N has no direction.
    void DrawFrenetFrame(platform::DeviceContext& dc);
    // A marker of a colour role (or a colour) at a world point, when it shows in the view.
    void DrawMarkerAt(platform::DeviceContext& dc, Vec3 p, int role, int markerKind, int size);
    void DrawMarkerIn(platform::DeviceContext& dc, Vec3 p, const QColor& colour, int markerKind,
                      int size);
    // While the trajectory slider is open on a trajectory: a marker at its point P (unless a
    // surface hides it) and the vector P -> P + V in the trajectory's pen, its shaft tested
    // against the surfaces in 40 steps and its head at the tip where the tip shows.
    void DrawTrajectorySliderVector(platform::DeviceContext& dc);
    // An arrow from `from` along `vector` in a colour role, shaft and head, clipped.
    void DrawWorldArrow(platform::DeviceContext& dc, Vec3 from, Vec3 vector, int role);
    // The velocity of curve i at parameter t: a space curve's from its derivative trees, an
    // intrinsic curve's unit tangent at arc length t.
    std::optional<Vec3> CurveVelocityAt(int i, long double t);

    // --- drawers of example features (plot_r_fields.cpp) ---
    // 325: the intrinsic curve once per member of its family (none for negative steps), the
    // family letter given back. 0, 81 after Q, or a member's error.
    virtual int DrawIntrinsicFamily(platform::DeviceContext& dc, int i);
    // Slot 116: the field of a 3D system (310) shown as vectors: arrows on an (m+1)^3 grid
    // through its box, one step per axis. 0, or 81 when Q stopped it.
    int DrawSlopeField(platform::DeviceContext& dc, int k) override;
    // One arrow of the field at p, of the field's arrow length L with a head of 0.21 L; nothing
    // where the field is undefined or zero, or p is hidden.
    virtual void DrawFieldArrow(platform::DeviceContext& dc, int k, Vec3 p, long double length);
    // The world length of a field's arrows: its size number n (or 10 x the value of the letter
    // it is tied to, rounded) in thousandths of the window.
    long double FieldArrowLength(const examples::TExample& e) const;
    // Slot 150: the guide lines of a point to the planes, the axis or the origin, and its angle
    // arcs, by the digits of its mark word.
    void DrawPointMarkers(platform::DeviceContext& dc, int k) override;
    // --- the frame (axes/plot_r_axes.cpp) ---
    // Slot 83: the axes with their heads and letters, then the box with its corner labels,
    // every line through the hidden-line tests. 0, or 81 when Q stopped it (what follows the
    // stopped line is left out).
    virtual int DrawAxes3D(platform::DeviceContext& dc);
    // The ends the axes are drawn to: the locked ends, or ends fitted to the scene box. A paint
    // leaves the stored ends alone (the view's fit reads them).
    TAxisEnds FitAxisLengths() const;
    // One axis from -> to (axis 0 x, 1 y, 2 z) with its letter beyond the upper end.
    int DrawAxis(canvas::TCanvasPrimitives& prim, Vec3 from, Vec3 to, int steps, int axis,
                 const examples::TPenSpec& pen, TStopPoll& poll);
    // The twelve edges of the scene box, then its two corner labels when asked.
    int DrawViewBox(canvas::TCanvasPrimitives& prim, int steps, const examples::TPenSpec& pen,
                    TStopPoll& poll);
    // The box corners that carry the coordinate labels, seen from the eye.
    TLabelCorners ChooseLabelCorners() const;
    // The axes on or off: only the points' boxes are computed again (as automatic ones), and
    // the picture refits only when there is a point; no other box changes.
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
    // --- recomputation (plot_r_derived.cpp) ---
    // Slot 111: every example's grid (a mesh surface) or box, then its ranges; the surface
    // intersections built again from their parents, and every level curve following its surface.
    void RecomputeAll() override;
    // Slot 110: the examples derived from k (all when k < 0) rebuilt in index order, each by
    // the row of its derivation code (dependency_walk.h).
    void UpdateDependents(int k) override;
    void RebuildDerived3D(int i);
    // The grid of example i again when it is a mesh surface (implicit ones have none).
    void RecomputeGrid(int i);
    // Surface intersection i rebuilt from its surfaces (intersections/plot_r_intersections.cpp):
    // 0, or 6 when a plane among them has no normal (its trees are then empty).
    int BuildIntersectionCurve(int i);
    // 168: the system example chosen in "IVP10" while it shows, else -1.
    virtual int GetIvpExample();
    // Every example's mesh or box again, then the scene box and the view. The meshes poll Q by
    // time with the key hint in the caption; Q leaves the examples not reached as they were.
    void RecomputeAllBoxes();
    // The key poll of the mesh computations and the turning frames: PollKey on this window,
    // asked at most every interval; tests put in their own.
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

    // --- the box dialog (boxedit/box_dialog.cpp) ---
    // Slot 132: example i's box on the template of its kind; a changed example is computed and
    // drawn again. Errors are shown and change nothing.
    void EditExampleBox(int i, bool force) override;
    bool EditsExampleBoxes() const override { return true; }

    // --- picking and section surfaces (picking/plot_r_pick.cpp) ---
    // The point of the shown example nearest to the eye under the pixel: 0 and the point, or 9
    // (out untouched) when the sight line meets none.
    static constexpr int kNothingToPick = 9;
    int PickSurfacePoint(QPoint pixel, Vec3& out);
    // The trajectory mode's click: a trajectory of GetIvpExample's system from the picked point
    // with the dialog's settings, watched step by step when asked. 9 (nothing done) without a
    // shown "IVP10" or a surface point under the pixel; else what the tracing gave (0, 81 after
    // Q, or the error of a setting the dialog refused and showed).
    int StartTrajectoryAtMouse(QPoint point, bool watch);
    // A parametric surface x, y, z of t and u for a cross-section solid, drawn as a family.
    struct TSectionSurface {
        std::string_view x, y, z;
        long double tLow, tHigh, uLow, uHigh;
        std::int16_t tDivisions, uDivisions;
    };
    void AddSectionSurface(const TSectionSurface& surface);

    // --- curve-surface intersections (tools/curve_surface_dialog.h) ---
    // 710: made once on first use (which searches once), later shown again and searching on.
    void OpenCurveSurfaceDialog();
    TIntCSDlg* CurveSurfaceDialog() const;

    // --- the slicer (slicer/slice_dialog.h) ---
    // 766: made once on first use and kept, then shown again; null before.
    void OpenSlicer();
    TSliceDlg* SlicerDialog() const;
    // "Scrollbar units ...": the shown slicer takes the general steps and page steps too.
    void ApplyScrollbarUnits() override;
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
    // The examples changed (an edit, a parameter): both level windows take the surface's
    // values at the cursor afresh and draw again.
    void RefreshLevelWindows();
    void RepaintLinkedWindows() override;
    void HideLevelWindow() override;
    // Examples were removed: the level dialog and window follow theirs.
    void LevelExamplesRemoved(std::span<const int> oldToNew);
    // The level-curve window, made (hidden) when there is none yet.
    TLevelWin& MadeLevelWindow();
    // Example i changed (or a parent of it): each of its stored level curves is moved back onto
    // its level set, or dropped, and the curve lists shown follow. While a diagram is read its
    // curves stay as stored. The number dropped.
    int FollowLevelCurves(int i);

    // --- surface intersections and meridians (intersections/plot_r_intersections.cpp) ---
    // 787: two surfaces chosen ("EQUA317"), their intersection (the one made before for the
    // pair in either order, else a new one) and its curves dialog. Nothing after Cancel, and
    // nothing but error 6 when a plane among them has no normal.
    void CmSurfaceSurface();
    // 795: a great half-circle of a sphere, radius and longitude asked in "MERID", as a space
    // curve for t from 0 to pi. A text that does not parse, or a curve text over 255
    // characters (20), is an error and adds nothing.
    void CmMeridian();
    TIntSSDlg* IntersectionDialog() const;
    TLevelWin* IntersectionWindow() const;
    // 134: the curves dialog of intersection i, made once and kept; a hidden one takes i.
    void OpenIntersectionCurvesDialog(int i) override;
    // 164: the curves of intersection i in the window of intersection curves (made once,
    // sharing this window's examples), at its solved coordinate's zero level.
    int ShowIntersectionWindow(int i, bool search) override;
    void HideIntersectionWindow() override;
    // The background and cursor colours the next level-curve window starts with.
    std::array<std::int16_t, 2>& LevelWindowColours() { return levelWindowColours_; }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    // Keeps the version of the file being installed for ViewLoaded.
    void CommitRead() override;

private:
    // The mouse modes of this window, one row each (mouse/plot_r_mouse.cpp).
    void RegisterMouseModes();
    // Every example's mesh or box, polling Q with the key hint in the caption. Every box is put
    // in order first (OrderBox: a crafted file may hold one reversed), also those Q leaves. Each
    // box takes in the origin while the axes show, or, for a diagram just read, where its stored
    // box held it: the file keeps the boxes as they were made, whatever the axes show now.
    void RecomputeExampleBoxes(bool asStored = false);
    void RegisterToolCommands();
    // The dialogs and the stereogram window follow the inventory.
    void RefreshOwnTools();
    // The level, intersection and stereogram windows go before the examples they share.
    void CloseLinkedWindows();
    // The level-curve window kept in `kept`, made on first use, titled by the string and ".qz3".
    TLevelWin& KeptLevelWindow(QPointer<TLevelWin>& kept, int titleId);
    // The window shown on top and drawn at once (its drawing's key), or at its next paint.
    static int PresentLevelWindow(TLevelWin& window, bool drawNow);
    // The new intersection of the pair, built and labelled; nothing when it cannot be.
    std::optional<int> AddIntersection(const TSurfacePair& pair);
    void IntersectionExamplesRemoved(std::span<const int> oldToNew);

    // What the hidden-line tests read of the window now.
    hidden::THiddenLineView HiddenLineView() const;
    // The programs of the hidden-line tests while a drawing runs: each drawing entry (DrawAll,
    // DrawExample, DrawPicture, PaintPrepared) opens a scope, the outermost one makes them.
    hidden::TSurfaceProgramScope HiddenLinePrograms();
    void RegisterHiddenLineCommands();
    // The axes and the box, asking the poll for Q.
    int DrawFrame(platform::DeviceContext& dc, TStopPoll& poll);
    // The arrow head at an axis's upper end, unless a surface hides the end.
    void DrawAxisHead(platform::DeviceContext& dc, Vec3 end, const examples::TPenSpec& pen);
    void RegisterViewCommands();
    // The View menu's switches, sizes and observer moves (plot_r_commands.cpp).
    void RegisterDisplayCommands();
    // The whole picture drawn again at the next paint.
    void Repaint3D();
    // After the eye moved: the dialog, the angles, modified, the picture redrawn unrefitted.
    void ObserverChanged();
    // In, Out and Far out: the eye-to-focus distance times factor, back into the band.
    void MoveObserverBy(long double factor);
    void SetIsometricView();
    // A whole number in low..high asked in the input box: error 17 outside, the reader's
    // error when unreadable; nothing after Cancel or an error.
    std::optional<int> AskWhole(int titleId, int promptId, int current, int low, int high);
    void AskArrowLength();
    void AskSlides();
    void AskAngleStep();
    // "AXLEN": "lock" takes the six ends and locks them, "unlock" lets them follow the box.
    void AskAxisLengths();
    void RegisterDrawingCommands();
    // The open tool dialogs refill their example lists.
    void RefillToolDialogs();
    // What asks for Q in a long computation; nothing while the window does not poll keys.
    std::optional<examples::TKeyPollControl> KeyControl();

    QPointer<TObsDlg> observerDialog_;
    bool makeObserverDialog_ = false;  // set up, and the dialog not made yet
    std::array<QPointer<TRiem3Dlg>, 3> integralDialogs_;
    QPointer<TRDSDlg> stereogramDialog_;
    QPointer<TRDSWin> stereogramWindow_;
    QPointer<TSliceDlg> slicerDialog_;
    QPointer<TIntCSDlg> curveSurfaceDialog_;
    QPointer<TLevelDlg> levelDialog_;
    QPointer<TLevelWin> levelWindow_;
    // The trees of surface intersections rebuilt for a moved parameter while something that
    // polls keys may still use them (RecomputeAll).
    std::vector<NodePtr> retiredTrees_;
    QPointer<TIntSSDlg> intersectionDialog_;
    QPointer<TLevelWin> intersectionWindow_;
    std::array<std::int16_t, 2> levelWindowColours_{-1, -1};
    std::function<int()> keyPoll_;
    // The version of the diagram file whose body is being installed; none otherwise.
    std::optional<int> installingVersion_;
    std::chrono::steady_clock::duration pollInterval_ = examples::TKeyPollControl::kPollInterval;
    // Those of the drawing that runs now, owned by its outermost scope; none between drawings.
    hidden::TSurfacePrograms* drawingPrograms_ = nullptr;
};

}  // namespace quorlin::plot3d
