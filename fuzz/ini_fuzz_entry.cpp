#include "ini_fuzz_entry.h"

#include <cstdlib>
#include <span>

#include "shell/ini_file.h"

namespace quorlin {

namespace {

void Require(bool promise) {
    if (!promise) std::abort();
}

constexpr int kLargestCoordinate = 32767;

bool PlacementFits(const std::optional<WindowPlacement>& p) {
    if (!p) return true;
    for (const std::int32_t v : {p->x, p->y, p->width, p->height})
        if (v > kLargestCoordinate || v < -kLargestCoordinate) return false;
    return true;
}

}  // namespace

int RunIniFuzzInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    int decoded = 0;
    for (const int kind : {kFrameIniKind, kKind2D, kKind3D}) {
        const std::optional<IniRecord> record = IniRecord::Decode(bytes, kind);
        if (!record) continue;
        ++decoded;
        const std::vector<std::uint8_t> first = record->Encode();
        Require(first.size() == IniRecord::kByteSize);
        const std::optional<IniRecord> again = IniRecord::Decode(first, kind);
        Require(again && again->Encode() == first);

        ShellIniWords words;
        words.LoadFrom(*record);
        Require(PlacementFits(words.placement));
        const FrameSettings frame = FrameSettings::FromIni(*record);
        Require(PlacementFits(frame.placement));
    }
    return decoded;
}

}  // namespace quorlin
