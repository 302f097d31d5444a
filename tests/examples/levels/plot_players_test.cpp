// The players and the sketch of a 2D window: a frame animation of y = A*sin(x) draws a new
// picture each tick and stops on Q, '@' follows an injected clock to its stop time, closing the
// window ends a player, slides need two, whole steps bounce, strokes are drawn
// and erased with the mouse, and an exported animation writes numbered EPS and PiCTeX frames
// with a master that LaTeX reads.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cmath>
#include <set>

#include "canvas/export_option_dialogs.h"
#include "examples/levels/slide_dialog.h"
#include "examples/plot_test_window.h"
#include "platform/clock.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "support/file_readers.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;

class PlotPlayersTest : public quorlin::testing::PlotWindowTest {
protected:
    // y = A*sin(x) with A over [0, 1] in four steps.
    void SineOfA() {
        Paste("EXPL2;A*sin(x);");
        win.Formulas().params.left[1] = 0;
        win.Formulas().params.right[1] = 1;
        win.SliderSteps().steps[1] = 4;
    }
    void Tick() { win.OnTimer(kAnimationTimer); }
    void PressKey(Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&win, &press);
    }
    void Mouse(void (TPlotWin::*handler)(const platform::MouseEvent&), platform::MouseButton b,
               QPoint p) {
        platform::MouseEvent e;
        e.button = b;
        e.point = p;
        (win.*handler)(e);
    }
    long double A() const { return win.Formulas().Var(1); }
};

TEST_F(PlotPlayersTest, FramesMoveTheCurveAndStopOnQ) {
    SineOfA();
    bool done = false;
    win.AnimateParameters(1, false, false, 0, [&] { done = true; });
    ASSERT_TRUE(win.IsPlaying());
    EXPECT_EQ(win.Caption(), QStringLiteral("Q=quit P=pause F=fast S=slow"));
    std::set<qint64> images;
    for (long double a : {0.25L, 0.5L, 0.75L, 1.0L, 0.0L}) {
        Tick();
        EXPECT_EQ(A(), a);
        const QImage& image = win.Image(ImageLayer::Picture);
        EXPECT_TRUE(InkAt(image, 1.5707963L, a, ColourOf(0))) << static_cast<double>(a);
        images.insert(image.cacheKey());
        EXPECT_TRUE(win.Output().animationFrame);
    }
    EXPECT_EQ(images.size(), 5u);
    PressKey(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_EQ(std::tuple(win.IsPlaying(), done, win.Output().animationFrame, A()),
              std::tuple(false, true, false, 0));

    // Nothing else runs meanwhile: a command ends the player instead.
    win.AnimateParameters(1, false, false, 0);
    EXPECT_TRUE(win.SendCommand(cmd::kShowEquations));
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_TRUE(win.EquationLabels().Labels().front().shown == 0);
}

TEST_F(PlotPlayersTest, TimeFollowsTheClockAndClosingEndsAPlayer) {
    Paste("EXPL2;sin(x+@);");
    int now = 500;
    platform::SetClockSource([&now] { return now; });
    win.Animation().realTime = true;
    bool done = false;
    win.AnimateParameters(0, false, true, 0.3L, [&] { done = true; });
    now = 510;
    Tick();
    EXPECT_NEAR(static_cast<double>(win.Formulas().Var(0)), 0.1, 1e-15);
    PressKey(Qt::Key_F, QStringLiteral("f"));  // real time has no speed keys
    EXPECT_EQ(win.Animation().speed, 1);
    now = 560;
    Tick();
    EXPECT_EQ(std::tuple(win.IsPlaying(), win.Formulas().Var(0), done, win.Animation().realTime),
              std::tuple(false, 0.3L, true, false));

    // Closing the window ends the whole-number stepper before anything is asked.
    win.SetUseDefaults(true);
    win.Create();
    SineOfA();
    done = false;
    win.StepIntegerParameter(1, true, 2, [&] { done = true; });
    for (long double a : {1.0L, 2.0L, 1.0L, 0.0L, 1.0L}) {
        Tick();
        EXPECT_EQ(A(), a);
    }
    win.ClearModified();
    EXPECT_TRUE(win.CloseWindow());
    EXPECT_EQ(std::tuple(win.IsPlaying(), done), std::tuple(false, true));
    platform::SetClockSource({});
}

TEST_F(PlotPlayersTest, SlidesAreDrawnOnceAndPlayedFromTheirImages) {
    SineOfA();
    win.Formulas().SetVar(1, 0.3L);
    win.PlaySlides(1, false, 0);  // one slide is nothing to play
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("no more room")});

    win.resize(401, 401);
    win.PlaySlides(1, true, 4);
    ASSERT_TRUE(win.IsPlaying());
    const auto shown = [&] {
        QImage image(win.size(), QImage::Format_RGB32);
        win.render(&image);
        return image;
    };
    EXPECT_TRUE(InkAt(shown(), 1.5707963L, 0, ColourOf(0)));
    Tick();
    EXPECT_TRUE(InkAt(shown(), 1.5707963L, 0.25L, ColourOf(0)));
    PressKey(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_EQ(std::tuple(win.IsPlaying(), A()), std::tuple(false, 0.3L));  // as before the slides
}

TEST_F(PlotPlayersTest, SliderDialogMovesTheCurve) {
    SineOfA();
    win.SliderSteps().steps[1] = 100;
    win.Formulas().params.left[1] = -3;
    win.Formulas().params.right[1] = 3;
    ASSERT_TRUE(win.SendCommand(cmd::kParamFirst + 1));
    TSlideDlg* dlg = win.ParamDialog(1);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("current value of A"));
    auto* bar = qobject_cast<QScrollBar*>(dlg->Control(TSlideDlg::kBar));
    ASSERT_TRUE(bar && bar->maximum() == 100);
    bar->setValue(75);  // as a user drags it
    EXPECT_EQ(std::tuple(A(), dlg->GetText(TSlideDlg::kValueEdit)),
              std::tuple(1.5L, QStringLiteral("1.5000")));
    EXPECT_GE(ShareOnCurve(win.Image(ImageLayer::Picture), ColourOf(0), -5, 5, 40,
                           [](long double x) {
                               return std::pair{x, 1.5L * std::sin(x)};
                           }),
              0.95);
    EXPECT_TRUE(win.IsModified());
    // "set L" moves the value to the new end, and the curve with it.
    dlg->SetText(TSlideDlg::kValueEdit, QStringLiteral("-2"));
    dlg->Press(TSlideDlg::kSetLeft);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(InkAt(win.Image(ImageLayer::Picture), 1.5707963L, -2, ColourOf(0)));
    // Opening all letters hides the one-letter dialog.
    ASSERT_TRUE(win.SendCommand(cmd::kAllParameters));
    EXPECT_TRUE(dlg->IsHidden());
    // "autocyc" with slides checked plays them; the dialog hides meanwhile and comes back.
    TSlideDlg* all = win.ParamDialog(kAllLettersSlot);
    all->SetChecked(TSlideDlg::kCheck, true);
    all->SetText(TSlideDlg::kFieldEdit, QStringLiteral("3"));
    all->Press(TSlideDlg::kAutoCyc);
    EXPECT_TRUE(win.IsPlaying() && all->IsHidden());
    PressKey(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_FALSE(all->IsHidden());
}

TEST_F(PlotPlayersTest, StrokesAreDrawnAndErasedWithTheMouse) {
    ASSERT_TRUE(win.SendCommand(cmd::kMouseDraw));
    const auto left = platform::MouseButton::Left;
    Mouse(&TPlotWin::MouseDown, left, {100, 100});
    for (int x = 120; x <= 300; x += 20) Mouse(&TPlotWin::MouseMove, {}, {x, 100});
    Mouse(&TPlotWin::MouseUp, left, {300, 100});
    Mouse(&TPlotWin::MouseDown, left, {50, 300});
    Mouse(&TPlotWin::MouseUp, left, {50, 300});
    const SketchList& sketch = win.Sketch();
    ASSERT_EQ(sketch.size(), 16u);  // head, 11 points, end; head, point, end
    EXPECT_EQ(std::tuple(sketch[13].type, sketch[14].type, sketch[15].type, sketch[15].x),
              std::tuple(TSketchPoint::kHead, TSketchPoint::kPoint, TSketchPoint::kEnd,
                         win.ScreenToX(50)));
    const QRgb ink = win.GetColor(win.Roles().Role(kRoleSketch)).rgb();
    EXPECT_TRUE(InkAt(Picture(), win.ScreenToX(260), win.ScreenToY(100), ink));
    EXPECT_TRUE(win.IsModified());
    Mouse(&TPlotWin::MouseDown, platform::MouseButton::Right, {250, 101});
    ASSERT_EQ(sketch.size(), 3u);
    EXPECT_FALSE(InkAt(Picture(), win.ScreenToX(260), win.ScreenToY(100), ink));
}

TEST_F(PlotPlayersTest, ExportedAnimationWritesNumberedFramesAndAMasterThatLaTeXReads) {
    SineOfA();
    platform::ScriptedCommonDialogs dialogs;
    platform::SetCommonDialogs(&dialogs);
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return dir.filePath(name); };
    dialogs.fileAnswers.push_back(path("wave.eps"));
    for (const char* answer : {"5", "a"}) prompter.AnswerInput(QString::fromLatin1(answer));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    std::set<std::string> eps;
    for (int k = 0; k < 5; ++k)
        eps.insert(quorlin::testing::ReadAll(path(QString("wave%1.eps").arg(k))));
    EXPECT_EQ(eps.size(), 5u);
    EXPECT_EQ(eps.begin()->rfind("%!PS-Adobe", 0), 0u);

    dialogs.fileAnswers.push_back(path("wave.tex"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        d.Press(canvas::TTeXDlg::kPagesCheck);
        d.SetText(canvas::TTeXDlg::kFrameCountEdit, QStringLiteral("5"));
        d.SetText(canvas::TTeXDlg::kParametersEdit, QStringLiteral("A"));
        return d.Press(1);
    });
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    platform::SetCommonDialogs(nullptr);
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(QFile::exists(path(QString("wave%1.tex").arg(k))));
    ASSERT_TRUE(QFile::exists(path("waveANIM.tex")));
    if (!quorlin::testing::HaveProgram("latex")) GTEST_SKIP() << "LaTeX is not installed";
    quorlin::testing::ExpectLaTeXReadsAnimation(dir.path(), "wave");
}

}  // namespace
}  // namespace quorlin::examples
