#pragma once
// FontRecord: the 60-byte font record that diagram files store (height, width, escapement,
// orientation and weight as int32; italic, underline, strike-out, character set, output
// precision, clip precision, quality, pitch and family as bytes; a 32-byte face name), as plain
// data with its byte codec. The window side turns it into a drawing font (shell/fonts.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/binio.h"

namespace quorlin {

struct FontRecord {
    static constexpr std::size_t kByteSize = 60;
    static constexpr std::size_t kFaceBytes = 32;

    std::int32_t height = 0;  // pixels; negative: character height
    std::int32_t width = 0;
    std::int32_t escapement = 0;  // text angle in tenths of a degree
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName = "Arial";  // at most 31 bytes are stored

    void Write(ByteWriter& out) const;
    // False (record unchanged) when fewer than 60 bytes are left.
    bool Read(ByteReader& in);

    friend bool operator==(const FontRecord&, const FontRecord&) = default;
};

}  // namespace quorlin
