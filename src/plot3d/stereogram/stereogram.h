#pragma once
// Random-dot stereograms without a window: the geometry of one picture (cells, columns, rows,
// strips, the box of the flagged surfaces and the scales between box and pixels), the place of a
// dot's next repeat from the surface height between the dot and its copy, and the drawing of the
// whole picture row by row into a dot sink, with a random start decision per column and a key
// poll after each row.
//
// Degenerate pictures draw nothing: fewer than two columns, no row, or no flagged surface (an
// empty box). The strips are bounded by the columns, and a repeat never comes closer than one
// column step, so every row's loops end whatever the depth.
#include <functional>
#include <memory>
#include <vector>

#include "examples/records/inventory.h"
#include "examples/records/plot_settings.h"
#include "formula/formula_context.h"
#include "formula/tree_program.h"
#include "plot3d/scene/scene_box.h"

namespace quorlin::plot3d {

// What one drawing of a stereogram needs, computed from the settings, the image size and the
// box of the flagged surfaces.
struct TStereoGeometry {
    int dotSize = 1;
    int cell = 2;     // pixels from one dot position to the next, in x and in y
    int columns = 0;  // dot positions across the image
    int rows = -1;    // the rows 0..rows are drawn
    int strips = 8;   // repeat strips across the image, at most the columns
    int imageWidth = 0;
    int imageHeight = 0;
    TBox3 box = TBox3::Empty();
    Vec3 centre{0, 0, 0};
    long double columnStep = 0;  // world x from one column to the next
    long double xScale = 0;      // pixels per world unit in x
    long double strip = 0;       // the separation at the centre's height
    int repeats = 0;             // copies of a dot at most, beyond the first
    long double rowStep = 0;     // world y from one row to the next
    long double depthFactor = 0;

    // Whether anything is drawn: two columns, a row and a box of some width that holds a
    // surface.
    bool Drawable() const {
        return columns >= 2 && rows >= 0 && !box.IsEmpty() && box.max.x > box.min.x;
    }
};

TStereoGeometry StereoGeometry(const examples::TStereogramSettings& settings, int imageWidth,
                               int imageHeight, const TBox3& box);

// Whether example e is drawn in the stereogram: a 301 or 302 with its flag set.
bool IsStereoSurface(const examples::TExample& e);
// The box of the flagged surfaces; empty when there is none.
TBox3 StereoBox(const examples::TInventory& inventory);

// The height of one surface over a point of the picture's plane.
class TStereoSurface {
public:
    virtual ~TStereoSurface() = default;
    // z at (x, y); false where the surface is undefined.
    virtual bool Height(long double x, long double y, long double& z) = 0;
    virtual long double LowestZ() const = 0;
    virtual long double HighestZ() const = 0;
};

// An example of kind 301 (z = f(x, y)) or 302 (z = f(r, t), r and t of the point), evaluated in
// the context through its compiled z tree; its z range is its box's.
class TExampleHeight : public TStereoSurface {
public:
    TExampleHeight(FormulaContext& context, examples::TExample& surface);
    bool Height(long double x, long double y, long double& z) override;
    long double LowestZ() const override { return low_; }
    long double HighestZ() const override { return high_; }

private:
    FormulaContext& context_;
    TreeProgram program_;
    bool polar_;
    long double low_;
    long double high_;
};

// The x of the repeat of a dot at x on the row at y: one strip on at the centre's height,
// closer for higher points (a failed evaluation counts as the box's top); the height is held to
// the surface's z range, and the repeat is at least one column step on.
long double NextRepeat(const TStereoGeometry& g, TStereoSurface& surface, long double x,
                       long double y);

// Where the dots go: pixel positions in the image (the top-left corner of each dot).
class TDotSink {
public:
    virtual ~TDotSink() = default;
    // The dots of example i follow (in its colour).
    virtual void BeginSurface(int /*i*/) {}
    virtual void Dot(int px, int py) = 0;
    // The two guide dots, in black, one strip apart.
    virtual void GuideDot(int px, int py) = 0;
};

// The pixel column of world x, or -1 when a dot there would not fit the image.
int DotColumn(const TStereoGeometry& g, long double x);

// Whether a start position gets a dot: the density is the chance in per cent (the program's
// random generator).
bool IsDotStart(int density);

// The rows of one surface, from the row at world yTop on pixel row topRow; after each row the
// poll is asked for a key. 81 when Q stopped it (the rows after are skipped), else 0. afterRow
// (may be empty) learns of each row drawn, for a progress report.
int DrawStereoSurface(const TStereoGeometry& g, TStereoSurface& surface, int density,
                      long double yTop, int topRow, TDotSink& sink,
                      const std::function<int()>& pollKey,
                      const std::function<void(int row)>& afterRow = {});

// The two guide dots on the row one cell above the image's bottom, half a strip each side of the
// centre.
void DrawGuideDots(const TStereoGeometry& g, TDotSink& sink);

// The whole picture: every flagged surface in inventory order (until Q), then the guide dots,
// which a Q leaves in place. 81 when Q stopped it, else 0 (also when nothing was drawable).
int DrawStereogram(const TStereoGeometry& g, examples::TInventory& inventory,
                   FormulaContext& context, int density, long double yTop, int topRow,
                   TDotSink& sink, const std::function<int()>& pollKey,
                   const std::function<void(int row)>& afterRow = {});

}  // namespace quorlin::plot3d
