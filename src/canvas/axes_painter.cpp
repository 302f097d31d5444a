#include "canvas/axes_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "core/numbers.h"

namespace quorlin::canvas {
namespace {

using platform::PixelRect;

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr int kCircleSegments = 96;

// Numerator and denominator of value / pi when it is a fraction with a small denominator.
bool PiFraction(long double value, long long& p, long long& q) {
    const long double v = value / kPi;
    for (long long d : {1, 2, 3, 4, 6, 8, 12}) {
        const long double n = std::round(v * d);
        if (std::fabs(v * d - n) < 1e-6L * d && std::fabs(n) < 1e9L) {
            const long long g = std::gcd(static_cast<long long>(n), d);
            p = static_cast<long long>(n) / (g ? g : 1);
            q = d / (g ? g : 1);
            return true;
        }
    }
    return false;
}

class AxesPainter {
public:
    AxesPainter(TCanvasPrimitives& prim, const TAxesSettings& axes, const AxesLook& look,
                const std::array<int, 4>& range, bool ticksOk)
        : prim_(prim), f_(prim.Frame()), axes_(axes), look_(look), range_(range), ok_(ticksOk) {}

    void Draw() {
        if (f_.logMode == kLogNone) {
            DrawGrids();
            if (axes_.dots && ok_) DrawDots();
            if (axes_.axesShown) DrawLinearAxes();
        } else {
            if (axes_.dots) DrawDots();
            DrawLogAxes();
        }
    }

private:
    int MaxTicks(int pixels) const { return std::max(pixels, 8); }
    std::vector<AxisTick> XTicks(bool numbers) const {
        if (!ok_) return {};
        return LinearTicks(range_[0], range_[2], f_.tickOriginX, axes_.xInterval, axes_.xFrequency,
                           numbers, axes_.xPlaces, axes_.suffixChar, axes_.xPi,
                           MaxTicks(f_.areaWidth));
    }
    std::vector<AxisTick> YTicks(bool numbers) const {
        if (!ok_) return {};
        return LinearTicks(range_[3], range_[1], f_.tickOriginY, axes_.yInterval, axes_.yFrequency,
                           numbers, axes_.yPlaces, axes_.suffixChar, axes_.yPi,
                           MaxTicks(f_.areaHeight));
    }

    // --- grids ---------------------------------------------------------------------------
    void DrawGrids() {
        const bool rect = axes_.gridFlags & kGridRectangular;
        const bool polar = axes_.gridFlags & kGridPolar;
        if (!rect && !polar) return;
        const int style = (axes_.gridFlags & kGridDotted) ? kStyleDot : kStyleSolid;
        prim_.SetPen(look_.gridColour, look_.penWidth, style);
        prim_.Comment("draw grid");
        prim_.LineStyle(style, false);
        if (rect && ok_) DrawRectangularGrid();
        if (polar) DrawPolarGrid();
        prim_.LineStyle(style, true);
    }

    void DrawRectangularGrid() {
        const auto xs = XTicks(false), ys = YTicks(false);
        // Quadrants I-IV as sign pairs of x and y.
        const int signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        for (int q = 0; q < 4; ++q) {
            if (!(axes_.gridFlags & (1 << q))) continue;
            const TLDRect box = QuadrantBox(signs[q][0], signs[q][1]);
            if (box.xLow > box.xHigh || box.yLow > box.yHigh) continue;
            for (const AxisTick& t : xs)
                if (t.at >= box.xLow && t.at <= box.xHigh)
                    prim_.Segment({t.at, box.yLow}, {t.at, box.yHigh}, true);
            for (const AxisTick& t : ys)
                if (t.at >= box.yLow && t.at <= box.yHigh)
                    prim_.Segment({box.xLow, t.at}, {box.xHigh, t.at}, true);
        }
    }

    TLDRect QuadrantBox(int sx, int sy) const {
        TLDRect b{f_.left, f_.right, f_.down, f_.up};
        if (sx > 0)
            b.xLow = std::max(b.xLow, f_.tickOriginX);
        else
            b.xHigh = std::min(b.xHigh, f_.tickOriginX);
        if (sy > 0)
            b.yLow = std::max(b.yLow, f_.tickOriginY);
        else
            b.yHigh = std::min(b.yHigh, f_.tickOriginY);
        return b;
    }

    void DrawPolarGrid() {
        long double reach = 0;
        for (const WorldPoint c : {WorldPoint{f_.left, f_.down}, WorldPoint{f_.left, f_.up},
                                   WorldPoint{f_.right, f_.down}, WorldPoint{f_.right, f_.up}})
            reach = std::max(reach, std::hypot(c.x, c.y));
        const long double step = axes_.xInterval;
        if (step > 0 && reach / step <= MaxTicks(f_.areaWidth)) {
            for (long double r = step; r <= reach; r += step) {
                WorldPoint previous{r, 0};
                for (int i = 1; i <= kCircleSegments; ++i) {
                    const long double a = 2 * kPi * i / kCircleSegments;
                    const WorldPoint next{r * std::cos(a), r * std::sin(a)};
                    prim_.Segment(previous, next, true);
                    previous = next;
                }
            }
        }
        const int sectors = std::clamp<int>(axes_.polarSectors, 4, 100);
        for (int j = 0; j < sectors; ++j) {
            const long double a = 2 * kPi * j / sectors;
            prim_.Segment({0, 0}, {reach * std::cos(a), reach * std::sin(a)}, true);
        }
    }

    // The dot lattice: at the ticks of a linear axis, at the decades of a logarithmic one.
    void DrawDots() {
        auto decades = [](std::vector<AxisTick> ticks) {
            std::erase_if(ticks, [](const AxisTick& t) { return !t.major; });
            return ticks;
        };
        const auto xs = IsLogX(f_.logMode)
                            ? decades(LogTicks(f_.left, f_.right, false, f_.areaWidth))
                            : XTicks(false);
        const auto ys = IsLogY(f_.logMode) ? decades(LogTicks(f_.down, f_.up, false, f_.areaHeight))
                                           : YTicks(false);
        if (xs.empty() || ys.empty()) return;
        if (xs.size() * ys.size() > static_cast<std::size_t>(f_.areaWidth) * f_.areaHeight) return;
        prim_.SetPen(look_.axisColour, 1, kStyleSolid);
        for (const AxisTick& x : xs)
            for (const AxisTick& y : ys) {
                QPoint p;
                if (f_.PointToScreen({x.at, y.at}, p)) prim_.Dot(p);
            }
    }

    // --- linear axes ---------------------------------------------------------------------
    void DrawLinearAxes() {
        prim_.SetPen(look_.axisColour, look_.penWidth, kStyleSolid);
        prim_.Comment("draw axis");
        prim_.LineStyle(kStyleSolid, true);
        prim_.Dc().SetTextColor(look_.axisColour);
        prim_.Dc().SetBackgroundMode(platform::BackgroundMode::Transparent);
        const bool border = axes_.NumbersOnBorder();
        const bool xAxis = axes_.ShowsXAxis() && f_.down <= 0 && f_.up >= 0;
        const bool yAxis = axes_.ShowsYAxis() && f_.left <= 0 && f_.right >= 0;
        if (xAxis) {
            const long double from =
                axes_.axesKind == kAxesPolarRay ? std::max(0.0L, f_.left) : f_.left;
            prim_.Segment({from, 0}, {f_.right, 0}, true);
            if (axes_.arrows) Arrow({f_.right, 0}, {1, 0});
        }
        if (yAxis) {
            prim_.Segment({0, f_.down}, {0, f_.up}, true);
            if (axes_.arrows) Arrow({0, f_.up}, {0, 1});
        }
        const bool xNumbers = axes_.ShowsXNumbers() && (xAxis || border);
        const bool yNumbers = axes_.ShowsYNumbers() && (yAxis || border);
        if (axes_.ticks || xNumbers)
            XAxisMarks(XTicks(xNumbers), xAxis ? f_.YToScreen(0) : -1, xNumbers, border);
        if ((axes_.ticks || yNumbers) && axes_.axesKind != kAxesPolarRay)
            YAxisMarks(YTicks(yNumbers), yAxis ? f_.XToScreen(0) : -1, yNumbers, border);
        if (axes_.labels) Labels(xAxis, yAxis);
        if (axes_.originLetter && xAxis && yAxis) {
            prim_.Dc().Select(look_.numberFont);
            const QPoint o(f_.XToScreen(0) - 3, f_.YToScreen(0) + 3);
            prim_.Text(o, QStringLiteral("O"), look_.numberFontIndex, -1, -1, "[rt]");
        }
    }

    // Ticks across the x axis at row y (none when y < 0) and their numbers below it, or along
    // the bottom edge of the area.
    void XAxisMarks(const std::vector<AxisTick>& ticks, int y, bool numbers, bool border) {
        const PixelRect area = f_.AreaRect();
        prim_.Dc().Select(look_.numberFont);
        const bool ray = axes_.axesKind == kAxesPolarRay;
        for (const AxisTick& t : ticks) {
            const int x = f_.XToScreen(t.at);
            if (x < area.left || x >= area.right || (ray && t.at < 0)) continue;
            const int half = (t.major ? axes_.tickLength : axes_.minorTickLength) / 2;
            if (axes_.ticks && y >= 0 && !(t.at == 0 && axes_.ShowsYAxis()))
                prim_.ScreenSegment({x, y - half}, {x, y + half + 1});
            if (!numbers || t.label.isEmpty()) continue;
            if (border)
                prim_.Text({x, area.bottom - 2}, t.label, look_.numberFontIndex, 0, 1, "[b]");
            else if (y >= 0)
                prim_.Text({x, y + half + 2}, t.label, look_.numberFontIndex, 0, -1, "[t]");
        }
    }

    void YAxisMarks(const std::vector<AxisTick>& ticks, int x, bool numbers, bool border) {
        const PixelRect area = f_.AreaRect();
        prim_.Dc().Select(look_.numberFont);
        for (const AxisTick& t : ticks) {
            const int y = f_.YToScreen(t.at);
            if (y < area.top || y >= area.bottom) continue;
            const int half = (t.major ? axes_.tickLength : axes_.minorTickLength) / 2;
            if (axes_.ticks && x >= 0 && !(t.at == 0 && axes_.ShowsXAxis()))
                prim_.ScreenSegment({x - half, y}, {x + half + 1, y});
            if (!numbers || t.label.isEmpty()) continue;
            if (border)
                prim_.Text({area.left + 2, y}, t.label, look_.numberFontIndex, 1, 0, "[l]");
            else if (x >= 0)
                prim_.Text({x - half - 3, y}, t.label, look_.numberFontIndex, -1, 0, "[r]");
        }
    }

    void Labels(bool xAxis, bool yAxis) {
        const PixelRect area = f_.AreaRect();
        prim_.Dc().Select(look_.labelFont);
        const int gap = std::max<int>(axes_.tickLength, 4);
        if (xAxis)
            prim_.Text({area.right - 3, f_.YToScreen(0) - gap}, look_.xLabel, look_.labelFontIndex,
                       -1, 1, "[rb]");
        if (yAxis)
            prim_.Text({f_.XToScreen(0) + gap, area.top + 2}, look_.yLabel, look_.labelFontIndex, 1,
                       -1, "[lt]");
    }

    void Arrow(WorldPoint tip, WorldPoint direction) {
        prim_.ArrowHead(tip, direction, look_.arrowPixels * f_.unitsPerPixelX, look_.solidArrows);
    }

    // --- logarithmic axes along the bottom and left edges ---------------------------------
    void DrawLogAxes() {
        prim_.SetPen(look_.axisColour, look_.penWidth, kStyleSolid);
        prim_.Comment("draw axis");
        prim_.Dc().SetTextColor(look_.axisColour);
        prim_.Dc().SetBackgroundMode(platform::BackgroundMode::Transparent);
        const PixelRect area = f_.AreaRect();
        const int bottom = area.bottom - 1, left = area.left;
        prim_.ScreenSegment({area.left, bottom}, {area.right, bottom});
        prim_.ScreenSegment({left, area.top}, {left, area.bottom});
        const bool xNumbers = axes_.ShowsXNumbers(), yNumbers = axes_.ShowsYNumbers();
        const auto xs = IsLogX(f_.logMode) ? LogTicks(f_.left, f_.right, xNumbers, f_.areaWidth)
                                           : XTicks(xNumbers);
        const auto ys = IsLogY(f_.logMode) ? LogTicks(f_.down, f_.up, yNumbers, f_.areaHeight)
                                           : YTicks(yNumbers);
        prim_.Dc().Select(look_.numberFont);
        for (const AxisTick& t : xs) {
            const int x = f_.XToScreen(t.at);
            if (x < area.left || x >= area.right) continue;
            const int len = t.major ? axes_.tickLength : axes_.minorTickLength;
            prim_.ScreenSegment({x, bottom}, {x, bottom - len});
            if (xNumbers && !t.label.isEmpty())
                prim_.Text({x, bottom - len - 1}, t.label, look_.numberFontIndex, 0, 1, "[b]");
        }
        for (const AxisTick& t : ys) {
            const int y = f_.YToScreen(t.at);
            if (y < area.top || y >= area.bottom) continue;
            const int len = t.major ? axes_.tickLength : axes_.minorTickLength;
            prim_.ScreenSegment({left, y}, {left + len, y});
            if (yNumbers && !t.label.isEmpty())
                prim_.Text({left + len + 2, y}, t.label, look_.numberFontIndex, 1, 0, "[l]");
        }
    }

    TCanvasPrimitives& prim_;
    const TViewFrame& f_;
    const TAxesSettings& axes_;
    const AxesLook& look_;
    const std::array<int, 4>& range_;
    bool ok_;
};

}  // namespace

QString FormatScaleNumber(long double value, int places, int suffixChar, bool piMultiples) {
    if (piMultiples) {
        long long p = 0, q = 1;
        if (PiFraction(value, p, q)) {
            if (p == 0) return QStringLiteral("0");
            QString s = p == 1 ? QString() : p == -1 ? QStringLiteral("-") : QString::number(p);
            s += QChar(0x03C0);
            if (q > 1) s += QStringLiteral("/") + QString::number(q);
            return s;
        }
    }
    QString s = QString::fromStdString(FormatLf(value, 0, places % kPlacesSuffixMark));
    if (places >= kPlacesSuffixMark) s += QChar(suffixChar);
    return s;
}

std::vector<AxisTick> LinearTicks(int first, int last, long double origin, long double interval,
                                  int frequency, bool numbers, int places, int suffixChar,
                                  bool piMultiples, int maxTicks) {
    std::vector<AxisTick> ticks;
    if (first > last) std::swap(first, last);
    if (static_cast<long long>(last) - first > maxTicks || !(interval > 0)) return ticks;
    frequency = std::max(frequency, 1);
    for (long long i = first; i <= last; ++i) {
        AxisTick t;
        t.at = origin + i * interval;
        t.major = i % frequency == 0;
        if (std::fabs(t.at) < interval * 1e-9L) t.at = 0;  // no "-0.00" at the origin
        if (numbers && t.major && i != 0)
            t.label = FormatScaleNumber(t.at, places, suffixChar, piMultiples);
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<AxisTick> LogTicks(long double low, long double high, bool numbers, int maxTicks) {
    // No long double lies beyond 10^4932: exponents past that come from a damaged view, and
    // far enough out a decade step would no longer change them.
    constexpr long double kWidestExponent = 5000;
    std::vector<AxisTick> ticks;
    if (!(high - low < maxTicks && low > -kWidestExponent && high < kWidestExponent)) return ticks;
    for (long double k = std::floor(low); k <= high; k += 1) {
        if (k >= low) {
            AxisTick t{k, true, {}};
            if (numbers) t.label = QString::fromStdString(FormatPowerOfTen(static_cast<int>(k)));
            ticks.push_back(t);
        }
        for (int m = 2; m <= 9; ++m) {
            const long double at = k + std::log10(static_cast<long double>(m));
            if (at >= low && at <= high) ticks.push_back({at, false, {}});
        }
    }
    return ticks;
}

void DrawCoordinateSystem(TCanvasPrimitives& prim, const TAxesSettings& axes, const AxesLook& look,
                          const std::array<int, 4>& range, bool ticksOk) {
    // Numbers near an edge must not spill into the margins; a clip the caller set (a printed
    // page cell) stays in force and comes back afterwards.
    if (!prim.Dc().IsActive()) return;
    QPainter& painter = prim.Dc().Painter();
    const bool hadClip = painter.hasClipping();
    const QRegion previousClip = painter.clipRegion();
    painter.setClipRect(prim.Frame().AreaRect().ToQRect(),
                        hadClip ? Qt::IntersectClip : Qt::ReplaceClip);
    AxesPainter(prim, axes, look, range, ticksOk).Draw();
    if (hadClip)
        painter.setClipRegion(previousClip);
    else
        painter.setClipping(false);
}

}  // namespace quorlin::canvas
