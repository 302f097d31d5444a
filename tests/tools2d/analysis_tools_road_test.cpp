// The analysis tools as a user reaches them in the running program: a 2D window from the
// frame's Window menu, y = x^2 from the Equa menu, "Integrate f(x) dx ..." with the parabolic
// rule and its overlay, "definite" twice, the overlay on the window's picture and in an SVG
// export that xmllint reads, and the dialog back from the saved diagram; and "Reflect ..." of a
// line in the y-axis, drawn mirrored on the window's picture and taken back by "undo".
#include <QFile>
#include <QTemporaryDir>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "resources/command_ids.h"
#include "support/curve_pixels.h"
#include "support/file_readers.h"
#include "tools2d/derived/transform_dialogs.h"
#include "tools2d/road_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::InkNear;

TEST(AnalysisToolsRoadTest, IntegrateAsAUserAndFindItAgainInTheFile) {
    platform::ScriptedPrompter prompter;
    platform::ScriptedCommonDialogs dialogs;
    const platform::ScopedCommonDialogs installed(dialogs);
    QTemporaryDir dir;
    UserFrame user;
    TPlotFrame& frame = user.frame;
    plot2d::TPlot2Win* win = user.NewWindow();
    ASSERT_NE(win, nullptr);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            d.SetText(212, QStringLiteral("x^2"));
            return d.Press(1);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kNewExplicit2D));
    }
    ASSERT_EQ(win->Inventory().Count(), 1);
    EXPECT_TRUE(frame.QueryCommand(cmd::kIntegrate).enabled);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kIntegrate));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools());
    TRiemDlg& d = *tools.Riemann();
    d.SetText(TRiemDlg::kLowEdit, QStringLiteral("0"));
    d.SetText(TRiemDlg::kHighEdit, QStringLiteral("2"));
    d.SetText(TRiemDlg::kSubintervalEdit, QStringLiteral("4"));
    d.Press(TRiemDlg::kFirstCheck + 4);  // "parabolic"
    d.Press(TRiemDlg::kOverlayCheck);
    d.Press(TRiemDlg::kValueButton);
    d.Press(TRiemDlg::kValueButton);
    EXPECT_EQ(d.GetText(TRiemDlg::kFirstValue + 4),
              QString::fromStdString(win->Format().FormatNum(8.0L / 3)));
    EXPECT_EQ(win->Inventory()[0].markedPoints.size(), 1u);

    // The overlay on the cached picture: the sides of the cells at 0.5, 1 and 1.5.
    win->Roles().SetRole(TRiemDlg::kOverlayColourRole, 9);
    const QRgb overlay = win->OutputColor(win->DrawColor(9)).rgb();
    win->InvalidateImage(ImageLayer::Background);
    win->RenderImage(ImageLayer::Picture);
    const QImage& image = win->Image(ImageLayer::Picture);
    for (const long double x : {0.5L, 1.0L, 1.5L})
        EXPECT_TRUE(InkNear(*win, image, x, x * x / 2, overlay)) << (double)x;

    // ... and in an SVG export.
    dialogs.fileAnswers.push_back(dir.filePath("riem.svg"));
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& export_) {
            export_.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
            return export_.Press(1);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kExportSvg));
    }
    const std::string svg = quorlin::testing::ReadAll(dir.filePath("riem.svg"));
    EXPECT_NE(svg.find(canvas::ColorToHex(overlay)), std::string::npos);
    if (quorlin::testing::HaveProgram("xmllint"))
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "xmllint", {"--noout", "riem.svg"}), "xmllint");

    // Saved and opened again: the dialog is back with its mode, selection and options.
    // (A copy: the file itself would only bring back the window that holds it.)
    ASSERT_TRUE(win->SaveTo(dir.filePath("riem.qz2")));
    ASSERT_TRUE(QFile::copy(dir.filePath("riem.qz2"), dir.filePath("copy.qz2")));
    auto* again = dynamic_cast<plot2d::TPlot2Win*>(frame.OpenByExtension(dir.filePath("copy.qz2")));
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again, win);
    auto* reopened = dynamic_cast<TWindowAnalysisTools*>(again->MadeAnalysisTools());
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened->Riemann(), nullptr);
    const TRiemDlg& back = *reopened->Riemann();
    EXPECT_EQ(
        std::tuple(back.IsHidden(), back.Mode(), back.SelectedExample(), back.Options().Mask()),
        std::tuple(false, 1, 0, (1 << 4) | (1 << 6)));
}

TEST(AnalysisToolsRoadTest, ReflectALineInTheYAxisAndTakeItBack) {
    platform::ScriptedPrompter prompter;
    UserFrame user;
    TPlotFrame& frame = user.frame;
    plot2d::TPlot2Win* win = user.NewWindow();
    ASSERT_NE(win, nullptr);
    EXPECT_FALSE(frame.QueryCommand(cmd::kReflect).enabled);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            d.SetText(212, QStringLiteral("x/2+1"));
            return d.Press(1);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kNewExplicit2D));
    }
    for (const int id : {cmd::kReflect, cmd::kRotate, cmd::kTranslate})
        EXPECT_TRUE(frame.QueryCommand(id).enabled) << id;
    ASSERT_TRUE(frame.DispatchCommand(cmd::kReflect));
    auto& tools = dynamic_cast<TWindowAnalysisTools&>(*win->AnalysisTools());
    TReflDlg& d = *tools.Reflect();
    d.Press(TReflDlg::kFirstRadio + 1);  // "y-axis"
    d.Press(TTransformDlg::kApplyButton);
    ASSERT_EQ(win->Inventory().Count(), 2);
    EXPECT_TRUE(prompter.messages.empty());

    // y = 1 - x/2 on the cached picture, in the line's colour.
    const QRgb ink = win->OutputColor(win->DrawColor(win->Inventory()[1].pen.colour)).rgb();
    const auto mirrorShown = [win, ink] {
        win->InvalidateImage(ImageLayer::Background);
        win->RenderImage(ImageLayer::Picture);
        const QImage& image = win->Image(ImageLayer::Picture);
        int shown = 0;
        for (const long double x : {-3.0L, -1.0L, 2.0L, 4.0L})
            shown += InkNear(*win, image, x, 1 - x / 2, ink) ? 1 : 0;
        return shown;
    };
    EXPECT_EQ(mirrorShown(), 4);
    // "undo" takes it back.
    ASSERT_TRUE(d.IsControlEnabled(TTransformDlg::kUndoButton));
    d.Press(TTransformDlg::kUndoButton);
    EXPECT_EQ(win->Inventory().Count(), 1);
    EXPECT_FALSE(d.IsControlEnabled(TTransformDlg::kUndoButton));
    EXPECT_EQ(mirrorShown(), 0);
}

}  // namespace
}  // namespace quorlin::tools2d
