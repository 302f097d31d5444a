#include "core/file_strings.h"

#include <algorithm>

#include "core/errors.h"
#include "core/text_helpers.h"

namespace quorlin {

bool WriteString(ByteWriter& out, std::string_view text, std::size_t capacity) {
    text = UpToFirstZero(text);
    const std::size_t length = text.size() + 1;
    if (length > capacity || text.size() > kMaxStoredTextLength) return false;
    out.I16(static_cast<std::int16_t>(length));
    out.Bytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    out.U8(0);
    return true;
}

int ReadString(ByteReader& in, std::string& out, std::size_t capacity) {
    std::int16_t length = 0;
    if (!in.I16(length)) return kErrCannotOpenFile;
    const auto count = static_cast<std::size_t>(std::max<std::int16_t>(length, 0));
    if (count < 1 || count > capacity || !in.CanRead(count, 1)) {
        in.Fail();
        return kErrCannotOpenFile;
    }
    std::string bytes(count, '\0');
    in.Bytes({reinterpret_cast<std::uint8_t*>(bytes.data()), count});
    // The last byte is the terminator's place, so the text always fits the buffer.
    bytes.pop_back();
    out = UpToFirstZero(bytes);
    return kNoError;
}

int WriteNotebook(ByteWriter& out, std::string_view text) {
    return WriteString(out, text, kNotebookCapacity) ? kNoError : kErrTooLarge;
}

int ReadNotebook(ByteReader& in, std::string& text) {
    return ReadString(in, text, kNotebookCapacity);
}

}  // namespace quorlin
