// The 2D window: a script pasted from the clipboard draws its examples, a line is added beside
// them, and each example has its equation label; the EPS frames of an animation move a marked
// parameter, and a turning view is refused in a 2D window. The exports of every kind and their
// readers the drawing level's tests check.
#include <QDir>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "examples/plot_test_window.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "plot2d/map2_win.h"
#include "shell/plot_frame.h"
#include "support/file_readers.h"

namespace quorlin::plot2d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::ReadAll;

class Plot2WinTest : public quorlin::testing::PlotWindowTest {
protected:
    Plot2WinTest() { platform::SetCommonDialogs(&dialogs); }
    ~Plot2WinTest() override { platform::SetCommonDialogs(nullptr); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    platform::ScriptedCommonDialogs dialogs;
    QTemporaryDir dir;
};

TEST_F(Plot2WinTest, PastedAndAddedExamplesShowWithTheirLabels) {
    Paste("EXPL2; sin(x)*2;\r\nPOINT2; 2; 2;\r\n");
    ASSERT_TRUE(Errors().empty());
    ASSERT_EQ(win.Inventory().Count(), 2);
    win.AddExample(examples::kind::kLine, 0, 1, {"1", "2", "6"});  // x + 2y = 6
    win.CompileExample(2);
    win.AddEquationLabel();
    const QImage image = Picture();
    const auto sine = [](long double x) { return std::pair{x, 2 * std::sin(x)}; };
    EXPECT_GE(ShareOnCurve(image, ColourOf(0), -5, 5, 40, sine), 0.95);
    EXPECT_TRUE(InkAt(image, 2, 2, ColourOf(1)));
    // The line x + 2y = 6 where it is away from the middle of the view: (-3.5, 4.75) and
    // (4.6, 0.7), not at its mirror images.
    EXPECT_TRUE(InkAt(image, -3.5, 4.75, ColourOf(2)));
    EXPECT_TRUE(InkAt(image, 4.6, 0.7, ColourOf(2)));
    EXPECT_FALSE(InkAt(image, 3.5, 4.75, ColourOf(2), 2));
    EXPECT_FALSE(InkAt(image, -4.6, 0.7, ColourOf(2), 2));
    EXPECT_FALSE(InkAt(image, 4.6, -0.7, ColourOf(2), 2));

    const canvas::TextList& labels = win.EquationLabels().Labels();
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].text, "y = sin(x)*2");
    EXPECT_EQ(labels[2].number, 2);
    // The labels stand in a column from three pixels in at the top left, hidden until shown.
    const QRect column(3, 3, 150, 3 * win.LineHeight());
    const int hidden = quorlin::testing::InkedPixels(Picture().copy(column));
    ASSERT_TRUE(win.SendCommand(cmd::kShowEquations));
    EXPECT_GT(quorlin::testing::InkedPixels(Picture().copy(column)), hidden + 100);
    ASSERT_TRUE(win.SendCommand(cmd::kShowPoints));
    EXPECT_FALSE(InkAt(Picture(), 2, 2, ColourOf(1)));
}

// Two frames move a marked parameter from its left to its right end; afterwards the parameter
// stays at its left end, where marking put it, and later paints are no animation frames.
TEST_F(Plot2WinTest, EpsFramesMoveTheMarkedParameter) {
    Paste("EXPL2;A;");
    auto& f = win.Formulas();
    f.params.left[1] = -2;
    f.params.right[1] = 3;
    f.SetVar(1, 0.5L);
    dialogs.fileAnswers.push_back(Path("level.eps"));
    prompter.AnswerInput(QStringLiteral("2"));
    prompter.AnswerInput(QStringLiteral("a"));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    const std::string first = ReadAll(Path("level0.eps")), last = ReadAll(Path("level1.eps"));
    const long double yScale = win.Exports().eps.PageHeight() / (2 * win.View().halfHeight);
    // The horizontal line y = A, relative to the frames' box about the view centre.
    const auto row = [&](long double y) {
        return " " + FormatLf(win.Exports().eps.PageHeight() / 2 + y * yScale, 5, 3) + " ";
    };
    EXPECT_NE(first.find(row(-2)), std::string::npos);
    EXPECT_NE(last.find(row(3)), std::string::npos);
    EXPECT_EQ(f.Var(1), -2);
    EXPECT_FALSE(win.Output().animationFrame);
}

// An animation frame draws, pixel for pixel, what a window drawn afresh shows at the same
// parameter value, frame after frame and back again; a frame kept (as a slide is) stays as it was
// drawn while later frames are drawn.
TEST_F(Plot2WinTest, AnimationFramesDrawWhatAFreshWindowDraws) {
    const std::string script = "EXPL2;A*sin(x);EXPL2;A*x^2/10-1;";
    Paste(script);
    ASSERT_EQ(win.Inventory().Count(), 2);
    TPlot2Win fresh(QStringLiteral("noname2.qz2"));
    fresh.SizeChanged(401, 401);
    ASSERT_EQ(fresh.RunScript(script), 0);
    const long double halfPi = std::numbers::pi_v<long double> / 2;
    std::vector<QImage> frames;
    for (const long double a : {1.5L, -0.75L, 3.25L, 1.5L}) {
        win.Formulas().SetVar(1, a);
        win.DrawAnimationFrame(1);
        frames.push_back(win.Image(ImageLayer::Picture));
        const QImage& frame = frames.back();
        EXPECT_TRUE(InkAt(frame, halfPi, a, ColourOf(0))) << static_cast<double>(a);
        EXPECT_TRUE(InkAt(frame, -halfPi, -a, ColourOf(0))) << static_cast<double>(a);
        EXPECT_TRUE(InkAt(frame, 3, 0.9L * a - 1, ColourOf(1))) << static_cast<double>(a);
        fresh.Formulas().SetVar(1, a);
        fresh.InvalidateImage(ImageLayer::Background);
        fresh.RenderImage(ImageLayer::Picture);
        EXPECT_TRUE(frame == fresh.Image(ImageLayer::Picture)) << static_cast<double>(a);
    }
    EXPECT_TRUE(frames[0] == frames[3]);
    EXPECT_FALSE(frames[0] == frames[1]);
    EXPECT_FALSE(frames[1] == frames[2]);
}

// A turning view needs a 3D window: here the text names nothing to animate, and no file (and
// no animation master naming frames) is written.
TEST_F(Plot2WinTest, VturnInA2DWindowIsRefused) {
    Paste("EXPL2;A;");
    dialogs.fileAnswers.push_back(Path("turn.tex"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        d.Press(canvas::TTeXDlg::kPagesCheck);
        d.SetText(canvas::TTeXDlg::kFrameCountEdit, QStringLiteral("3"));
        d.SetText(canvas::TTeXDlg::kParametersEdit, QStringLiteral("vturn"));
        return d.Press(1);
    });
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0], QStringLiteral("could not find"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

// File|Open of a 2-dim window offered a logarithmic diagram and a map domain: each opens in a
// window of its own kind beside it, and the 2-dim window keeps its view and its examples.
TEST_F(Plot2WinTest, FileOpenOfAnotherKindOpensAWindowOfThatKind) {
    WindowKindRegistry kinds;
    kinds.Register(WindowKind::Plot2D, CreatePlot2Window);
    kinds.Register(WindowKind::Logarithmic, CreateLogWindow);
    kinds.Register(WindowKind::MapZ, CreateMapWindowZ);
    {
        NewWindowRequest request;
        request.fileName = QStringLiteral("noname1.lqz");
        request.logMode = canvas::kLogBoth;
        std::unique_ptr<platform::Window> log(CreateLogWindow(request));
        ASSERT_TRUE(dynamic_cast<TLogWin&>(*log).SaveTo(Path("axes.lqz")));
        request.fileName = QStringLiteral("noname1.maz");
        std::unique_ptr<platform::Window> map(CreateMapWindowZ(request));
        ASSERT_TRUE(dynamic_cast<TDom2Win&>(*map).SaveTo(Path("domain.maz")));
    }
    TPlotFrame frame(kinds, {});
    frame.Create();
    frame.show();
    auto* plain = dynamic_cast<TPlot2Win*>(frame.NewWindow(WindowKind::Plot2D));
    ASSERT_NE(plain, nullptr);
    plain->AddExample(examples::kind::kExplicit, -5, 5, {"", "x"});
    const canvas::TViewFrame view = plain->View();

    for (const auto& [file, isOwnKind] :
         std::vector<std::pair<QString, std::function<bool(platform::Window*)>>>{
             {"axes.lqz", [](platform::Window* w) { return dynamic_cast<TLogWin*>(w); }},
             {"domain.maz", [](platform::Window* w) { return dynamic_cast<TDom2Win*>(w); }}}) {
        frame.ActivateChild(plain);
        dialogs.fileAnswers.push_back(Path(file));
        ASSERT_TRUE(frame.DispatchCommand(cmd::kFileOpen)) << file.toStdString();
        EXPECT_TRUE(isOwnKind(frame.ActiveChild())) << file.toStdString();
        EXPECT_EQ(dynamic_cast<TFileMsgWin*>(frame.ActiveChild())->FileName(), Path(file));
        EXPECT_EQ(std::tuple(plain->View().logMode, plain->View().halfWidth,
                             plain->Inventory().Count(), plain->HasFile()),
                  std::tuple(view.logMode, view.halfWidth, 1, false))
            << file.toStdString();
    }
    EXPECT_EQ(frame.Children().size(), 4) << "the plain, logarithmic, domain and range windows";
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace quorlin::plot2d
