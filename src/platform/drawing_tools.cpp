#include "platform/drawing_tools.h"

#include <QVector>
#include <algorithm>
#include <array>
#include <cmath>

namespace quorlin::platform {

namespace {

// Style list order and stored style codes, side by side.
struct StyleNumbers {
    PenStyle style;
    int code;
};
constexpr std::array<StyleNumbers, 6> kStyles{{
    {PenStyle::Null, -1},
    {PenStyle::Dot, 1},
    {PenStyle::Dash, 2},
    {PenStyle::DashDot, 3},
    {PenStyle::DashDotDot, 4},
    {PenStyle::Solid, 0},
}};

// Dash patterns of a one-pixel pen (on, off, ...), the lengths the program's pictures were
// drawn with; Qt scales them by the pen width.
QVector<qreal> DashPattern(PenStyle style) {
    switch (style) {
        case PenStyle::Dot:
            return {3, 3};
        case PenStyle::Dash:
            return {18, 6};
        case PenStyle::DashDot:
            return {9, 6, 3, 6};
        case PenStyle::DashDotDot:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

Qt::BrushStyle QtHatch(HatchStyle hatch) {
    switch (hatch) {
        case HatchStyle::Horizontal:
            return Qt::HorPattern;
        case HatchStyle::Vertical:
            return Qt::VerPattern;
        case HatchStyle::ForwardDiagonal:
            return Qt::FDiagPattern;
        case HatchStyle::BackwardDiagonal:
            return Qt::BDiagPattern;
        case HatchStyle::Cross:
            return Qt::CrossPattern;
        case HatchStyle::DiagonalCross:
            return Qt::DiagCrossPattern;
    }
    return Qt::HorPattern;
}

}  // namespace

PenStyle PenStyleFromIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kStyles.size())) return PenStyle::Solid;
    return kStyles[static_cast<std::size_t>(index)].style;
}

int PenStyleIndex(PenStyle style) {
    return static_cast<int>(style);
}

PenStyle PenStyleFromCode(int code) {
    for (const auto& entry : kStyles) {
        if (entry.code == code) return entry.style;
    }
    return PenStyle::Solid;
}

int PenStyleCode(PenStyle style) {
    return kStyles[static_cast<std::size_t>(style)].code;
}

QPen ToQPen(const Pen& pen) {
    if (pen.style == PenStyle::Null) return QPen(Qt::NoPen);
    QPen result(pen.color, std::max(pen.width, 0));
    if (pen.style == PenStyle::Solid) {
        result.setCapStyle(Qt::RoundCap);
        result.setJoinStyle(Qt::RoundJoin);
    } else {
        result.setCapStyle(Qt::FlatCap);
        result.setJoinStyle(Qt::BevelJoin);
        result.setDashPattern(DashPattern(pen.style));
    }
    return result;
}

QBrush ToQBrush(const Brush& brush) {
    switch (brush.kind) {
        case Brush::Kind::Solid:
            return QBrush(brush.color, Qt::SolidPattern);
        case Brush::Kind::Hollow:
            return QBrush(Qt::NoBrush);
        case Brush::Kind::Hatched:
            return QBrush(brush.color, QtHatch(brush.hatch));
    }
    return QBrush(Qt::NoBrush);
}

int FontHeightForPoints(double points, int pixelsPerInch) {
    return -static_cast<int>(std::lround(points * pixelsPerInch / 72.0));
}

double FontPointsForHeight(int height, int pixelsPerInch) {
    if (pixelsPerInch <= 0) return 0.0;
    return std::abs(static_cast<double>(height)) * 72.0 / pixelsPerInch;
}

QFont ToQFont(const FontSpec& fontSpec) {
    QFont font(fontSpec.faceName);
    const double magnitude = std::abs(static_cast<double>(fontSpec.height));
    font.setPixelSize(fontSpec.height == 0
                          ? kDefaultFontPixels
                          : static_cast<int>(std::min<double>(magnitude, kLargestFontPixels)));
    const int weight = fontSpec.weight <= 0 ? 400 : std::clamp(fontSpec.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    font.setStrikeOut(fontSpec.strikeOut);
    return font;
}

FontSpec FontSpecFromQFont(const QFont& font, int pixelsPerInch) {
    FontSpec fontSpec;
    fontSpec.faceName = font.family();
    fontSpec.height = font.pixelSize() > 0 ? -font.pixelSize()
                                           : FontHeightForPoints(font.pointSizeF(), pixelsPerInch);
    fontSpec.weight = static_cast<int>(font.weight());
    fontSpec.italic = font.italic();
    fontSpec.underline = font.underline();
    fontSpec.strikeOut = font.strikeOut();
    return fontSpec;
}

}  // namespace quorlin::platform
