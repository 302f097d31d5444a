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

// Whether ticks of the interval have a finite, positive number of pixels between them.
bool TicksMeasurable(long double interval, long double unitsPerPixel) {
    const long double pixels = interval / unitsPerPixel;
    return pixels > 0 && std::isfinite(pixels);
}

class AxesPainter {
public:
    AxesPainter(TCanvasPrimitives& prim, const TAxesSettings& axes, const AxesLook& look,
                const TickRange& range, bool ticksOk)
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
        // An axis that lies outside the view leaves its numbers on the border: a view far from
        // the origin keeps its scale instead of going blank.
        const bool xOnBorder = border || (axes_.ShowsXAxis() && !xAxis);
        const bool yOnBorder = border || (axes_.ShowsYAxis() && !yAxis);
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
        const bool xNumbers = axes_.ShowsXNumbers() && (xAxis || xOnBorder);
        const bool yNumbers = axes_.ShowsYNumbers() && (yAxis || yOnBorder);
        if (axes_.ticks || xNumbers)
            XAxisMarks(XTicks(xNumbers), xAxis ? f_.YToScreen(0) : -1, xNumbers, xOnBorder);
        if ((axes_.ticks || yNumbers) && axes_.axesKind != kAxesPolarRay)
            YAxisMarks(YTicks(yNumbers), yAxis ? f_.XToScreen(0) : -1, yNumbers, yOnBorder);
        if (axes_.labels) Labels(xAxis, yAxis);
        if (axes_.originLetter && xAxis && yAxis) {
            prim_.Dc().Select(look_.numberFont);
            const QPoint o(f_.XToScreen(0) - 3, f_.YToScreen(0) + 3);
            prim_.Text(o, QStringLiteral("O"), look_.numberFontIndex, -1, -1, "[rt]");
        }
    }

    // Ticks across the x axis at row y (none when y < 0) and their numbers below it, or along
    // the bottom edge of the area.
    void XAxisMarks(std::vector<AxisTick> ticks, int y, bool numbers, bool border) {
        const PixelRect area = f_.AreaRect();
        prim_.Dc().Select(look_.numberFont);
        // The numbers' place: the room between two numbered ticks.
        const long double step = axes_.xFrequency * axes_.xInterval;
        // A view whose pixels and ticks do not measure each other (a vanishing or overflowing
        // scale) has no room for ticks.
        if (!TicksMeasurable(axes_.xInterval, f_.unitsPerPixelX)) return;
        if (numbers)
            FitToPlace(ticks, ScaleNumberPlace(step, f_.unitsPerPixelX), step, axes_.xPlaces);
        const bool ray = axes_.axesKind == kAxesPolarRay;
        for (const AxisTick& t : ticks) {
            const int x = f_.XToScreen(t.at);
            if (x < area.left || x >= area.right || (ray && t.at < 0)) continue;
            const int half = (t.major ? axes_.tickLength : axes_.minorTickLength) / 2;
            if (axes_.ticks && y >= 0 && !(t.at == 0 && axes_.ShowsYAxis()))
                prim_.ScreenSegment({x, y - half}, {x, y + half + 1});
            if (!numbers || t.label.isEmpty()) continue;
            if (border)
                PlaceNumber({x, area.bottom - 2}, t.label, 0, 1, "[b]");
            else if (y >= 0)
                PlaceNumber({x, y + half + 2}, t.label, 0, -1, "[t]");
        }
    }

    void YAxisMarks(std::vector<AxisTick> ticks, int x, bool numbers, bool border) {
        const PixelRect area = f_.AreaRect();
        prim_.Dc().Select(look_.numberFont);
        // The numbers' place: the room left of the axis, or a third of the area on the border.
        if (!TicksMeasurable(axes_.yInterval, f_.unitsPerPixelY)) return;
        const int room =
            border || x < 0 ? area.Width() / 3 : x - axes_.tickLength / 2 - 3 - area.left;
        if (numbers) FitToPlace(ticks, room, axes_.yFrequency * axes_.yInterval, axes_.yPlaces);
        for (const AxisTick& t : ticks) {
            const int y = f_.YToScreen(t.at);
            if (y < area.top || y >= area.bottom) continue;
            const int half = (t.major ? axes_.tickLength : axes_.minorTickLength) / 2;
            if (axes_.ticks && x >= 0 && !(t.at == 0 && axes_.ShowsXAxis()))
                prim_.ScreenSegment({x - half, y}, {x + half + 1, y});
            if (!numbers || t.label.isEmpty()) continue;
            if (border)
                PlaceNumber({area.left + 2, y}, t.label, 1, 0, "[l]");
            else if (x >= 0)
                PlaceNumber({x - half - 3, y}, t.label, -1, 0, "[r]");
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
                PlaceNumber({x, bottom - len - 1}, t.label, 0, 1, "[b]");
        }
        for (const AxisTick& t : ys) {
            const int y = f_.YToScreen(t.at);
            if (y < area.top || y >= area.bottom) continue;
            const int len = t.major ? axes_.tickLength : axes_.minorTickLength;
            prim_.ScreenSegment({left, y}, {left + len, y});
            if (yNumbers && !t.label.isEmpty())
                PlaceNumber({left + len + 2, y}, t.label, 1, 0, "[l]");
        }
    }

    // Numbers whose fixed form is wider than their place (a view a thousand digits wide) take
    // the power-of-ten form, all of the axis at once, when that is narrower.
    void FitToPlace(std::vector<AxisTick>& ticks, int place, long double step, int places) {
        const auto width = [this](const QString& s) { return prim_.Dc().TextExtent(s).width(); };
        int widest = 0;
        for (const AxisTick& t : ticks)
            if (!t.label.isEmpty()) widest = std::max(widest, width(t.label));
        if (widest <= place) return;
        std::vector<QString> powers(ticks.size());
        int widestPower = 0;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            if (ticks[i].label.isEmpty()) continue;
            powers[i] = FormatScalePower(ticks[i].at, step, places, axes_.suffixChar);
            widestPower = std::max(widestPower, width(powers[i]));
        }
        if (widestPower >= widest) return;
        for (std::size_t i = 0; i < ticks.size(); ++i)
            if (!ticks[i].label.isEmpty()) ticks[i].label = powers[i];
    }

    // A scale number is drawn whole inside the drawing area, clear of the numbers drawn before
    // it, or not at all: a number cut by the border reads as another number ("-5" as "5").
    void PlaceNumber(QPoint p, const QString& label, int h, int v, std::string_view texAnchor) {
        constexpr int kGap = 1;  // pixels kept free around a number
        const PixelRect box = prim_.TextBox(p, label, h, v);
        const PixelRect area = f_.AreaRect();
        if (box.left < area.left || box.top < area.top || box.right > area.right ||
            box.bottom > area.bottom)
            return;
        const auto overlaps = [&](const PixelRect& other) {
            return box.left < other.right + kGap && other.left < box.right + kGap &&
                   box.top < other.bottom + kGap && other.top < box.bottom + kGap;
        };
        if (std::ranges::any_of(numberBoxes_, overlaps)) return;
        numberBoxes_.push_back(box);
        prim_.Text(p, label, look_.numberFontIndex, h, v, texAnchor);
    }

    TCanvasPrimitives& prim_;
    const TViewFrame& f_;
    const TAxesSettings& axes_;
    const AxesLook& look_;
    const TickRange& range_;
    bool ok_;
    std::vector<PixelRect> numberBoxes_;  // the scale numbers drawn so far
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

namespace {

// 10^e for any exponent of a long double, in two factors so that neither leaves the range.
long double PowerOfTen(int e) {
    return std::pow(10.0L, e / 2) * std::pow(10.0L, e - e / 2);
}

// The mantissa of value / 10^e with `digits` decimals, trailing zeros dropped.
std::string Mantissa(long double value, int e, int digits) {
    std::string m = FormatLf(value / PowerOfTen(e), 0, digits);
    if (m.find('.') != std::string::npos) {
        m.erase(m.find_last_not_of('0') + 1);
        if (m.back() == '.') m.pop_back();
    }
    return m;
}

// Decimal places below its leading digit that a step needs (0 for 2e5, 1 for 2.5e5).
int StepDigits(long double step, int stepExponent) {
    const long double mantissa = step / PowerOfTen(stepExponent);
    for (int d = 0; d < 18; ++d) {
        const long double scaled = mantissa * PowerOfTen(d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-9L * scaled) return d;
    }
    return 18;
}

}  // namespace

QString FormatScalePower(long double value, long double step, int places, int suffixChar) {
    QString s = QStringLiteral("0");
    if (value != 0 && std::isfinite(value)) {
        int e = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        const bool stepKnown = step > 0 && std::isfinite(step);
        const int stepExponent = stepKnown ? static_cast<int>(std::floor(std::log10(step))) : e;
        const int stepDigits = stepKnown ? StepDigits(step, stepExponent) : 0;
        auto digits = [&] { return std::clamp(e - stepExponent + stepDigits, 0, 18); };
        std::string m = Mantissa(value, e, digits());
        // Rounding may carry the mantissa to 10.
        if (m == "10" || m == "-10") m = Mantissa(value, ++e, digits());
        const QString power = QStringLiteral("10^") + QString::number(e);
        if (m == "1")
            s = power;
        else if (m == "-1")
            s = QStringLiteral("-") + power;
        else
            s = QString::fromStdString(m) + QChar(0x00B7) + power;
    }
    if (places >= kPlacesSuffixMark) s += QChar(suffixChar);
    return s;
}

int ScaleNumberPlace(long double step, long double unitsPerPixel) {
    constexpr long double kFarthest = 1e6L;
    constexpr int kGap = 4;
    const long double pixels = step / unitsPerPixel;
    if (!(pixels > 0) || std::isnan(pixels)) return -kGap;
    return static_cast<int>(std::min(pixels, kFarthest)) - kGap;
}

std::vector<AxisTick> LinearTicks(long long first, long long last, long double origin,
                                  long double interval, int frequency, bool numbers, int places,
                                  int suffixChar, bool piMultiples, int maxTicks) {
    std::vector<AxisTick> ticks;
    if (first > last) std::swap(first, last);
    if (last - first > maxTicks || !(interval > 0)) return ticks;
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
                          const TickRange& range, bool ticksOk) {
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
