// The 3D window's tour and rotation frames: the tour plays one turn of slides on the window's
// timer with the keys sent to the window, and leaves the observer bit for bit as it was; the
// frames of an exported turn are written one per call from the view now, and a failing write
// stops them with the observer put back; Ghostscript reads the EPS frames, LaTeX the PiCTeX
// frames through their master "ANIM.tex".
#include <QApplication>
#include <QFile>
#include <QKeyEvent>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "canvas/export_option_dialogs.h"
#include "plot3d/window3d_fixture.h"
#include "support/file_readers.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using quorlin::testing::colours3d::kRed;

constexpr long double kPi = std::numbers::pi_v<long double>;

class TourTest : public quorlin::testing::Window3DTest {
protected:
    TourTest() {
        Shown();  // the window takes its painted size first: slides are that size
        Paste("EXPL3;x*y+x;-1;1;-1;1;\r\n");
        Coarse(0, 6, kRed);
        LookFrom({7, 3, 4});
        win.Observer().angleStep = 0.123L;
    }
    void Tick() { win.OnTimer(examples::kAnimationTimer); }
    void Press(Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&win, &press);
    }
    QImage Shown() {
        QImage image(win.size(), QImage::Format_RGB32);
        win.render(&image);
        return image;
    }
    // The eye turned by angle about the vertical through the focus.
    Vec3 Turned(Vec3 eye, long double angle) const {
        const Vec3 f = win.Observer().focus;
        const long double x = eye.x - f.x;
        const long double y = eye.y - f.y;
        return {f.x + x * std::cos(angle) - y * std::sin(angle),
                f.y + y * std::cos(angle) + x * std::sin(angle), eye.z};
    }
    static void ExpectNear(Vec3 a, Vec3 b) {
        EXPECT_NEAR(static_cast<double>(a.x), static_cast<double>(b.x), 1e-12);
        EXPECT_NEAR(static_cast<double>(a.y), static_cast<double>(b.y), 1e-12);
        EXPECT_NEAR(static_cast<double>(a.z), static_cast<double>(b.z), 1e-12);
    }
    static void ExpectSame(Vec3 a, Vec3 b) {
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.z, b.z);
    }
};

TEST_F(TourTest, ThirtySixSlidesTurnOnceAndTheKeysSteerThem) {
    win.Scene().count3D = 36;
    win.Animation().slideDelay = 7;
    const Vec3 eye = win.Observer().eye;
    ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
    ASSERT_TRUE(win.IsPlaying());
    EXPECT_EQ(win.Caption(), QStringLiteral("Q=quit S=slow F=fast"));
    // Ten degrees a slide; after the 36th the observer is where it started.
    EXPECT_EQ(win.Observer().angleStep, 2 * kPi / 36);
    EXPECT_NEAR(static_cast<double>(win.Observer().angleStep * 180 / kPi), 10.0, 1e-13);
    ExpectNear(win.Observer().eye, eye);
    const QImage slide36 = win.Image(ImageLayer::Picture);
    const QImage first = Shown();
    Tick();
    EXPECT_NE(Shown(), first);

    // S three times adds 15; F takes 7 to 5, never below.
    for (int i = 0; i < 3; ++i) Press(Qt::Key_S, QStringLiteral("s"));
    EXPECT_EQ(win.Animation().slideDelay, 22);
    win.Animation().slideDelay = 7;
    Press(Qt::Key_F, QStringLiteral("f"));
    EXPECT_EQ(win.Animation().slideDelay, 5);
    Press(Qt::Key_F, QStringLiteral("f"));
    EXPECT_EQ(win.Animation().slideDelay, 5);

    // Backwards from the second slide: the first, then past it the last, the starting view.
    Press(Qt::Key_Space, QStringLiteral(" "));
    Tick();
    EXPECT_EQ(Shown(), first);
    Tick();
    const QImage last = Shown();
    EXPECT_NE(last, first);
    Press(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_EQ(Shown(), last);
    // The last slide drawn is the picture of the starting view.
    EXPECT_EQ(Picture(), slide36);
    ExpectSame(win.Observer().eye, eye);
    EXPECT_EQ(win.Observer().angleStep, 0.123L);
    EXPECT_EQ(win.Scene().count3D, 36);
}

TEST_F(TourTest, ObserverComesBackAfterAnyKeys) {
    const Vec3 eye = win.Observer().eye;
    const std::vector<std::vector<std::pair<Qt::Key, QString>>> sequences = {
        {},
        {{Qt::Key_Space, " "}, {Qt::Key_S, "s"}},
        {{Qt::Key_F, "f"}, {Qt::Key_Space, " "}, {Qt::Key_Space, " "}, {Qt::Key_F, "f"}},
    };
    for (const auto& keys : sequences) {
        win.Scene().count3D = 7;
        ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
        for (const auto& [key, text] : keys) {
            Press(key, text);
            Tick();
        }
        Press(Qt::Key_Q, QStringLiteral("q"));
        EXPECT_FALSE(win.IsPlaying());
        ExpectSame(win.Observer().eye, eye);
        EXPECT_EQ(win.Observer().angleStep, 0.123L);
    }
    // A command ends the tour as Q does.
    ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
    ASSERT_TRUE(win.SendCommand(cmd::kTurn));
    EXPECT_FALSE(win.IsPlaying());
    ExpectSame(win.Observer().eye, eye);
}

TEST_F(TourTest, MemoryDecidesHowManySlides) {
    const std::int64_t slide = std::int64_t{win.ClientWidth()} * win.ClientHeight() * 4;
    const Vec3 eye = win.Observer().eye;
    // Room for one slide: nothing to play and the setting stays.
    win.SetSlideMemory(slide + slide / 2);
    win.Scene().count3D = 30;
    ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("no more room")});
    EXPECT_EQ(win.Scene().count3D, 30);
    ExpectSame(win.Observer().eye, eye);
    // Room for 12: a turn of 12 slides, and 12 is the setting from now on.
    win.SetSlideMemory(12 * slide);
    ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
    ASSERT_TRUE(win.IsPlaying());
    EXPECT_EQ(win.Observer().angleStep, 2 * kPi / 12);
    Press(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_EQ(win.Scene().count3D, 12);
    EXPECT_EQ(win.Observer().angleStep, 0.123L);
}

// Q while the slides are drawn ends the tour with nothing played, whether the drawing of a
// slide takes it (the drawing asks for keys, here put in and asked at every chance) or the ask
// between two slides does (a key pressed while a slide was drawn). The drawing stops at the Q.
TEST_F(TourTest, QWhileTheSlidesAreDrawnPlaysNothing) {
    Paste("EXPL3;x-y;-1;1;-1;1;\r\nEXPL3;y*y-1;-1;1;-1;1;\r\n");
    win.SetPollInterval(std::chrono::steady_clock::duration::zero());
    const Vec3 eye = win.Observer().eye;
    int asked = 0;
    std::function<int()> answer;
    win.InjectSlowDrawingKey([&] {
        ++asked;
        return answer ? answer() : 0;
    });
    // A whole preparation first: how often one slide's drawing asks.
    win.Scene().count3D = 6;
    ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
    ASSERT_TRUE(win.IsPlaying());
    Press(Qt::Key_Q, QStringLiteral("q"));
    ASSERT_GT(asked, 0);
    ASSERT_EQ(asked % 6, 0);
    const int perSlide = asked / 6;

    const struct {
        const char* name;
        int slide;       // the slide being drawn when Q comes, 1..6
        bool byDrawing;  // the drawing takes it, else the ask after the slide
    } rows[] = {{"drawing3", 3, true},
                {"drawing5", 5, true},
                {"between4", 4, false},
                {"between2", 2, false},
                {"drawing1", 1, true}};
    for (const auto& row : rows) {
        const int at = perSlide * (row.slide - 1) + 1;
        answer = [&] {
            if (asked != at) return 0;
            if (row.byDrawing) return kKeyStop;
            auto* q = new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
            QCoreApplication::postEvent(&win, q);
            return 0;
        };
        asked = 0;
        win.Animation().slideDelay = 3;
        ASSERT_TRUE(win.SendCommand(cmd::kMakeTour));
        EXPECT_FALSE(win.IsPlaying()) << row.name;
        EXPECT_EQ(asked, row.byDrawing ? at : perSlide * row.slide) << row.name;
        ExpectSame(win.Observer().eye, eye);
        EXPECT_EQ(win.Observer().angleStep, 0.123L) << row.name;
        EXPECT_EQ(win.Scene().count3D, 6) << row.name;
        EXPECT_EQ(win.Animation().slideDelay, 3) << row.name;
        if (win.IsPlaying()) Press(Qt::Key_Q, QStringLiteral("q"));
    }
    win.InjectSlowDrawingKey({});
}

TEST_F(TourTest, RotationFramesTurnFromTheViewNow) {
    struct Row {
        int n;
        int failAt;  // -1: every write succeeds
        int calls;
        bool ok;
    };
    const Vec3 eye = win.Observer().eye;
    for (const Row& row :
         {Row{4, -1, 4, true}, Row{9, -1, 9, true}, Row{1, -1, 1, true}, Row{6, 3, 4, false}}) {
        std::vector<Vec3> eyes;
        const bool ok = win.WriteTurningFrames(row.n, [&](int k) {
            EXPECT_EQ(k, static_cast<int>(eyes.size()));
            eyes.push_back(win.Observer().eye);
            return k != row.failAt;
        });
        EXPECT_EQ(ok, row.ok);
        ASSERT_EQ(static_cast<int>(eyes.size()), row.calls);
        ExpectSame(eyes[0], eye);
        for (int k = 1; k < row.calls; ++k) ExpectNear(eyes[k], Turned(eye, 2 * kPi * k / row.n));
        ExpectSame(win.Observer().eye, eye);
        EXPECT_EQ(win.Observer().angleStep, 0.123L);
    }
}

// The key is asked after each frame (put in here with no pacing; never for a single frame): Q
// ends the turn after the frame it was asked at, and the eye comes back.
TEST_F(TourTest, QEndsTheTurningFramesAtThePollThatAnswersIt) {
    const Vec3 eye = win.Observer().eye;
    const struct {
        int n;
        int stopAt;  // the question answered Q; 0: never
        int calls;
        int asked;
        bool ok;
    } rows[] = {{6, 2, 2, 2, false}, {9, 5, 5, 5, false}, {4, 0, 4, 4, true}, {1, 1, 1, 0, true}};
    for (const auto& row : rows) {
        int asked = 0;
        win.SetKeyPoll(
            [&asked, &row] {
                ++asked;
                return asked == row.stopAt ? kKeyStop : 0;
            },
            std::chrono::steady_clock::duration::zero());
        int calls = 0;
        const bool ok = win.WriteTurningFrames(row.n, [&calls](int) {
            ++calls;
            return true;
        });
        EXPECT_EQ(std::tuple(ok, calls, asked), std::tuple(row.ok, row.calls, row.asked)) << row.n;
        ExpectSame(win.Observer().eye, eye);
    }
    win.SetKeyPoll({});
}

TEST_F(TourTest, ExportedTurnWritesNumberedEpsFramesThatGhostscriptReads) {
    const Vec3 eye = win.Observer().eye;
    dialogs.fileAnswers.push_back(dir.filePath("turn.eps"));
    for (const char* answer : {"4", "vturn"}) prompter.AnswerInput(QString::fromLatin1(answer));
    ASSERT_TRUE(win.SendCommand(cmd::kExportEps));
    EXPECT_TRUE(Errors().empty());
    std::set<std::string> frames;
    for (int k = 0; k < 4; ++k)
        frames.insert(quorlin::testing::ReadAll(dir.filePath(QString("turn%1.eps").arg(k))));
    EXPECT_EQ(frames.size(), 4u);  // four views, none empty or alike
    EXPECT_FALSE(QFile::exists(dir.filePath("turn4.eps")));
    ExpectSame(win.Observer().eye, eye);
    EXPECT_EQ(win.Observer().angleStep, 0.123L);
    if (!quorlin::testing::HaveProgram("gs")) GTEST_SKIP() << "Ghostscript is not installed";
    for (int k = 0; k < 4; ++k)
        quorlin::testing::ExpectAccepted(
            quorlin::testing::RunReader(dir.path(), "gs",
                                        {"-dBATCH", "-dNOPAUSE", "-dSAFER", "-sDEVICE=nullpage",
                                         QString("turn%1.eps").arg(k)}),
            "gs");
}

TEST_F(TourTest, ExportedTurnWritesPicTeXFramesAndAMasterThatLaTeXReads) {
    const Vec3 eye = win.Observer().eye;
    const auto path = [this](const QString& name) { return dir.filePath(name); };
    dialogs.fileAnswers.push_back(path("turn.tex"));
    platform::ScopedDialogRunner runner([](platform::Dialog& d) {
        d.Press(canvas::TTeXDlg::kFirstKindRadio + canvas::kTexInsertable);
        d.Press(canvas::TTeXDlg::kPagesCheck);
        d.SetText(canvas::TTeXDlg::kFrameCountEdit, QStringLiteral("3"));
        d.SetText(canvas::TTeXDlg::kParametersEdit, QStringLiteral("vturn"));
        return d.Press(platform::kIdOk);
    });
    ASSERT_TRUE(win.SendCommand(cmd::kExportPicTeX));
    EXPECT_TRUE(Errors().empty());
    std::set<std::string> frames;
    for (int k = 0; k < 3; ++k)
        frames.insert(quorlin::testing::ReadAll(path(QString("turn%1.tex").arg(k))));
    EXPECT_EQ(frames.size(), 3u);  // three views, none missing or alike
    EXPECT_FALSE(QFile::exists(path("turn3.tex")));
    const std::string master = quorlin::testing::ReadAll(path("turnANIM.tex"));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(quorlin::testing::Occurrences(master, "turn" + std::to_string(k)), 1u) << k;
    ExpectSame(win.Observer().eye, eye);
    EXPECT_EQ(win.Observer().angleStep, 0.123L);
    if (!quorlin::testing::HaveProgram("latex")) GTEST_SKIP() << "LaTeX is not installed";
    // TeX read every frame through the master.
    const std::string log = quorlin::testing::ExpectLaTeXReadsAnimation(dir.path(), "turn");
    for (int k = 0; k < 3; ++k)
        EXPECT_NE(log.find("turn" + std::to_string(k) + ".tex"), std::string::npos) << k;
}

}  // namespace
}  // namespace quorlin::plot3d
