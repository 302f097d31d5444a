#pragma once
// Affine maps of the plane as expression trees, for the examples the transform tools derive:
// reflections, half-turns, rotations and translations whose coefficients may hold parameters.
//
// A map keeps its forward form (the image of a point) and its inverse (the point an image comes
// from), both as x' = m00 X + m01 Y + t0, y' = m10 X + m11 Y + t1. Curves given by coordinates
// take the forward map; curves and fields given as functions of (X, Y) are pulled back through
// the inverse. Every result is a new tree; the builders fold the constants 0 and 1 they make
// themselves, so an axis reflection stays as small as the tree it reflects.
#include <array>

#include "formula/expr_node.h"
#include "formula/tree_builders.h"

namespace quorlin::tools2d {

struct TAffineMap {
    std::array<std::array<NodePtr, 2>, 2> m;  // m[row][column]
    std::array<NodePtr, 2> t;
};

struct TPlaneMap {
    TAffineMap forward;
    TAffineMap inverse;
};

// --- the maps (coefficient trees are copied; a null one makes the parts that use it null) ---
TPlaneMap ReflectInXAxis();
TPlaneMap ReflectInYAxis();
TPlaneMap ReflectInDiagonal();  // the line x = y
// The line a x + b y = c: divides by a^2 + b^2, so it is undefined where that vanishes.
TPlaneMap ReflectInLine(const TExprNode* a, const TExprNode* b, const TExprNode* c);
TPlaneMap HalfTurnAbout(const TExprNode* cx, const TExprNode* cy);
TPlaneMap RotateAbout(const TExprNode* angle, const TExprNode* cx, const TExprNode* cy);
TPlaneMap TranslateBy(const TExprNode* a, const TExprNode* b);

// --- applying them ---
// The image (m00 u + m01 v + t0, m10 u + m11 v + t1) of the point (u, v).
NodePair MapPoint(const TAffineMap& map, const TExprNode* u, const TExprNode* v);
// The image of the direction (u, v): the linear part only.
NodePair MapVector(const TAffineMap& map, const TExprNode* u, const TExprNode* v);
// The tree with X and Y replaced at once by u and v (through placeholders that are no letter,
// so neither replacement is replaced again).
NodePtr SubstituteXY(const TExprNode* tree, const TExprNode* u, const TExprNode* v);
// F(inverse(X, Y)): the curve F = 0 or the field F carried along by the map.
NodePtr PullBack(const TPlaneMap& map, const TExprNode* tree);
// The line a x + b y = c carried by the map: its new coefficients.
std::array<NodePtr, 3> MapLine(const TPlaneMap& map, const TExprNode* a, const TExprNode* b,
                               const TExprNode* c);
// True when the map sends graphs y = f(x) to graphs: x' depends on x alone through a constant
// factor +-1 (axis reflections, half-turns, translations).
bool KeepsGraphs(const TAffineMap& map);
// The constant factor of x in x' (+-1 for a map that keeps graphs).
long double XFactor(const TAffineMap& map);

}  // namespace quorlin::tools2d
