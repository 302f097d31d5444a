// A graphing window printed to a PDF page, read back with pdftotext: the diagram fills the
// printable width, its numbers and letters grow with it, and the text overlays come along.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

#include "canvas/text_dialog.h"
#include "canvas/zel_winm.h"
#include "fake_export_host.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/printing.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {
namespace {

using testing::HaveProgram;
using testing::ReaderRun;
using testing::RunReader;

struct WordBox {
    double xMin, yMin, xMax, yMax;
    double Height() const { return yMax - yMin; }
};

struct PrintedPage {
    double width = 0;
    std::multimap<QString, WordBox> words;  // by text, in points from the top left
};

// The words pdftotext finds on the first page, with their boxes.
PrintedPage ReadPage(const QString& pdf) {
    const ReaderRun run =
        RunReader(QFileInfo(pdf).path(), "pdftotext", {"-bbox", "-l", "1", pdf, "-"});
    PrintedPage page;
    const QString xhtml = QString::fromStdString(run.out);
    const QRegularExpression pageWidth(R"re(<page width="([\d.]+)")re");
    page.width = pageWidth.match(xhtml).captured(1).toDouble();
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        page.words.insert(
            {m.captured(5), WordBox{m.captured(1).toDouble(), m.captured(2).toDouble(),
                                    m.captured(3).toDouble(), m.captured(4).toDouble()}});
    }
    return page;
}

TEST(PrintedDiagram, FillsThePrintableWidthWithNumbersTextsAndFontsToScale) {
    if (!HaveProgram("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    platform::ScriptedPrompter prompter;
    TZELWinm win(841, QStringLiteral("print.qz2"), QStringLiteral("print.ini"));
    constexpr int kClientWidth = 400;
    win.SizeChanged(kClientWidth, 300);
    win.SetMouseMode(resources::cmd::kMouseText);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            d.SetText(textdlg::kText, resources::ControlKind::Edit, QStringLiteral("overlay"));
            return d.Press(platform::kIdOk);
        });
        win.MouseDown(testing::Mouse(platform::MouseButton::Right, {60, 40}));
    }
    ASSERT_EQ(win.PlainTexts().size(), 1u);
    win.RenderImage(ImageLayer::Picture);  // the screen measures the text's box

    platform::Printer printer;
    printer.Device().setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = dir.filePath("diagram.pdf");
    printer.SetPdfOutput(pdf);
    ASSERT_EQ(win.PrintTo(printer), platform::PrintResult::Done);

    const PrintedPage page = ReadPage(pdf);
    ASSERT_GT(page.width, 500) << "an A4 page is 595 points wide";
    EXPECT_EQ(page.words.count("overlay"), 1u) << "the text overlay is on the page";
    for (const char* word : {"x", "y", "-4", "4"})
        ASSERT_EQ(page.words.count(word), 1u) << word;  // 4 on the x axis only: y reaches 3.75
    const auto box = [&](const char* word) { return page.words.find(word)->second; };
    // A number that both axes carry: the one off the x axis's row.
    const auto onYAxis = [&](const char* word) {
        for (auto [at, to] = page.words.equal_range(word); at != to; ++at)
            if (at->second.yMin != box("4").yMin) return at->second;
        ADD_FAILURE() << word << " is not on the y axis";
        return WordBox{};
    };

    // The scale numbers -4 .. 4 of the x axis span most of the page's width, and -3 .. 3 of
    // the y axis its height in the window's proportions.
    const WordBox left = box("-4"), right = box("4");
    const double span = right.xMax - left.xMin;
    EXPECT_GT(span, 0.7 * page.width) << "the diagram fills the printable width";
    // -4 .. 4 cover 8 of the 10 units across the window: the diagram is about span / 0.8 wide.
    const double diagramWidth = span / 0.8;
    EXPECT_LT(diagramWidth, page.width * 1.05);
    const double unitsUp = (onYAxis("-3").yMin - onYAxis("3").yMin) / 6;
    EXPECT_NEAR(unitsUp, diagramWidth / 10, diagramWidth / 100) << "circles stay round";

    // A number is as tall against the diagram as it is on the screen.
    const QFontMetrics screen(platform::ToQFont(ToFontSpec(win.Fonts().Font(kFontScaleNumbers))));
    const double screenRatio = static_cast<double>(screen.height()) / kClientWidth;
    const double paperRatio = right.Height() / diagramWidth;
    EXPECT_NEAR(paperRatio / screenRatio, 1.0, 0.3);
    // The text stands where it stood on the screen: at 60, 40 of the 400 x 300 window.
    const WordBox text = box("overlay");
    const double pageLeft = (left.xMin + left.xMax) / 2 - diagramWidth / 10;  // x = -5
    EXPECT_NEAR((text.xMin - pageLeft) / diagramWidth, 60.0 / kClientWidth, 0.05);
    const WordBox three = onYAxis("3");
    const double pageTop = (three.yMin + three.yMax) / 2 - 0.75 * unitsUp;  // y = 3.75
    EXPECT_NEAR((text.yMin - pageTop) / diagramWidth, 40.0 / kClientWidth, 0.05);
}

}  // namespace
}  // namespace quorlin::canvas
