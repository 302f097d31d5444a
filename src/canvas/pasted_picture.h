#pragma once
// Pasted pictures on the window side: the rectangle of a picture record
// (canvas/records/picture_record.h) made absolute and relative to its anchor, the record's bytes
// as a picture to draw and a picture as the bytes of a record, and the rule that fits a pasted
// picture into the space right of and below the click.
#include <QPoint>
#include <QSize>

#include <optional>

#include "canvas/records/picture_record.h"
#include "canvas/view_frame.h"
#include "platform/emf_picture.h"

namespace quorlin::canvas {

// The rectangle moved by the anchor's origin (both x fields and both y fields); nothing for an
// untied picture.
TLDRect PictureToAbsolute(const TPastedPicture& picture, WorldPoint origin);
TLDRect PictureToRelative(const TLDRect& absolute, int anchor, WorldPoint origin);

// The metafile of a record, to draw or copy; nothing only for bytes that never passed the
// validator.
std::optional<platform::EmfPicture> PictureOf(const TPastedPicture& picture);
// The bytes a record keeps of a picture.
std::vector<std::uint8_t> MetafileBytes(const platform::EmfPicture& picture);

// The size a picture of the given pixel size takes when pasted at p into a client area: it is
// shrunk, keeping its proportions, to fit right of and below p.
QSize FitPastedSize(QSize picture, QPoint p, QSize client);

}  // namespace quorlin::canvas
