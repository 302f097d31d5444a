#pragma once
// The view frame of a graphing window as a plain value: which rectangle of the plane the
// drawing area shows, how many world units one pixel covers, and the maps between world
// coordinates and the pixels of the drawing area.
//
// A frame is given either by its centre and half-width (the axis scales are linked through the
// aspect factor and the half-height follows the area's proportions) or by its four corners
// (the corners flag; each axis has its own scale). Logarithmic windows keep a second set of
// corners whose coordinates are decimal exponents on a logarithmic axis. The clipping, plane
// and label helpers that work on world geometry live here too (the plain ones in
// world_geometry.h, which the 3D tests share).
#include <array>
#include <string>

#include "canvas/export_view.h"
#include "canvas/records/world_geometry.h"
#include "canvas/records/world_rect.h"
#include "platform/device_context.h"

namespace quorlin::canvas {

struct TViewFrame {
    long double centreX = 0;
    long double centreY = 0;
    long double halfWidth = 5;
    long double halfHeight = 5;
    // The corners of the view: left, right, down, up.
    long double left = -5;
    long double right = 5;
    long double down = -5;
    long double up = 5;
    // Corners of a logarithmic window: decimal exponents on a logarithmic axis, plain values on
    // a linear one. The plot coordinates of a logarithmic axis are those exponents.
    long double altLeft = -5;
    long double altRight = 5;
    long double altDown = -5;
    long double altUp = 5;
    bool cornersFlag = false;  // given by the corners; the axis scales are unlinked
    long double aspect = 1;    // y units per pixel over x units per pixel while linked
    int logMode = kLogNone;
    long double unitsPerPixelX = 0.025L;
    long double unitsPerPixelY = 0.025L;
    int areaWidth = 401;  // drawing area in pixels
    int areaHeight = 401;
    int leftMargin = 0;
    int topMargin = 0;
    long double zoomFactor = 2;
    long double tickOriginX = 0;
    long double tickOriginY = 0;
    int tickAdjust = 0;
    long double tickFitInterval = 10;  // an interval grows by this factor ...
    long double tickFitCount = 0.1;    // ... and its tick count shrinks by this one

    // Takes a new drawing-area size (at least one pixel each way); RecomputeView follows.
    void SetAreaSize(int width, int height);
    // Recomputes the frame and the scales from the centre and half-width (linked scales), from
    // the corners (corners flag), or from the logarithmic corners (log mode above 0).
    void RecomputeView();
    // Units per pixel from the corners and the area size.
    void ComputeScales();
    // A view by centre and half sizes; with the corners flag the corners are centre -/+ half
    // sizes, else the scales are linked and the half-width is widened so that at least the
    // asked half-height shows (a half-height of 0 asks for none).
    void SetView(long double cx, long double cy, long double hw, long double hh, bool corners);
    // The frame of a logarithmic window from corner values (exponents taken on a logarithmic
    // axis); the caller checked that values on a logarithmic axis are positive.
    void SetLogCorners(long double l, long double r, long double d, long double u);
    // Zooms about the centre: out multiplies the half sizes by the zoom factor, in divides.
    void Zoom(bool out);

    // Whether the transforms can carry this view: finite corners, world units per pixel and
    // pixels per world unit that neither overflow nor vanish, and pixels wide enough that the
    // long doubles at the corners tell them apart. Any size of view passes as long as this
    // holds.
    bool Representable() const;

    long double PixelsPerUnitX() const { return 1 / unitsPerPixelX; }
    long double PixelsPerUnitY() const { return 1 / unitsPerPixelY; }
    TLDRect Corners() const { return {left, right, down, up}; }
    TLDRect AltCorners() const { return {altLeft, altRight, altDown, altUp}; }

    // The world-to-pixel map of the drawing area; the maps below go through it.
    PixelMapping Mapping() const;
    // World to pixel of the drawing area, rounded and clamped to -1 .. size + 1 (margins
    // added).
    int XToScreen(long double x) const;
    int YToScreen(long double y) const;
    // Both coordinates as above; true when the point falls inside the drawing area.
    bool PointToScreen(WorldPoint p, QPoint& out) const;
    long double ScreenToX(int sx) const;
    long double ScreenToY(int sy) const;
    WorldPoint ScreenToWorld(QPoint p) const { return {ScreenToX(p.x()), ScreenToY(p.y())}; }
    TLDRect ScreenRectToWorld(const platform::PixelRect& r) const;
    // The pixel rectangle of a world rectangle, clamped to the drawing area.
    platform::PixelRect WorldRectToScreen(const TLDRect& r) const;
    bool IsInView(WorldPoint p) const;
    platform::PixelRect AreaRect() const {
        return {leftMargin, topMargin, leftMargin + areaWidth, topMargin + areaHeight};
    }

    // The view rectangle widened by one pixel on each side.
    TLDRect ClipRect() const;
    // The geometry part of the view as the export writers read it.
    ExportView ToExportView() const;
    // Writes that geometry into an export view, leaving its other fields.
    void CopyGeometryTo(ExportView& v) const;
};

// Brings a view that the transforms cannot carry (not Representable, as a view read from a
// file may be) to the standard one, -5..5 about the origin with linked scales (exponents -5..5
// on a logarithmic axis), keeping the area, the log mode, the zoom factor and the tick settings;
// the frame is recomputed. True when the view had to change. The view dialog refuses such a view
// instead.
bool BringIntoRange(TViewFrame& frame);

// ClipSegment (world_geometry.h) on world points.
bool ClipSegment(const TLDRect& box, WorldPoint& p, WorldPoint& q);

// Offsets from an arrow's tip to the two other corners of its head (length in world x units),
// shaped in pixels so that unequal scales do not distort it. False for a direction shorter
// than 1e-13.
bool ArrowHeadPoints(const TViewFrame& frame, WorldPoint direction, long double length,
                     WorldPoint& a, WorldPoint& b);

// Label of 10^n: "0.001" .. "1000" for n = -3..3, else "10^n".
std::string FormatPowerOfTen(int n);

}  // namespace quorlin::canvas
