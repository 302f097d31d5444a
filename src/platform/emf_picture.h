#pragma once
// EmfPicture: an Enhanced Metafile kept as the exact bytes it came with (from a file, the
// clipboard, a diagram file or the recorder), so that saving a diagram writes them back
// unchanged.
//
// A picture exists only for bytes that passed emf::ValidateMetafile: the header agrees with the
// byte count and every record lies inside the file. Drawing plays the records with the
// program's own player (emf_player.h), its frame stretched into the rectangle asked for;
// ToSvg() and ToImage()/ToPng() give the same drawing as alternate formats.
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include "platform/metafile/emf_format.h"

class QPainter;

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
    // Writes the bytes whole through WriteWholeFile; false when they did not all reach the disk,
    // and an older file of that name is then left as it was.
    bool SaveToFile(const QString& path) const;

    // The frame's size in millimetres, and in pixels on a surface of dpi pixels per inch.
    QSizeF SizeMm() const;
    QSize PixelSizeAt(double dpi) const;

    // Draws the picture stretched into target; false when it has no extent to place.
    bool Render(QPainter& painter, const QRectF& target) const;
    // The drawing as an SVG document of the picture's size on a 96 dpi screen (empty when it
    // has no extent).
    QByteArray ToSvg() const;
    // The drawing on a transparent image of the given size, and that image as PNG bytes; a
    // size beyond what a screen or a page can use is first scaled down (ClampedImageSize).
    QImage ToImage(QSize size) const;
    QByteArray ToPng(QSize size) const;

    // The size scaled down, proportions kept (each side at least a pixel), until neither side
    // passes kLargestImageSide; a smaller size stays as it is.
    static constexpr int kLargestImageSide = 8192;
    static QSize ClampedImageSize(QSize size);

private:
    EmfPicture(QByteArray bytes, emf::Header header);

    QByteArray bytes_;
    emf::Header header_;
};

}  // namespace quorlin::platform
