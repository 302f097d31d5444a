#pragma once
// Pens, brushes and fonts as plain values, the way the drawing code thinks of them.
//
// A Pen is a colour, a width in device pixels and one of six line styles; a Brush is solid,
// hollow or hatched; a FontSpec describes a font by face name, pixel height (negative: the
// character height, positive: the cell height), weight, italic, underline and the escapement
// that turns the text. The line style has two numberings in the program: its index in the style
// lists (null, dot, dash, dash-dot, dash-dot-dot, solid) and the style code of a stored pen
// triple (0 solid, 1 dot, 2 dash, 3 dash-dot, 4 dash-dot-dot, -1 none); both map here.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>

namespace quorlin::platform {

enum class PenStyle { Null, Dot, Dash, DashDot, DashDotDot, Solid };

// Index in the program's style lists: 0 null, 1 dot, 2 dash, 3 dash-dot, 4 dash-dot-dot,
// 5 solid. An index outside 0..5 gives a solid pen.
PenStyle PenStyleFromIndex(int index);
int PenStyleIndex(PenStyle style);

// Style code of a stored pen triple: -1 none, 1 dot, 2 dash, 3 dash-dot, 4 dash-dot-dot;
// 0 and every other code give a solid pen.
PenStyle PenStyleFromCode(int code);
int PenStyleCode(PenStyle style);

struct Pen {
    QColor color = Qt::black;
    int width = 1;  // device pixels; 0 and 1 both draw one pixel wide
    PenStyle style = PenStyle::Solid;

    static Pen Null() { return Pen{Qt::black, 1, PenStyle::Null}; }
    static Pen Solid(const QColor& color, int width = 1) {
        return Pen{color, width, PenStyle::Solid};
    }
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Patterned pens keep their dash lengths in units of the pen width, so a picture drawn with
// every width enlarged (high-resolution output, printing) looks like the screen picture.
QPen ToQPen(const Pen& pen);

enum class HatchStyle {
    Horizontal,
    Vertical,
    ForwardDiagonal,
    BackwardDiagonal,
    Cross,
    DiagonalCross
};

struct Brush {
    enum class Kind { Solid, Hollow, Hatched };
    Kind kind = Kind::Solid;
    QColor color = Qt::white;
    HatchStyle hatch = HatchStyle::Horizontal;

    static Brush Solid(const QColor& color) { return Brush{Kind::Solid, color}; }
    static Brush Hollow() { return Brush{Kind::Hollow, Qt::black}; }
    static Brush Hatched(HatchStyle hatch, const QColor& color) {
        return Brush{Kind::Hatched, color, hatch};
    }
    friend bool operator==(const Brush&, const Brush&) = default;
};

QBrush ToQBrush(const Brush& brush);

struct FontSpec {
    QString faceName = QStringLiteral("Arial");
    int height = 0;    // pixels; < 0 character height, > 0 cell height, 0 the default size
    int weight = 400;  // 100..900, 400 normal, 700 bold; 0 means normal
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;  // text angle, tenths of a degree counter-clockwise

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Character height used when a FontSpec asks for the default size (height 0).
inline constexpr int kDefaultFontPixels = 12;
// The largest character height a font is made with: heights come from files unchecked, and
// taller letters than this belong on no page.
inline constexpr int kLargestFontPixels = 32768;

// The height of a font of the given point size on a device of the given pixels per inch:
// -(points x dpi / 72), rounded half away from zero.
int FontHeightForPoints(double points, int pixelsPerInch);

// The point size that a FontSpec height stands for on such a device (cell heights are taken
// as character heights).
double FontPointsForHeight(int height, int pixelsPerInch);

// The QFont of a font description. A positive (cell) height needs the face's metrics and is
// resolved by the device context; here it is taken as the character height.
QFont ToQFont(const FontSpec& fontSpec);

// The font description of a QFont as shown on a device of the given pixels per inch (escapement 0).
FontSpec FontSpecFromQFont(const QFont& font, int pixelsPerInch);

}  // namespace quorlin::platform
