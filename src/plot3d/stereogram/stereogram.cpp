#include "plot3d/stereogram/stereogram.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/numbers.h"
#include "core/random.h"

namespace quorlin::plot3d {

namespace k = examples::kind;

namespace {

constexpr long double kTiny = 1e-16L;

}  // namespace

TStereoGeometry StereoGeometry(const examples::TStereogramSettings& settings, int imageWidth,
                               int imageHeight, const TBox3& box) {
    TStereoGeometry g;
    g.dotSize = std::max<int>(settings.dotSize, 1);
    g.cell = 2 * g.dotSize;
    g.imageWidth = imageWidth;
    g.imageHeight = imageHeight;
    g.columns = std::max(imageWidth + 1, 0) / g.cell;
    g.rows = imageHeight / g.cell - 2;
    g.box = box;
    if (!g.Drawable()) return g;
    g.centre = {(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2,
                (box.min.z + box.max.z) / 2};
    const long double width = box.max.x - box.min.x;
    // More strips than columns would leave strips without a column.
    g.strips = std::clamp<int>(settings.strips, 1, g.columns);
    g.columnStep = width / (g.columns - 1);
    g.xScale = imageWidth / width;
    g.strip = g.columnStep * (g.columns / g.strips);
    g.repeats = 3 * g.strips;
    g.rowStep = (box.max.y - box.min.y) * g.cell / imageHeight;
    g.depthFactor = width * settings.depth / ((box.max.z - box.min.z + kTiny) * g.strips);
    return g;
}

bool IsStereoSurface(const examples::TExample& e) {
    return (e.kind == k::kSurface || e.kind == k::kPolarSurface) && e.StereogramFlag() != 0;
}

TBox3 StereoBox(const examples::TInventory& inventory) {
    TBox3 box = TBox3::Empty();
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        const examples::TExample& e = inventory[i];
        if (!IsStereoSurface(e)) continue;
        box.Add(e.boxMin);
        box.Add(e.boxMax);
    }
    return box;
}

TExampleHeight::TExampleHeight(FormulaContext& context, examples::TExample& surface)
    : context_(context),
      program_(context, surface.Tree(3).get()),
      polar_(surface.kind == k::kPolarSurface),
      low_(surface.boxMin.z),
      high_(surface.boxMax.z) {}

bool TExampleHeight::Height(long double x, long double y, long double& z) {
    if (polar_) {
        context_.SetVar(slot::kR, std::sqrt(y * y + x * x));
        context_.SetVar(slot::kT, AngleOf(x, y));
    } else {
        context_.SetVar(slot::kX, x);
        context_.SetVar(slot::kY, y);
    }
    return program_.Evaluate(z);
}

long double NextRepeat(const TStereoGeometry& g, TStereoSurface& surface, long double x,
                       long double y) {
    const long double middle = x + g.strip / 2;
    long double z = 0;
    if (!surface.Height(middle, y, z)) z = g.box.max.z;
    z = std::clamp(z, std::min(surface.LowestZ(), surface.HighestZ()),
                   std::max(surface.LowestZ(), surface.HighestZ()));
    // A deep picture would bring a repeat onto its dot or behind it, and the row would not end.
    const long double separation = g.strip - g.depthFactor * (z - g.centre.z);
    return x + std::max(separation, g.columnStep);
}

int DotColumn(const TStereoGeometry& g, long double x) {
    if (!(x >= g.box.min.x)) return -1;
    const long double px = std::round(g.xScale * (x - g.box.min.x));
    if (!(px + g.dotSize <= g.imageWidth)) return -1;
    return static_cast<int>(px);
}

bool IsDotStart(int density) {
    return RandomInt() % 100 < density;
}

namespace {

// A dot and its copies along the row, until one falls outside the image.
void DrawDotAndRepeats(const TStereoGeometry& g, TStereoSurface& surface, long double x,
                       long double y, int py, TDotSink& sink) {
    for (int copy = 0; copy <= g.repeats; ++copy) {
        const int px = DotColumn(g, x);
        if (px < 0) return;
        sink.Dot(px, py);
        x = NextRepeat(g, surface, x, y);
    }
}

}  // namespace

int DrawStereoSurface(const TStereoGeometry& g, TStereoSurface& surface, int density,
                      long double yTop, int topRow, TDotSink& sink,
                      const std::function<int()>& pollKey,
                      const std::function<void(int row)>& afterRow) {
    if (!g.Drawable()) return 0;
    long double y = yTop;
    int py = topRow;
    for (int row = 0; row <= g.rows; ++row) {
        const long double start = g.box.min.x;
        const long double end = NextRepeat(g, surface, start, y);
        // Counted columns: the end lies at least one column step on, so the row has a start,
        // and no more starts than columns however far the end lies.
        for (int column = 0; column < g.columns; ++column) {
            const long double x = start + column * g.columnStep;
            if (!(x < end)) break;
            if (IsDotStart(density)) DrawDotAndRepeats(g, surface, x, y, py, sink);
        }
        y -= g.rowStep;
        py += g.cell;
        if (afterRow) afterRow(row);
        if (pollKey && pollKey() == kKeyStop) return kKeyStop;
    }
    return 0;
}

void DrawGuideDots(const TStereoGeometry& g, TDotSink& sink) {
    if (!g.Drawable()) return;
    const int py = g.imageHeight - g.cell;
    for (const long double x : {g.centre.x - g.strip / 2, g.centre.x + g.strip / 2}) {
        const int px = DotColumn(g, x);
        if (px >= 0) sink.GuideDot(px, py);
    }
}

int DrawStereogram(const TStereoGeometry& g, examples::TInventory& inventory,
                   FormulaContext& context, int density, long double yTop, int topRow,
                   TDotSink& sink, const std::function<int()>& pollKey,
                   const std::function<void(int row)>& afterRow) {
    if (!g.Drawable()) return 0;
    int key = 0;
    for (int i = 0; i <= inventory.LastIndex() && key != kKeyStop; ++i) {
        if (!IsStereoSurface(inventory[i])) continue;
        sink.BeginSurface(i);
        TExampleHeight surface(context, inventory[i]);
        key = DrawStereoSurface(g, surface, density, yTop, topRow, sink, pollKey, afterRow);
    }
    DrawGuideDots(g, sink);
    return key;
}

}  // namespace quorlin::plot3d
