// Print jobs to PDF files, checked with pdfinfo, and the printer-choice seam.
#include "platform/printing.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <vector>

#include <gtest/gtest.h>

#include "support/file_readers.h"

namespace quorlin::platform {
namespace {

// The page count pdfinfo reports, or -1 when it refuses the file.
int PdfPageCount(const QString& path) {
    const auto run = quorlin::testing::RunReader(QFileInfo(path).path(), "pdfinfo", {path});
    const auto match =
        QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromStdString(run.out));
    return run.exitCode == 0 && match.hasMatch() ? match.captured(1).toInt() : -1;
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!quorlin::testing::HaveProgram("pdfinfo")) GTEST_SKIP() << "pdfinfo is not installed";
        ASSERT_TRUE(folder_.isValid());
        path_ = folder_.filePath(QStringLiteral("job.pdf"));
        printer_.SetPdfOutput(path_);
        printer_.SetResolution(300);
    }

    // A painter that draws a framed text into its area and records the area.
    DiagramPainter Diagram(const QString& label) {
        return [this, label](DeviceContext& dc, const PixelRect& area) {
            areas_.push_back(area);
            dc.Select(Pen::Solid(Qt::blue, 3));
            dc.Select(Brush::Hollow());
            dc.Rectangle({area.left + 10, area.top + 10, area.right - 10, area.bottom - 10});
            dc.TextOut(area.left + 50, area.top + 50, label);
            return true;
        };
    }

    QTemporaryDir folder_;
    QString path_;
    Printer printer_;
    std::vector<PixelRect> areas_;
};

TEST_F(PrintToPdf, ALayoutPutsSeveralDiagramsOnAPage) {
    const std::vector<DiagramPainter> diagrams{Diagram("a"), Diagram("b"), Diagram("c")};
    ASSERT_EQ(printer_.Print(QStringLiteral("three"), diagrams, PrintLayout{2, 1}),
              PrintResult::Done);
    EXPECT_EQ(PdfPageCount(path_), 2);
    ASSERT_EQ(areas_.size(), 3u);
    EXPECT_TRUE(areas_[0].left == 0 && areas_[0].right == areas_[1].left);
    EXPECT_TRUE(areas_[1].right == printer_.PageArea().right && areas_[2] == areas_[0]);
}

TEST_F(PrintToPdf, EachDiagramStartsFromFreshToolsAndIsClipped) {
    bool secondSawDefaults = false;
    bool clipped = false;
    const std::vector<DiagramPainter> diagrams{
        [](DeviceContext& dc, const PixelRect&) {
            dc.Select(Pen::Solid(Qt::red, 9));
            dc.SetTextColor(Qt::green);
            return true;
        },
        [&](DeviceContext& dc, const PixelRect&) {
            secondSawDefaults = dc.CurrentPen() == Pen{} && dc.TextColor() == QColor(Qt::black);
            clipped = dc.Painter().hasClipping();
            return true;
        }};
    ASSERT_EQ(printer_.Print(QStringLiteral("fresh"), diagrams), PrintResult::Done);
    EXPECT_TRUE(secondSawDefaults);
    EXPECT_TRUE(clipped);
}

TEST_F(PrintToPdf, RefusesEmptyOversizedAndUnwritableJobsStopsAndPrintsOneDiagramAPage) {
    EXPECT_EQ(printer_.Print(QStringLiteral("none"), {}), PrintResult::NothingToPrint);
    const std::vector<DiagramPainter> thirteen(kMaxDiagramsPerJob + 1, Diagram("x"));
    EXPECT_EQ(printer_.Print(QStringLiteral("many"), thirteen), PrintResult::TooManyDiagrams);
    printer_.SetPdfOutput(folder_.filePath(QStringLiteral("missing/folder/job.pdf")));
    EXPECT_EQ(printer_.Print(QStringLiteral("x"), std::vector{Diagram("x")}),
              PrintResult::CannotStart);
    EXPECT_TRUE(areas_.empty() && !QFileInfo::exists(path_));

    printer_.SetPdfOutput(path_);
    int calls = 0;
    const DiagramPainter stop = [&](DeviceContext&, const PixelRect&) { return ++calls < 2; };
    EXPECT_EQ(printer_.Print(QStringLiteral("stop"), std::vector{stop, stop, stop}),
              PrintResult::Interrupted);
    EXPECT_EQ(calls, 2);

    const std::vector<DiagramPainter> twelve(kMaxDiagramsPerJob, Diagram("x"));
    EXPECT_EQ(printer_.Print(QStringLiteral("twelve"), twelve), PrintResult::Done);
    EXPECT_EQ(PdfPageCount(path_), kMaxDiagramsPerJob);
    for (const PixelRect& area : areas_) EXPECT_EQ(area, printer_.PageArea());
}

TEST(PrintDialogSeam, ScriptedAnswersDecideAndMayChangeThePrinter) {
    ScriptedPrintDialogs dialogs;
    dialogs.printerAnswers = {true};
    dialogs.formatAnswers = {false};
    dialogs.adjust = [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); };
    SetPrintDialogs(&dialogs);
    Printer printer;
    printer.Device().setPageOrientation(QPageLayout::Portrait);
    EXPECT_TRUE(printer.SelectPrinter(nullptr));
    EXPECT_EQ(printer.Device().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(printer.SetUpPage(nullptr));
    EXPECT_FALSE(printer.SelectPrinter(nullptr));  // nothing queued: cancelled
    SetPrintDialogs(nullptr);
}

TEST(PrintLayoutCells, CellsTileThePageRowByRow) {
    const PixelRect page{0, 0, 1001, 700};
    const PrintLayout layout{3, 2};
    long long area = 0;
    for (int i = 0; i < 6; ++i) {
        const PixelRect cell = LayoutCell(page, layout, i);
        area += static_cast<long long>(cell.Width()) * cell.Height();
        if (i % 3 != 2) EXPECT_EQ(cell.right, LayoutCell(page, layout, i + 1).left);
        if (i < 3) EXPECT_EQ(cell.bottom, LayoutCell(page, layout, i + 3).top);
    }
    EXPECT_EQ(area, 1001LL * 700);
    EXPECT_EQ(LayoutCell(page, layout, 2).right, 1001);
    EXPECT_EQ(LayoutCell(page, layout, 5).bottom, 700);
    EXPECT_EQ(LayoutCell(page, layout, 6), LayoutCell(page, layout, 0));
    EXPECT_EQ(LayoutCell(page, PrintLayout{0, -3}, 4), page);
}

}  // namespace
}  // namespace quorlin::platform
