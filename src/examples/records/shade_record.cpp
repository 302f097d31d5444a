#include "examples/records/shade_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/errors.h"

namespace quorlin::examples {

namespace {
constexpr std::size_t kLinkBytes = 4;
constexpr int kPatternOnlyBefore = 9;  // file versions before this keep only the pattern
constexpr int kLastPaletteIndex = 60;
constexpr int kLastParameterLetter = 23;  // W
}  // namespace

void WriteShadeRecord(ByteWriter& out, const TShadeRecord& r) {
    out.I16(r.first);
    out.I16(r.second);
    out.U16(r.style);
    out.U8(r.intervalOn);
    out.LongDouble(r.low);
    out.LongDouble(r.high);
    out.I16(r.colour);
    out.Bytes(r.spare);
    out.Zeros(kLinkBytes);
}

bool ReadShadeRecord(ByteReader& in, TShadeRecord& record) {
    if (!in.CanRead(1, kShadeRecordBytes)) return false;
    TShadeRecord r;
    const bool ok = in.I16(r.first) && in.I16(r.second) && in.U16(r.style) && in.U8(r.intervalOn) &&
                    in.LongDouble(r.low) && in.LongDouble(r.high) && in.I16(r.colour) &&
                    in.Bytes(r.spare) && in.Skip(kLinkBytes);
    if (ok) record = r;
    return ok;
}

void WriteShadeList(ByteWriter& out, const ShadeList& list) {
    const std::size_t count =
        std::min<std::size_t>(list.size(), std::numeric_limits<std::uint16_t>::max());
    out.U16(static_cast<std::uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k) WriteShadeRecord(out, list[k]);
}

int ReadShadeList(ByteReader& in, int fileVersion, ShadeList& list) {
    std::uint16_t count = 0;
    if (!in.U16(count) || !in.CanRead(count, kShadeRecordBytes)) return kErrCannotOpenFile;
    ShadeList read(count);
    for (TShadeRecord& r : read) {
        if (!ReadShadeRecord(in, r)) return kErrCannotOpenFile;
        if (fileVersion < kPatternOnlyBefore) r.style %= TShadeRecord::kPatterns;
    }
    list = std::move(read);
    return kNoError;
}

void DropInvalidShades(ShadeList& list, int lastIndex) {
    const auto valid = [lastIndex](int index) { return index >= 0 && index <= lastIndex; };
    std::erase_if(list, [&](const TShadeRecord& r) {
        return !valid(r.first) ||
               (r.second >= 0 ? !valid(r.second) : r.second < TShadeRecord::kToAxis);
    });
}

int ValidateShadeRecord(const TShadeRecord& r, int lastIndex) {
    const auto isExample = [lastIndex](int i) { return i >= 0 && i <= lastIndex; };
    const bool sideOk = r.second >= TShadeRecord::kToAxis && (r.second < 0 || isExample(r.second));
    const bool lettersOk =
        r.LowEndParameter() <= kLastParameterLetter && r.HighEndParameter() <= kLastParameterLetter;
    const bool ok = isExample(r.first) && sideOk && lettersOk && r.colour >= 0 &&
                    r.colour <= kLastPaletteIndex && std::isfinite(r.low) && std::isfinite(r.high);
    return ok ? kNoError : kErrInconsistentData;
}

void RenumberShadeList(ShadeList& list, std::span<const int> oldToNew) {
    const auto renumber = [&](std::int16_t& index) {
        if (index < 0 || static_cast<std::size_t>(index) >= oldToNew.size()) return false;
        const int now = oldToNew[static_cast<std::size_t>(index)];
        if (now < 0) return false;
        index = static_cast<std::int16_t>(now);
        return true;
    };
    std::erase_if(list, [&](TShadeRecord& r) {
        return !renumber(r.first) || (r.second >= 0 && !renumber(r.second));
    });
}

void SwapShadeIndexes(ShadeList& list, int a, int b) {
    const auto swap = [a, b](std::int16_t& index) {
        if (index == a)
            index = static_cast<std::int16_t>(b);
        else if (index == b)
            index = static_cast<std::int16_t>(a);
    };
    for (TShadeRecord& r : list) {
        swap(r.first);
        if (r.second >= 0) swap(r.second);
    }
}

}  // namespace quorlin::examples
