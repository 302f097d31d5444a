// The 3D picture's road and frame: the order of a full paint with a painter and examples that
// stop or fail, the empty picture's axes with the user's switch kept, the error box of a failed
// paint, Q inside an axis ending the frame, and the View menu's commands as one table.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/strings.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

// A 3D window whose painter, examples and frame only say that they were drawn.
class SpyWindow : public TPlot3Win {
public:
    SpyWindow() : TPlot3Win(QStringLiteral("noname7.qz3")) {}
    int DrawFastSurfaces(platform::DeviceContext&) override {
        log.push_back("fast");
        return painterResult;
    }
    int DrawExample(platform::DeviceContext&, int i) override {
        log.push_back(std::to_string(i));
        return i == stopAt ? 81 : 0;
    }
    int DrawAxes3D(platform::DeviceContext&) override {
        log.push_back(Axes().axesShown ? "axes on" : "axes off");
        return 0;
    }
    std::vector<std::string> log;
    int painterResult = 0;
    int stopAt = -1;
};

class PaintRoadTest : public ::testing::Test {
protected:
    PaintRoadTest() {
        platform::SetClipboard(&clipboard);
        win.SizeChanged(401, 301);
        win.Create();
    }
    ~PaintRoadTest() override {
        win.ClearModified();
        win.CloseWindow();
        platform::SetClipboard(nullptr);
    }
    void PasteThree() {
        clipboard.SetText(QStringLiteral(
            "EXPL3;x*y;-1;1;-1;1;\r\nEXPL3;x+y;-1;1;-1;1;\r\nEXPL3;x-y;-1;1;-1;1;\r\n"));
        ASSERT_TRUE(win.SendCommand(cmd::kPasteScript));
        ASSERT_EQ(win.Inventory().Count(), 3);
        win.Axes().axesShown = false;  // whatever the ini left
    }
    int DrawAll() {
        QImage image(401, 301, QImage::Format_RGB32);
        platform::DeviceContext dc(image);
        win.log.clear();
        return win.DrawAll(dc);
    }
    platform::MemoryClipboard clipboard;
    platform::ScriptedPrompter prompter;
    SpyWindow win;
};

TEST_F(PaintRoadTest, QAtTheSecondExampleSkipsTheRestButNotTheAxes) {
    PasteThree();
    DrawAll();  // the first paint gives the window its caption
    const QString caption = win.windowTitle();
    win.stopAt = 1;
    EXPECT_EQ(DrawAll(), 81);
    EXPECT_EQ(win.log, (std::vector<std::string>{"fast", "0", "1", "axes off"}));
    EXPECT_EQ(win.windowTitle(), caption);
    EXPECT_FALSE(win.IsKeyHintShown());
}

TEST_F(PaintRoadTest, APainterOutOfMemoryDrawsNoExampleButTheAxesAndTellsTheUser) {
    PasteThree();
    win.painterResult = 4;
    EXPECT_EQ(DrawAll(), 4);
    EXPECT_EQ(win.log, (std::vector<std::string>{"fast", "axes off"}));
    // Through the cached picture the error reaches the user once the paint is over.
    prompter.messages.clear();
    win.InvalidateImage(ImageLayer::Background);
    win.RenderImage(ImageLayer::Picture);
    EXPECT_TRUE(prompter.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(404));
}

TEST_F(PaintRoadTest, AnEmptyPictureShowsTheAxesAndKeepsTheSwitch) {
    for (const bool shown : {false, true}) {
        win.Axes().axesShown = shown;
        EXPECT_EQ(DrawAll(), 0);
        EXPECT_EQ(win.log, (std::vector<std::string>{"axes on"}));
        EXPECT_EQ(win.Axes().axesShown, shown);
    }
    // Everything drawn: 0, the examples in order, the frame last.
    PasteThree();
    win.Axes().axesShown = false;
    EXPECT_EQ(DrawAll(), 0);
    EXPECT_EQ(win.log, (std::vector<std::string>{"fast", "0", "1", "2", "axes off"}));
}

using FrameTest = quorlin::testing::Window3DTest;

// The frame asks for Q at each sample of its lines: a Q inside the y axis ends it there, so the
// z axis and the box ask no more.
TEST_F(FrameTest, QInsideTheYAxisSkipsTheZAxisAndTheBox) {
    Paste("EXPL3;x*y/4;-2;2;-2;2;\r\n");
    win.Axes().axesShown = true;
    win.SetPollInterval(TStopPoll::Clock::duration{});
    int asked = 0, stopAt = -1;
    win.InjectSlowDrawingKey([&] { return ++asked == stopAt ? 81 : 0; });
    QImage image(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    EXPECT_EQ(win.DrawAxes3D(dc), 0);
    const int axesOnly = asked;
    ASSERT_GE(axesOnly, 3 * 100);
    win.Scene3D().box.shown = true;
    asked = 0;
    EXPECT_EQ(win.DrawAxes3D(dc), 0);
    EXPECT_GT(asked, axesOnly);
    // The three axes ask alike: the middle of the second one lies in the y axis.
    stopAt = axesOnly / 2;
    asked = 0;
    EXPECT_EQ(win.DrawAxes3D(dc), 81);
    EXPECT_EQ(asked, stopAt);
}

// A full paint and a paint from the saved picture leave every part of the window's state as it
// was: the scene box with its scales, the observer, the 3D state and the axis ends.
TEST_F(FrameTest, PaintingLeavesTheWindowStateAsItWas) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\nPARAM3;cos(t);sin(t);t/2;0;6;\r\n");
    win.Axes().axesShown = true;
    win.Scene3D().box = {true, true, false};
    win.RecomputeAllBoxes();
    const TSceneBox box = win.SceneBox();
    const TObserver observer = win.Observer();
    const TScene3DState state = win.Scene3D();
    const auto vars = win.Formulas().vars;
    const auto same = [&] {
        EXPECT_TRUE(win.Scene3D() == state);
        const TSceneBox& b = win.SceneBox();
        EXPECT_EQ(std::vector<long double>({b.min.x, b.max.z, b.scale.x, b.scale.z, b.centre.y}),
                  std::vector<long double>(
                      {box.min.x, box.max.z, box.scale.x, box.scale.z, box.centre.y}));
        const TObserver& o = win.Observer();
        EXPECT_EQ(std::vector<long double>({o.eye.x, o.eye.y, o.eye.z, o.boxEye.x, o.focus.z}),
                  std::vector<long double>({observer.eye.x, observer.eye.y, observer.eye.z,
                                            observer.boxEye.x, observer.focus.z}));
        EXPECT_TRUE(win.Formulas().vars == vars);
    };
    Picture();
    same();
    QImage image(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    win.PaintPrepared(dc);
    same();
    // Stopped by Q at once.
    win.SetPollInterval(TStopPoll::Clock::duration{});
    win.InjectSlowDrawingKey([] { return 81; });
    EXPECT_EQ(win.DrawAll(dc), 81);
    same();
}

TEST_F(FrameTest, TheViewCommandsAsOneTable) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    struct Row {
        int command;
        const char* answer;
        int error;  // the error box's string (the reader's own for ")"), 0 for none
        int (*read)(const TPlot3Win&);
        int expected;
    };
    const auto arrow = [](const TPlot3Win& w) { return w.Scene3D().arrowLength; };
    const auto slides = [](const TPlot3Win& w) { return static_cast<int>(w.Scene().count3D); };
    const Row rows[] = {
        {cmd::kArrowLength, "1", 417, arrow, 10},
        {cmd::kArrowLength, "2", 0, arrow, 2},
        {cmd::kArrowLength, "100", 0, arrow, 100},
        {cmd::kArrowLength, "101", 417, arrow, 100},
        {cmd::kArrowLength, ")", 504, arrow, 100},
        {cmd::kNumberOfSlides, "1", 417, slides, 30},
        {cmd::kNumberOfSlides, "2", 0, slides, 2},
        {cmd::kNumberOfSlides, "200", 0, slides, 200},
        {cmd::kNumberOfSlides, "201", 417, slides, 200},
    };
    for (const Row& row : rows) {
        prompter.messages.clear();
        prompter.AnswerInput(QString::fromLatin1(row.answer));
        ASSERT_TRUE(win.SendCommand(row.command));
        EXPECT_EQ(row.read(win), row.expected) << row.command << " " << row.answer;
        if (row.error == 0) {
            EXPECT_TRUE(prompter.messages.empty()) << row.answer;
        } else {
            ASSERT_EQ(prompter.messages.size(), 1u) << row.answer;
            EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(row.error));
        }
    }
}

TEST_F(FrameTest, AngleShowsDegreesAndTakesAnExpression) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    prompter.AnswerInput(QStringLiteral("90/4"));
    ASSERT_TRUE(win.SendCommand(cmd::kObserverAngle));
    ASSERT_EQ(prompter.inputs.size(), 1u);
    EXPECT_EQ(prompter.inputs[0].text.toDouble(), 6.0);
    const long double pi = std::numbers::pi_v<long double>;
    EXPECT_NEAR(static_cast<double>(win.Observer().angleStep), static_cast<double>(pi / 8), 1e-15);
    // Unreadable: error 1 and the step as it was.
    prompter.AnswerInput(QStringLiteral(")"));
    ASSERT_TRUE(win.SendCommand(cmd::kObserverAngle));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(401));
    EXPECT_NEAR(static_cast<double>(win.Observer().angleStep), static_cast<double>(pi / 8), 1e-15);
}

TEST_F(FrameTest, InThenOutReturnsTheEyeAndFarOutStaysInTheBand) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    win.RecomputeAllBoxes();
    const Vec3 eye = win.Observer().eye;
    ASSERT_TRUE(win.SendCommand(cmd::kObserverIn));
    EXPECT_GT(Vec3Dist(win.Observer().eye, eye), 1e-6L);
    ASSERT_TRUE(win.SendCommand(cmd::kObserverOut));
    EXPECT_LT(Vec3Dist(win.Observer().eye, eye), 1e-12L);
    ASSERT_TRUE(win.SendCommand(cmd::kFarOut));
    const TSceneBox& box = win.SceneBox();
    const long double size = Vec3TaxiDist(box.max, box.min);
    EXPECT_LE(Vec3TaxiDist(win.Observer().eye, box.centre), 10000 * size);
    EXPECT_GT(Vec3TaxiDist(win.Observer().eye, box.centre), 5000 * size / 2);
}

TEST_F(FrameTest, IsometricSetsTheEyeTheBoxEyeAndTheAngles) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    ASSERT_TRUE(win.SendCommand(cmd::kCube));
    const Vec3 cubeEye = win.Observer().boxEye;
    // A scene box of taxicab size 3.
    TSceneBox& box = win.SceneBox();
    box.min = {0, 0, 0};
    box.max = {1, 1, 1};
    box.centre = {0.5L, 0.5L, 0.5L};
    box.ComputeScale();
    win.Observer().focus = box.centre;
    ASSERT_TRUE(win.SendCommand(cmd::kIsometric));
    const TObserver& o = win.Observer();
    EXPECT_EQ(o.eye.x, 24000);
    EXPECT_EQ(o.eye.y, 24000);
    EXPECT_EQ(o.eye.z, 24000);
    const Vec3 boxEye = win.SceneBox().WorldToBox(o.eye);
    EXPECT_EQ(o.boxEye.x, boxEye.x);
    EXPECT_EQ(o.boxEye.z, boxEye.z);
    // Cube mode draws from the box eye: it moved with the eye at once.
    EXPECT_GT(Vec3Dist(o.boxEye, cubeEye), 1);
    EXPECT_TRUE(o.viewMoved);
}

// The axes on refit the view only where there is a point: the view then takes in the axes,
// which reach the origin, and takes its size back when they go; without a point the view stays.
// The surface's box takes in no origin either way; the point's does while the axes show.
TEST_F(FrameTest, TogglingTheAxesWithAPointRefitsTheView) {
    win.Axes().axesShown = false;
    Paste("EXPL3;x*y;2;3;2;3;\r\n");
    for (const bool point : {true, false}) {
        if (point) ASSERT_TRUE(win.AddPointExample({2.5L, 2.5L, 7}));
        if (!point) win.Inventory().RemoveLast();
        win.Axes().axesShown = false;
        win.RecomputeAllBoxes();
        const Vec3 low = win.SceneBox().min, high = win.SceneBox().max;
        const long double half = win.View().halfWidth;
        ASSERT_TRUE(win.SendCommand(cmd::kAxes));
        ASSERT_TRUE(win.Axes().axesShown);
        EXPECT_EQ(win.SceneBox().min.x, point ? 0 : low.x) << point;
        EXPECT_EQ(win.SceneBox().max.z, high.z) << point;
        if (point) {
            EXPECT_GT(win.View().halfWidth, half);
        } else {
            EXPECT_EQ(win.View().halfWidth, half);
        }
        ASSERT_TRUE(win.SendCommand(cmd::kAxes));
        EXPECT_NEAR(static_cast<double>(win.View().halfWidth), static_cast<double>(half), 1e-12)
            << point;
    }
}

TEST_F(FrameTest, LockLengthsTakesSixEndsAndRefusesAnInvertedOne) {
    Paste("EXPL3;x*y;-1;1;-1;1;\r\n");
    const TAxisEnds old = win.Scene3D().axes;
    struct Row {
        std::array<const char*, 6> fields;
        int button;
        int error;
        bool locked;
    };
    const Row rows[] = {
        {{"-1", "3", "-2", "4", "-3", "5"}, 1, 0, true},
        {{"-1", "3", "5", "4", "-3", "5"}, 1, 406, true},   // y inverted: nothing changes
        {{"-1", "3", "5", "4", "-3", "5"}, 2, 406, false},  // unlocked, the ends kept
    };
    for (const Row& row : rows) {
        prompter.messages.clear();
        platform::ScopedDialogRunner runner([&row](platform::Dialog& d) {
            for (int k = 0; k < 6; ++k)
                d.SetText(211 + k, platform::ControlKind::Edit, QString::fromLatin1(row.fields[k]));
            return d.Press(row.button);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kLockLengths));
        EXPECT_EQ(win.Scene3D().axes.locked, row.locked);
        const TAxisEnds& a = win.Scene3D().axes;
        EXPECT_EQ(std::vector<long double>(
                      {a.lower.x, a.lower.y, a.lower.z, a.upper.x, a.upper.y, a.upper.z}),
                  std::vector<long double>({-1, -2, -3, 3, 4, 5}));
        if (row.error == 0) {
            EXPECT_TRUE(prompter.messages.empty());
        } else {
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_EQ(prompter.messages[0].text, platform::ResourceString(row.error));
        }
    }
    EXPECT_FALSE(old.locked);
}

}  // namespace
}  // namespace quorlin::plot3d
