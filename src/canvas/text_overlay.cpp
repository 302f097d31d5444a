#include "canvas/text_overlay.h"

#include <algorithm>
#include <cmath>

#include "shell/palette.h"

namespace quorlin::canvas {

std::uint32_t ToColorRef(const QColor& colour) {
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())}
        .ToColorRef();
}

QColor FromColorRef(std::uint32_t ref) {
    return Rgb::FromColorRef(ref).ToQColor();
}

TEquationLabel TextToAbsolute(TEquationLabel text, WorldPoint origin) {
    if (text.anchor != kAnchorFigure) {
        text.left += origin.x;
        text.top += origin.y;
    }
    return text;
}

TEquationLabel TextToRelative(TEquationLabel text, WorldPoint origin) {
    if (text.anchor != kAnchorFigure) {
        text.left -= origin.x;
        text.top -= origin.y;
    }
    return text;
}

WorldPoint AnchorOrigin(int anchor, const TViewFrame& view, const AnchorLookup& pointOf) {
    if (anchor == kAnchorFrame) return {view.centreX, view.centreY};
    if (anchor >= 0 && pointOf) return pointOf(anchor);
    return {};
}

void RescaleFrameTexts(TextList& list, long double newHalfWidth, long double newHalfHeight,
                       long double oldHalfWidth, long double oldHalfHeight) {
    if (oldHalfWidth == 0 || oldHalfHeight == 0) return;
    for (TEquationLabel& t : list) {
        if (t.anchor != kAnchorFrame) continue;
        t.left *= newHalfWidth / oldHalfWidth;
        t.top *= newHalfHeight / oldHalfHeight;
    }
}

std::pair<QPoint, QPoint> BoxEdges(QSize size, int escapement) {
    const long double a = escapement * 0.00174533L;
    const long double w = size.width(), h = size.height();
    const auto r = [](long double v) { return static_cast<int>(std::lround(v)); };
    return {QPoint(r(w * std::cos(a)), -r(w * std::sin(a))),
            QPoint(r(h * std::sin(a)), r(h * std::cos(a)))};
}

namespace {

// A text's box as the hit test measures it: in long double, because corners read from a file
// may lie anywhere in its range and their distance in pixels fits no integer.
struct PixelBox {
    long double width;
    long double height;
};

bool BoxContains(long double ox, long double oy, PixelBox box, int escapement) {
    if (escapement == 0) return ox > 0 && ox < box.width && oy > 0 && oy < box.height;
    const long double a = escapement * 0.00174533L;
    const long double ux = std::round(box.width * std::cos(a));
    const long double uy = -std::round(box.width * std::sin(a));
    const long double vx = std::round(box.height * std::sin(a));
    const long double vy = std::round(box.height * std::cos(a));
    const long double p = ox * ux + oy * uy, q = ox * vx + oy * vy;
    return p > 0 && p < ux * ux + uy * uy && q > 0 && q < vx * vx + vy * vy;
}

// The drag outline needs whole pixels: a box no mouse can get across is cut to this size.
constexpr long double kLargestDragPixels = 1 << 24;

int DragPixels(long double pixels) {
    if (std::isnan(pixels)) return 0;
    return static_cast<int>(std::clamp(pixels, -kLargestDragPixels, kLargestDragPixels));
}

}  // namespace

std::optional<TextHit> TextAtPoint(std::span<const TEquationLabel> list, QPoint point,
                                   const TViewFrame& view, const AnchorLookup& pointOf) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].shown != 1) continue;
        const TEquationLabel t =
            TextToAbsolute(list[i], AnchorOrigin(list[i].anchor, view, pointOf));
        // The corner pixel is clamped to the area's edges, so the offset is a small integer.
        const QPoint offset = point - QPoint(view.XToScreen(t.left), view.YToScreen(t.top));
        const PixelBox box{std::trunc((t.right - t.left) * view.PixelsPerUnitX()),
                           std::trunc((t.top - t.bottom) * view.PixelsPerUnitY())};
        if (BoxContains(offset.x(), offset.y(), box, t.font.escapement))
            return TextHit{i, offset, QSize(DragPixels(box.width), DragPixels(box.height)),
                           t.font.escapement};
    }
    return std::nullopt;
}

int EscapementOfDegrees(int degrees) {
    // C's remainder keeps the dividend's sign, which is what the angle field wants.
    return static_cast<int>(static_cast<long long>(degrees) * 10 % 3600);
}

std::string ReplaceHyphens(std::string text, int code) {
    if (code < 1 || code > 255) return text;
    std::replace(text.begin(), text.end(), '-', static_cast<char>(code));
    return text;
}

std::vector<std::string> SplitEvalLabel(std::string_view label) {
    std::vector<std::string> pieces(1);
    for (const char c : label) {
        if (c == '~')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

}  // namespace quorlin::canvas
