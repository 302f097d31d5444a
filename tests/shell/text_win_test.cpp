// Text windows: their files byte for byte, texts too long or without an eight-bit form,
// printing a text to PDF, and the size they open at.
#include "shell/text_win.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/boxes.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::FileBytes;
using testing::PdfInfoAccepts;
using testing::WriteBytes;

// A text of exactly `bytes` file bytes: lines of 78 letters ended by CR LF, then the rest.
QString TextOfFileSize(int bytes) {
    QString text;
    for (int row = 0; bytes >= 80; ++row, bytes -= 80)
        text += QString(78, QChar('a' + row % 26)) + '\n';
    return text + QString(bytes, 'z');
}

class TextFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
    platform::ScriptedPrompter prompter_;
};

TEST_F(TextFiles, FullSizeTextSurvivesSaveAndOpenExactly) {
    const QString path = Path("full.txt");
    TTextWin w("noname1.txt");
    const QString text = TextOfFileSize(static_cast<int>(kMaxTextFileBytes));
    w.SetText(text);
    ASSERT_TRUE(w.SaveTo(path));
    const QByteArray bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), static_cast<qsizetype>(kMaxTextFileBytes) + 1);
    EXPECT_TRUE(bytes.back() == '\0' && bytes.mid(78, 2) == "\r\n");

    TTextWin reopened("noname2.txt");
    ASSERT_EQ(reopened.Load(path), kNoError);
    EXPECT_EQ(reopened.Text(), text);
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(TextFiles, OverlongTextsAreRefusedWithAMessage) {
    const QString path = Path("kept.txt");
    TTextWin w("noname1.txt");
    w.SetText("short");
    ASSERT_TRUE(w.SaveTo(path));

    w.SetText(TextOfFileSize(static_cast<int>(kMaxTextFileBytes) + 1));
    w.MarkModified();
    EXPECT_FALSE(w.SaveTo(path));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_TRUE(prompter_.messages[0].text.contains("64000"));
    EXPECT_EQ(FileBytes(path), QByteArray("short", 6));
    EXPECT_TRUE(w.IsModified());

    // A longer file on disk is not opened; the window keeps its text.
    ASSERT_TRUE(WriteBytes(Path("big.txt"),
                           QByteArray(static_cast<qsizetype>(kMaxTextFileBytes) + 1, 'b')));
    TTextWin reader("noname2.txt");
    reader.SetText("mine");
    EXPECT_NE(reader.Load(Path("big.txt")), kNoError);
    EXPECT_EQ(prompter_.messages.size(), 2u);
    EXPECT_EQ(std::pair(reader.Text(), reader.FileName()),
              std::pair(QString("mine"), QString("noname2.txt")));
}

TEST_F(TextFiles, BytesAfterTheZeroAndLoneCarriageReturns) {
    EXPECT_EQ(TextOfFileBytes(std::string_view("one\r\ntwo\rthree\0junk", 19)), "one\ntwo\nthree");
    EXPECT_EQ(TextOfFileBytes("caf\xe9"), QString("caf") + QChar(0xe9));
    EXPECT_EQ(TextFileBytes("a\nb"), std::string("a\r\nb"));
    EXPECT_FALSE(TextFileBytes(QString(QChar(0x4e2d))).has_value());

    TTextWin w("noname1.txt");
    w.SetText(QString(QChar(0x4e2d)));
    EXPECT_FALSE(w.SaveTo(Path("cjk.txt")));
    EXPECT_TRUE(prompter_.messages.size() == 1 && !QFile::exists(Path("cjk.txt")));
}

TEST_F(TextFiles, PrintsToPdfWithoutAPrinter) {
    TTextWin text("notes.txt");
    text.SetText(TextOfFileSize(20000));
    platform::Printer printer;
    printer.SetPdfOutput(Path("text.pdf"));
    EXPECT_TRUE(text.PrintText(printer));
    EXPECT_TRUE(PdfInfoAccepts(Path("text.pdf")));
}

// A listing or a table opens wide enough for its lines, not at an editor's default width, as
// far as the screen allows.
TEST(TextWindow, OpensWideEnoughForSeventyColumnsOfItsFontWithinTheScreen) {
    TTextWin text("tables.txt");
    const QFontMetrics metrics(text.findChild<QPlainTextEdit*>()->font());
    const QSize screen = text.screen()->availableGeometry().size();
    const QSize hint = text.sizeHint();
    EXPECT_GE(hint.width(),
              std::min(metrics.horizontalAdvance(QString(70, 'm')), screen.width() * 3 / 4));
    EXPECT_LE(hint.width(), screen.width());
    EXPECT_LE(hint.height(), screen.height());
}

}  // namespace
}  // namespace quorlin
