#pragma once
// TPlotWin: the level of a graphing window that holds its examples.
//
// Above the formula level it owns the inventory (TInventory) with its compiler (the symbol
// buffer and the compile options), the free-hand sketch, the 3D scene box and observer, the
// settings of the tracer, the animation players and the tools, the slider steps, the
// remembered places of the editing dialogs, and the small parts of level_parts.h (the current
// example and the counters of new ones, the pens of what is drawn new, how the readout and the
// trajectories take their points). It maps points through the current example, projects
// 3D points, reads the mouse position out, draws vectors through the canvas primitives, keeps an
// example's trajectories and marked points, and repaints through the two cached layers of the
// shell (the background layer: DrawAll; the picture layer: DrawPicture over it).
//
// It introduces the slots the 2D and 3D branches fill (96-124: the drawing of the picture, the
// hidden-line tests, the linked windows, the dependency walk, the sketch hooks); here most do
// nothing.
//
// The animation players run on the window's one timer (kAnimationTimer): the frame player of the
// parameters (in real time for '@'), the player of prepared slides and the whole-number stepper.
// While one plays, the window's keys steer it, its mouse buttons do nothing, and any command
// ends it instead of running; closing the window ends it too.
#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/timed_poll.h"
#include "core/vectors.h"
#include "examples/operations/animation.h"
#include "examples/operations/level_parts.h"
#include "examples/operations/plot_geometry.h"
#include "examples/records/compile.h"
#include "examples/records/equation_text.h"
#include "examples/records/inventory.h"
#include "examples/records/plot_settings.h"
#include "examples/records/sketch.h"
#include "examples/records/trajectory_builders.h"
#include "formula/func_win.h"

namespace quorlin::examples {

// Codes of TPlotWin::Notify.
inline constexpr int kNotifyBackground = 1;
inline constexpr int kNotifyLineHeight = 2;
inline constexpr int kNotifyBackgroundAgain = 5;
inline constexpr int kNotifyAllLayers = 8;

// Window fonts the plot levels name.
inline constexpr int kFontEquations = 2;
inline constexpr int kFontAxisLabels = 5;
inline constexpr int kFontCoordinates = 8;
// Colour roles the plot levels draw in.
inline constexpr int kRoleTrajectory = 8;
inline constexpr int kRoleSketch = 13;
inline constexpr int kRoleReadout = 14;
// The timer of the animation players; a real-time run ticks every 50 ms.
inline constexpr int kAnimationTimer = 476;
inline constexpr int kRealTimePeriodMs = 50;
// Key hints of the players: "press Q to quit", "Q=quit P=pause F=fast S=slow", "slide #" and,
// for slides that turn the view, "Q=quit S=slow F=fast".
inline constexpr int kHintQuit = 1;
inline constexpr int kHintPlayerKeys = 5;
inline constexpr int kHintSlideKeys = 3;  // "Q=quit S=slow F=fast"
inline constexpr int kHintSlide = 7;

struct TRunningPlayer;
class TPlotWin : public TFuncWin {
public:
    // dimension: 2 for the 2D and map windows, 3 for the 3D windows.
    TPlotWin(int kind, QString fileName, QString iniName, int dimension, QWidget* parent = nullptr);
    ~TPlotWin() override;

    // --- value parts ---
    TInventory& Inventory() { return *inventoryInUse_; }
    const TInventory& Inventory() const { return *inventoryInUse_; }
    TExampleCompiler& Compiler() { return *compilerInUse_; }
    const TExampleCompiler& Compiler() const { return *compilerInUse_; }
    TSceneBox& SceneBox() { return box_; }
    const TSceneBox& SceneBox() const { return box_; }
    TObserver& Observer() { return observer_; }
    const TObserver& Observer() const { return observer_; }
    TSceneSettings& Scene() { return scene_; }
    const TSceneSettings& Scene() const { return scene_; }
    TTracerSettings& Tracer() { return tracer_; }
    const TTracerSettings& Tracer() const { return tracer_; }
    TAnimationSettings& Animation() { return animation_; }
    const TAnimationSettings& Animation() const { return animation_; }
    TToolSettings& Tools() { return tools_; }
    const TToolSettings& Tools() const { return tools_; }
    TLevelSettings& Level() { return level_; }
    TStereogramSettings& Stereogram() { return stereogram_; }
    TSliderSteps& SliderSteps() { return sliderSteps_; }
    const TSliderSteps& SliderSteps() const { return sliderSteps_; }
    TDialogPositions& DialogPositions() { return dialogPositions_; }
    SketchList& Sketch() { return sketch_; }
    const SketchList& Sketch() const { return sketch_; }

    int Dimension() const { return dimension_; }
    TExampleBook& ExampleBook() { return book_; }
    const TExampleBook& ExampleBook() const { return book_; }
    TNewPens& NewPens() { return newPens_; }
    const TNewPens& NewPens() const { return newPens_; }
    TPointMapping& PointMapping() { return pointMapping_; }
    const TPointMapping& PointMapping() const { return pointMapping_; }
    // Height of the letter "M" in the equations font plus one pixel.
    int LineHeight() const { return lineHeight_; }

    // --- inventory ---
    // True while there is room for one more example; otherwise false, after error 4 ("no more
    // room") when asked to warn.
    bool CanAddExample(bool warn);
    void CompileExample(int i) {
        if (!SharesInventory()) Compiler().CompileExample(i);
    }

    // --- a parent's examples ---
    // The window works on the parent's inventory and compiler for its whole life (a linked
    // window that shows the parent's examples): its count is always the parent's, the shared
    // trees evaluate in this window's formulas, and it never frees, resizes, compiles or writes
    // them. The parent ends the window before its inventory goes.
    void ShareInventoryOf(TPlotWin& parent);
    bool SharesInventory() const { return inventoryInUse_ != &inventory_; }
    // What the equation texts need of this window.
    TTextSettings TextSettings() const;
    // The equation text of example i (Windows-1252).
    std::string DescribeExample(int i);
    int CountExamplesOfKind(int kind) const;
    // Marks in the symbol buffer what the examples, the evaluated texts (expressions and the
    // '~' pieces of their labels) and the shading ends use: a parameter's slider repaints what
    // shows it, and an animated export finds it. Called after every compilation.
    void MarkWindowSymbols();
    // F1 on an open menu: the page of the File, Equa, View, Btns, One, Two, Misc or Anim menu
    // (the 2D or the 3D one by the window's dimension).
    bool ShowMenuHelp(const QString& menuTitle) override;
    // Stores an evaluated text as the formula level does, then marks its symbols.
    int ParseEvalText(const canvas::TEvalText& text, std::uint16_t& evalIndex,
                      bool checkOnly) override;

    // --- virtual operations of this level ---
    // The inventory changed (selectLast: the inventory dialog selects the last example).
    virtual void InventoryChanged(int selectLast);
    // Whether the inventory listing and dialogs show example i.
    virtual bool AcceptsExample(int i) const;
    // The map flag: a window of a map pair (the inventory dialog and the diagram reader treat
    // its map examples apart). False here.
    virtual bool IsMapWindow() const { return false; }
    // Paints through the cached layers: each stale layer is drawn afresh, the picture is copied
    // into the context and PaintPrepared draws over it.
    virtual void PaintBuffered(platform::DeviceContext& dc);
    virtual void PaintPrepared(platform::DeviceContext& dc);
    // Whether the surface of example i hides the point (3D hidden-line tests).
    virtual bool IsHiddenByPolarSurface(int i, const Vec3& p);
    virtual bool IsHiddenByImplicitSurface(int i, const Vec3& p);
    virtual bool IsHiddenByParametricSurface(int i, const Vec3& p);
    virtual bool IsHiddenByPlane(int i, const Vec3& p);
    virtual bool IsHiddenByExplicitSurface(int i, const Vec3& p);
    // Where a point traced on example i lies in space: the point itself here. The curves of a
    // surface intersection are traced in a plane and lie on its surfaces, as the 3D levels
    // tell; nothing where the point has no place there.
    virtual std::optional<Vec3> TracedPointInSpace(int i, Vec3 traced);
    // The time and phase windows: a new trajectory point, a retraced trajectory, a repaint.
    virtual void RefreshLinkedWindows(const TLinkedPoint& point);
    virtual void PlotInLinkedWindows(int i, const TTrajectory& trajectory);
    virtual void RepaintLinkedWindows();
    virtual void RefreshToolValues();
    // Rebuilds the examples derived from example i (-1: from any), in index order.
    virtual void UpdateDependents(int i);
    // Re-evaluates every example: the value of an antiderivative, the compiled ranges.
    virtual void RecomputeAll();
    virtual void BeginEditExample(int kind);
    virtual void EndEditExample(int kind);
    virtual void SketchErased();
    virtual int DrawSlopeField(platform::DeviceContext& dc, int i);
    // An observer or view change: repaint, refitting the picture first when asked (3D).
    virtual void ViewChanged(bool refit);
    virtual void RefreshInventoryDlg();
    // Parameter `letter` (0 '@', 1-26 'A'-'Z') moved: when an example uses it, everything is
    // recomputed and drawn afresh as an animation frame.
    virtual void ExampleChanged(int letter);
    // Gives the inventory room for n + 1 examples, keeping them when asked; false when it
    // cannot (the inventory is unchanged).
    virtual bool ResizeInventory(int n, bool keep);
    // 3D: projection, box and picture after example i was added.
    virtual void RecomputePicture(int i);
    virtual void SketchPointAdded(const TSketchPoint& point);
    // Frees the sketch and repaints the picture.
    virtual void ClearSketches();
    // The parameter letters that end the window's explicit shadings (0 or less: none).
    virtual std::vector<int> ShadingEndParameters() { return {}; }

    // --- key poll of traces ---
    // The key poll of the trajectories traced onto this window, asked at every step of a trace
    // and paced by TracePollInterval: PollKey on this window, or one a test puts in with its own
    // pacing (an empty poll: PollKey again).
    void SetTraceKeyPoll(std::function<int()> poll,
                         TTimedPoll::Clock::duration interval = TTimedPoll::kInterval);
    int PollTraceKey();
    TTimedPoll::Clock::duration TracePollInterval() const { return traceKeys_.Interval(); }

    // --- animation players ---
    // Moves the parameter of the slot (with its simultaneous group) frame by frame until Q:
    // every 50 ms a step, turning round at the ends with bounce; with the window's real-time
    // switch '@' follows the clock and, with stopAtEnd, ends at stopTime. whenDone runs when
    // the player ends (not when the window closes).
    void AnimateParameters(int slot, bool bounce, bool stopAtEnd, long double stopTime,
                           std::function<void()> whenDone = {});
    // Draws slides 0..n with the group moved from its left to its right ends, then shows them
    // one after the other (the slide delay apart) until Q. At least two must fit in memory.
    void PlaySlides(int slot, bool bounce, int n, std::function<void()> whenDone = {});
    // What the slides of a player show: `prepare(k, count)` moves the window to slide k of the
    // count that fit before it is drawn; `restore` undoes the moves when the player ends.
    struct TSlideSource {
        std::function<void(int k, int count)> prepare;
        std::function<void()> restore;
        int playHint = kHintQuit;  // the caption while the slides play
        bool recompute = true;     // false: the examples stay as they are, only the view moves
        // The drawing of each slide asks for Q too (paced by time), and Q while the slides are
        // drawn ends it all, nothing played.
        bool stopWithinSlides = false;
    };
    // Draws up to `count` slides from the source, as many as the memory kept for slides holds
    // (fewer than asked: error 4; fewer than two: nothing plays), then shows them one after the
    // other until Q. False when nothing plays.
    bool PlaySlides(TSlideSource source, int count, bool bounce, int slot,
                    std::function<void()> whenDone = {});
    // The memory kept for slides, in bytes.
    void SetSlideMemory(std::int64_t bytes) { slideMemory_ = bytes; }
    // Moves the parameter by whole units from its left end over n units, a frame each delay.
    void StepIntegerParameter(int slot, bool bounce, int n, std::function<void()> whenDone = {});
    bool IsPlaying() const { return player_ != nullptr; }
    // A tool's animation on the window's timer: tick every periodMs, key for each key but Q
    // (which ends it, as any command does); whenDone runs when it ends.
    void PlayTool(std::function<void()> tick, std::function<void(int)> key, int periodMs,
                  std::function<void()> whenDone = {});
    // The running tool's ticks come every periodMs from now.
    void SetToolPeriod(int periodMs);
    // Ends the running player as Q does.
    void StopPlaying();
    // Draws one animation frame: everything recomputed, implicit curves traced anew (those of
    // a family of the letter excepted), both layers drawn afresh, without key polls unless
    // asked: 0, or 81 when Q stopped the drawing.
    int DrawAnimationFrame(int letter, bool recompute = true, bool polled = false);

    // --- the free-hand sketch (mouse mode 127 of the 2D and map windows) ---
    // The left button went down: a stroke in the sketch colour and width starts at the point;
    // the moves and the release of the button continue and end it.
    void SketchWithMouse(QPoint point);
    bool IsSketching() const { return sketching_; }
    // The right button: erases the stroke that passes within three pixels of the point.
    void EraseSketchNearMouse(QPoint point);
    // Frees the sketch; whether it held anything.
    bool ClearSketch();
    // The picture layer: what the lower levels draw, then the sketch.
    int DrawPicture(platform::DeviceContext& dc) override;

    // --- points through the current example ---
    // Maps a readout point: on logarithmic axes to plot coordinates (false outside the view's
    // value range); on linear axes, when the readout maps, through the current example's trees
    // (false where one is undefined; the coordinates set before stay).
    bool EvaluateExampleAt(Vec2& p);
    bool EvaluateExampleAt3D(Vec3& p);
    // The point of trees 1-3 of example i at T = t, U = u; the zero vector where one is
    // undefined.
    Vec3 EvalParametricAt(int i, long double t, long double u);

    // --- 3D ---
    Vec3 WorldToBox(Vec3 p) const { return box_.WorldToBox(p); }
    Vec3 BoxToWorld(Vec3 p) const { return box_.BoxToWorld(p); }
    void ComputeBoxScale() { box_.ComputeScale(); }
    void ComputeScreenAxis() { examples::ComputeScreenAxis(observer_); }
    Vec2 ProjectPoint(Vec3 p) const { return examples::ProjectPoint(observer_, box_, p); }
    // The pixel of a projected point; nothing when it lies outside the window.
    std::optional<QPoint> ProjectToPixel(Vec3 p) const;
    std::optional<Vec2> SelectAxisPair(Vec3 p, long double t) const;
    // Mesh surfaces (not implicit) whose two colours are the background's do not detect jumps:
    // the jump flag follows that for example i, or for all with -1.
    void RefreshMeshColours(int i);

    // --- readout and view ---
    void RecomputeView() override;
    // Recentres the view at a client point.
    void RecenterAtMouse(QPoint point);
    // "x,y" in the window's digits (open and close around it when given; close < 1 separates
    // with a blank); complex windows show "x + yi".
    std::string FormatCoordinates(long double x, long double y, char open, char close) const;
    // The mouse readout of a client point (mode 5: polar form); shown until EndReadout.
    void ShowMouseCoordinates(int mode, QPoint point);
    // What the readout adds at the value x for the example whose data the left button reports;
    // nothing here.
    virtual std::string MouseDataText(long double) { return {}; }
    void EndReadout();
    const std::optional<std::pair<QPoint, std::string>>& Readout() const { return readout_; }

    // --- drawing ---
    // The vector from p to q: with clip first clipped to the view shrunk by a pixel; an odd
    // style draws the shaft, a style above 1 an arrowhead of arrowLength at q when q is in view.
    void DrawAtWorldPoint(platform::DeviceContext& dc, canvas::WorldPoint p, canvas::WorldPoint q,
                          long double arrowLength, int colour, int width, bool clip, int style);
    // The vector from a to b (projected points) in a stored pen: odd modes draw the shaft,
    // modes above 1 the head of headSize at b when b is in view.
    void DrawVectorArrow(platform::DeviceContext& dc, canvas::WorldPoint a, canvas::WorldPoint b,
                         long double headSize, const TPenSpec& pen, bool clip, int mode) {
        DrawAtWorldPoint(dc, a, b, headSize, pen.colour, pen.width, clip, mode);
    }
    // Draws the sketch, each stroke in its pen.
    void DrawSketch(platform::DeviceContext& dc);
    // Marks the picture layer stale and repaints.
    void Repaint();

    // --- lists of an example ---
    // Parses a trajectory's four start-value texts into its trees and marks their symbols.
    void CompileTrajectoryTexts(TTrajectory& trajectory);
    // Adds a marked point to example i unless it is there already; then the inventory dialog
    // is refreshed.
    void AddMarkedPoint(int i, int kind, const std::array<long double, 4>& values, int count,
                        std::string_view text);
    // A system trajectory of example i from the start, in the trajectory colour role.
    void AddTrajectory(int i, const TTrajectoryStart& start);
    void AddSlopeTrajectory(int i, Vec3 start, long double step, int colour, int mode, int width);
    void AddRecursionTrajectory(int i, Vec3 start, int terms, int colour, int width);
    void FreezeExtraSlots(TExprNode* tree) const { examples::FreezeExtraSlots(tree, Formulas()); }

    // The cached picture with the lower levels' overlays, and the mouse readout over them; the
    // slide being played instead while slides play.
    void Paint(QPainter& painter, const QRect& dirty) override;
    // While a player runs, a command ends it instead of running.
    bool OnCommand(int id) override;
    void OnTimer(int id) override;
    void MouseMove(const platform::MouseEvent& event) override;
    void MouseUp(const platform::MouseEvent& event) override;
    void Notify(int code) override;
    bool CanMakeMetafile() const override { return true; }
    // Help ... of a graphing window shows the program's overview, not the main window's text.
    QString HelpName() const override { return QStringLiteral("PROGHELP"); }
    void FillTieList(platform::Dialog& dlg, int listId, int anchor) override;

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    // While a player runs, keys steer it and the mouse buttons do nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // A player ends before the window asks whether it may close.
    void closeEvent(QCloseEvent* event) override;
    // Measures the line height of the equations font.
    void MeasureLineHeight();
    // The background layer is stale and the window repaints.
    void BackgroundChanged();
    // Implicit curves are traced anew after a parameter moved, except those of a family of
    // the letter.
    void ForgetImplicitTraces(int letter);

private:
    TInventory inventory_;
    TExampleCompiler compiler_;
    // The inventory and compiler in use: this window's own, or a parent's it shares.
    TInventory* inventoryInUse_ = &inventory_;
    TExampleCompiler* compilerInUse_ = &compiler_;
    TSceneBox box_;
    TObserver observer_;
    TSceneSettings scene_;
    TTracerSettings tracer_;
    TAnimationSettings animation_;
    TToolSettings tools_;
    TLevelSettings level_;
    TStereogramSettings stereogram_;
    TSliderSteps sliderSteps_;
    TDialogPositions dialogPositions_;
    SketchList sketch_;
    TExampleBook book_;
    TNewPens newPens_;
    TPointMapping pointMapping_;
    int dimension_;
    int lineHeight_ = 17;
    std::optional<std::pair<QPoint, std::string>> readout_;
    bool sketching_ = false;
    // A point of the stroke being drawn, at a client point.
    void AddSketchPoint(QPoint point, bool last);
    // The running player; null when none plays.
    std::unique_ptr<TRunningPlayer> player_;
    std::int64_t slideMemory_ = kSlideMemoryBytes;
    TPollSeam traceKeys_;

    // The players' parts.
    void StartPlayer(std::unique_ptr<TRunningPlayer> player, int periodMs, int hint);
    void PlayerTick();
    void PlayerKey(int code);
    // Shows the slide being played; false when no slide plays.
    bool PaintSlide(QPainter& painter);
    // Ends the player: without `closing` the window shows the diagram again and whenDone runs.
    void EndPlayer(bool closing);
};

}  // namespace quorlin::examples
