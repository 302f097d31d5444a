#pragma once
// TLevelWin: the level-curve window ("LEVELMENU", "lev.ini") of a 3D window. It shows, in the
// plane of the two other variables, the curves where one surface of the parent's inventory meets
// x = c, y = c or z = c. It works on the parent's inventory for its whole life, so curves traced
// here are the example's own, and the parent ends it before its examples go.
//
// For z levels of z = f(x, y) it has a cursor mode (128): a point dragged with the left button
// (or typed at the right one) with f there, the level curve through it traced afresh in each
// paint and dropped again, and on request the gradient and a unit direction with the derivative
// along it; the direction's angle comes from the direction dialog (direction_dialog.h).
#include <QPointer>
#include <span>

#include "examples/records/inventory.h"

#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levelcurves/level_model.h"
#include "plot3d/levels/plot_q_win.h"

namespace quorlin::plot3d {

class TPlotRWin;

// A level window shows a range of its plane with half sizes of this part of the range's sides:
// the range and a margin about it.
inline constexpr long double kLevelViewMargin = 0.53L;
// Level curves close their loops within half a pixel, in the level window and over the 3D
// picture alike: a tolerance in world units would cut small loops short.
inline constexpr long double kLevelLoopClosingPixels = 0.5L;

class TLevelWin : public TPlotQWin {
public:
    TLevelWin(TPlotRWin& parent, QString title);
    ~TLevelWin() override;

    TPlotRWin& Parent() const { return parent_; }
    int ExampleIndex() const { return example_; }
    const TCursorValues& Cursor() const { return cursor_; }
    long double Angle() const { return theta_; }
    bool GradientShown() const { return gradientOn_; }
    bool DirectionShown() const { return directionOn_; }
    TPctDlg* DirectionDialog() const { return directionDialog_.data(); }

    // Prepares the window for the level: the example, the axes of its plane, the tolerance, the
    // view about the example's box and the cursor point at its centre.
    void ShowLevel(const TLevelRequest& request);
    // The example moved to index i (-1: it was removed and nothing is drawn).
    void ExampleRenumbered(int i);
    // The parent's examples changed (an edit, a parameter): the parent's variables and scene
    // box are taken again, the values at the cursor afresh, and the curves drawn again, so
    // nothing of the old surface stays shown.
    void ExamplesChanged();
    // Draws the level at once (a search shows its curves as they come): 0, or 81 after Q.
    int DrawNow();
    // Grid and axes, then the example's curves of the level: 0, or 81 after Q.
    int DrawAll(platform::DeviceContext& dc) override;
    // Overlays, then in the cursor mode the cursor's curve, the direction and the gradient.
    int DrawPicture(platform::DeviceContext& dc) override;
    // Slot 167: the direction's angle changed (radians).
    void SetDirectionAngle(long double theta) override;
    // Everything that hangs on the cursor point; nothing outside the cursor mode.
    void UpdateCursorValues();
    // The cursor point moves to a world point; both windows show it.
    void MoveCursorTo(long double x, long double y);
    // The right button in the cursor mode: the point's coordinates in "LAGPT", starting at the
    // mouse point; OK moves the cursor to the point typed (it must lie in the view), Cancel
    // leaves the cursor and its values as they were.
    void EditCursorPoint(canvas::WorldPoint at);
    // The level curve through the cursor, traced and not kept: the curve list and the variables
    // are as before, also after Q. 0 or 81.
    int DrawCursorLevelCurve(platform::DeviceContext& dc);

    void SetMouseMode(int id) override;
    void EnableCommand(platform::CommandState& state) override;
    void UpdateMenuChecks(bool flag) override;
    void NumberFormatChanged() override;
    bool FiltersLevels() const override { return true; }
    // Its curves are the parent's examples': it closes without a question.
    bool CanClose() override { return true; }
    // The parent's redraw after a cursor move (tests count them).
    void SetParentRedraw(std::function<void()> redraw) { parentRedraw_ = std::move(redraw); }

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    QString NormalCaption() const override { return title_; }

private:
    void RegisterCommands();
    void RegisterCursorMouse();
    void ToggleGradient();
    void ToggleDirection();
    void PictureChanged();
    void RedrawParent();
    // The parent's screen painted again once this window has gone, if the parent still stands.
    void RepaintParentLater();
    // An arrow from the cursor point by the vector, clipped to the view, with its label.
    void DrawCursorArrow(platform::DeviceContext& dc, std::array<long double, 2> v, int role);
    void DrawCornerText(platform::DeviceContext& dc, const QString& text, int role, bool right,
                        bool bottom);
    int LabelInset() const;

    TPlotRWin& parent_;
    // The parent as an object, taken while it stood whole: a closing parent is not touched.
    QPointer<QObject> parentObject_;
    QString title_;
    QPointer<TPctDlg> directionDialog_;
    int example_ = -1;
    bool gradientOn_ = false;
    bool directionOn_ = false;
    long double theta_ = 2.0L;
    TCursorValues cursor_;
    bool dragging_ = false;
    int lastKey_ = 0;
    std::function<void()> parentRedraw_;
};

// A dialog of one example and the level window that shows its curves follow the example to its
// new index after examples were removed; when it is gone the dialog hides and neither shows
// anything of it any more. Either may be absent.
template <typename ExampleDialog>
void FollowRenumbering(ExampleDialog* dialog, TLevelWin* window, std::span<const int> oldToNew) {
    if (dialog) {
        const int i = examples::RenumberedExample(dialog->Example(), oldToNew);
        if (i < 0) dialog->HideDialog();
        dialog->SetExample(i);
    }
    if (window)
        window->ExampleRenumbered(examples::RenumberedExample(window->ExampleIndex(), oldToNew));
}

}  // namespace quorlin::plot3d
