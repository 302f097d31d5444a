#include "shell/records/file_head.h"

#include "core/errors.h"

namespace quorlin {

TFileHead TFileHead::Make(int kind, int version) {
    TFileHead head;
    head.fields[0] = kind;
    head.fields[1] = version;
    return head;
}

void TFileHead::Write(ByteWriter& out) const {
    for (std::int32_t field : fields) out.I32(field);
}

bool TFileHead::Read(ByteReader& in) {
    if (!in.CanRead(1, kByteSize)) return false;
    for (std::int32_t& field : fields) in.I32(field);
    return true;
}

int CheckFileHead(const TFileHead& head, int kind, int programVersion) {
    if (head.Kind() != kind || head.Version() < 1) return kErrCannotOpenFile;
    if (head.Version() > programVersion) return kErrIncompatibleVersion;
    return kNoError;
}

}  // namespace quorlin
