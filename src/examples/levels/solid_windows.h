#pragma once
// The 3D windows a plane window's solid tools draw into: "sections.qz3" for the cross-section
// solids and "surfrev.qz3" for the surfaces of revolution, as the tools reach them.
//
// The 3D windows stand above these levels beside the tools, and neither knows the other, so the
// tools see a window only through this interface. The program installs the maker once
// (SetSolidWindowMaker); the tools make each window on their first request, keep it and show it
// again on the next, and end it when their plane window closes. Closing a solid window by its
// own "Close" only hides it. Without a maker there are no solid windows.
#include <QString>

#include <functional>
#include <memory>

#include "examples/operations/section_surface.h"

namespace quorlin::examples {

class TPlot11Win;

class TSolidWindow {
public:
    // Leaves the window as it is: Close ends it.
    virtual ~TSolidWindow() = default;

    // The window's levels: its inventory, formulas, parameters and user functions.
    virtual TPlot11Win& Levels() = 0;
    // Shows the window again when it was hidden.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Whether the window still exists (its owner's end, or the program's, takes it).
    virtual bool Exists() const = 0;
    // A parametric surface drawn as a family; nothing when the inventory is full.
    virtual void AddSectionSurface(const TSectionSurface& surface) = 0;
    // The scene box taken around the examples and fitted to the window, drawn anew.
    virtual void FitView() = 0;
    // The owner's end of the window.
    virtual void Close() = 0;
};

// Makes a solid window titled `title` for the plane window `owner`; null when it cannot be made.
// `place` is its place among the owner's solid windows (0, 1, ...): each stands a cascade step
// further right and down than the one before, so that they open side by side, never one over
// the other.
using SolidWindowMaker = std::function<std::unique_ptr<TSolidWindow>(
    TPlot11Win& owner, const QString& title, int place)>;

// Installs the maker (empty: none).
void SetSolidWindowMaker(SolidWindowMaker maker);
const SolidWindowMaker& GetSolidWindowMaker();

}  // namespace quorlin::examples
