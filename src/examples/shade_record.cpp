#include "examples/shade_record.h"

#include <algorithm>
#include <cmath>

namespace quorlin::examples {

namespace {

constexpr std::size_t kLinkBytes = 4;
constexpr int kLastPaletteIndex = 60;
constexpr int kLastParameterLetter = 23;  // W

}  // namespace

void WriteShadeList(ByteWriter& out, std::span<const TShadeRecord> list) {
    const std::size_t count = std::min<std::size_t>(list.size(), 0xFFFF);
    out.U16(static_cast<std::uint16_t>(count));
    for (const TShadeRecord& r : list.first(count)) {
        out.I16(r.first);
        out.I16(r.second);
        out.U16(r.style);
        out.U8(r.intervalOn);
        out.LongDouble(r.low);
        out.LongDouble(r.high);
        out.I16(r.colour);
        out.U32(r.reserved);
        out.Zeros(kLinkBytes);
    }
}

int ReadShadeList(ByteReader& in, int fileVersion, ShadeList& list) {
    std::uint16_t count = 0;
    if (!in.U16(count) || !in.CanRead(count, TShadeRecord::kByteSize)) return kErrCannotOpenFile;
    ShadeList read(count);
    for (TShadeRecord& r : read) {
        in.I16(r.first);
        in.I16(r.second);
        in.U16(r.style);
        in.U8(r.intervalOn);
        in.LongDouble(r.low);
        in.LongDouble(r.high);
        in.I16(r.colour);
        in.U32(r.reserved);
        in.Skip(kLinkBytes);
        if (fileVersion < 9) r.style = static_cast<std::uint16_t>(r.Pattern());
    }
    if (in.Failed()) return kErrCannotOpenFile;
    list = std::move(read);
    return kNoError;
}

int ValidateShadeRecord(const TShadeRecord& r, int lastExample) {
    const auto isExample = [lastExample](int i) { return i >= 0 && i <= lastExample; };
    const bool sideOk =
        r.second == TShadeRecord::kAbove || r.second == TShadeRecord::kBelow || isExample(r.second);
    const bool lettersOk =
        r.LowEndLetter() <= kLastParameterLetter && r.HighEndLetter() <= kLastParameterLetter;
    const bool ok = isExample(r.first) && sideOk && lettersOk && r.colour >= 0 &&
                    r.colour <= kLastPaletteIndex && std::isfinite(r.low) && std::isfinite(r.high);
    return ok ? kNoError : kErrInconsistentData;
}

}  // namespace quorlin::examples
