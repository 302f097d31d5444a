#pragma once
// Text building blocks shared by the PiCTeX, SVG and EPS writers.
//
// Numbers are formatted with the C library's formats into strings that grow as needed (the
// shell's FormatLf does "%<w>.<p>Lf"), so a coordinate of 1e300 costs a long line and never a
// buffer overrun. The escapers make user texts safe for each target language, and the name
// helpers derive export file names from the path the user chose.
#include <QRgb>
#include <QString>

#include <string>
#include <string_view>

#include "core/numbers.h"
#include "core/text_helpers.h"

namespace quorlin::canvas {

// Every line of every export file ends with these two bytes.
inline constexpr std::string_view kCrLf = "\r\n";

// printf-style formatting into a std::string of whatever length the result needs.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Frame number n left-padded with zeros to the given digits.
std::string PaddedFrameNumber(int n, int digits);

// The file of one frame: the base name, the padded frame number when there are several
// frames, and the extension (".tex", ".eps").
QString FrameFilePath(const QString& baseName, int frame, int frameCount, int digits,
                      QStringView extension);

// Number of decimal digits the numbers 0 .. count - 1 of a frame series are padded to.
int FrameDigits(int count);

// "#rrggbb" in lower-case hexadecimal.
std::string ColorToHex(QRgb colour);

// The three components divided by 255, "%5.3Lf" each, separated by blanks.
std::string EpsColorString(QRgb colour);

// Puts the TeX escape before each "#", "$", "%" and "&". The degree sign becomes a raised
// circle, the Windows quotes and dashes the ligatures `` '' -- ---, and other bytes above 127
// "\char<n>", because the TeX engines reject bare 8-bit bytes in some set-ups; outside math
// mode "<" and ">" are set as math symbols, which the text fonts lack, and "_" and "^" are set
// as the characters themselves, since TeX refuses them there. Backslashes and braces pass, so
// a text may carry TeX commands.
std::string TexEscapeText(std::string_view text, std::string_view escape, bool mathMode);

// Character data or attribute value for XML: "&", "<", ">", '"' and "'" as entities, bytes
// above 127 as decimal references to the Windows-1252 characters they stand for; control
// bytes that XML forbids are dropped.
std::string XmlEscape(std::string_view text);

// Body of a PostScript string: backslash and parentheses escaped, bytes above 127 and control
// bytes as three-digit octal escapes.
std::string PostScriptStringBody(std::string_view text);

// The chosen path with the suffix (".tex", ".eps") removed from the end of its file name,
// whatever its case; a path whose file name lacks the suffix is kept whole.
QString StripExportSuffix(const QString& path, QStringView suffix);

// The file-name part of a path, without its folder, as 8-bit text.
std::string FileNamePart(const QString& path);

// A QString as the 8-bit text the export files carry (Latin-1; other characters become "?").
std::string ToLatin1(const QString& text);

// The byte that carries π in the writers' 8-bit texts (axis numbers in multiples of π):
// Windows-1252 leaves 0x81 unassigned, so no other character of a text ever takes it. Each
// writer writes it in its own way: UTF-8 in SVG, the Symbol font's "p" in EPS, $\pi$ in PiCTeX.
inline constexpr unsigned char kPiByte = 0x81;
// A text as the writers take it: Windows-1252, π as kPiByte, "?" for any other character
// that has no byte.
std::string ToExportText(const QString& text);
// Such a text back as characters, π included.
QString FromExportText(std::string_view bytes);

}  // namespace quorlin::canvas
