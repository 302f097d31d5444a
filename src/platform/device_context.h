#pragma once
// DeviceContext: the one drawing surface of the program, over a QPainter on any paint device
// (a window's paint event, an off-screen QImage, a printer page, an SVG generator, a metafile
// recorder), so one drawing routine serves them all.
//
// It keeps what the drawing code expects of a device context: a current position for
// MoveTo/LineTo, a selected pen, brush and font (Select returns the one it replaces;
// SelectionGuard puts it back at the end of a scope), text colour, background mode and colour,
// text alignment about a reference point, polygon fill mode, and the device's metrics.
// Rectangles are given as (left, top, right, bottom) with right and bottom outside the shape.
// Pixels can be read back only from image targets. Rubber bands are drawn as overlays by the
// windows, so there are no XOR raster operations here.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <span>
#include <utility>

#include "platform/drawing_tools.h"
#include "platform/screen_metrics.h"

namespace quorlin::platform {

// A pixel rectangle with exclusive right and bottom edges.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static PixelRect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class BackgroundMode { Transparent, Opaque };
enum class PolyFillMode { Alternate, Winding };

// Where the reference point of TextOut lies on the text's box (in the text's own, possibly
// turned, direction). With updateCurrentPosition the text starts at the current position,
// which then moves to the text's end.
struct TextAlign {
    enum class Horizontal { Left, Center, Right };
    enum class Vertical { Top, Baseline, Bottom };
    Horizontal horizontal = Horizontal::Left;
    Vertical vertical = Vertical::Top;
    bool updateCurrentPosition = false;

    friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int averageCharWidth = 0;
};

class DeviceContext {
public:
    // Paints on the device with a painter of its own, ended with the context.
    explicit DeviceContext(QPaintDevice& device);
    // As above, answering metric questions with those of a reference device (a metafile or an
    // off-screen bitmap made for a particular window).
    DeviceContext(QPaintDevice& device, const DeviceMetrics& reference);
    // Paints through a painter that somebody else began (a paint event); its state is restored
    // when the context ends.
    explicit DeviceContext(QPainter& painter);
    DeviceContext(QPainter& painter, const DeviceMetrics& reference);
    ~DeviceContext();

    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // False when the painter could not begin on the device (a null image, a printer that
    // failed to start); drawing calls then do nothing.
    bool IsActive() const;
    // For the few places that need Qt directly (playing an SVG picture into a rectangle).
    QPainter& Painter() { return *painter_; }
    const DeviceMetrics& Metrics() const { return metrics_; }
    // The image being drawn on, or null when the target is not an image.
    const QImage* TargetImage() const { return image_; }

    // Selected tools; each Select returns what it replaces.
    Pen Select(const Pen& pen);
    Brush Select(const Brush& brush);
    FontSpec Select(const FontSpec& font);
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const FontSpec& CurrentFont() const { return font_; }

    QColor SetTextColor(const QColor& color);
    QColor TextColor() const { return textColor_; }
    QColor SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const { return backgroundColor_; }
    BackgroundMode SetBackgroundMode(BackgroundMode mode);
    BackgroundMode GetBackgroundMode() const { return backgroundMode_; }
    TextAlign SetTextAlign(const TextAlign& align);
    TextAlign GetTextAlign() const { return align_; }
    PolyFillMode SetPolyFillMode(PolyFillMode mode);
    PolyFillMode GetPolyFillMode() const { return fillMode_; }

    // Lines with the selected pen.
    QPoint MoveTo(int x, int y);  // returns the previous position
    void LineTo(int x, int y);
    QPoint CurrentPosition() const { return position_; }
    void Polyline(std::span<const QPoint> points);

    // Closed shapes: outlined with the pen, filled with the brush.
    void Polygon(std::span<const QPoint> points);
    void Rectangle(const PixelRect& rect);
    void RoundRect(const PixelRect& rect, int cornerWidth, int cornerHeight);
    void Ellipse(const PixelRect& rect);
    // The part of the ellipse in rect from the ray towards start counter-clockwise to the ray
    // towards end; Pie closes it with the two radii and fills it.
    void Arc(const PixelRect& rect, QPoint start, QPoint end);
    void Pie(const PixelRect& rect, QPoint start, QPoint end);

    // Fills without outline.
    void FillRect(const PixelRect& rect, const Brush& brush);
    void FillSolidRect(const PixelRect& rect, const QColor& color);

    void SetPixel(int x, int y, const QColor& color);
    // The colour at a pixel of an image target; an invalid QColor when the target is not an
    // image or the pixel lies outside it.
    QColor GetPixel(int x, int y) const;

    // Text in the selected font and text colour at the reference point, aligned and turned by
    // the font's escapement; an opaque background fills the text box first.
    void TextOut(int x, int y, const QString& text);
    QSize TextExtent(const QString& text) const;
    TextMetrics GetTextMetrics() const;

    // Copies a part of an image unchanged (alpha included) to dest's top-left corner.
    void CopyImage(const QImage& source, const PixelRect& dest, QPoint sourceTopLeft);
    // Scales a part of an image into dest.
    void StretchImage(const QImage& source, const PixelRect& dest, const QRect& sourceRect);

    void SetClipRect(const PixelRect& rect);
    void ResetClip();

private:
    void Begin();
    void ApplyFont();
    void ApplyBackground();
    // The rectangle a shape is drawn on: one pixel narrower when an outline is drawn, so the
    // outline stays within left..right - 1 and top..bottom - 1.
    QRectF ShapeRect(const PixelRect& rect) const;
    // Counter-clockwise start and span angles, in sixteenths of a degree, of an arc from the
    // ray towards start to the ray towards end.
    static std::pair<int, int> ArcAngles(const PixelRect& rect, QPoint start, QPoint end);

    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_;
    bool borrowed_;
    const QImage* image_ = nullptr;
    bool blank_ = false;  // on a BlankImage: nothing is painted
    DeviceMetrics metrics_;

    Pen pen_;
    Brush brush_;
    FontSpec font_;
    QFont qfont_;
    QColor textColor_ = Qt::black;
    QColor backgroundColor_ = Qt::white;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    TextAlign align_;
    PolyFillMode fillMode_ = PolyFillMode::Alternate;
    QPoint position_;
};

// Selects a tool for the length of a scope and then puts the previous one back:
//     SelectionGuard pen(dc, Pen::Solid(Qt::red, 2));
template <typename Tool>
class SelectionGuard {
public:
    SelectionGuard(DeviceContext& dc, const Tool& tool) : dc_(dc), previous_(dc.Select(tool)) {}
    ~SelectionGuard() { dc_.Select(previous_); }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    DeviceContext& dc_;
    Tool previous_;
};

}  // namespace quorlin::platform
