#include "shell/records/font_record.h"

namespace quorlin {

void FontRecord::Write(ByteWriter& out) const {
    for (std::int32_t v : {height, width, escapement, orientation, weight}) out.I32(v);
    for (std::uint8_t v : {italic, underline, strikeOut, charSet, outPrecision, clipPrecision,
                           quality, pitchAndFamily}) {
        out.U8(v);
    }
    out.FixedText(faceName, kFaceBytes);
}

bool FontRecord::Read(ByteReader& in) {
    if (!in.CanRead(1, kByteSize)) return false;
    FontRecord f;
    for (std::int32_t* v : {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight}) {
        in.I32(*v);
    }
    for (std::uint8_t* v : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                            &f.clipPrecision, &f.quality, &f.pitchAndFamily}) {
        in.U8(*v);
    }
    in.FixedText(f.faceName, kFaceBytes);
    *this = std::move(f);
    return true;
}

}  // namespace quorlin
