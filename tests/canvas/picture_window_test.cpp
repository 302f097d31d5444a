// The metafile level of a graphing window: an exported ".emf" file read by an independent
// converter, the high-resolution variant, pasting that file back as a picture that draws,
// the picture dialog's buttons and checks, and dragging a picture.
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "canvas/meta_dialog.h"
#include "canvas/zel_winm.h"
#include "fake_export_host.h"
#include "mouse_event.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/emf_mime.h"
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
        std::optional<platform::ScopedDialogRunner> runner;
        if (hands) runner.emplace(hands);
        win.SetMouseMode(cmd::kMousePaste);
        win.MouseDown(Mouse(MouseButton::Right, p));
    }
    QColor PixelOfPicture(QPoint p) {
        win.InvalidateImage(ImageLayer::Picture);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture).pixelColor(p);
    }
    void PasteFile(const QString& path, QPoint at) {
        const auto picture = platform::EmfPicture::FromFile(path);
        ASSERT_TRUE(picture);
        clipboard.SetMimeData(platform::PictureToMimeData(*picture));
        RightClick(at);
    }

    QTemporaryDir dir;
    platform::MemoryClipboard clipboard;
    platform::ScriptedCommonDialogs dialogs;
    platform::ScriptedPrompter prompter;
    RedSquareWindow win;
};

TEST_F(PictureWindowTest, ExportedMetafileIsReadByAnIndependentConverter) {
    const QString path = ExportEmf(QStringLiteral("diagram.emf"));
    ASSERT_EQ(dialogs.fileAsks.size(), 1u);
    EXPECT_EQ(dialogs.fileAsks[0].request.defaultExtension, QStringLiteral("emf"));
    EXPECT_TRUE(dialogs.fileAsks[0].request.fileName.endsWith(QStringLiteral(".emf")));
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

TEST_F(PictureWindowTest, HighResolutionKeepsTheFrameAndMultipliesThePixels) {
    const auto normal = platform::EmfPicture::FromFile(ExportEmf(QStringLiteral("a.emf")));
    win.SendCommand(cmd::kHighResolution);
    EXPECT_TRUE(win.QueryCommand(cmd::kHighResolution).checked);
    const auto fine = platform::EmfPicture::FromFile(ExportEmf(QStringLiteral("b.emf")));
    ASSERT_TRUE(normal && fine);
    EXPECT_EQ(fine->Header().frame.right, normal->Header().frame.right);
    EXPECT_EQ(fine->Header().frame.bottom, normal->Header().frame.bottom);
    EXPECT_GE(fine->Header().bounds.right, 8 * normal->Header().bounds.right);
    EXPECT_EQ(win.Output().highResolutionFactor, 1);  // back to the screen afterwards
}

TEST_F(PictureWindowTest, PastedMetafileDrawsWhereItWasPasted) {
    PasteFile(ExportEmf(QStringLiteral("p.emf")), {100, 100});
    ASSERT_EQ(win.Pictures().size(), 1u);
    const TPastedPicture& p = win.Pictures()[0];
    EXPECT_TRUE(p.transparent);
    EXPECT_EQ(p.anchor, -1);
    // The 400-pixel picture is shrunk into the 300 pixels right of and below the click.
    const platform::PixelRect r = win.WorldRectToScreen(p.rect);
    EXPECT_NEAR(r.left, 100, 1);
    EXPECT_NEAR(r.Width(), 300, 2);
    EXPECT_NEAR(r.Height(), 300, 2);
    EXPECT_EQ(PixelOfPicture({130, 130}), QColor(Qt::red));
    EXPECT_NE(PixelOfPicture({350, 350}), QColor(Qt::red));
    EXPECT_NE(PixelOfPicture({50, 50}), QColor(Qt::red));  // nothing left of the click
}

TEST_F(PictureWindowTest, APastedPictureShowsTheDiagramItWasMadeFrom) {
    PasteFile(ExportEmf(QStringLiteral("same.emf")), {0, 0});
    ASSERT_EQ(win.Pictures().size(), 1u);
    win.InvalidateImage(ImageLayer::Picture);
    win.RenderImage(ImageLayer::Picture);
    const QImage image = win.Image(ImageLayer::Picture).convertToFormat(QImage::Format_RGB32);
    const platform::PixelRect r = win.WorldRectToScreen(win.Pictures()[0].rect);
    // The red quarter and the white rest, to within a pixel at their edges.
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const bool red = x < r.left + r.Width() / 2 && y < r.top + r.Height() / 2;
            wrong += image.pixelColor(x, y) != (red ? QColor(Qt::red) : QColor(Qt::white));
        }
    }
    EXPECT_LE(wrong, r.Width() + r.Height()) << r.Width() << " x " << r.Height();
    EXPECT_GT(r.Width(), 300);
}

TEST_F(PictureWindowTest, NothingOnTheClipboardGivesError5) {
    RightClick({10, 10});
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("no graphics on clipboard"));
    EXPECT_TRUE(win.Pictures().empty());
}

TEST_F(PictureWindowTest, CopyToClipboardOffersMetafileSvgAndPng) {
    win.SendCommand(cmd::kCopyToClipboard);
    const QMimeData* data = clipboard.MimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(platform::kEmfMimeType));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/png")));
}

TEST_F(PictureWindowTest, MetafileCommandsNeedALevelThatMakesThem) {
    TZELWinm plain(841, QStringLiteral("noname2.qz2"), QStringLiteral("pic2.ini"));
    EXPECT_FALSE(plain.QueryCommand(cmd::kMetafile).enabled);
    EXPECT_FALSE(plain.QueryCommand(cmd::kCopyToClipboard).enabled);
    EXPECT_FALSE(plain.QueryCommand(cmd::kHighResolution).enabled);
    EXPECT_TRUE(win.QueryCommand(cmd::kMetafile).enabled);
}

TEST_F(PictureWindowTest, DialogResizesRefusesAndFills) {
    PasteFile(ExportEmf(QStringLiteral("d.emf")), {0, 0});
    ASSERT_EQ(win.Pictures().size(), 1u);
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
    EXPECT_EQ(win.Pictures()[0].rect.xHigh, before.xHigh);

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
    EXPECT_EQ(p.rect.xLow, before.xLow);
    EXPECT_EQ(p.rect.yHigh, before.yHigh);
    EXPECT_FALSE(p.transparent);

    RightClick({20, 20}, [](Dialog& d) { return d.Press(metadlg::kFill); });
    EXPECT_EQ(win.Pictures()[0].rect.xLow, win.View().left);
    EXPECT_EQ(win.Pictures()[0].rect.yLow, win.View().down);
}

TEST_F(PictureWindowTest, CutPutsThePictureOnTheClipboardAndRemovesIt) {
    PasteFile(ExportEmf(QStringLiteral("c.emf")), {10, 10});
    clipboard.Clear();
    RightClick({20, 20}, [](Dialog& d) { return d.Press(metadlg::kCut); });
    EXPECT_TRUE(win.Pictures().empty());
    ASSERT_NE(clipboard.MimeData(), nullptr);
    EXPECT_TRUE(platform::PictureFromMimeData(*clipboard.MimeData()));
    // Pasted again into the empty list, it is numbered from 0.
    RightClick({10, 10});
    ASSERT_EQ(win.Pictures().size(), 1u);
    EXPECT_EQ(win.Pictures()[0].index, 0);
}

TEST_F(PictureWindowTest, PicturesReplacedWhileTheDialogRunsAreLeftAlone) {
    // A diagram read into the window while the dialog is open (a file handed over by a second
    // start) replaces the picture the dialog was opened on.
    PasteFile(ExportEmf(QStringLiteral("r.emf")), {10, 10});
    RightClick({20, 20}, [this](Dialog& d) {
        win.InstallPictures({});
        d.SetChecked(metadlg::kTransparent, false);
        return d.Press(platform::kIdOk);
    });
    EXPECT_TRUE(win.Pictures().empty());
}

TEST_F(PictureWindowTest, DraggingMovesThePictureKeepingItsSize) {
    PasteFile(ExportEmf(QStringLiteral("m.emf")), {10, 10});
    const TLDRect before = win.Pictures()[0].rect;
    win.MouseDown(Mouse(MouseButton::Left, {20, 20}));
    win.MouseUp(Mouse(MouseButton::Left, {70, 40}));
    const TLDRect after = win.Pictures()[0].rect;
    EXPECT_EQ(win.XToScreen(after.xLow), 60);
    EXPECT_EQ(win.YToScreen(after.yHigh), 30);
    EXPECT_NEAR(static_cast<double>(after.xHigh - after.xLow),
                static_cast<double>(before.xHigh - before.xLow), 1e-12);
}

}  // namespace
}  // namespace quorlin::canvas
