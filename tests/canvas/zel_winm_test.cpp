// The metafile level of a graphing window: an exported ".emf" file read by an independent
// converter, the high-resolution variant, pasting that file back as a picture that draws,
// the picture dialog's buttons and checks, dragging a picture; and the window printed to a PDF
// page read back with pdftotext, where the diagram fills the printable width, its numbers and
// letters grow with it, and the text overlays come along.
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "canvas/meta_dialog.h"
#include "canvas/text_dialog.h"
#include "canvas/zel_winm.h"
#include "core/errors.h"
#include "fake_export_host.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/emf_mime.h"
#include "platform/printing.h"
#include "platform/strings.h"
#include "platform/whole_file.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {
namespace {

namespace cmd = resources::cmd;
using platform::Dialog;
using platform::MouseButton;
using resources::ControlKind;
using testing::Mouse;

// A window whose diagram is a red square in the top-left quarter on white, so a picture made
// from it is easy to recognise.
class RedSquareWindow : public TZELWinm {
public:
    RedSquareWindow() : TZELWinm(841, QStringLiteral("noname1.qz2"), QStringLiteral("pic.ini")) {}
    bool CanMakeMetafile() const override { return true; }
    void PaintHighRes(platform::DeviceContext& dc) override {
        const int f = Output().highResolutionFactor;
        dc.FillSolidRect({0, 0, ClientWidth() * f, ClientHeight() * f}, Qt::white);
        dc.FillSolidRect({0, 0, ClientWidth() * f / 2, ClientHeight() * f / 2}, Qt::red);
    }
};

class PictureWindowTest : public ::testing::Test {
protected:
    PictureWindowTest() {
        win.SizeChanged(400, 400);
        platform::SetClipboard(&clipboard);
        platform::SetCommonDialogs(&dialogs);
    }
    ~PictureWindowTest() override {
        platform::SetClipboard(nullptr);
        platform::SetCommonDialogs(nullptr);
    }
    QString ExportEmf(const QString& name) {
        const QString path = dir.filePath(name);
        dialogs.fileAnswers.push_back(path);
        win.SendCommand(cmd::kMetafile);
        return path;
    }
    void RightClick(QPoint p, const std::function<int(Dialog&)>& hands = {}) {
        win.SetMouseMode(cmd::kMousePaste);
        testing::RightClick(win, p, hands);
    }
    void PasteFile(const QString& path, QPoint at) {
        const auto picture = platform::EmfPicture::FromFile(path);
        ASSERT_TRUE(picture);
        clipboard.SetMimeData(platform::PictureToMimeData(*picture));
        RightClick(at);
        ASSERT_FALSE(win.Pictures().empty());
    }

    QTemporaryDir dir;
    platform::MemoryClipboard clipboard;
    platform::ScriptedCommonDialogs dialogs;
    platform::ScriptedPrompter prompter;
    RedSquareWindow win;
};

TEST_F(PictureWindowTest, ExportedMetafileIsReadByAnIndependentConverter) {
    const QString path = ExportEmf(QStringLiteral("diagram.emf"));
    EXPECT_EQ(dialogs.fileAsks.at(0).request.defaultExtension, QStringLiteral("emf"));
    ASSERT_TRUE(platform::EmfPicture::FromFile(path));
    // Another program's reader, run apart from this process, turns it into well-formed SVG.
    if (!testing::HaveProgram("emf2svg-conv") || !testing::HaveProgram("xmllint"))
        GTEST_SKIP() << "emf2svg-conv or xmllint is not installed";
    testing::ExpectAccepted(
        testing::RunReader(dir.path(), "emf2svg-conv", {"-i", "diagram.emf", "-o", "diagram.svg"}),
        "emf2svg-conv");
    testing::ExpectAccepted(testing::RunReader(dir.path(), "xmllint", {"--noout", "diagram.svg"}),
                            "xmllint");
}

// A disk that fails under the metafile shows the error with the file and the system's reason:
// "no more room" for a full disk or quota, "cannot open file" for any other failure. The old file
// of that name keeps every byte and no temporary file is left beside it.
TEST_F(PictureWindowTest, AFailedMetafileWriteIsShownAndKeepsTheOldFile) {
    const struct {
        int error;
        const char* shown;
    } rows[] = {{ENOSPC, "no more room"}, {EDQUOT, "no more room"}, {EIO, "cannot open file"}};
    const QString path = dir.filePath(QStringLiteral("old.emf"));
    const std::string old("yesterday's picture\0\x01\xfe", 23);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        ASSERT_TRUE(testing::WriteAll(path, old));
        prompter.messages.clear();
        {
            const platform::ScopedFileWriteCall failing(
                [error = row.error](int, const void*, std::size_t) -> long {
                    errno = error;
                    return -1;
                });
            ExportEmf(QStringLiteral("old.emf"));
        }
        ASSERT_EQ(prompter.messages.size(), 2u);  // the question to replace it, then the error
        EXPECT_TRUE(prompter.messages[1].error);
        EXPECT_EQ(prompter.messages[1].text, QString::fromLatin1(row.shown) + "\n" + path + "\n" +
                                                 QString::fromLocal8Bit(std::strerror(row.error)));
        EXPECT_EQ(testing::ReadAll(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.emf")});
    }
}

TEST_F(PictureWindowTest, HighResolutionKeepsTheFrameAndMultipliesThePixels) {
    const auto normal = platform::EmfPicture::FromFile(ExportEmf(QStringLiteral("a.emf")));
    win.SendCommand(cmd::kHighResolution);
    const auto fine = platform::EmfPicture::FromFile(ExportEmf(QStringLiteral("b.emf")));
    ASSERT_TRUE(normal && fine);
    EXPECT_TRUE(fine->Header().frame.right == normal->Header().frame.right &&
                fine->Header().frame.bottom == normal->Header().frame.bottom);
    EXPECT_GE(fine->Header().bounds.right, 8 * normal->Header().bounds.right);
    EXPECT_EQ(win.Output().highResolutionFactor, 1);  // back to the screen afterwards
}

// The 400-pixel picture is shrunk into the 300 pixels right of and below the click, and shows
// the diagram it was made from: the red quarter and the white rest, to within a pixel at their
// edges, and nothing left of the click.
TEST_F(PictureWindowTest, APastedPictureShowsTheDiagramWhereItWasPasted) {
    PasteFile(ExportEmf(QStringLiteral("p.emf")), {100, 100});
    const TPastedPicture& p = win.Pictures()[0];
    EXPECT_TRUE(p.transparent && p.anchor == -1);
    const platform::PixelRect r = win.WorldRectToScreen(p.rect);
    EXPECT_NEAR(r.left, 100, 1);
    EXPECT_NEAR(r.Width(), 300, 2);
    EXPECT_NEAR(r.Height(), 300, 2);
    win.InvalidateImage(ImageLayer::Picture);
    win.RenderImage(ImageLayer::Picture);
    const QImage image = win.Image(ImageLayer::Picture).convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const bool red = x < r.left + r.Width() / 2 && y < r.top + r.Height() / 2;
            wrong += image.pixelColor(x, y) != (red ? QColor(Qt::red) : QColor(Qt::white));
        }
    EXPECT_LE(wrong, r.Width() + r.Height()) << r.Width() << " x " << r.Height();
    EXPECT_NE(image.pixelColor(50, 50), QColor(Qt::red));
}

TEST_F(PictureWindowTest, ClipboardAndMetafileCommands) {
    RightClick({10, 10});  // nothing on the clipboard
    EXPECT_EQ(prompter.messages.at(0).text, QStringLiteral("no graphics on clipboard"));

    win.SendCommand(cmd::kCopyToClipboard);
    const QMimeData* data = clipboard.MimeData();
    ASSERT_NE(data, nullptr);
    for (const QString& type :
         {platform::kEmfMimeType, QStringLiteral("image/svg+xml"), QStringLiteral("image/png")})
        EXPECT_TRUE(data->hasFormat(type)) << type.toStdString();
    // A level that makes no metafile offers none of the commands.
    TZELWinm plain(841, QStringLiteral("noname2.qz2"), QStringLiteral("pic2.ini"));
    for (const int id : {cmd::kMetafile, cmd::kCopyToClipboard, cmd::kHighResolution})
        EXPECT_FALSE(plain.QueryCommand(id).enabled) << id;
    EXPECT_TRUE(win.QueryCommand(cmd::kMetafile).enabled);
}

TEST_F(PictureWindowTest, DialogResizesRefusesAndFillsAndDraggingKeepsTheSize) {
    PasteFile(ExportEmf(QStringLiteral("d.emf")), {0, 0});
    const TLDRect before = win.Pictures()[0].rect;
    // A width below 0.1 cm is refused and the dialog stays; cancel then keeps the picture.
    int refused = -1;
    RightClick({20, 20}, [&](Dialog& d) {
        d.SetChecked(metadlg::kImageSize, true);
        d.SetText(metadlg::kWidth, ControlKind::Edit, QStringLiteral("0.05"));
        refused = d.Press(platform::kIdOk);
        return platform::kIdCancel;
    });
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("inconsistent data"));
    EXPECT_EQ(win.Pictures()[0].rect.xHigh, before.xHigh) << "cancel keeps the picture";

    // One inch wide and high, the top-left corner kept.
    RightClick({20, 20}, [](Dialog& d) {
        d.SetChecked(metadlg::kImageSize, true);
        d.SetText(metadlg::kWidth, ControlKind::Edit, QStringLiteral("2.54"));
        d.SetText(metadlg::kHeight, ControlKind::Edit, QStringLiteral("2.54"));
        d.SetChecked(metadlg::kTransparent, false);
        return d.Press(platform::kIdOk);
    });
    const TPastedPicture& p = win.Pictures()[0];
    const long double inch = platform::ScreenMetrics().pixelsPerInchX * win.View().unitsPerPixelX;
    EXPECT_NEAR(static_cast<double>(p.rect.xHigh - p.rect.xLow), static_cast<double>(inch), 1e-9);
    EXPECT_EQ(std::tuple(p.rect.xLow, p.rect.yHigh, p.transparent),
              std::tuple(before.xLow, before.yHigh, false));

    // Dragged by the mouse, the same size.
    win.MouseDown(Mouse(MouseButton::Left, {20, 20}));
    win.MouseUp(Mouse(MouseButton::Left, {70, 40}));
    EXPECT_EQ(QPoint(win.XToScreen(p.rect.xLow), win.YToScreen(p.rect.yHigh)), QPoint(50, 20));
    EXPECT_NEAR(static_cast<double>(p.rect.xHigh - p.rect.xLow), static_cast<double>(inch), 1e-9);

    RightClick({60, 30}, [](Dialog& d) { return d.Press(metadlg::kFill); });
    EXPECT_EQ(std::tuple(p.rect.xLow, p.rect.yLow), std::tuple(win.View().left, win.View().down));
}

// A diagram read into the window while the dialog is open (a file handed over by a second
// start) replaces the picture the dialog was opened on; "cut" moves the picture to the
// clipboard, and pasted again into the empty list it is numbered from 0.
TEST_F(PictureWindowTest, ReplacedOrCutPicturesLeaveTheList) {
    PasteFile(ExportEmf(QStringLiteral("r.emf")), {10, 10});
    RightClick({20, 20}, [this](Dialog& d) {
        win.InstallPictures({});
        d.SetChecked(metadlg::kTransparent, false);
        return d.Press(platform::kIdOk);
    });
    EXPECT_TRUE(win.Pictures().empty());
    PasteFile(dir.filePath("r.emf"), {10, 10});
    clipboard.Clear();
    RightClick({20, 20}, [](Dialog& d) { return d.Press(metadlg::kCut); });
    ASSERT_TRUE(win.Pictures().empty() && clipboard.MimeData());
    EXPECT_TRUE(platform::PictureFromMimeData(*clipboard.MimeData()));
    RightClick({10, 10});
    ASSERT_EQ(win.Pictures().size(), 1u);
    EXPECT_EQ(win.Pictures()[0].index, 0);
}

struct WordBox {
    double xMin, yMin, xMax, yMax;
};

// The words pdftotext finds on the first page of a PDF with their boxes, in points from the top
// left, and the page's width.
std::pair<double, std::multimap<QString, WordBox>> ReadPage(const QString& pdf) {
    const QString xhtml = QString::fromStdString(
        testing::RunReader(QFileInfo(pdf).path(), "pdftotext", {"-bbox", "-l", "1", pdf, "-"}).out);
    std::multimap<QString, WordBox> words;
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = word.globalMatch(xhtml); it.hasNext();) {
        const auto m = it.next();
        words.insert({m.captured(5),
                      {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                       m.captured(4).toDouble()}});
    }
    const QRegularExpression pageWidth(R"re(<page width="([\d.]+)")re");
    return {pageWidth.match(xhtml).captured(1).toDouble(), words};
}

TEST(PrintedDiagram, FillsThePrintableWidthWithNumbersTextsAndFontsToScale) {
    if (!testing::HaveProgram("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    platform::ScriptedPrompter prompter;
    TZELWinm win(841, QStringLiteral("print.qz2"), QStringLiteral("print.ini"));
    constexpr int kClientWidth = 400;
    win.SizeChanged(kClientWidth, 300);
    win.SetMouseMode(cmd::kMouseText);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            d.SetText(textdlg::kText, ControlKind::Edit, QStringLiteral("overlay"));
            return d.Press(platform::kIdOk);
        });
        win.MouseDown(Mouse(MouseButton::Right, {60, 40}));
    }
    ASSERT_EQ(win.PlainTexts().size(), 1u);
    win.RenderImage(ImageLayer::Picture);  // the screen measures the text's box

    platform::Printer printer;
    printer.Device().setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = dir.filePath("diagram.pdf");
    printer.SetPdfOutput(pdf);
    ASSERT_EQ(win.PrintTo(printer), platform::PrintResult::Done);

    const auto [pageWidth, words] = ReadPage(pdf);
    ASSERT_GT(pageWidth, 500) << "an A4 page is 595 points wide";
    for (const char* word : {"overlay", "x", "y", "-4", "4"})
        ASSERT_EQ(words.count(word), 1u) << word;  // 4 on the x axis only: y reaches 3.75
    const auto box = [&](const char* word) { return words.find(word)->second; };
    // A number that both axes carry: the one off the x axis's row.
    const auto onYAxis = [&](const char* word) {
        for (auto [at, to] = words.equal_range(word); at != to; ++at)
            if (at->second.yMin != box("4").yMin) return at->second;
        ADD_FAILURE() << word << " is not on the y axis";
        return WordBox{};
    };

    // The scale numbers -4 .. 4 of the x axis span most of the page's width, and -3 .. 3 of
    // the y axis its height in the window's proportions.
    const WordBox left = box("-4"), right = box("4");
    const double span = right.xMax - left.xMin;
    EXPECT_GT(span, 0.7 * pageWidth) << "the diagram fills the printable width";
    // -4 .. 4 cover 8 of the 10 units across the window: the diagram is about span / 0.8 wide.
    const double diagramWidth = span / 0.8;
    EXPECT_LT(diagramWidth, pageWidth * 1.05);
    const double unitsUp = (onYAxis("-3").yMin - onYAxis("3").yMin) / 6;
    EXPECT_NEAR(unitsUp, diagramWidth / 10, diagramWidth / 100) << "circles stay round";

    // A number is as tall against the diagram as it is on the screen.
    const QFontMetrics screen(platform::ToQFont(ToFontSpec(win.Fonts().Font(kFontScaleNumbers))));
    const double screenRatio = static_cast<double>(screen.height()) / kClientWidth;
    EXPECT_NEAR((right.yMax - right.yMin) / diagramWidth / screenRatio, 1.0, 0.3);
    // The text stands where it stood on the screen: 60 pixels right of x = -5 in the window.
    const double pageLeft = (left.xMin + left.xMax) / 2 - diagramWidth / 10;
    EXPECT_NEAR((box("overlay").xMin - pageLeft) / diagramWidth, 60.0 / kClientWidth, 0.05);
}

}  // namespace
}  // namespace quorlin::canvas
