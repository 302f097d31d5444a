#pragma once
// The drawers of the 2D example kinds: each draws one example of the inventory by its kind, with
// its pen, density and drawing options, on a draw target (the window's canvas, or the range
// window of a map pair through its map). The kind table maps each kind code to its drawer;
// DrawExample2D adds what every kind shares: a hidden graph draws nothing, a family draws one
// member per value of its parameter, and the window's variables are as before afterwards.
//
// Drawers return 0, 81 when the key poll answered Q (the caller stops drawing), or an error
// number. An example whose trees are missing (a text that did not compile) draws nothing.
#include <functional>
#include <map>

#include "examples/records/inventory.h"
#include "formula/formula_context.h"
#include "plot2d/draw_target.h"

namespace quorlin::plot2d {

struct TDrawEnvironment;
using TKindDrawer = std::function<int(TDrawEnvironment&, int index)>;

// Kind code -> drawer. The window keeps one and plugs in the drawers of the kinds that other
// parts trace (implicit curves, differential equations, sequences, intrinsic curves).
class TKindDrawers {
public:
    // The drawers of every 2D kind: 201 (213), 202-212, 215, 218-220, 225.
    static TKindDrawers Standard();

    // Null for a kind without a drawer.
    const TKindDrawer* Find(int kind) const;
    void Set(int kind, TKindDrawer drawer) { table_[kind] = std::move(drawer); }

private:
    std::map<int, TKindDrawer> table_;
};

struct TDrawEnvironment {
    FormulaContext& formula;
    examples::TInventory& inventory;
    TDrawTarget& target;
    const TKindDrawers& drawers;
    // The Lagrange polynomial whose points are being picked: its points show as dots.
    int lagrangeExample = -1;
    // The window's "Infinite slopes": a dy/dx trajectory ends where it turns through a
    // vertical tangent.
    bool infiniteSlopes = false;
    // Palette index of the diagonal y = x drawn under a web diagram (colour role "y=x (web)").
    int webDiagonalColour = 4;
    // Shows what is drawn so far and waits the milliseconds: a watched family of points shows
    // each member. Empty where nothing is to be watched (exports, prints, animation frames).
    std::function<void(int delayMs)> showMember;
};

// Draws example i: nothing when its graph is hidden or its kind has no drawer; every member of
// its family when the family is on. The variables are restored afterwards.
int DrawExample2D(TDrawEnvironment& env, int i);

// --- drawers of single kinds, for the table and the tests ---
int DrawExplicit(TDrawEnvironment& env, int i);       // 201 (also periodic and Lagrange)
int DrawPolar(TDrawEnvironment& env, int i);          // 202
int DrawParametric(TDrawEnvironment& env, int i);     // 203
int DrawSegment(TDrawEnvironment& env, int i);        // 205
int DrawIntegral(TDrawEnvironment& env, int i);       // 206
int DrawRoulette(TDrawEnvironment& env, int i);       // 207
int DrawLine(TDrawEnvironment& env, int i);           // 208
int DrawPoint(TDrawEnvironment& env, int i);          // 209
int DrawPlotPoints(TDrawEnvironment& env, int i);     // 215
int DrawSeries(TDrawEnvironment& env, int i);         // 218
int DrawOrbitalSystem(TDrawEnvironment& env, int i);  // 219
int DrawImplicit(TDrawEnvironment& env, int i);       // 204
int DrawSystem(TDrawEnvironment& env, int i);         // 210
int DrawSlopeEquation(TDrawEnvironment& env, int i);  // 211
int DrawSequence(TDrawEnvironment& env, int i);       // 212
int DrawHigherOrder(TDrawEnvironment& env, int i);    // 220
int DrawIntrinsic(TDrawEnvironment& env, int i);      // 225

}  // namespace quorlin::plot2d
