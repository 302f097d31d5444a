#pragma once
// The observer of a 3D window as plain computation: the view quantities derived from eye and
// focus (ComputeViewAngles), the point of the focus plane that projects to a view point, and the
// observer's moves: scaling its distance, bringing it into the scene's distance band, turning
// it about the vertical through the focus and tilting it. The projection itself is
// examples::ProjectPoint, which reads what ComputeViewAngles leaves.
//
// An eye straight above or below the focus has no horizontal screen axis: the quantities stay
// finite (h is held at 1e-16), and MoveEyeOffVertical puts such an eye a little aside, as an
// eye read from a file or an ini file is.
#include <limits>

#include "core/vectors.h"
#include "examples/operations/plot_geometry.h"

namespace quorlin::plot3d {

using examples::TObserver;
using examples::TSceneBox;

// Where a 3D window puts its eye before any setting says otherwise.
inline constexpr Vec3 kDefaultEye{15, 20, 10};

// D = E - F (Eb in Cube mode), h2, h, d, K1 = d^2 / h, K2 = d / h, K3 = 1 / (d h) and the
// horizontal screen axis U = (-Dy, Dx, 0) / h. F is the observer's focus.
void ComputeViewAngles(TObserver& observer);

// The world point of the focus plane that projects to (u, v):
// F + K3 (d u (-Dy, Dx, 0) - v Dz (Dx, Dy, 0) + v h2 (0, 0, 1)).
Vec3 FocusPlanePoint(const TObserver& observer, long double u, long double v);

// Whether the eye lies (almost) on the vertical through the focus, where no tilt or turn acts.
bool IsEyeVertical(const TObserver& observer);
// Moves such an eye aside by a twentieth of its height over the focus (along x), keeping its
// height; the box eye follows. False when the eye was not vertical.
bool MoveEyeOffVertical(TObserver& observer, const TSceneBox& box);

// E = F + f (E - F); the box eye follows.
void ScaleObserverDistance(TObserver& observer, const TSceneBox& box, long double factor);

// Too far: the taxicab distance of the eye from the focus exceeds 10000 box sizes. Too close:
// the eye's box coordinates x and y both lie within -2..2.
bool IsEyeTooFar(const TSceneBox& box, Vec3 eye);
bool IsEyeTooClose(const TSceneBox& box, Vec3 eye);

// Halves the eye's distance from the focus while it is too far, then doubles it while it is too
// close, along the line from the focus (an eye on the focus or not finite first goes out along
// the default eye's direction, a vertical one first goes aside). Bounded: the number of moves
// made, at most kMaxDistanceMoves, which is enough to bring any finite eye from the end of the
// long-double range into the band.
inline constexpr int kMaxDistanceMoves =
    2 * (std::numeric_limits<long double>::max_exponent -
         std::numeric_limits<long double>::min_exponent + std::numeric_limits<long double>::digits);
int AdjustObserverDistance(TObserver& observer, const TSceneBox& box);

// Turns the eye about the vertical through the focus by the angle step (negative for Back);
// in Cube mode the box eye turns and the eye follows. Sets the view-moved flag.
void TurnObserver(TObserver& observer, const TSceneBox& box, bool forward);

// Raises (or lowers) the eye's elevation over the focus by 2.5% of what is left to the vertical
// (from the other side of the horizontal: by 0.025 pi/2), keeping its horizontal distance.
// The elevation never reaches +-pi/2. An eye straight above the focus is not moved (false).
bool TiltObserver(TObserver& observer, const TSceneBox& box, bool up);

// The eye's elevation over the focus (radians), in (-pi/2, pi/2).
long double EyeElevation(const TObserver& observer);

}  // namespace quorlin::plot3d
