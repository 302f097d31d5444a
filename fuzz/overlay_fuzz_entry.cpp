#include "overlay_fuzz_entry.h"

#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include "canvas/records/picture_record.h"
#include "canvas/records/text_record.h"
#include "core/binio.h"

namespace quorlin {

namespace {

void Require(bool promise) {
    if (!promise) std::abort();
}

// A block's reader and writer over one kind of list.
struct BlockCodec {
    std::function<int(ByteReader&)> read;  // into the codec's own list
    std::function<void(ByteWriter&)> write;
};

// Reads the block; when it was read, writes it, reads that back and writes it again.
int RoundTrip(std::span<const std::uint8_t> bytes, const BlockCodec& first,
              const BlockCodec& second) {
    ByteReader in(bytes);
    if (first.read(in) != 0) return 0;
    ByteWriter out;
    first.write(out);
    const std::vector<std::uint8_t> written = out.Take();
    ByteReader again(written);
    Require(second.read(again) == 0 && again.AtEnd());
    ByteWriter rewritten;
    second.write(rewritten);
    Require(rewritten.Take() == written);
    return 1;
}

struct Texts {
    bool keepShown = false;
    canvas::TextList list;
    BlockCodec Codec() {
        return {[this](ByteReader& in) { return canvas::ReadTexts(in, keepShown, list); },
                [this](ByteWriter& out) { canvas::WriteTexts(out, list); }};
    }
};

struct EvalTexts {
    canvas::TextList list;
    canvas::EvalTextTable table;
    BlockCodec Codec() {
        return {[this](ByteReader& in) { return canvas::ReadEvalTexts(in, list, table); },
                [this](ByteWriter& out) { canvas::WriteEvalTexts(out, list, table); }};
    }
};

struct Pictures {
    canvas::PictureList list;
    BlockCodec Codec() {
        return {[this](ByteReader& in) { return canvas::ReadPictures(in, list); },
                [this](ByteWriter& out) { canvas::WritePictures(out, list); }};
    }
};

}  // namespace

int RunOverlayFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const std::span<const std::uint8_t> block(data + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
        case 1: {
            Texts first{data[0] % 4 == 1, {}}, second{true, {}};
            return RoundTrip(block, first.Codec(), second.Codec());
        }
        case 2: {
            EvalTexts first, second;
            return RoundTrip(block, first.Codec(), second.Codec());
        }
        default: {
            Pictures first, second;
            return RoundTrip(block, first.Codec(), second.Codec());
        }
    }
}

}  // namespace quorlin
