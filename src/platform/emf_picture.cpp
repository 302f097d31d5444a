#include "platform/emf_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

#include "platform/emf_player.h"
#include "platform/whole_file.h"

namespace quorlin::platform {

namespace {

std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

// The extent from low to high. Corners of a foreign header may lie at the two ends of the 32-bit
// range, whose difference an int cannot hold.
double Extent(std::int32_t low, std::int32_t high) {
    return static_cast<double>(high) - static_cast<double>(low);
}

constexpr double kScreenDpi = 96.0;

}  // namespace

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
    return WriteWholeFile(path, AsBytes(bytes_));
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

bool EmfPicture::Render(QPainter& painter, const QRectF& target) const {
    return emf::PlayMetafile(AsBytes(bytes_), header_, painter, target);
}

QByteArray EmfPicture::ToSvg() const {
    const QSize natural = PixelSizeAt(kScreenDpi);
    if (natural.isEmpty()) return {};
    const QSize size = ClampedImageSize(natural);
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(static_cast<int>(kScreenDpi));
    generator.setTitle(header_.Title());
    {
        QPainter painter(&generator);
        if (!Render(painter, QRectF(QPointF(0, 0), QSizeF(size)))) return {};
    }
    return svg;
}

QSize EmfPicture::ClampedImageSize(QSize size) {
    size = size.expandedTo(QSize(1, 1));
    const double longest = std::max(size.width(), size.height());
    if (longest <= kLargestImageSide) return size;
    const double factor = kLargestImageSide / longest;
    return QSize(static_cast<int>(std::lround(size.width() * factor)),
                 static_cast<int>(std::lround(size.height() * factor)))
        .expandedTo(QSize(1, 1));
}

QImage EmfPicture::ToImage(QSize size) const {
    QImage image(ClampedImageSize(size), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
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
