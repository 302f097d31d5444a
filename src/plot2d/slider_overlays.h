#pragma once
// What the tracing sliders draw over the picture of a 2D window: the cursor of the curve slider
// with its secant from the base point or its tangent vector (on an explicit curve the tangent
// line and the secant line's chord), and the cursor of the trajectory slider with the field
// vector there. Positions are values of the plane; the target maps them to its plot coordinates.
#include "core/vectors.h"
#include "examples/operations/curve_cursor.h"
#include "plot2d/draw_target.h"

namespace quorlin::plot2d {

struct TCurveOverlay {
    examples::TCursorState cursor;
    bool explicitCurve = false;
    bool secants = false;
    bool tangents = false;  // or the Frenet frame
    int colour = 1;         // palette index
    int width = 1;
};

struct TTrajectoryOverlay {
    Vec3 state;
    Vec3 vector;  // as drawn: the field, or scaled to the typed length
    int colour = 0;
    int width = 1;
};

// Pixel sizes of the marks.
inline constexpr int kCursorRadius = 4;
inline constexpr int kBaseRadius = 3;
inline constexpr int kSliderArrowPixels = 10;

void DrawCurveSliderOverlay(TDrawTarget& target, const TCurveOverlay& overlay);
void DrawTrajectorySliderOverlay(TDrawTarget& target, const TTrajectoryOverlay& overlay);

}  // namespace quorlin::plot2d
