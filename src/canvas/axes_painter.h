#pragma once
// Draws the coordinate system of a graphing window: the rectangular grid in its quadrants and
// the polar grid with its sectors, the dot lattice, the axes with ticks, scale numbers, arrows,
// axis letters and the origin letter, and logarithmic axes along the frame's edges. Every line
// and text goes through TCanvasPrimitives, so an export receives exactly what the screen shows.
#include <QColor>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "canvas/axes_settings.h"
#include "canvas/canvas_primitives.h"
#include "platform/drawing_tools.h"

namespace quorlin::canvas {

// How the coordinate system looks, as the window's colour roles, fonts and pens give it.
struct AxesLook {
    QColor axisColour = Qt::black;
    QColor gridColour = QColor(128, 128, 128);
    int penWidth = 1;  // device pixels
    platform::FontSpec numberFont;
    platform::FontSpec labelFont;
    int numberFontIndex = 1;  // the window fonts "axis scale" and "axis labels"
    int labelFontIndex = 5;
    QString xLabel = QStringLiteral("x");
    QString yLabel = QStringLiteral("y");
    int arrowPixels = 10;  // arrowhead length
    bool solidArrows = false;
};

// One tick of an axis: its world coordinate, whether it is a long tick and its number.
struct AxisTick {
    long double at = 0;
    bool major = false;
    QString label;
};

// Text of a scale number: places % 10 decimals, the suffix character when places > 9, or a
// rational multiple of pi ("3π/4") when asked and the value is one (denominators up to 12).
QString FormatScaleNumber(long double value, int places, int suffixChar, bool piMultiples);
// The power-of-ten form of a scale number ("10^300", "-2.5·10^-7"), with the digits that tell
// numbers `step` apart, and the suffix character when places > 9; for numbers whose fixed
// form does not fit their place.
QString FormatScalePower(long double value, long double step, int places, int suffixChar);

// The pixels a scale number may take under an axis: the distance of two numbered ticks
// (`step` world units apart, at `unitsPerPixel`) less 4, at most a million; -4 when that
// distance is not a positive finite number of pixels (a scale that vanished or overflowed).
int ScaleNumberPlace(long double step, long double unitsPerPixel);

// The ticks of a linear axis for tick indices first..last (interval and origin), numbered at
// every frequency-th index (none at index 0); at most maxTicks, else none.
std::vector<AxisTick> LinearTicks(long long first, long long last, long double origin,
                                  long double interval, int frequency, bool numbers, int places,
                                  int suffixChar, bool piMultiples, int maxTicks);
// The ticks of a logarithmic axis between two exponents: decades numbered with their power of
// ten, the 2..9 multiples short.
std::vector<AxisTick> LogTicks(long double low, long double high, bool numbers, int maxTicks);

// Draws grids, dots and axes; range holds the tick indices (left, up, right, down) and ticksOk
// whether they could be formed.
void DrawCoordinateSystem(TCanvasPrimitives& prim, const TAxesSettings& axes, const AxesLook& look,
                          const TickRange& range, bool ticksOk);

}  // namespace quorlin::canvas
