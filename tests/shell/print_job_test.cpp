// Printing graphing windows to PDF: one window on its page, twelve to a page, and diagram files
// printed together through one window that gets its own diagram back.
#include "shell/print_job.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <memory>

#include "platform/boxes.h"
#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::PdfInfoAccepts;
using testing::TestDiagram;

class PrintJob : public ::testing::Test {
protected:
    QString Pdf(const QString& name) {
        const QString path = dir_.filePath(name);
        printer_.SetPdfOutput(path);
        return path;
    }
    QTemporaryDir dir_;
    platform::ScriptedPrompter prompter_;
    platform::Printer printer_;
};

TEST(PrintedImage, ADiagramFillsItsCellInTheWindowsProportionsCentred) {
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

TEST_F(PrintJob, AWindowDrawsOnThePageAndTwelveShareOne) {
    TestDiagram one("one.qz2");
    one.SizeChanged(200, 150);
    const QString single = Pdf("one.pdf");
    EXPECT_EQ(one.PrintTo(printer_), platform::PrintResult::Done);
    EXPECT_TRUE(one.drewWhilePrinting);
    const platform::PixelRect page = printer_.PageArea();
    // The 200 x 150 window, its proportions kept, as wide as the page allows.
    EXPECT_EQ(one.drawnSize, QSize(page.Width(), page.Width() * 3 / 4))
        << "drawn to the page, not 200x150";
    EXPECT_EQ(one.OutputSize(), QSize(200, 150));
    EXPECT_FALSE(one.Printing().printing || one.Fonts().IsScaled()) << "both end with the page";
    EXPECT_TRUE(PdfInfoAccepts(single));

    std::vector<std::unique_ptr<TestDiagram>> owned;
    std::vector<TZELWin*> windows;
    for (int i = 0; i < platform::kMaxDiagramsPerJob + 1; ++i) {
        owned.push_back(std::make_unique<TestDiagram>(QString("w%1.qz2").arg(i)));
        windows.push_back(owned.back().get());
    }
    Pdf("many.pdf");
    EXPECT_EQ(PrintWindows(windows, printer_), platform::PrintResult::TooManyDiagrams);
    windows.pop_back();
    EXPECT_EQ(PrintWindows(windows, printer_), platform::PrintResult::Done);
    for (TZELWin* w : windows) {  // twelve to a page: 3 x 4
        const QSize drawn = static_cast<TestDiagram*>(w)->drawnSize;
        EXPECT_TRUE(!drawn.isEmpty() && drawn.width() <= page.Width() / 3 + 1 &&
                    drawn.height() <= page.Height() / 4 + 1);
    }
}

TEST_F(PrintJob, FilesPrintedTogetherLeaveTheWindowsDiagramAndSessionAlone) {
    QStringList files;
    for (int i = 1; i <= 3; ++i) {
        TestDiagram saved("noname.qz2");
        saved.values = {100 + i};
        if (i == 2) saved.Notebook().SetText("read me");
        files << dir_.filePath(QString("d%1.qz2").arg(i));
        ASSERT_TRUE(saved.SaveTo(files.back()));
    }
    files.insert(1, dir_.filePath("missing.qz2"));
    TestDiagram host("host.qz2");
    host.values = {7};
    host.Protection().Protect(kProtectInventory, "secret", {"Ann", "", "", ""});
    host.MarkModified();
    Pdf("together.pdf");
    EXPECT_EQ(host.PrintDiagramFiles(files, printer_), platform::PrintResult::Done);
    EXPECT_EQ(host.drawnFirst, (std::vector<std::int32_t>{101, 102, 103}));
    EXPECT_EQ(std::tuple(host.values, host.FileName(), host.IsModified()),
              std::tuple(std::vector<std::int32_t>{7}, QString("host.qz2"), true));
    EXPECT_FALSE(host.IsSimultaneousPrinting());

    EXPECT_TRUE(host.CheckPassword(kProtectInventory));
    EXPECT_TRUE(prompter_.inputs.empty()) << "the author is not asked for the password";
    EXPECT_FALSE(host.HasNotebook() && !host.Notebook().IsHidden())
        << "the printed file's notebook does not pop up over the window";
}

}  // namespace
}  // namespace quorlin
