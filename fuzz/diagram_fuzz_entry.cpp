#include "diagram_fuzz_entry.h"

#include <cstdlib>
#include <span>

#include "core/binio.h"
#include "examples/diagram/diagram_body.h"
#include "shell/records/file_head.h"

namespace quorlin {

namespace {

examples::TBodyWindow WindowOf(const TFileHead& head) {
    switch (static_cast<unsigned>(head.fields[2]) % 3) {
        case 1:
            return {2, true};
        case 2:
            return {3, false};
        default:
            return {};
    }
}

std::vector<std::uint8_t> Written(const examples::TDiagramBody& body) {
    ByteWriter out;
    if (examples::WriteDiagramBody(out, body) != 0) std::abort();
    return out.Take();
}

}  // namespace

int RunDiagramFuzzInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(std::span(data, size));
    TFileHead head;
    if (!head.Read(in)) return 0;
    const examples::TBodyWindow window = WindowOf(head);
    examples::TDiagramBody body;
    if (examples::ReadDiagramBody(in, head.Version(), body, window) != 0) return 0;

    const std::vector<std::uint8_t> first = Written(body);
    ByteReader again(first);
    examples::TDiagramBody read;
    if (examples::ReadDiagramBody(again, kProgramVersion, read, window) != 0 || !again.AtEnd())
        std::abort();
    if (Written(read) != first) std::abort();
    return 1;
}

}  // namespace quorlin
