#pragma once
// Pictures pasted onto a diagram as plain records: the bytes of an enhanced metafile with the
// world rectangle it fills, its anchor and its transparency, and the picture block of diagram
// files. The window side draws the bytes and fits new pictures in (canvas/pasted_picture.h).
#include <cstdint>
#include <span>
#include <vector>

#include "canvas/records/world_rect.h"
#include "core/binio.h"

namespace quorlin::canvas {

struct TPastedPicture {
    // The metafile as it came, always bytes that passed the metafile validator, so that saving
    // writes them back unchanged.
    std::vector<std::uint8_t> metafile;
    int index = 0;  // serial number; removal does not renumber
    // -1: the rectangle is in world coordinates; k >= 0: relative to the point of example k.
    int anchor = -1;
    // Played over what is there; otherwise the rectangle is first filled with the background.
    bool transparent = true;
    TLDRect rect;
};

using PictureList = std::vector<TPastedPicture>;

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
