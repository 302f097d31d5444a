#include "canvas/export_targets.h"

#include "canvas/eps_writer.h"
#include "canvas/svg_writer.h"

#include <utility>

namespace quorlin::canvas {
namespace {

// An outline width for the polygon hooks: none (-1) for the null pen.
int OutlineWidth(const PenSpec& pen) {
    return pen.style == kStyleNull ? -1 : pen.width;
}

class PictexTarget final : public ExportTarget {
public:
    explicit PictexTarget(PictexWriter& writer) : tex_(writer) {}

    void Segment(WorldPoint p, WorldPoint q, const PenSpec&) override { tex_.TexSegment(p, q, 0); }
    void ScreenSegment(ScreenPoint, ScreenPoint, std::span<const WorldPoint, 2> world,
                       const PenSpec&) override {
        tex_.TexRule(world[0], world[1], false);
    }
    void LineStyle(int style, bool forceSolid) override { tex_.TexLineStyle(style, forceSolid); }
    void ArrowHead(const ExportArrowHead& head, const PenSpec&) override {
        // PiCTeX draws an arrow from the tail of its head to the tip: it gets the head's own
        // axis, so that no shaft is added that the screen lacks.
        tex_.TexArrow(head.axis, head.tip, head.length, head.solid);
    }
    void Marker(ScreenPoint, WorldPoint at, int kind, int size, QRgb) override {
        tex_.TexPoint(at, size, kind == 7);
    }
    void Dot(ScreenPoint, WorldPoint at, QRgb) override { tex_.TexPoint(at, 0, false); }
    void Text(const ExportTextItem& t) override {
        tex_.TexText(t.text, t.texAnchor, t.texAt, t.texMath);
    }
    void Polygon(std::span<const WorldPoint> corners, std::optional<QRgb> fill,
                 const PenSpec& pen) override {
        // PiCTeX shades a filled region (it cannot outline a shading) and strokes a hollow one.
        if (fill) {
            if (!tex_.TexShade(corners, true, 0)) tex_.TexShade(corners, false, 0);
        } else if (pen.style != kStyleNull && !corners.empty()) {
            CurveBreak();
            for (const WorldPoint& p : corners) CurvePoint(p, pen);
            CurvePoint(corners.front(), pen);
            CurveBreak();
        }
    }
    void ImageFrame(std::span<const WorldPoint, 5>, const PenSpec&) override {
        tex_.TexImageFrame();
    }
    void Comment(std::string_view text) override { tex_.TexComment(text); }
    void CurveBegin(std::size_t) override { CurveBreak(); }
    void CurvePoint(WorldPoint p, const PenSpec&) override {
        if (!open_) tex_.TexCurveBegin();
        open_ = true;
        tex_.TexCurvePoint(p);
    }
    void CurveBreak() override {
        if (open_) tex_.TexCurveEnd();
        open_ = false;
    }
    void CurveEnd() override { CurveBreak(); }
    void PolylineByParity(std::span<const WorldPoint> points, std::span<const std::uint8_t> marks,
                          const PenSpec&, int mode) override {
        tex_.TexPolylineByParity(points, marks, mode);
    }

private:
    PictexWriter& tex_;
    bool open_ = false;  // a plot is being written
};

// The part the SVG and EPS targets share: curves are buffered in an ExportPath that writes
// them piece by piece, and a hollow arrowhead is stroked as two segments.
class BufferedTarget : public ExportTarget {
public:
    void ArrowHead(const ExportArrowHead& head, const PenSpec& pen) final {
        if (head.solid) {
            FillTriangle({head.left, head.tip, head.right}, pen);
        } else {
            Segment(head.left, head.tip, pen);
            Segment(head.tip, head.right, pen);
        }
    }
    void CurveBegin(std::size_t capacity) final { path_.Begin(capacity); }
    void CurvePoint(WorldPoint p, const PenSpec& pen) final { path_.Point(p, pen); }
    void CurveBreak() final { path_.Break(); }
    void CurveEnd() final { path_.Flush(); }

protected:
    explicit BufferedTarget(ExportPath::PieceWriter writePiece) : path_(std::move(writePiece)) {}

    // A solid arrowhead: the triangle filled and outlined in the pen's colour.
    virtual void FillTriangle(const std::array<WorldPoint, 3>& corners, const PenSpec& pen) = 0;

private:
    ExportPath path_;
};

class SvgTarget final : public BufferedTarget {
public:
    SvgTarget(SvgWriter& writer, const ExportView& view)
        : BufferedTarget([&writer](std::span<const WorldPoint> piece, const PenSpec& pen) {
              writer.SvgPolyline(piece, pen.colour, pen.width);
          }),
          svg_(writer),
          view_(view) {}

    void Segment(WorldPoint p, WorldPoint q, const PenSpec& pen) override {
        svg_.SvgSegment(p, q, pen);
    }
    void ScreenSegment(ScreenPoint a, ScreenPoint b, std::span<const WorldPoint, 2>,
                       const PenSpec& pen) override {
        svg_.SvgLineScreen(a, b, pen);
    }
    void Marker(ScreenPoint pixel, WorldPoint, int kind, int size, QRgb colour) override {
        svg_.SvgMarker(pixel, kind, size, colour);
    }
    void Dot(ScreenPoint pixel, WorldPoint, QRgb colour) override {
        svg_.SvgEllipse(pixel, 1, colour, colour);
    }
    void Text(const ExportTextItem& t) override {
        svg_.SvgText(t.pixel, t.text, t.colour, *t.font, t.h, t.v);
    }
    void Polygon(std::span<const WorldPoint> corners, std::optional<QRgb> fill,
                 const PenSpec& pen) override {
        svg_.SvgPolygonWorld(corners, !fill, fill.value_or(pen.colour), OutlineWidth(pen),
                             pen.colour, 0);
    }
    void FilledBox(ScreenPoint topLeft, int width, int height, QRgb colour) override {
        svg_.SvgRect(topLeft.x, topLeft.y, width, height, false, colour, -1, colour);
    }
    void ImageFrame(std::span<const WorldPoint, 5> corners, const PenSpec& pen) override {
        svg_.SvgPolygonWorld(corners.first<4>(), true, pen.colour, pen.width, pen.colour, 0);
    }
    void Background() override {
        const int outline = view_.frameImage ? 1 : -1;
        svg_.SvgRect(0, 0, view_.clientWidth, view_.clientHeight, false, view_.background, outline,
                     view_.paletteZero);
    }
    void PolylineByParity(std::span<const WorldPoint> points, std::span<const std::uint8_t> marks,
                          const PenSpec& pen, int mode) override {
        svg_.SvgPolylineByParity(points, marks, pen, mode);
    }

private:
    void FillTriangle(const std::array<WorldPoint, 3>& corners, const PenSpec& pen) override {
        svg_.SvgPolygonWorld(corners, false, pen.colour, pen.width, pen.colour, 0);
    }

    SvgWriter& svg_;
    const ExportView& view_;
};

class EpsTarget final : public BufferedTarget {
public:
    EpsTarget(EpsWriter& writer, const ExportView& view)
        : BufferedTarget([&writer](std::span<const WorldPoint> piece, const PenSpec& pen) {
              writer.EpsStrokePolyline(piece, pen.colour, pen.width);
          }),
          eps_(writer),
          view_(view) {}

    void Segment(WorldPoint p, WorldPoint q, const PenSpec& pen) override {
        eps_.EpsSegment(p, q, pen);
    }
    void ScreenSegment(ScreenPoint a, ScreenPoint b, std::span<const WorldPoint, 2>,
                       const PenSpec& pen) override {
        eps_.EpsSegmentScreen(a, b, pen);
    }
    void Marker(ScreenPoint, WorldPoint at, int kind, int size, QRgb colour) override {
        eps_.EpsMarker(at, kind, size, colour);
    }
    void Dot(ScreenPoint pixel, WorldPoint, QRgb colour) override {
        eps_.EpsDot(pixel, 1, 1, colour, std::nullopt, 0);
    }
    void Text(const ExportTextItem& t) override {
        eps_.EpsText(t.pixel, t.text, t.colour, *t.font, t.h, t.v);
    }
    void Polygon(std::span<const WorldPoint> corners, std::optional<QRgb> fill,
                 const PenSpec& pen) override {
        eps_.EpsFill(corners, false, fill.value_or(pen.colour), OutlineWidth(pen), pen.colour,
                     !fill);
    }
    void FilledBox(ScreenPoint topLeft, int width, int height, QRgb colour) override {
        eps_.EpsRoundRectScreen(topLeft.x, topLeft.y, width, height, false, colour, -1, colour, 0,
                                0);
    }
    void ImageFrame(std::span<const WorldPoint, 5> corners, const PenSpec& pen) override {
        eps_.EpsStrokePolyline(corners, pen.colour, pen.width);
    }
    void Background() override {
        const int outline = view_.frameImage ? 1 : -1;
        eps_.EpsRoundRect({view_.xLow, view_.yHigh + view_.unitsPerPixelY},
                          {view_.xHigh + view_.unitsPerPixelX, view_.yLow}, false, view_.background,
                          outline, view_.paletteZero, 0, 0);
    }
    void Comment(std::string_view text) override { eps_.EpsComment(text); }
    void PolylineByParity(std::span<const WorldPoint> points, std::span<const std::uint8_t> marks,
                          const PenSpec& pen, int mode) override {
        eps_.EpsPolylineByParity(points, marks, pen, mode);
    }

private:
    void FillTriangle(const std::array<WorldPoint, 3>& corners, const PenSpec& pen) override {
        eps_.EpsFill(corners, false, pen.colour, pen.width, pen.colour, false);
    }

    EpsWriter& eps_;
    const ExportView& view_;
};

}  // namespace

std::unique_ptr<ExportTarget> MakePictexTarget(PictexWriter& writer) {
    return std::make_unique<PictexTarget>(writer);
}

std::unique_ptr<ExportTarget> MakeSvgTarget(SvgWriter& writer, const ExportView& view) {
    return std::make_unique<SvgTarget>(writer, view);
}

std::unique_ptr<ExportTarget> MakeEpsTarget(EpsWriter& writer, const ExportView& view) {
    return std::make_unique<EpsTarget>(writer, view);
}

}  // namespace quorlin::canvas
