#pragma once
// EmfPicture: an Enhanced Metafile kept as the exact bytes it came with (from a file, the
// clipboard, a diagram file or the recorder), so that saving a diagram writes them back
// unchanged.
//
// A picture exists only for bytes that passed emf::ValidateMetafile: the header agrees with the
// byte count and every record lies inside the file. Drawing converts the metafile to SVG with
// libemf2svg once and paints that SVG with Qt SVG, stretched into the rectangle asked for;
// ToSvg() and ToImage()/ToPng() give the same drawing as alternate formats.
#include <memory>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include "platform/emf_format.h"

class QPainter;
class QSvgRenderer;

namespace quorlin::platform {

class EmfPicture {
public:
    // The picture of these bytes, or nothing (with the reason in error) when they are not a
    // sound metafile.
    static std::optional<EmfPicture> FromBytes(const QByteArray& bytes,
                                               emf::FormatError* error = nullptr);
    static std::optional<EmfPicture> FromFile(const QString& path,
                                              emf::FormatError* error = nullptr);

    const QByteArray& Bytes() const { return bytes_; }
    const emf::Header& Header() const { return header_; }
    bool SaveToFile(const QString& path) const;

    // The frame's size in millimetres, and in pixels on a surface of dpi pixels per inch.
    QSizeF SizeMm() const;
    QSize PixelSizeAt(double dpi) const;

    // Draws the picture stretched into target; false when the converter refused the metafile.
    bool Render(QPainter& painter, const QRectF& target) const;
    // The drawing as an SVG document (empty when the converter refused the metafile).
    QByteArray ToSvg() const;
    // The drawing on a transparent image of the given size, and that image as PNG bytes.
    QImage ToImage(QSize size) const;
    QByteArray ToPng(QSize size) const;

private:
    EmfPicture(QByteArray bytes, emf::Header header);
    QSvgRenderer* Renderer() const;

    QByteArray bytes_;
    emf::Header header_;
    // Converted on first use and shared by copies of the picture.
    struct Converted;
    mutable std::shared_ptr<Converted> converted_;
};

}  // namespace quorlin::platform
