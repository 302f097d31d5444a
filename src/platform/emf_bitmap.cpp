#include "platform/emf_bitmap.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include <QList>

namespace quorlin::platform::emf {

namespace {

constexpr std::uint32_t kPlainRows = 0, kColourMasks = 3;

// Little-endian fields of a block; nothing for a field that does not lie inside it.
class Block {
public:
    explicit Block(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Holds(std::uint64_t offset, std::uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    std::optional<std::uint32_t> U32(std::size_t offset) const {
        if (!Holds(offset, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(bytes_[offset] | (bytes_[offset + 1] << 8) |
                                          (bytes_[offset + 2] << 16)) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::optional<std::uint16_t> U16(std::size_t offset) const {
        if (!Holds(offset, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    const std::uint8_t* At(std::size_t offset) const { return bytes_.data() + offset; }

private:
    std::span<const std::uint8_t> bytes_;
};

// What the info block says about the rows.
struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive
    bool topDown = false;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kPlainRows;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue, for colour-mask layouts
    QList<QRgb> colours;                   // 2^bitCount entries for up to 8 bits
    std::uint64_t stride = 0;              // bytes per row, a multiple of four
};

bool ReadColourTable(const Block& info, std::size_t offset, std::uint32_t used,
                     std::size_t entrySize, Layout& layout) {
    const std::uint32_t size = 1u << layout.bitCount;
    const std::uint32_t count = used != 0 ? std::min(used, size) : size;
    if (!info.Holds(offset, std::uint64_t{count} * entrySize)) return false;
    layout.colours.fill(qRgb(0, 0, 0), size);  // indices past the table show black
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* bgr = info.At(offset + i * entrySize);
        layout.colours[i] = qRgb(bgr[2], bgr[1], bgr[0]);
    }
    return true;
}

std::optional<Layout> ReadLayout(const Block& info, bool paletteIndices) {
    const auto headerSize = info.U32(0);
    if (!headerSize) return std::nullopt;
    Layout layout;
    std::uint32_t used = 0;
    std::size_t entrySize = 4;
    if (*headerSize == 12) {  // the old core header: 16-bit sizes, three-byte colours
        if (!info.Holds(0, 12)) return std::nullopt;
        layout.width = *info.U16(4);
        layout.height = *info.U16(6);
        layout.bitCount = *info.U16(10);
        entrySize = 3;
    } else {
        if (*headerSize < 40 || !info.Holds(0, *headerSize)) return std::nullopt;
        layout.width = static_cast<std::int32_t>(*info.U32(4));
        const auto height = static_cast<std::int32_t>(*info.U32(8));
        layout.topDown = height < 0;
        layout.height = layout.topDown ? -std::int64_t{height} : height;
        layout.bitCount = *info.U16(14);
        layout.compression = *info.U32(16);
        used = *info.U32(32);
    }
    constexpr std::array kBitCounts{1u, 4u, 8u, 16u, 24u, 32u};
    if (std::find(kBitCounts.begin(), kBitCounts.end(), layout.bitCount) == kBitCounts.end() ||
        layout.width <= 0 || layout.height <= 0 ||
        layout.width * layout.height > kLargestBitmapPixels) {
        return std::nullopt;
    }
    std::size_t tableOffset = *headerSize;
    if (layout.compression == kColourMasks) {
        if (layout.bitCount != 16 && layout.bitCount != 32) return std::nullopt;
        // The masks follow a 40-byte header; later headers hold them at the same place.
        const std::size_t at = 40;
        if (!info.Holds(at, 12)) return std::nullopt;
        layout.masks = {*info.U32(at), *info.U32(at + 4), *info.U32(at + 8)};
        if (*headerSize == 40) tableOffset += 12;
    } else if (layout.compression != kPlainRows) {
        return std::nullopt;  // run-length, JPEG and PNG rows are not read
    }
    if (layout.bitCount <= 8) {
        if (paletteIndices || !ReadColourTable(info, tableOffset, used, entrySize, layout))
            return std::nullopt;
    } else if (layout.compression == kPlainRows && layout.bitCount == 16) {
        layout.compression = kColourMasks;
        layout.masks = {0x7c00, 0x03e0, 0x001f};  // 5-5-5
    }
    layout.stride = ((static_cast<std::uint64_t>(layout.width) * layout.bitCount + 31) / 32) * 4;
    return layout;
}

// A channel given by a mask, scaled to eight bits.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t value = (pixel & mask) >> shift;
    const std::uint64_t largest = std::uint64_t{mask} >> shift;
    return static_cast<int>(value * 255 / largest);
}

void CopyRow(const Layout& layout, const std::uint8_t* row, QImage& image, int y, bool alpha) {
    const auto width = static_cast<std::size_t>(layout.width);
    uchar* out = image.scanLine(y);
    switch (layout.bitCount) {
        case 1:  // the same bit order and row size as a mono image
            std::memcpy(out, row, static_cast<std::size_t>(image.bytesPerLine()));
            return;
        case 4:
            for (std::size_t x = 0; x < width; ++x)
                out[x] = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0f;
            return;
        case 8:
        case 24:
            std::memcpy(out, row, width * layout.bitCount / 8);
            return;
        default:
            break;
    }
    auto* pixels = reinterpret_cast<QRgb*>(out);
    const std::size_t bytes = layout.bitCount / 8;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint8_t* p = row + x * bytes;
        if (layout.compression == kColourMasks) {
            const std::uint32_t v = bytes == 2 ? std::uint32_t{p[0]} | (p[1] << 8)
                                               : std::uint32_t{p[0]} | (p[1] << 8) | (p[2] << 16) |
                                                     (std::uint32_t{p[3]} << 24);
            pixels[x] = qRgb(Channel(v, layout.masks[0]), Channel(v, layout.masks[1]),
                             Channel(v, layout.masks[2]));
        } else if (alpha) {  // premultiplied: no channel may exceed the alpha
            const int a = p[3];
            pixels[x] =
                qRgba(std::min<int>(p[2], a), std::min<int>(p[1], a), std::min<int>(p[0], a), a);
        } else {
            pixels[x] = qRgb(p[2], p[1], p[0]);
        }
    }
}

QImage::Format FormatOf(const Layout& layout, bool alpha) {
    switch (layout.bitCount) {
        case 1:
            return QImage::Format_Mono;
        case 4:
        case 8:
            return QImage::Format_Indexed8;
        case 24:
            return QImage::Format_BGR888;
        default:
            return alpha && layout.compression == kPlainRows ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32;
    }
}

}  // namespace

QImage DecodeBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                    bool paletteIndices, bool alpha) {
    const auto layout = ReadLayout(Block(info), paletteIndices);
    if (!layout || bits.size() / layout->stride < static_cast<std::uint64_t>(layout->height))
        return {};
    QImage image(static_cast<int>(layout->width), static_cast<int>(layout->height),
                 FormatOf(*layout, alpha));
    if (image.isNull()) return {};  // no memory for it
    if (!layout->colours.isEmpty()) image.setColorTable(layout->colours);
    for (int y = 0; y < image.height(); ++y) {
        const auto row = static_cast<std::uint64_t>(layout->topDown ? y : image.height() - 1 - y);
        CopyRow(*layout, bits.data() + row * layout->stride, image, y, alpha);
    }
    return image;
}

}  // namespace quorlin::platform::emf
