#include "platform/emf_picture.h"

#include <cmath>
#include <cstdlib>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <emf2svg.h>

namespace quorlin::platform {

namespace {

std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// libemf2svg's SVG of a validated metafile; empty when the converter gives up.
QByteArray ConvertToSvg(const QByteArray& metafile) {
    QByteArray input(metafile.constData(), metafile.size());  // the converter takes char*
    generatorOptions options{};
    options.nameSpace = nullptr;
    options.verbose = false;
    options.emfplus = false;  // dual pictures carry plain records too
    options.svgDelimiter = true;
    char* output = nullptr;
    std::size_t length = 0;
    const int ok =
        emf2svg(input.data(), static_cast<std::size_t>(input.size()), &output, &length, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(output, &std::free);
    if (!ok || !output) return {};
    return QByteArray(output, static_cast<qsizetype>(length));
}

// The extent from low to high. Corners of a foreign header may lie at the two ends of the 32-bit
// range, whose difference an int cannot hold.
double Extent(std::int32_t low, std::int32_t high) {
    return static_cast<double>(high) - static_cast<double>(low);
}

// The converter sizes its SVG to the header's bounds (what was drawn); the picture is its frame
// (the page it was drawn on), so the view box is moved onto the frame, in the SVG's units.
void ShowFrame(QSvgRenderer& renderer, const emf::Header& header) {
    const emf::Rect32& b = header.bounds;
    const emf::Rect32& f = header.frame;
    const double boundsWidth = Extent(b.left, b.right), boundsHeight = Extent(b.top, b.bottom);
    const double frameWidth = Extent(f.left, f.right), frameHeight = Extent(f.top, f.bottom);
    const bool micrometres = header.micrometresWidth > 0 && header.micrometresHeight > 0;
    const double hundredthsWide =
        micrometres ? header.micrometresWidth / 10.0 : header.millimetresWidth * 100.0;
    const double hundredthsHigh =
        micrometres ? header.micrometresHeight / 10.0 : header.millimetresHeight * 100.0;
    if (boundsWidth <= 0 || boundsHeight <= 0 || frameWidth <= 0 || frameHeight <= 0 ||
        hundredthsWide <= 0 || hundredthsHigh <= 0 || header.deviceWidth <= 0 ||
        header.deviceHeight <= 0) {
        return;
    }
    const QSizeF svgSize = renderer.viewBoxF().size();
    const double sx = svgSize.width() / boundsWidth, sy = svgSize.height() / boundsHeight;
    const double unitsX = header.deviceWidth / hundredthsWide;  // device units per 0.01 mm
    const double unitsY = header.deviceHeight / hundredthsHigh;
    renderer.setViewBox(QRectF((f.left * unitsX - b.left) * sx, (f.top * unitsY - b.top) * sy,
                               frameWidth * unitsX * sx, frameHeight * unitsY * sy));
}

}  // namespace

struct EmfPicture::Converted {
    QByteArray svg;
    std::unique_ptr<QSvgRenderer> renderer;
};

EmfPicture::EmfPicture(QByteArray bytes, emf::Header header)
    : bytes_(std::move(bytes)), header_(std::move(header)) {}

std::optional<EmfPicture> EmfPicture::FromBytes(const QByteArray& bytes, emf::FormatError* error) {
    auto header = emf::ValidateMetafile(AsBytes(bytes), error);
    if (!header) return std::nullopt;
    return EmfPicture(bytes, std::move(*header));
}

std::optional<EmfPicture> EmfPicture::FromFile(const QString& path, emf::FormatError* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = emf::FormatError::kTooShort;
        return std::nullopt;
    }
    return FromBytes(file.readAll(), error);
}

bool EmfPicture::SaveToFile(const QString& path) const {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes_) == bytes_.size() && file.commit();
}

QSizeF EmfPicture::SizeMm() const {
    const emf::Rect32& f = header_.frame;
    return QSizeF(std::abs(Extent(f.left, f.right)) / 100.0,
                  std::abs(Extent(f.top, f.bottom)) / 100.0);
}

QSize EmfPicture::PixelSizeAt(double dpi) const {
    const QSizeF mm = SizeMm();
    return QSize(static_cast<int>(std::lround(mm.width() * dpi / 25.4)),
                 static_cast<int>(std::lround(mm.height() * dpi / 25.4)));
}

QSvgRenderer* EmfPicture::Renderer() const {
    if (!converted_) {
        auto converted = std::make_shared<Converted>();
        converted->svg = ConvertToSvg(bytes_);
        if (!converted->svg.isEmpty()) {
            converted->renderer = std::make_unique<QSvgRenderer>(converted->svg);
            ShowFrame(*converted->renderer, header_);
        }
        converted_ = std::move(converted);
    }
    QSvgRenderer* renderer = converted_->renderer.get();
    return renderer && renderer->isValid() ? renderer : nullptr;
}

QByteArray EmfPicture::ToSvg() const {
    Renderer();
    return converted_->svg;
}

bool EmfPicture::Render(QPainter& painter, const QRectF& target) const {
    QSvgRenderer* renderer = Renderer();
    if (!renderer) return false;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);  // nothing spills out of the frame
    renderer->render(&painter, target);
    painter.restore();
    return true;
}

QImage EmfPicture::ToImage(QSize size) const {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Render(painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

QByteArray EmfPicture::ToPng(QSize size) const {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ToImage(size).save(&buffer, "PNG");
    return png;
}

}  // namespace quorlin::platform
