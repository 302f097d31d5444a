#pragma once
// Texts inside diagram files: an i16 length L = characters + 1, the characters, a zero byte.
//
// A text is read into a buffer of known capacity (256 bytes for formula texts and labels,
// 64001 for the notebook); a length below 1, beyond that capacity or beyond the bytes left
// marks a damaged file. The notebook is one such text whose length word is unsigned, so that
// every notebook the window holds (up to 64000 characters) can be stored.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/binio.h"

namespace quorlin {

inline constexpr std::size_t kTextCapacity = 256;
inline constexpr std::size_t kNotebookCapacity = 64001;
// The longest text a signed 16-bit length can announce.
inline constexpr std::size_t kMaxStoredTextLength = 32766;
// The longest notebook: its buffer but the terminator.
inline constexpr std::size_t kMaxNotebookLength = kNotebookCapacity - 1;

// Writes text (up to its first zero byte, if any). False, with nothing written, when the text
// would not fit a reader's buffer of the given capacity or exceeds kMaxStoredTextLength.
bool WriteString(ByteWriter& out, std::string_view text, std::size_t capacity = kTextCapacity);

// Reads one text into out: 0, or kErrCannotOpenFile for a damaged length (out unchanged).
int ReadString(ByteReader& in, std::string& out, std::size_t capacity = kTextCapacity);

// The notebook block, a text with an unsigned 16-bit length: 0, or kErrTooLarge when the text
// is longer than kMaxNotebookLength (nothing written).
int WriteNotebook(ByteWriter& out, std::string_view text);
// 0, or kErrCannotOpenFile for a damaged block.
int ReadNotebook(ByteReader& in, std::string& text);

}  // namespace quorlin
