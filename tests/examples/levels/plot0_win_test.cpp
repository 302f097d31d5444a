// The options level through a 2D window: equation labels placed in a column, dragged and sent
// home, the mouse readout, printed and metafile pictures that carry the examples, and the SVG
// export.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "canvas/mouse_event.h"
#include "examples/operations/label_layout.h"
#include "examples/plot_test_window.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "platform/emf_picture.h"
#include "platform/screen_metrics.h"
#include "support/all_near.h"
#include "support/boxes_shown.h"
#include "support/file_readers.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;
using canvas::TEquationLabel;
using canvas::testing::Mouse;
using platform::MouseButton;
using quorlin::testing::AllNear;

class Plot0WinTest : public quorlin::testing::PlotWindowTest {
protected:
    TEquationLabel Absolute(int k) const {
        const TEquationLabel& l = win.EquationLabels().Labels()[static_cast<std::size_t>(k)];
        return canvas::TextToAbsolute(l, win.AnchorOriginOf(l.anchor));
    }
    TLabelView View() const {
        const canvas::TViewFrame& v = win.View();
        return {v.left, v.down, v.up, v.unitsPerPixelX, v.unitsPerPixelY, win.LineHeight()};
    }
};

TEST_F(Plot0WinTest, LabelsStandInAColumnAndGoHomeAfterADrag) {
    Paste("EXPL2;x;EXPL2;x^2;EXPL2;x^3;");
    ASSERT_EQ(win.EquationLabels().Count(), 3);
    for (int k = 0; k < 3; ++k) {  // (the column itself is the label layout's test)
        const Vec2 home = HomeLabelPosition(View(), k);
        EXPECT_TRUE(AllNear({Absolute(k).left, Absolute(k).top}, {home.x, home.y}, 1e-12L)) << k;
        EXPECT_EQ(win.EquationLabels().Labels()[k].anchor, canvas::kAnchorFrame);
    }

    // Shown labels are dragged in the text mode; dropped, the label stays in the figure.
    ASSERT_TRUE(win.SendCommand(cmd::kShowEquations));
    Picture();  // measures the labels' boxes
    win.SetMouseMode(cmd::kMouseText);
    const QPoint grip(win.XToScreen(Absolute(1).left) + 4, win.YToScreen(Absolute(1).top) + 4);
    win.MouseDown(Mouse(MouseButton::Left, grip));
    win.MouseMove(Mouse(MouseButton::None, grip + QPoint(100, 150)));
    win.MouseUp(Mouse(MouseButton::Left, grip + QPoint(100, 150)));
    EXPECT_EQ(win.EquationLabels().Labels()[1].anchor, canvas::kAnchorFigure);
    EXPECT_NEAR(static_cast<double>(Absolute(1).left - HomeLabelPosition(View(), 1).x),
                100 * static_cast<double>(win.View().unitsPerPixelX), 1e-9);
    EXPECT_TRUE(win.IsModified());

    ASSERT_TRUE(win.SendCommand(cmd::kHomeEquations));
    EXPECT_EQ(win.EquationLabels().Labels()[1].anchor, canvas::kAnchorFrame);
    EXPECT_NEAR(static_cast<double>(Absolute(1).top),
                static_cast<double>(HomeLabelPosition(View(), 1).y), 1e-12);
}

TEST_F(Plot0WinTest, RefreshingALabelRestoresOneLabelPerExample) {
    Paste("EXPL2;x;EXPL2;x^2;EXPL2;x^3;");
    canvas::TextList& labels = win.EquationLabels().Labels();
    labels.erase(labels.begin() + 1);
    labels.push_back(labels.front());
    win.Inventory()[2].Text(2) = "x^4";
    win.CompileExample(2);
    win.RefreshEquationLabel(2);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[1].text, "y = x^2");
    EXPECT_EQ(labels[2].text, "y = x^4");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(labels[static_cast<std::size_t>(i)].number, i);
}

TEST_F(Plot0WinTest, TheReadoutShowsThePointWhileTheButtonIsHeld) {
    const QPoint p(win.XToScreen(1.5L), win.YToScreen(-2));
    win.MouseDown(Mouse(MouseButton::Left, p));
    ASSERT_TRUE(win.Readout());
    EXPECT_EQ(win.Readout()->second, "(1.5000,-2.0000)");
    win.MouseUp(Mouse(MouseButton::Left, p));
    EXPECT_FALSE(win.Readout());
}

// A printed page and a metafile carry the examples, not only the axes.
TEST_F(Plot0WinTest, PrintedAndMetafilePicturesCarryTheExamples) {
    Paste("PARAM2;3*cos(t);2*sin(t);0;2*pi;");
    const auto ellipse = [](long double t) {
        return std::pair<long double, long double>{3 * std::cos(t), 2 * std::sin(t)};
    };
    QImage page(401, 401, QImage::Format_RGB32);
    {
        platform::DeviceContext dc(page);
        ASSERT_TRUE(win.PrintOn(dc, {0, 0, 401, 401}, true));
    }
    EXPECT_GE(ShareOnCurve(page, ColourOf(0), 0, 6.28L, 40, ellipse), 0.9);

    const QByteArray bytes = win.RenderMetafile();
    const auto picture = platform::EmfPicture::FromBytes(bytes);
    ASSERT_TRUE(picture);
    QImage played(401, 401, QImage::Format_RGB32);
    played.fill(Qt::white);
    {
        QPainter painter(&played);
        ASSERT_TRUE(picture->Render(painter, QRectF(0, 0, 401, 401)));
    }
    // The metafile may smooth its lines: the curve shows as ink where the ellipse runs.
    int inked = 0;
    for (int k = 0; k < 40; ++k) {
        const auto [x, y] = ellipse(6.28L * k / 39);
        const QPoint px(win.XToScreen(x), win.YToScreen(y));
        bool ink = false;
        for (int d = -1; d <= 1 && !ink; ++d)
            ink = qGray(played.pixel(px + QPoint(d, 0))) < 200 ||
                  qGray(played.pixel(px + QPoint(0, d))) < 200;
        inked += ink;
    }
    EXPECT_GE(inked, 36);
    EXPECT_GT(qGray(played.pixel(win.XToScreen(0.5L), win.YToScreen(0.5L))), 200);
}

// On a page of four device pixels per screen pixel a point keeps its size, and "Thicken print"
// widens the lines from the axes' width.
TEST_F(Plot0WinTest, PrintedDotsKeepTheirSizeAndThickenedLinesWiden) {
    Paste("POINT2;2;2;SEG2;-4;-3;4;-3;");
    const auto print = [this](int extraThickness) {
        win.Options().extraPrintThickness = static_cast<std::int16_t>(extraThickness);
        QImage page(1604, 1604, QImage::Format_RGB32);
        const int dpi = 4 * platform::ScreenMetrics().pixelsPerInchX;
        platform::DeviceContext dc(
            page, platform::MakeDeviceMetrics(page.size(), page.size() * 25.4 / dpi, dpi, dpi));
        EXPECT_TRUE(win.PrintOn(dc, {0, 0, 1604, 1604}, true));
        return page;
    };
    const auto onPage = [this](long double x, long double y) {
        return QPoint(4 * win.XToScreen(x), 4 * win.YToScreen(y));
    };
    const auto inkedRows = [&](const QImage& page, QRgb colour) {  // across the segment
        const QPoint mid = onPage(0, -3);
        int rows = 0;
        for (int dy = -12; dy <= 12; ++dy) rows += page.pixel(mid + QPoint(0, dy)) == colour;
        return rows;
    };
    const QImage plain = print(0);
    // The dot of radius 2 screen pixels reaches 6 page pixels from its centre.
    EXPECT_EQ(plain.pixel(onPage(2, 2) + QPoint(6, 0)), ColourOf(0));
    const int thin = inkedRows(plain, ColourOf(1));
    EXPECT_GE(thin, 1);
    // round((1604 x 7 - 1023) / 2048) = 5 page pixels.
    EXPECT_GE(inkedRows(print(3), ColourOf(1)), thin + 3);
}

struct ExportRow {
    const char* script;
    bool labels;      // equation labels shown
    bool asksPixels;  // an example flagged for a search that reads the picture's pixels
};

// File|Export SVG draws its frame on a blank image (a scratch picture where the drawing reads
// pixels) and writes, byte for byte, what an SVG export writes while the same frame is drawn
// into the window's picture.
TEST_F(Plot0WinTest, TheSvgExportWritesWhatTheFrameDrawnIntoThePictureWrites) {
    const ExportRow rows[] = {
        {"EXPL2;sin(x)*x/2;PARAM2;3*cos(t);2*sin(t);0;2*pi;", false, false},
        {"POINT2;1;2;SEG2;-4;-3;4;1;POLAR;1+cos(3*t);0;2*pi;", true, false},
        {"EXPL2;x^2/3-1;", true, true},
    };
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    const platform::ScopedDialogRunner sizeAnswered([](platform::Dialog& d) { return d.Press(1); });
    QTemporaryDir dir;
    for (const ExportRow& row : rows) {
        plot2d::TPlot2Win w(QStringLiteral("noname2.qz2"));
        w.SizeChanged(361, 283);
        clipboard.SetText(QString::fromLatin1(row.script));
        ASSERT_TRUE(w.SendCommand(cmd::kPasteScript)) << row.script;
        for (auto& label : w.EquationLabels().Labels()) label.shown = row.labels ? 1 : 0;
        w.Inventory()[0].LevelSearch() = row.asksPixels ? 1 : 0;
        EXPECT_EQ(w.DrawingReadsPixels(), row.asksPixels) << row.script;

        const QString menu = dir.filePath(QStringLiteral("menu.svg"));
        dialogs.fileAnswers.emplace_back(menu);
        w.ExportSvg();
        canvas::TExportState& e = w.Exports();
        const QString drawn = dir.filePath(QStringLiteral("drawn.svg"));
        ASSERT_TRUE(e.svg.BeginSvgFile(drawn, e.view.clientWidth, e.view.clientHeight));
        e.StartOutput(canvas::ExportKind::Svg);
        e.ExportBackground();
        w.InvalidateImage(ImageLayer::Background);
        w.RenderImage(ImageLayer::Picture);
        ASSERT_TRUE(e.EndExport());

        const std::string written = quorlin::testing::ReadAll(menu);
        EXPECT_EQ(written, quorlin::testing::ReadAll(drawn)) << row.script;
        EXPECT_NE(written.find("width=\"361\" height=\"283\""), std::string::npos);
        EXPECT_GE(quorlin::testing::Occurrences(written, "<path"), 1u) << row.script;
        w.ClearModified();
    }
    platform::SetCommonDialogs(nullptr);
}

// An export that cannot write its file is shown as a failed save is, as an error box with the
// error, the file and the system's reason, where the file is refused before the picture is drawn
// (SVG) as where its writing fails; an export cancelled after a failed one shows nothing.
TEST_F(Plot0WinTest, AnExportThatCannotWriteItsFileShowsWhyAsAFailedSaveDoes) {
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    const platform::ScopedDialogRunner sizeAnswered([](platform::Dialog& d) { return d.Press(1); });
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("gone/wave"));
    // A link the file dialog takes, to a file in a folder that is not there.
    const QString link = dir.filePath(QStringLiteral("link.svg"));
    ASSERT_TRUE(QFile::link(gone + ".svg", link));
    const struct {
        const char* name;
        QString chosen;  // what the file dialog answers; empty: cancel
        std::function<void()> run;
        std::string shown;  // the box; empty: none
    } rows[] = {
        {"SVG into a folder that is not there", gone + ".svg", [this] { win.ExportSvg(); },
         "! hmm ... | could not find\n" + gone.toStdString() + ".svg\nNo such file or directory"},
        {"SVG through a link into a folder that is not there", link, [this] { win.ExportSvg(); },
         "! hmm ... | could not find\n" + link.toStdString() + "\nNo such file or directory"},
        {"SVG cancelled", {}, [this] { win.ExportSvg(); }, ""},
        {"EPS into a folder that is not there", gone + ".eps", [this] { win.ExportEps(); },
         "! hmm ... | could not find\n" + gone.toStdString() + ".eps\nNo such file or directory"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        prompter.messages.clear();
        if (!row.chosen.isEmpty()) dialogs.fileAnswers.emplace_back(row.chosen);
        prompter.AnswerInput(QStringLiteral("1"));  // one EPS frame
        row.run();
        prompter.inputAnswers.clear();
        EXPECT_EQ(quorlin::testing::BoxesShown(prompter),
                  row.shown.empty() ? std::vector<std::string>{} : std::vector{row.shown});
        EXPECT_TRUE(dialogs.fileAnswers.empty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("link.svg")});
    platform::SetCommonDialogs(nullptr);
}

}  // namespace
}  // namespace quorlin::examples
