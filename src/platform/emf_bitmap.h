#pragma once
// Device-independent bitmaps inside metafile records, turned into QImage for playing.
//
// A metafile record carries a bitmap as an info block (header and colour table) and a block of
// rows, each at offsets the record gives. The decoder reads the uncompressed layouts: 1, 4 and
// 8 bits per pixel through the colour table, 16 bits as 5-5-5 or through colour masks, 24 bits
// and 32 bits; rows bottom-up or top-down. Everything it reads lies inside the two blocks, and a
// bitmap of more pixels than a pasted picture can sensibly hold is not decoded.
#include <cstdint>
#include <span>

#include <QImage>

namespace quorlin::platform::emf {

// Bitmaps with more pixels are not drawn (an image of 32-bit pixels would take 256 MB).
inline constexpr std::int64_t kLargestBitmapPixels = std::int64_t{1} << 26;

// The bitmap of these blocks, top row first; a null image when the layout is one the decoder
// does not read or the blocks are too short for it. Colours from a table of palette indices
// (rather than colours) are not known outside the recording device: such bitmaps are refused.
// With alpha, a 32-bit bitmap keeps its fourth byte as premultiplied alpha.
QImage DecodeBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                    bool paletteIndices = false, bool alpha = false);

}  // namespace quorlin::platform::emf
