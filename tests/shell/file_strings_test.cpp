// Byte layouts of the file head, file strings, the notebook, the protection block and font
// records, against hand-built bytes.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "core/errors.h"
#include "shell/file_head.h"
#include "shell/file_strings.h"
#include "shell/fonts.h"
#include "shell/protection.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(FileHead, IsTwentyLittleEndianWords) {
    ByteWriter out;
    TFileHead head = TFileHead::Make(kKind3D, kProgramVersion);
    head.fields[19] = -2;
    head.Write(out);
    Bytes expected(80, 0);
    expected[0] = 0xc1;  // 961
    expected[1] = 0x03;
    expected[4] = 41;
    expected[76] = 0xfe;
    expected[77] = expected[78] = expected[79] = 0xff;
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    TFileHead back;
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back.Kind(), 961);
    EXPECT_EQ(back.Version(), 41);
    EXPECT_EQ(back.fields[19], -2);
    EXPECT_TRUE(in.AtEnd());

    const Bytes shortHead(79, 0);
    ByteReader shortIn(shortHead);
    EXPECT_FALSE(back.Read(shortIn));
    EXPECT_EQ(back.Kind(), 961);
}

TEST(FileHead, CheckRefusesOtherKindsAndUnknownVersions) {
    EXPECT_EQ(CheckFileHead(TFileHead::Make(841, 41), 841), kNoError);
    EXPECT_EQ(CheckFileHead(TFileHead::Make(841, 1), 841), kNoError);
    EXPECT_EQ(CheckFileHead(TFileHead::Make(961, 41), 841), kErrCannotOpenFile);
    EXPECT_EQ(CheckFileHead(TFileHead::Make(841, 0), 841), kErrCannotOpenFile);
    EXPECT_EQ(CheckFileHead(TFileHead::Make(841, -5), 841), kErrCannotOpenFile);
    EXPECT_EQ(CheckFileHead(TFileHead::Make(841, 42), 841), kErrIncompatibleVersion);
}

TEST(FileStrings, LayoutIsLengthCharactersAndZero) {
    ByteWriter out;
    ASSERT_TRUE(WriteString(out, "ab"));
    ASSERT_TRUE(WriteString(out, ""));
    ASSERT_TRUE(WriteString(out, std::string("x\0y", 3)));  // a C text ends at its zero
    const Bytes expected = {3, 0, 'a', 'b', 0, 1, 0, 0, 2, 0, 'x', 0};
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    std::string a = "?", b = "?", c = "?";
    EXPECT_EQ(ReadString(in, a), kNoError);
    EXPECT_EQ(ReadString(in, b), kNoError);
    EXPECT_EQ(ReadString(in, c), kNoError);
    EXPECT_EQ(a, "ab");
    EXPECT_EQ(b, "");
    EXPECT_EQ(c, "x");
    EXPECT_TRUE(in.AtEnd());
}

TEST(FileStrings, WriterRefusesTextsTheReaderCouldNotHold) {
    ByteWriter out;
    EXPECT_TRUE(WriteString(out, std::string(255, 'a')));
    EXPECT_EQ(out.Size(), 2u + 256u);
    ByteWriter refused;
    EXPECT_FALSE(WriteString(refused, std::string(256, 'a')));
    EXPECT_EQ(refused.Size(), 0u);
}

TEST(FileStrings, DamagedLengthsAreErrorElevenNeverOverruns) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    Bytes tooLong = {0x01, 0x01};  // 257 > 256, with all the bytes present
    tooLong.resize(2 + 257, 'a');
    const Case cases[] = {
        {"zero length", {0, 0, 0}},
        {"negative length", {0xff, 0xff, 'a', 0}},
        {"most negative length", {0x00, 0x80, 'a', 0}},
        {"beyond the bytes left", {5, 0, 'a', 'b'}},
        {"beyond the buffer", tooLong},
        {"length cut off", {3}},
        {"empty input", {}},
    };
    for (const auto& c : cases) {
        ByteReader in(c.bytes);
        std::string text = "kept";
        EXPECT_EQ(ReadString(in, text), kErrCannotOpenFile) << c.what;
        EXPECT_EQ(text, "kept") << c.what;
        EXPECT_TRUE(in.Failed()) << c.what;
    }
    // A text without its terminator is cut to the buffer's last-but-one byte.
    const Bytes unterminated = {3, 0, 'a', 'b', 'c'};
    ByteReader in(unterminated);
    std::string text;
    EXPECT_EQ(ReadString(in, text), kNoError);
    EXPECT_EQ(text, "ab");
}

TEST(Notebook, KeepsTheSixteenBitFormatAndRefusesLongerTexts) {
    const std::string longest(kMaxStoredTextLength, 'n');
    ByteWriter out;
    ASSERT_EQ(WriteNotebook(out, longest), kNoError);
    ASSERT_EQ(out.Size(), 2u + 32767u);
    EXPECT_EQ(out.Data()[0], 0xff);  // 32767 = characters + 1
    EXPECT_EQ(out.Data()[1], 0x7f);
    EXPECT_EQ(out.Data().back(), 0);
    ByteReader in(out.Data());
    std::string back;
    ASSERT_EQ(ReadNotebook(in, back), kNoError);
    EXPECT_EQ(back, longest);

    ByteWriter refused;
    EXPECT_EQ(WriteNotebook(refused, longest + "n"), kErrTooLarge);
    EXPECT_EQ(refused.Size(), 0u);

    Bytes wrapped = {0x00, 0x80};  // what a wrapped length of 32769 would look like
    wrapped.resize(2 + 32769, 'n');
    ByteReader damaged(wrapped);
    EXPECT_EQ(ReadNotebook(damaged, back), kErrCannotOpenFile);
}

TEST(Protection, BlockIsScrambledPasswordAndFourLines) {
    FileProtection p;
    p.Protect(kProtectInventory, "ab", {"x", "", "", ""});
    ByteWriter out;
    ASSERT_TRUE(p.WriteProtection(out));
    // 'a' shifted by 13 within 1..255 is 'n'; 'b' by 20 is 'v'.
    const Bytes expected = {3, 0, 'n', 'v', 0, 2, 0, 'x', 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
    EXPECT_EQ(out.Data(), expected);

    FileProtection read;
    read.SetMaskFromFile(kProtectInventory | kProtectNotebook);
    ByteReader in(expected);
    ASSERT_EQ(read.ReadProtection(in), kNoError);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(read.Password(), "ab");
    EXPECT_EQ(read.AuthorLines()[0], "x");
    EXPECT_TRUE(read.IsProtected());
    EXPECT_FALSE(read.IsUnlocked());
}

TEST(Protection, PasswordDecisionAndUnlocking) {
    FileProtection p;
    EXPECT_FALSE(p.NeedsPassword(kProtectInventory));  // a new diagram guards nothing
    p.SetMaskFromFile(kProtectInventory);
    FileProtection author;
    author.Protect(kProtectInventory, "secret", {});
    ByteWriter w;
    ASSERT_TRUE(author.WriteProtection(w));
    const Bytes block = w.Take();
    ByteReader in(block);
    ASSERT_EQ(p.ReadProtection(in), kNoError);
    EXPECT_TRUE(p.NeedsPassword(kProtectInventory));
    EXPECT_FALSE(p.NeedsPassword(kProtectNotebook));  // not guarded by this file
    EXPECT_FALSE(p.TryUnlock("Secret"));
    EXPECT_TRUE(p.NeedsPassword(kProtectInventory));
    EXPECT_TRUE(p.TryUnlock("secret"));
    EXPECT_FALSE(p.NeedsPassword(kProtectInventory));

    p.ClearProtection();
    EXPECT_EQ(p.Mask(), 0);
    EXPECT_TRUE(p.Password().empty());
    EXPECT_TRUE(p.IsUnlocked());
}

TEST(Protection, EmptyPasswordMeansUnprotectedAndDamageIsRefused) {
    const Bytes emptyPassword = {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0};
    FileProtection p;
    p.SetMaskFromFile(kProtectInventory);
    ByteReader in(emptyPassword);
    ASSERT_EQ(p.ReadProtection(in), kNoError);
    EXPECT_EQ(p.Mask(), 0);
    EXPECT_FALSE(p.NeedsPassword(kProtectInventory));

    const Bytes truncated = {3, 0, 'n', 'v', 0, 2, 0, 'x'};
    FileProtection q;
    q.SetMaskFromFile(kProtectInventory);
    ByteReader cut(truncated);
    EXPECT_EQ(q.ReadProtection(cut), kErrCannotOpenFile);
}

TEST(Protection, ScramblingNeverMakesAZeroAndIsUndone) {
    std::string all;
    for (int i = 0; i < 3; ++i) {
        for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    }
    const std::string scrambled = FileProtection::Scramble(all);
    EXPECT_EQ(scrambled.find('\0'), std::string::npos);
    EXPECT_NE(scrambled, all);
    EXPECT_EQ(FileProtection::Unscramble(scrambled), all);
}

TEST(FontRecord, SixtyBytesInTheStoredLayout) {
    // clang-format off
    const FontRecord f{.height = -13, .escapement = 900, .orientation = 900, .weight = 700,
                       .italic = 1, .outPrecision = 3, .clipPrecision = 2, .quality = 1,
                       .pitchAndFamily = 0x22, .faceName = "Arial"};
    // clang-format on
    ByteWriter out;
    f.Write(out);
    const Bytes expected = Concat({
        {0xf3, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0x84, 0x03, 0, 0, 0x84, 0x03, 0, 0, 0xbc, 0x02, 0, 0},
        {1, 0, 0, 0, 3, 2, 1, 0x22},
        {'A', 'r', 'i', 'a', 'l'},
        Bytes(27, 0),
    });
    ASSERT_EQ(expected.size(), FontRecord::kByteSize);
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    FontRecord back;
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back, f);

    FontRecord longName;
    longName.faceName = std::string(40, 'F');
    ByteWriter cut;
    longName.Write(cut);
    EXPECT_EQ(cut.Size(), 60u);
    ByteReader cutIn(cut.Data());
    ASSERT_TRUE(back.Read(cutIn));
    EXPECT_EQ(back.faceName, std::string(31, 'F'));

    const Bytes shortRecord(59, 0);
    ByteReader shortIn(shortRecord);
    EXPECT_FALSE(back.Read(shortIn));
}

TEST(WindowFonts, PointSizesScaleForADeviceAndComeBack) {
    WindowFonts fonts;
    fonts.SetPointSize(2, 10);
    fonts.Font(2).faceName = "Courier";
    EXPECT_EQ(fonts.Font(2).height, -13);  // 10 pt on a 96 dpi screen
    const FontRecord before = fonts.Font(2);

    fonts.ScaleFonts(true, 600);
    EXPECT_EQ(fonts.Font(2).height, -83);  // 10 x 600 / 72 = 83.3
    EXPECT_EQ(fonts.Font(2).faceName, "Courier");
    fonts.ScaleFonts(true, 864);  // nested begin keeps the first saved records
    EXPECT_EQ(fonts.Font(2).height, -120);
    fonts.ScaleFonts(false, 0);
    EXPECT_EQ(fonts.Font(2), before);
    EXPECT_FALSE(fonts.IsScaled());
    fonts.ScaleFonts(false, 0);  // an end without a begin changes nothing
    EXPECT_EQ(fonts.Font(2), before);

    EXPECT_EQ(fonts.CaptionId(2), 116);  // "equations"
    EXPECT_EQ(fonts.CaptionId(8), 121);  // "coordinates"
    EXPECT_EQ(WindowFonts::CommandOfFont(7), 67);
    EXPECT_EQ(WindowFonts::FontOfCommand(68), 8);
    EXPECT_FALSE(WindowFonts::FontOfCommand(70).has_value());
    EXPECT_FALSE(WindowFonts::FontOfCommand(59).has_value());
}

TEST(FontRecord, ConvertsToTheDeviceFontAndRefusesUnstorableFaces) {
    const FontRecord f{.height = -16,
                       .escapement = 450,
                       .weight = 700,
                       .italic = 1,
                       .quality = 2,
                       .faceName = "Caf\xe9 Sans"};  // Windows-1252 e acute
    const platform::FontSpec fontSpec = ToFontSpec(f);
    EXPECT_EQ(fontSpec.faceName, QString::fromUtf8("Caf\xc3\xa9 Sans"));
    EXPECT_EQ(fontSpec.height, -16);
    EXPECT_TRUE(fontSpec.italic);
    EXPECT_FALSE(fontSpec.underline);
    EXPECT_EQ(fontSpec.escapement, 450);
    EXPECT_EQ(FontRecordFromSpec(fontSpec, FontRecord{}).value_or(FontRecord{}).faceName,
              f.faceName);
    EXPECT_EQ(FontRecordFromSpec(fontSpec, f), f);  // fields a FontSpec lacks come from the base

    platform::FontSpec foreign = fontSpec;
    foreign.faceName = QString::fromUtf8("\xe5\xae\x8b\xe4\xbd\x93");
    EXPECT_FALSE(FontRecordFromSpec(foreign, f).has_value());
    foreign.faceName = QString(32, QChar('F'));
    EXPECT_FALSE(FontRecordFromSpec(foreign, f).has_value());
}

// Every cut of a valid sequence of blocks is refused cleanly (the sanitizers watch for
// overruns), and only the whole sequence reads.
TEST(DamagedFiles, EveryTruncationIsRefused) {
    ByteWriter out;
    TFileHead::Make(kKind2D, kProgramVersion).Write(out);
    ASSERT_TRUE(WriteString(out, "sin(x)"));
    FileProtection author;
    author.Protect(kProtectInventory, "pw", {"me", "", "", "2026"});
    ASSERT_TRUE(author.WriteProtection(out));
    ASSERT_EQ(WriteNotebook(out, std::string(300, 'n')), kNoError);
    FontRecord{}.Write(out);
    const Bytes whole = out.Take();

    const auto readAll = [](std::span<const std::uint8_t> bytes) {
        ByteReader in(bytes);
        TFileHead head;
        std::string text, notes;
        FileProtection p;
        p.SetMaskFromFile(kProtectInventory);
        FontRecord font;
        return head.Read(in) && ReadString(in, text) == kNoError &&
               p.ReadProtection(in) == kNoError && ReadNotebook(in, notes) == kNoError &&
               font.Read(in) && in.AtEnd();
    };
    ASSERT_TRUE(readAll(whole));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        EXPECT_FALSE(readAll(std::span<const std::uint8_t>(whole).first(n))) << n;
    }
}

}  // namespace
}  // namespace quorlin
