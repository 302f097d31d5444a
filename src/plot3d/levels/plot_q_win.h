#pragma once
// TPlotQWin: the base level of every 3D-style window. It fixes the dimension (3), the diagram
// kind (961), the plotted pair (the projection), the 3D menu and keys, and the 3D block of the
// ini file ("qz3.ini" for the 3D windows): LoadIni keeps what was read, ApplyIniSettings takes
// it into the window (an axes switch that was on waits for the first example: pending axes),
// CollectIniSettings gathers it back before the window closes. It owns the 3D state
// (TScene3DState) and introduces the 3D-branch slots 162-167, empty here.
//
// It draws what is drawn slowly (plot_q_slices.cpp): a surface slice by slice, a curve or a
// segment as one slice, every point tested against the box and the surfaces, and a segment
// sampled into runs of visible samples; and it adds point examples.
#include <functional>
#include <optional>
#include <string_view>

#include "canvas/canvas_primitives.h"
#include "examples/levels/plot111_win.h"
#include "plot3d/painting/slice_plan.h"
#include "plot3d/scene/ini3d.h"
#include "plot3d/scene/scene3d_state.h"
#include "shell/long_work_hint.h"

namespace quorlin::plot3d {

inline constexpr int kPlot3DFileKind = 961;

class TPlotQWin : public examples::TPlot111Win {
public:
    TPlotQWin(QString fileName, QString iniName, std::string_view menu, QWidget* parent = nullptr);

    TScene3DState& Scene3D() { return scene3d_; }
    const TScene3DState& Scene3D() const { return scene3d_; }
    // The ini block as last read or collected.
    const TIni3DSettings& IniSettings() const { return ini_; }

    // --- slots 162-167 ---
    virtual int ShowLevelWindow() { return 0; }
    virtual void HideLevelWindow() {}
    // The intersection curves of example i (a surface intersection) in the window of
    // intersection curves, searched first when asked: the key of that drawing (81 after Q).
    virtual int ShowIntersectionWindow(int /*i*/, bool /*search*/) { return 0; }
    virtual void HideIntersectionWindow() {}
    virtual void ShowStereogramWindow() {}
    virtual void SetDirectionAngle(long double) {}

    // --- the 3D ini block ---
    // Gathers the window's values into the block the ini file gets.
    void CollectIniSettings();
    // Takes the block that was read into the window; nothing when no ini file was read.
    void ApplyIniSettings();
    void StoreIni(IniRecord& record) const override;
    void LoadIni(const IniRecord& record) override;

    // --- slow drawing ---
    // The slices of example i in one direction (1: v fixed, 2: u fixed), for each member of
    // its family (the letter given back afterwards): 0, or 81 when Q stopped them.
    int DrawBySlices(platform::DeviceContext& dc, int i, int direction);
    // The two slices of example i through its point (u, v), at fixed v and at fixed u, each
    // 100 steps long, in the example's colour and style at the given width; the variables are
    // given back. What the slicer shows over the picture.
    void DrawSlicesThrough(platform::DeviceContext& dc, int i, long double u, long double v,
                           int penWidth);
    // One slice at the fixed value, `points` steps along the running parameter; a segment
    // (308) is drawn whole. The runs of visible points are curve pieces. 0 or 81.
    int DrawSlice(canvas::TCanvasPrimitives& prim, int i, int direction, int points,
                  long double value, TStopPoll& poll);
    // An arrow whose head sits at p, pointing along v, `length` view units long, in the pen.
    void DrawDirectionArrow(canvas::TCanvasPrimitives& prim, Vec3 p, Vec3 v, long double length,
                            const examples::TPenSpec& pen);
    // The segment a -> b in the pen: whole (clipped to the view) when asked or when neither
    // hidden segments nor the box are tested, else sampled in n steps (at least one) and drawn
    // as its runs of samples in the box (insideBox) and not hidden. 0, or 81 when Q stopped it.
    int DrawSegment3D(canvas::TCanvasPrimitives& prim, Vec3 a, Vec3 b,
                      const examples::TPenSpec& pen, bool drawWhole, bool insideBox, int n,
                      TStopPoll& poll);
    // The ends of a segment (308) from its texts 1-3 and 4, 6, 7; false where one cannot be
    // read.
    bool ReadSegmentEnds(const examples::TExample& e, Vec3& a, Vec3& b);
    // The length of an example's arrows in view units: its size word plus 10 pixels.
    long double ArrowLength(const examples::TExample& e) const;
    // A point example at p (kind 309, colour 0, the window's dot size), labelled and drawn.
    // False, after error 4, when the inventory has no room.
    bool AddPointExample(Vec3 p);
    // Shows the picture again from the cached layers (and what PaintPrepared draws over it).
    void RedrawPrepared();
    // The key poll of slow drawing: through the window, none while it must not poll.
    std::function<int()> SlowDrawingKey();
    // The key poll of a long drawing, asked by time; the hint shows the key once it runs long.
    TStopPoll HintedKeyPoll(TLongWorkHint& hint);
    // Replaces the window's key poll in slow drawing (tests inject their keys; empty: none).
    void InjectSlowDrawingKey(std::function<int()> poll) { injectedKey_ = std::move(poll); }
    // How often slow drawing asks for keys (tests ask at every sample).
    void SetPollInterval(TStopPoll::Clock::duration interval) { pollInterval_ = interval; }

    // A surface intersection's curve is traced in a plane and lies on its surfaces.
    std::optional<Vec3> TracedPointInSpace(int i, Vec3 traced) override;

    // The pending axes come on (after the first example was drawn).
    void ShowPendingAxes();

    // The shell's reset, the pictures and user functions freed, the view about the origin
    // with half sizes 5, E = e.
    void ResetWindow() override;

protected:
    // After each paint the caption names the diagram's file again (the first title goes with
    // the first paint); a key hint of a running operation stays.
    void Paint(QPainter& painter, const QRect& dirty) override;

private:
    TScene3DState scene3d_;
    TIni3DSettings ini_;
    std::optional<TIni3DRead> iniRead_;
    TStopPoll::Clock::duration pollInterval_ = TStopPoll::kInterval;
    std::function<int()> injectedKey_;
};

}  // namespace quorlin::plot3d
