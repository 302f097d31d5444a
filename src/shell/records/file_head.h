#pragma once
// The 80-byte head that begins every diagram file and every binary ini file: twenty
// little-endian int32 fields, field 0 the window kind, field 1 the file version, the rest zero.
//
// CheckFileHead decides whether a window may read a file: the kind must be its own and the
// version one this program knows.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/binio.h"

namespace quorlin {

inline constexpr int kKind2D = 841;
inline constexpr int kKind3D = 961;
// The version every graphing window writes; files of versions 1 up to it can be read.
inline constexpr int kProgramVersion = 41;

struct TFileHead {
    static constexpr std::size_t kFieldCount = 20;
    static constexpr std::size_t kByteSize = 4 * kFieldCount;

    std::array<std::int32_t, kFieldCount> fields{};

    static TFileHead Make(int kind, int version);

    int Kind() const { return fields[0]; }
    int Version() const { return fields[1]; }

    void Write(ByteWriter& out) const;
    // False (and the head unchanged) when fewer than 80 bytes are left.
    bool Read(ByteReader& in);
};

// 0 when a window of the given kind may read the file; kErrCannotOpenFile for another kind or
// a version below 1; kErrIncompatibleVersion for a version above programVersion.
int CheckFileHead(const TFileHead& head, int kind, int programVersion = kProgramVersion);

}  // namespace quorlin
