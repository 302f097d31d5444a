#pragma once
// What the export writers read of a graphing window, as plain values.
//
// The window level fills an ExportView before an export (and again whenever the view moves
// between frames); the writers never reach into the window itself. ExportView also carries the
// window's world-to-pixel mapping, which the SVG writer and the screen-based hooks need.
#include <QRgb>
#include <QString>

#include <array>
#include <string>

namespace quorlin::canvas {

struct WorldPoint {
    long double x = 0;
    long double y = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Line styles of a pen, as the window's pens number them.
enum LineStyle : int {
    kStyleNull = -1,
    kStyleSolid = 0,
    kStyleDot = 1,
    kStyleDash = 2,
    kStyleDashDot = 3,
    kStyleDashDotDot = 4,
};

// A pen with its palette colour already looked up.
struct PenSpec {
    QRgb colour = qRgb(0, 0, 0);
    int width = 1;  // pixels
    int style = kStyleSolid;
};

// One of the window's ten fonts.
struct ExportFont {
    std::string face = "Arial";
    int weight = 400;
    bool italic = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise
    int pointSize = 10;
};

// The linear map between world coordinates and the pixels of a drawing area: x grows to the
// right, y downwards, and the corners (xLow, yHigh) and (xHigh, yLow) fall on the area's
// first and last pixels. The graphing windows and the export writers both map through it.
struct PixelMapping {
    long double xLow = -5;
    long double xHigh = 5;
    long double yLow = -5;
    long double yHigh = 5;
    long double unitsPerPixelX = 0.025L;  // world units per pixel
    long double unitsPerPixelY = 0.025L;
    int clientWidth = 401;  // drawing area in pixels
    int clientHeight = 401;
    int leftMargin = 0;
    int topMargin = 0;

    // World to pixel, rounded and clamped to -1 .. size + 1 (margins added).
    int XToScreen(long double x) const;
    int YToScreen(long double y) const;
    // World to pixel as it is, neither rounded nor clamped (margins added).
    long double XToPixel(long double x) const { return XOffset(x) + leftMargin; }
    long double YToPixel(long double y) const { return YOffset(y) + topMargin; }
    // Both coordinates as above; true when the pixel lies inside the area.
    bool PointToScreen(WorldPoint p, ScreenPoint& out) const;
    long double ScreenToX(int sx) const;
    long double ScreenToY(int sy) const;
    WorldPoint ScreenToWorld(ScreenPoint p) const { return {ScreenToX(p.x), ScreenToY(p.y)}; }
    bool IsInView(WorldPoint p) const;

private:
    long double XOffset(long double x) const { return (x - xLow) / unitsPerPixelX; }
    long double YOffset(long double y) const { return (yHigh - y) / unitsPerPixelY; }
};

// The window as the writers see it: its world-to-pixel map and what else they read.
struct ExportView : PixelMapping {
    long double centreX = 0;
    long double centreY = 0;
    long double halfWidth = 5;
    long double halfHeight = 5;

    int decimalPlaces = 2;
    std::array<ExportFont, 10> fonts{};
    bool frameImage = false;
    QRgb background = qRgb(255, 255, 255);
    QRgb paletteZero = qRgb(0, 0, 0);  // palette entry 0, the frame's outline colour
    long double arrowShapeB = 0.1L;    // the two arrowhead shape values of the axes settings
    long double arrowShapeG = 0.1L;
    int dotsPerInch = 96;  // horizontal screen resolution
    QString fileName;      // the diagram's file name, for the EPS title

    // A view of the world rectangle [xLow, xHigh] x [yLow, yHigh] on a client of the given
    // pixel size, pixel 0 and pixel size - 1 on the edges.
    static ExportView FromCorners(long double xLow, long double xHigh, long double yLow,
                                  long double yHigh, int clientWidth, int clientHeight);
};

}  // namespace quorlin::canvas

namespace quorlin::canvas {

// Offsets from an arrow's tip to the two other corners of its head: the head is `length` world
// units long (measured along x) and points along `direction`; both are taken in pixels so the
// head keeps its shape when the axes have unequal scales. False when the direction is shorter
// than 1e-13.
bool ArrowHeadPoints(const ExportView& view, WorldPoint direction, long double length,
                     WorldPoint& a, WorldPoint& b);

}  // namespace quorlin::canvas

namespace quorlin::canvas {

// Start point of a text drawn from p with the given pixel extent, alignment (h = 1 left,
// v = -1 top, 0 centred) and escapement in tenths of a degree: the point the SVG and EPS
// writers place the text's base line at.
ScreenPoint TextAnchorPoint(ScreenPoint p, int extentWidth, int extentHeight, int escapement, int h,
                            int v);

}  // namespace quorlin::canvas
