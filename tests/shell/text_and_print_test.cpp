// Text windows and their files, and printing diagrams and texts to PDF.
#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "platform/boxes.h"
#include "shell/print_job.h"
#include "shell/table_win.h"
#include "shell/text_win.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::FileBytes;
using testing::TestDiagram;
using testing::WriteBytes;

// A text of exactly `bytes` file bytes: lines of 78 characters ended by CR LF.
QString TextOfFileSize(int bytes) {
    QString text;
    int written = 0;
    int row = 0;
    while (written < bytes) {
        const int left = bytes - written;
        if (left >= 80) {
            text += QString(78, QChar('a' + row++ % 26)) + '\n';
            written += 80;
        } else {
            text += QString(left, 'z');
            written = bytes;
        }
    }
    return text;
}

bool PdfInfoAccepts(const QString& path) {
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {path});
    return pdfinfo.waitForFinished(30000) && pdfinfo.exitStatus() == QProcess::NormalExit &&
           pdfinfo.exitCode() == 0;
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
    EXPECT_EQ(bytes.back(), '\0');
    EXPECT_EQ(bytes.mid(78, 2), "\r\n");
    EXPECT_EQ(w.Caption(), "full.txt");

    TTextWin reopened("noname2.txt");
    ASSERT_EQ(reopened.Load(path), kNoError);
    EXPECT_EQ(reopened.Text(), text);
    ASSERT_TRUE(reopened.SaveTo(Path("again.txt")));
    EXPECT_EQ(FileBytes(Path("again.txt")), bytes);
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
    EXPECT_EQ(reader.Text(), "mine");
    EXPECT_EQ(reader.FileName(), "noname2.txt");
}

TEST_F(TextFiles, BytesAfterTheZeroAndLoneCarriageReturns) {
    EXPECT_EQ(TextOfFileBytes(std::string_view("one\r\ntwo\rthree\0junk", 19)), "one\ntwo\nthree");
    EXPECT_EQ(TextOfFileBytes("caf\xe9"), QString("caf") + QChar(0xe9));
    EXPECT_EQ(TextFileBytes("a\nb"), std::string("a\r\nb"));
    EXPECT_FALSE(TextFileBytes(QString(QChar(0x4e2d))).has_value());

    TTextWin w("noname1.txt");
    w.SetText(QString(QChar(0x4e2d)));
    EXPECT_FALSE(w.SaveTo(Path("cjk.txt")));
    EXPECT_EQ(prompter_.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(Path("cjk.txt")));
}

TEST_F(TextFiles, AttachedWindowsHideInsteadOfClosing) {
    TestDiagram graph("a.qz2");
    TTextWin& listing = graph.PlainTextWindow();
    listing.SetText("inventory");
    listing.ShowWindow();
    EXPECT_FALSE(listing.CanClose());
    EXPECT_TRUE(listing.IsHidden());

    auto* table = new TTableWin;
    graph.AttachTableWindow(table);
    EXPECT_TRUE(table->IsReadOnly());
    EXPECT_EQ(graph.TableWindow(), table);
}

TEST(Printing, ADiagramFillsItsCellInTheWindowsProportionsCentred) {
    using platform::PixelRect;
    const struct {
        QSize client;
        PixelRect cell;
        PixelRect rect;
        double scale;
    } cases[] = {
        {{200, 150}, {0, 0, 1000, 1000}, {0, 125, 1000, 875}, 5.0},         // as wide as the cell
        {{100, 400}, {0, 0, 1000, 1000}, {375, 0, 625, 1000}, 2.5},         // as tall as the cell
        {{300, 300}, {1000, 500, 1600, 1100}, {1000, 500, 1600, 1100}, 2},  // a cell of a grid
        {{0, 0}, {10, 20, 110, 220}, {10, 20, 110, 220}, 12.5},  // no size yet: the cell, fallback
    };
    for (const auto& c : cases) {
        const PrintedImage image = FitPrintedImage(c.client, c.cell, 12.5);
        EXPECT_EQ(image.rect, c.rect) << c.client.width();
        EXPECT_DOUBLE_EQ(image.scale, c.scale) << c.client.width();
    }
}

TEST(Printing, DiagramsAndTextsPrintToPdfWithoutAPrinter) {
    QTemporaryDir dir;
    platform::Printer printer;

    TestDiagram one("one.qz2");
    one.SizeChanged(200, 150);
    const QString single = dir.filePath("one.pdf");
    printer.SetPdfOutput(single);
    EXPECT_EQ(one.PrintTo(printer), platform::PrintResult::Done);
    EXPECT_EQ(one.drawAllCalls, 1);
    EXPECT_TRUE(one.drewWhilePrinting);
    const platform::PixelRect page = printer.PageArea();
    // The 200 x 150 window, its proportions kept, as wide as the page allows.
    EXPECT_EQ(one.drawnSize, QSize(page.Width(), page.Width() * 3 / 4));
    EXPECT_EQ(one.OutputSize(), QSize(200, 150));
    EXPECT_FALSE(one.Printing().printing) << "the flag is only set while the page prints";
    EXPECT_FALSE(one.Fonts().IsScaled());
    EXPECT_TRUE(PdfInfoAccepts(single));

    std::vector<std::unique_ptr<TestDiagram>> owned;
    std::vector<TZELWin*> windows;
    for (int i = 0; i < platform::kMaxDiagramsPerJob + 1; ++i) {
        owned.push_back(std::make_unique<TestDiagram>(QString("w%1.qz2").arg(i)));
        windows.push_back(owned.back().get());
    }
    const QString many = dir.filePath("many.pdf");
    printer.SetPdfOutput(many);
    EXPECT_EQ(PrintWindows(windows, printer), platform::PrintResult::TooManyDiagrams);
    windows.pop_back();
    EXPECT_EQ(PrintWindows(windows, printer), platform::PrintResult::Done);
    for (TZELWin* w : windows) {
        const auto* diagram = static_cast<TestDiagram*>(w);
        EXPECT_EQ(diagram->drawAllCalls, 1);
        EXPECT_LE(diagram->drawnSize.width(), page.Width() / 3 + 1);  // twelve to a page: 3 x 4
        EXPECT_LE(diagram->drawnSize.height(), page.Height() / 4 + 1);
    }
    EXPECT_TRUE(PdfInfoAccepts(many));

    // Diagram files printed together through one window, which gets its own diagram back.
    QStringList files;
    for (int i = 1; i <= 3; ++i) {
        TestDiagram saved("noname.qz2");
        saved.values = {100 + i};
        files << dir.filePath(QString("d%1.qz2").arg(i));
        ASSERT_TRUE(saved.SaveTo(files.back()));
    }
    files.insert(1, dir.filePath("missing.qz2"));
    TestDiagram host("host.qz2");
    host.values = {7};
    host.MarkModified();
    const QString together = dir.filePath("together.pdf");
    printer.SetPdfOutput(together);
    EXPECT_EQ(host.PrintDiagramFiles(files, printer), platform::PrintResult::Done);
    EXPECT_EQ(host.drawnFirst, (std::vector<std::int32_t>{101, 102, 103}));
    EXPECT_EQ(host.values, std::vector<std::int32_t>{7});
    EXPECT_EQ(host.FileName(), "host.qz2");
    EXPECT_TRUE(host.IsModified());
    EXPECT_FALSE(host.IsSimultaneousPrinting());
    EXPECT_TRUE(PdfInfoAccepts(together));

    TTextWin text("notes.txt");
    text.SetText(TextOfFileSize(20000));
    const QString textPdf = dir.filePath("text.pdf");
    printer.SetPdfOutput(textPdf);
    EXPECT_TRUE(text.PrintText(printer));
    EXPECT_TRUE(PdfInfoAccepts(textPdf));
}

TEST(Printing, FilesPrintedTogetherLeaveTheWindowsOwnSessionAlone) {
    QTemporaryDir dir;
    platform::ScriptedPrompter prompter;
    platform::Printer printer;
    printer.SetPdfOutput(dir.filePath("together.pdf"));

    const QString withNotes = dir.filePath("notes.qz2");
    {
        TestDiagram saved("noname.qz2");
        saved.Notebook().SetText("read me");
        ASSERT_TRUE(saved.SaveTo(withNotes));
    }
    TestDiagram host("host.qz2");
    host.Protection().Protect(kProtectInventory, "secret", {"Ann", "", "", ""});
    ASSERT_EQ(host.PrintDiagramFiles({withNotes}, printer), platform::PrintResult::Done);

    EXPECT_TRUE(host.Protection().IsUnlocked()) << "the author is not asked for the password";
    EXPECT_TRUE(host.CheckPassword(kProtectInventory));
    EXPECT_TRUE(prompter.inputs.empty());
    EXPECT_FALSE(host.HasNotebook() && !host.Notebook().IsHidden())
        << "the printed file's notebook does not pop up over the window";
}

}  // namespace
}  // namespace quorlin
