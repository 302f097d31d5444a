#pragma once
// The drawers of the 2D example kinds: one function per kind that samples the example's
// compiled trees and draws it through the canvas primitives, so the screen, the printer, the
// metafile and every export receive the same picture. The window looks a drawer up by the
// example's kind in the drawer table; a kind without a drawer draws nothing.
//
// A drawer returns 0, or the interrupt key (81) when Q stopped it.
#include <QColor>

#include <functional>

#include "canvas/canvas_primitives.h"
#include "examples/compile.h"
#include "examples/inventory.h"
#include "formula/formula_context.h"

namespace quorlin::plot2d {

inline constexpr int kStop = 81;

// What a drawer needs of its window.
struct TDrawContext {
    examples::TInventory& inventory;
    examples::TExampleCompiler& compiler;
    FormulaContext& formulas;
    const canvas::TViewFrame& view;
    // The colour a palette index is drawn in.
    std::function<QColor(int paletteIndex)> colour;
    // Device pixels of a stored pen width.
    std::function<int(int width)> penWidth;
    // Asked now and then during long drawings: kStop ends the drawing. Empty: never asked.
    std::function<int()> pollKey;
};

using TDrawer = int (*)(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim);

// The drawer of a kind; null for a kind that has none.
TDrawer FindDrawer(int kind);

// Draws example `index` by its kind; 0 for a kind without a drawer.
int DrawByKind(TDrawContext& context, int index, canvas::TCanvasPrimitives& prim);

// Selects the example's pen: its colour, width and style.
void SelectExamplePen(TDrawContext& context, const examples::TExample& example,
                      canvas::TCanvasPrimitives& prim);

}  // namespace quorlin::plot2d
