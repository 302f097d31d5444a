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

namespace {

// The count bytes of a text (characters and terminator) into a buffer of the given capacity.
int ReadTextBytes(ByteReader& in, std::size_t count, std::size_t capacity, std::string& out) {
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

}  // namespace

int ReadString(ByteReader& in, std::string& out, std::size_t capacity) {
    std::int16_t length = 0;
    if (!in.I16(length)) return kErrCannotOpenFile;
    return ReadTextBytes(in, static_cast<std::size_t>(std::max<std::int16_t>(length, 0)), capacity,
                         out);
}

int WriteNotebook(ByteWriter& out, std::string_view text) {
    text = UpToFirstZero(text);
    if (text.size() > kMaxNotebookLength) return kErrTooLarge;
    out.U16(static_cast<std::uint16_t>(text.size() + 1));
    out.Bytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    out.U8(0);
    return kNoError;
}

int ReadNotebook(ByteReader& in, std::string& text) {
    std::uint16_t length = 0;
    if (!in.U16(length)) return kErrCannotOpenFile;
    return ReadTextBytes(in, length, kNotebookCapacity, text);
}

}  // namespace quorlin
