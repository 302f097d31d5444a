#include "canvas/records/picture_record.h"

#include <cmath>
#include <optional>

#include "core/errors.h"
#include "platform/metafile/emf_format.h"

namespace quorlin::canvas {

namespace {

constexpr std::size_t kAnchorBlockBytes = 40;

}  // namespace

int NextPictureIndex(const PictureList& list) {
    return list.empty() ? 0 : list.back().index + 1;
}

void WritePictures(ByteWriter& out, std::span<const TPastedPicture> list) {
    out.I16(static_cast<std::int16_t>(-static_cast<int>(list.size())));
    for (const TPastedPicture& p : list) {
        for (long double v : {p.rect.xLow, p.rect.xHigh, p.rect.yLow, p.rect.yHigh})
            out.LongDouble(v);
        out.U8(p.transparent ? 1 : 0);
        out.I32(p.anchor);
        out.Zeros(kAnchorBlockBytes - 4);
        out.U32(static_cast<std::uint32_t>(p.metafile.size()));
        out.Bytes(p.metafile);
    }
}

namespace {

// One picture of the block; nothing when its bytes are damaged.
std::optional<TPastedPicture> ReadPicture(ByteReader& in, bool withAnchor, int index) {
    TLDRect r;
    std::uint8_t transparent = 0;
    std::int32_t anchor = -1;
    std::uint32_t size = 0;
    for (long double* v : {&r.xLow, &r.xHigh, &r.yLow, &r.yHigh}) in.LongDouble(*v);
    in.U8(transparent);
    if (withAnchor) {
        in.I32(anchor);
        in.Skip(kAnchorBlockBytes - 4);
    }
    in.U32(size);
    // The size comes from the file: it must fit the bytes left before anything is allocated.
    const bool finite = std::isfinite(r.xLow) && std::isfinite(r.xHigh) && std::isfinite(r.yLow) &&
                        std::isfinite(r.yHigh);
    if (in.Failed() || anchor < -1 || !finite || !in.CanRead(size, 1)) return std::nullopt;
    std::vector<std::uint8_t> bytes(size);
    in.Bytes(bytes);
    if (!platform::emf::ValidateMetafile(bytes)) return std::nullopt;
    return TPastedPicture{std::move(bytes), index, anchor, transparent != 0, r};
}

}  // namespace

int ReadPictures(ByteReader& in, PictureList& list) {
    std::int16_t count = 0;
    if (!in.I16(count)) return kErrCannotOpenFile;
    const bool withAnchor = count < 0;
    const int n = withAnchor ? -static_cast<int>(count) : count;
    // The smallest picture still holds its rectangle, flags, size word and a metafile header.
    constexpr std::size_t kSmallestPicture = 40 + 1 + 4 + 88;
    if (!in.CanRead(static_cast<std::size_t>(n), kSmallestPicture)) return kErrCannotOpenFile;
    PictureList read;
    read.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        auto picture = ReadPicture(in, withAnchor, i);
        if (!picture) return kErrCannotOpenFile;
        read.push_back(std::move(*picture));
    }
    list = std::move(read);
    return 0;
}

}  // namespace quorlin::canvas
