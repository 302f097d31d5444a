// The writers' text building blocks; their colour forms are pinned by the writers' tests.
#include "canvas/export_format.h"

#include <gtest/gtest.h>

namespace quorlin::canvas {
namespace {

TEST(ExportFormat, NumbersFollowTheCFormatsAndFrameNumbersTheCount) {
    EXPECT_EQ(FormatLf(-5, 4, 2), "-5.00");
    EXPECT_EQ(FormatLf(0.5L, 5, 3), "0.500");
    EXPECT_EQ(FormatLf(2, 9, 7), "2.0000000");
    const std::string huge = FormatLf(1e300L, 4, 2);
    EXPECT_EQ(huge.size(), 304u);  // 301 digits, the point and two places
    EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
    EXPECT_EQ(Format("%%BoundingBox: 0 0 %d %d", 600, 450), "%BoundingBox: 0 0 600 450");

    // Frame numbers are padded to the digits of the count.
    for (const auto& [count, digits] :
         {std::pair{1, 1}, {9, 1}, {10, 2}, {120, 3}, {1000, 4}, {999999, 6}})
        EXPECT_EQ(FrameDigits(count), digits) << count;
    EXPECT_EQ(FrameFilePath("/p/wave", 7, 120, 3, u".eps"), "/p/wave007.eps");
    EXPECT_EQ(FrameFilePath("/p/wave", 0, 1, 1, u".eps"), "/p/wave.eps");
    EXPECT_EQ(FrameFilePath("/p/wave", 999, 1000, 4, u".tex"), "/p/wave0999.tex");
}

TEST(ExportFormat, EscapersKeepEachLanguageIntact) {
    EXPECT_EQ(TexEscapeText("50% & more #1 $x$", "\\", true), "50\\% \\& more \\#1 \\$x\\$");
    EXPECT_EQ(TexEscapeText("90\xb0 < 1", "\\", true), "90{}^\\circ < 1");
    EXPECT_EQ(TexEscapeText("90\xb0 < 1\xe9", "\\", false), "90${}^\\circ$ $<$ 1\\char233{}");
    // The dash the text dialog puts in for hyphens, and the curly quotes, as TeX types them.
    EXPECT_EQ(TexEscapeText("1\x96"
                            "2 \x93q\x94 \x91s\x92\x97",
                            "\\", false),
              "1--2 ``q'' `s'---");
    EXPECT_EQ(TexEscapeText("a\x96"
                            "b",
                            "\\", true),
              "a\\hbox{--}b");
    EXPECT_EQ(XmlEscape("Caf\xe9 <a> & \"b\" 'c'"),
              "Caf&#233; &lt;a&gt; &amp; &quot;b&quot; &apos;c&apos;");
    EXPECT_EQ(XmlEscape(std::string("a\x01\tb", 4)), "a\tb");
    // Texts are Windows-1252: its 0x80-0x9f block holds the dash that the text dialog puts in
    // for hyphens, the euro and the curly quotes, none of which sits at its byte's code point.
    EXPECT_EQ(XmlEscape("1\x96"
                        "2 \x80 \x93q\x94"),
              "1&#8211;2 &#8364; &#8220;q&#8221;");
    EXPECT_EQ(PostScriptStringBody("(a\\b) 90\xb0"), "\\(a\\\\b\\) 90\\260");
}

// π has no byte of Windows-1252: the writers' texts carry it in one that Windows-1252 leaves
// unassigned, and each escaper writes it as its language has it.
TEST(ExportFormat, PiTravelsInItsOwnByteAndEachLanguageWritesIt) {
    const std::string bytes = ToExportText(QStringLiteral("3\u03c0/2 \u00b0\u20ac"));
    EXPECT_EQ(bytes, "3\x81/2 \xb0\x80");
    EXPECT_EQ(FromExportText(bytes), QStringLiteral("3\u03c0/2 \u00b0\u20ac"));
    EXPECT_EQ(ToExportText(QStringLiteral("\u03c0\u4e00")), "\x81?");
    EXPECT_EQ(XmlEscape("-\x81/4"), "-\xCF\x80/4");
    EXPECT_EQ(TexEscapeText("3\x81/2", "\\", false), "3$\\pi$/2");
    EXPECT_EQ(TexEscapeText("3\x81x", "\\", true), "3\\pi{}x");
}

TEST(ExportFormat, BaseNamesCutOnlyTheSuffixOfTheFileName) {
    EXPECT_EQ(StripExportSuffix("/tmp/pics/wave.tex", u".tex"), "/tmp/pics/wave");
    EXPECT_EQ(StripExportSuffix("/tmp/pics/wave.TeX", u".tex"), "/tmp/pics/wave");
    EXPECT_EQ(StripExportSuffix("/tmp/my.tex.files/wave", u".tex"), "/tmp/my.tex.files/wave");
    EXPECT_EQ(StripExportSuffix("/tmp/a.eps/b.v2.EPS", u".eps"), "/tmp/a.eps/b.v2");
    EXPECT_EQ(StripExportSuffix("/tmp/wave.texture", u".tex"), "/tmp/wave.texture");
    EXPECT_EQ(StripExportSuffix("/tmp/a/.tex", u".tex"), "/tmp/a/.tex");
    EXPECT_EQ(FileNamePart("C:\\pics\\wave.v2"), "wave.v2");
}

}  // namespace
}  // namespace quorlin::canvas
