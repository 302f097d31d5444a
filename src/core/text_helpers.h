#pragma once
// Small helpers on the program's 8-bit texts: appending, removing characters, padding, file-name
// parts, comma lists, and the Windows-1252 code page character by character.
//
// Formula texts, file names inside diagram files and the notebook travel as 8-bit
// Windows-1252 text; platform/text_codec.h turns whole texts into QString where they meet the
// user interface.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// The text up to its first zero byte, as a zero-terminated text reads.
std::string_view UpToFirstZero(std::string_view text);

void AppendChar(std::string& text, char c);

// Appends up to eight texts in order.
template <class... Parts>
void StrCat8(std::string& text, const Parts&... parts) {
    static_assert(sizeof...(Parts) <= 8, "StrCat8 takes at most eight texts");
    (text.append(std::string_view(parts)), ...);
}

// Removes every occurrence of c.
void RemoveChar(std::string& text, char c);
// Removes every carriage return and line feed.
void RemoveCRLF(std::string& text);

// Left-pads text with fill to width characters; a longer text is cut to its first width
// characters.
void PadToWidth(int width, std::string& text, char fill);

// The file-name part of path (after the last '/', '\' or ':'); with withoutExtension also
// without the part from the name's last '.' on.
std::string FileNameOnly(std::string_view path, bool withoutExtension);

// The text with every blank replaced by '-' (face names in PostScript).
std::string BlanksToHyphens(std::string_view text);

// The first count comma-separated fields of text (count at most 6). The end of the text ends
// the last field; fields the text does not hold come back empty.
std::vector<std::string> SplitCommaList(std::string_view text, int count);

// The companion bitmap of a diagram: the name with its extension replaced by "1.bmp"
// ("a/pic.qz2" -> "a/pic1.bmp"); nothing when the file-name part has no dot.
std::optional<std::string> BitmapFileName(std::string_view fileName);

// The Unicode character of a Windows-1252 byte. Every byte maps to one character; the five
// bytes the code page leaves undefined map to the control characters of the same value, so any
// byte string survives a round trip.
char16_t CharOfWindows1252(unsigned char byte);

// The Windows-1252 byte of a character; nothing when it has no 8-bit form.
std::optional<unsigned char> Windows1252OfChar(char16_t c);

}  // namespace quorlin
