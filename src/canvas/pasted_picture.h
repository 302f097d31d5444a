#pragma once
// Pictures pasted onto a diagram: an enhanced metafile with the world rectangle it fills, its
// anchor and its transparency, the picture block of diagram files, and the rule that fits a
// pasted picture into the space right of and below the click.
#include <QPoint>
#include <QSize>

#include <span>
#include <vector>

#include "canvas/view_frame.h"
#include "core/binio.h"
#include "platform/emf_picture.h"

namespace quorlin::canvas {

struct TPastedPicture {
    platform::EmfPicture metafile;
    int index = 0;  // serial number; removal does not renumber
    // -1: the rectangle is in world coordinates; k >= 0: relative to the point of example k.
    int anchor = -1;
    // Played over what is there; otherwise the rectangle is first filled with the background.
    bool transparent = true;
    TLDRect rect;
};

using PictureList = std::vector<TPastedPicture>;

// The rectangle moved by the anchor's origin (both x fields and both y fields); nothing for an
// untied picture.
TLDRect PictureToAbsolute(const TPastedPicture& picture, WorldPoint origin);
TLDRect PictureToRelative(const TLDRect& absolute, int anchor, WorldPoint origin);

// The size a picture of the given pixel size takes when pasted at p into a client area: it is
// shrunk, keeping its proportions, to fit right of and below p.
QSize FitPastedSize(QSize picture, QPoint p, QSize client);

// The serial number of a newly pasted picture: 0, or one more than the last one's.
int NextPictureIndex(const PictureList& list);

// i16 minus the count (0 for none), then per picture its rectangle, transparency, anchor block,
// byte count and metafile bytes.
void WritePictures(ByteWriter& out, std::span<const TPastedPicture> list);
// Replaces list on success; 0, or 11 when the block is damaged (a byte count beyond the data,
// bytes that are no sound metafile, an impossible anchor, a corner that is not finite). A positive
// count is the older layout without anchor blocks.
int ReadPictures(ByteReader& in, PictureList& list);

}  // namespace quorlin::canvas
