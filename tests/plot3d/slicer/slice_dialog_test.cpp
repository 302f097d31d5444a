// The slicer of the 3D window reached through its menu: typed values clamped with the bars
// following, "0.5@B" with "tangent plane", the tangent buttons by the inventory's room, and a
// running value stepped on the window's timer that ends when the dialog hides or goes or Q is
// pressed; two runs at once in two windows, each key reaching one of them once.
#include "plot3d/slicer/slice_dialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include <functional>
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "examples/levels/inventory_dialog.h"
#include "examples/levels/slide_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

void PressKey(QWidget* target, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)).toLower());
    QCoreApplication::sendEvent(target, &event);
}

// Counts the show events of the widgets it watches.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
};

class SliceDialogTest : public quorlin::testing::Window3DTest {
protected:
    TSliceDlg& Open(const char* script) { return Open(win, script); }
    TSliceDlg& Open(TPlot3Win& w, const char* script) {
        clipboard.SetText(QString::fromLatin1(script));
        EXPECT_TRUE(w.SendCommand(cmd::kPasteScript));
        EXPECT_TRUE(w.SendCommand(cmd::kSlicer));
        TSliceDlg* d = w.SlicerDialog();
        EXPECT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible());
        return *d;
    }
    // A second 3D window beside the fixture's, closed at the end.
    struct OtherWindow {
        TPlot3Win w{QStringLiteral("noname2.qz3")};
        OtherWindow() {
            w.SizeChanged(331, 257);
            w.Create();
        }
        ~OtherWindow() {
            w.ClearModified();
            w.CloseWindow();
        }
    };
    // A value run in each window: the fixture's slicer A (x*y on [0, 2] x [-1, 1]) pressing
    // aButton, then the other's B (x+y on [-3, 1] x [-2, 5]) pressing bButton.
    struct TwoRuns {
        TSliceDlg& a;
        TSliceDlg& b;
    };
    TwoRuns StartTwoRuns(OtherWindow& other, int aButton, int bButton) {
        TSliceDlg& a = Open("EXPL3;x*y;0;2;-1;1;\r\n");
        TSliceDlg& b = Open(other.w, "EXPL3;x+y;-3;1;-2;5;\r\n");
        a.Press(aButton);
        b.Press(bButton);
        EXPECT_TRUE(win.IsPlaying());
        EXPECT_TRUE(other.w.IsPlaying());
        return {a, b};
    }
};

TEST_F(SliceDialogTest, ATypedValueOutsideIsClampedAndMovesTheBar) {
    TSliceDlg& d = Open("EXPL3;x*y;-1;3;-2;2;\r\n");
    ASSERT_TRUE(d.Point().has_value());
    // The bars start in the middle: (1, 0).
    EXPECT_EQ(d.Point()->u, 1);
    EXPECT_EQ(d.Point()->v, 0);
    d.SetText(TSliceDlg::kUEdit, QStringLiteral("2*4"));
    d.SetText(TSliceDlg::kVEdit, QStringLiteral("-1.5"));
    ASSERT_TRUE(d.ReadPoint());
    EXPECT_EQ(d.U().value, 3);
    EXPECT_EQ(d.V().value, -1.5L);
    EXPECT_EQ(d.ScrollPosition(TSliceDlg::kUBar), 100);
    EXPECT_EQ(d.ScrollPosition(TSliceDlg::kVBar), 13);  // round(100 x 0.5 / 4)
    d.SetText(TSliceDlg::kVEdit, QStringLiteral("x+"));
    EXPECT_FALSE(d.ReadPoint());
    EXPECT_EQ(d.V().value, -1.5L);
}

TEST_F(SliceDialogTest, ALetteredValueMakesTheTangentPlaneFollowIt) {
    TSliceDlg& d = Open("EXPL3;x*y;-1;1;-1;1;\r\n");
    d.SetText(TSliceDlg::kUEdit, QStringLiteral("0.5@B"));
    d.SetText(TSliceDlg::kVEdit, QStringLiteral("0.25"));
    d.Press(TSliceDlg::kTangentPlane);
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(win.Formulas().Var(2), 0.5L);
    ASSERT_NE(win.ParamDialog(2), nullptr);
    EXPECT_TRUE(win.ParamDialog(2)->isVisible());
    ASSERT_EQ(win.Inventory().Count(), 2);
    const examples::TExample& plane = win.Inventory()[1];
    EXPECT_EQ(plane.kind, examples::kind::kPlane);
    bool named = false;
    for (const std::string& text : plane.texts) named = named || text == "B;0.25";
    EXPECT_TRUE(named);
}

TEST_F(SliceDialogTest, TooLongTextsTogetherAreRefused) {
    TSliceDlg& d = Open("EXPL3;x*y;-1;1;-1;1;\r\n");
    d.SetText(TSliceDlg::kUEdit, QStringLiteral("0.") + QString(200, QLatin1Char('5')));
    d.SetText(TSliceDlg::kVEdit, QStringLiteral("0.") + QString(50, QLatin1Char('5')));
    EXPECT_EQ(d.AddTangent(true), 20);
    EXPECT_EQ(win.Inventory().Count(), 1);
}

TEST_F(SliceDialogTest, TheTangentButtonsFollowTheRoomLeft) {
    TSliceDlg& d = Open("EXPL3;x*y;-1;1;-1;1;\r\nEXPL3;x+y;-1;1;-1;1;\r\n");
    ASSERT_TRUE(win.Inventory().SetCapacity(1, true));
    d.EnableTangentButtons();
    EXPECT_FALSE(d.IsControlEnabled(TSliceDlg::kTangentPlane));
    EXPECT_FALSE(d.IsControlEnabled(TSliceDlg::kTangentLines));
    ASSERT_TRUE(win.Inventory().SetCapacity(2, true));
    d.EnableTangentButtons();
    EXPECT_TRUE(d.IsControlEnabled(TSliceDlg::kTangentPlane));
    EXPECT_FALSE(d.IsControlEnabled(TSliceDlg::kTangentLines));
}

TEST_F(SliceDialogTest, ARunningValueStepsOnTheTimerUntilTheDialogHides) {
    TSliceDlg& d = Open("EXPL3;x*y;0;2;-1;1;\r\n");
    d.SetText(TSliceDlg::kUEdit, QStringLiteral("2"));
    ASSERT_TRUE(d.ReadPoint());
    d.Press(TSliceDlg::kAutoCycU);
    ASSERT_TRUE(win.IsPlaying());
    win.OnTimer(examples::kAnimationTimer);  // shows the end, then wraps to the start
    EXPECT_EQ(d.U().value, 2);
    EXPECT_EQ(d.Run()->position, 0);
    win.OnTimer(examples::kAnimationTimer);
    EXPECT_EQ(d.U().value, 0);
    d.Press(platform::kIdCancel);
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_FALSE(d.Run().has_value());
}

TEST_F(SliceDialogTest, KeysSteerTheRunAndQEndsItKeepingTheDelay) {
    TSliceDlg& d = Open("EXPL3;x*y;0;2;-1;1;\r\n");
    win.SetDelay(40);
    d.Press(TSliceDlg::kAutoRevV);
    ASSERT_TRUE(win.IsPlaying());
    const auto press = [this](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&win, &event);
    };
    press(Qt::Key_S);
    press(Qt::Key_Space);
    ASSERT_TRUE(d.Run().has_value());
    EXPECT_EQ(d.Run()->delay, 45);
    EXPECT_EQ(d.Run()->direction, -1);
    press(Qt::Key_Q);
    EXPECT_FALSE(win.IsPlaying());
    EXPECT_FALSE(d.Run().has_value());
    EXPECT_EQ(win.Delay(), 45);
}

// "Scrollbar units ..." re-ranges both bars of the shown slicer; the typed point stays and the
// bars show it in the new steps. u runs over [-1, 3] at 0.5 (3/8 of the way), v over [-2, 2] at
// 1.25 (13/16 of the way).
TEST_F(SliceDialogTest, ScrollbarUnitsReRangeBothBars) {
    TSliceDlg& d = Open("EXPL3;x*y;-1;3;-2;2;\r\n");
    d.SetText(TSliceDlg::kUEdit, QStringLiteral("0.5"));
    d.SetText(TSliceDlg::kVEdit, QStringLiteral("1.25"));
    ASSERT_TRUE(d.ReadPoint());
    const struct {
        const char* steps;
        const char* pages;
        int range;
        int page;
        int uBar;
        int vBar;
    } rows[] = {
        {"1000", "4", 1000, 250, 375, 813}, {"40", "8", 40, 5, 15, 33}, {"7", "2", 7, 4, 3, 6}};
    for (const auto& row : rows) {
        platform::ScopedDialogRunner runner([&row](platform::Dialog& dialog) {
            dialog.SetText(211, QString::fromLatin1(row.steps));
            dialog.SetText(212, QString::fromLatin1(row.pages));
            return dialog.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kScrollbarUnits));
        EXPECT_EQ(win.SliderSteps().steps[examples::TSliderSteps::kSlicerSlot],
                  static_cast<std::uint32_t>(row.range));
        for (const int bar : {TSliceDlg::kUBar, TSliceDlg::kVBar}) {
            const auto* b = qobject_cast<QScrollBar*>(d.Control(bar));
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(std::tuple(b->maximum(), b->pageStep()), std::tuple(row.range, row.page))
                << row.steps;
        }
        EXPECT_EQ(d.ScrollPosition(TSliceDlg::kUBar), row.uBar) << row.steps;
        EXPECT_EQ(d.ScrollPosition(TSliceDlg::kVBar), row.vBar) << row.steps;
        EXPECT_EQ(d.U().value, 0.5L);
        EXPECT_EQ(d.V().value, 1.25L);
    }
    // One step of the bar is now a seventh of the range.
    qobject_cast<QScrollBar*>(d.Control(TSliceDlg::kUBar))->setValue(1);
    EXPECT_NEAR(static_cast<double>(d.U().value), -1 + 4.0 / 7, 1e-15);
    EXPECT_TRUE(Errors().empty());
}

// A running value steps aside with its dialog and is steered from wherever the focus is: a key
// pressed in the dialog's edit, on the dialog or in another window reaches the run. The dialog
// comes back with the value when Q ends it.
TEST_F(SliceDialogTest, KeysReachTheRunWhereverTheFocusIs) {
    TSliceDlg& d = Open("EXPL3;x*y;0;2;-1;1;\r\n");
    QWidget elsewhere;
    elsewhere.show();
    const struct {
        const char* name;
        int button;
        std::function<QWidget*()> target;
    } rows[] = {
        {"uEdit", TSliceDlg::kAutoRevU, [&d] { return d.Control(TSliceDlg::kUEdit); }},
        {"vEdit", TSliceDlg::kAutoCycV, [&d] { return d.Control(TSliceDlg::kVEdit); }},
        {"dialog", TSliceDlg::kAutoCycU, [&d]() -> QWidget* { return &d; }},
        {"elsewhere", TSliceDlg::kAutoRevV, [&elsewhere] { return &elsewhere; }},
        {"window", TSliceDlg::kAutoCycU, [this]() -> QWidget* { return &win; }},
    };
    const auto press = [](QWidget* target, int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)));
        QCoreApplication::sendEvent(target, &event);
    };
    for (const auto& row : rows) {
        const QString typed = d.GetText(TSliceDlg::kUEdit);
        d.Press(row.button);
        ASSERT_TRUE(win.IsPlaying()) << row.name;
        EXPECT_FALSE(d.isVisible()) << row.name;
        EXPECT_TRUE(d.Point().has_value()) << row.name;  // the slices are drawn meanwhile
        press(row.target(), Qt::Key_Space);
        ASSERT_TRUE(d.Run().has_value()) << row.name;
        EXPECT_EQ(d.Run()->direction, -1) << row.name;
        press(row.target(), Qt::Key_Q);
        EXPECT_FALSE(win.IsPlaying()) << row.name;
        EXPECT_FALSE(d.Run().has_value()) << row.name;
        EXPECT_TRUE(d.isVisible()) << row.name;
        EXPECT_EQ(d.GetText(TSliceDlg::kUEdit), typed) << row.name;  // nothing typed in it
    }
    // After the run the keys go where they went before.
    const QString before = d.GetText(TSliceDlg::kUEdit);
    press(d.Control(TSliceDlg::kUEdit), Qt::Key_7);
    EXPECT_EQ(d.GetText(TSliceDlg::kUEdit).size(), before.size() + 1);  // the 7 is typed in
}

// Two windows run a value each. A key addressed to a window (or a widget inside it) steers that
// window's run; a key meant elsewhere (another widget, a control of a slicer standing aside)
// steers the newer run only; each key is delivered once. Q in window A ends A's run, B's goes
// on, and then takes the keys meant elsewhere alone until its own Q.
TEST_F(SliceDialogTest, TwoRunsAtOnceTakeEachKeyOnce) {
    OtherWindow other;
    const auto [a, b] = StartTwoRuns(other, TSliceDlg::kAutoCycU, TSliceDlg::kAutoCycV);
    ASSERT_TRUE(win.IsPlaying());
    ASSERT_TRUE(other.w.IsPlaying());
    QWidget elsewhere;
    enum class To { Elsewhere, A, B, EditOfA };
    const auto receiver = [&](To to) -> QWidget* {
        switch (to) {
            case To::Elsewhere:
                return &elsewhere;
            case To::A:
                return &win;
            case To::B:
                return &other.w;
            case To::EditOfA:
                return a.Control(TSliceDlg::kUEdit);
        }
        return nullptr;
    };
    // Each run's direction afterwards, 0 when it ended.
    const auto direction = [](const TSliceDlg& d) { return d.Run() ? d.Run()->direction : 0; };
    const struct {
        const char* name;
        To to;
        int key;
        int aDirection;
        int bDirection;
    } steps[] = {
        {"a elsewhere", To::Elsewhere, Qt::Key_A, 1, 1},
        {"a to A", To::A, Qt::Key_A, 1, 1},
        {"a to B", To::B, Qt::Key_A, 1, 1},
        {"blank elsewhere: the newer run", To::Elsewhere, Qt::Key_Space, 1, -1},
        {"blank to A", To::A, Qt::Key_Space, -1, -1},
        {"blank in A's slicer: the newer run", To::EditOfA, Qt::Key_Space, -1, 1},
        {"blank to B", To::B, Qt::Key_Space, -1, -1},
        {"Q to A: A ends", To::A, Qt::Key_Q, 0, -1},
        {"blank elsewhere: B alone", To::Elsewhere, Qt::Key_Space, 0, 1},
        {"blank to the idle A: B alone", To::A, Qt::Key_Space, 0, -1},
        {"Q to B: B ends", To::B, Qt::Key_Q, 0, 0},
    };
    for (const auto& step : steps) {
        PressKey(receiver(step.to), step.key);
        EXPECT_EQ(std::tuple(direction(a), direction(b)),
                  std::tuple(step.aDirection, step.bDirection))
            << step.name;
        EXPECT_EQ(std::tuple(win.IsPlaying(), other.w.IsPlaying()),
                  std::tuple(step.aDirection != 0, step.bDirection != 0))
            << step.name;
    }
    EXPECT_TRUE(a.isVisible());
    EXPECT_TRUE(b.isVisible());
    EXPECT_TRUE(Errors().empty());
}

// B's run steps on its timer while A's has ended, and A's timer moves nothing.
TEST_F(SliceDialogTest, TheOtherRunStepsOnAfterQEndsOne) {
    OtherWindow other;
    const auto [a, b] = StartTwoRuns(other, TSliceDlg::kAutoCycU, TSliceDlg::kAutoRevU);
    PressKey(&win, Qt::Key_Q);
    ASSERT_FALSE(win.IsPlaying());
    ASSERT_TRUE(b.Run().has_value());
    const long double aValue = a.U().value;
    const int before = b.Run()->position;
    win.OnTimer(examples::kAnimationTimer);
    other.w.OnTimer(examples::kAnimationTimer);
    ASSERT_TRUE(b.Run().has_value());
    EXPECT_EQ(b.Run()->position, before + 1);
    EXPECT_EQ(a.U().value, aValue);
    EXPECT_FALSE(a.Run().has_value());
}

// However the slicer goes while its value runs, the run ends with it: the window stops playing
// at once with its key polls and delay as the run left them, a later tick of its timer moves
// nothing, and keys go where they were going. Each row has a window of its own, its inventory
// dialog opened before the run as a user opens it.
TEST_F(SliceDialogTest, TheRunEndsWhenTheSlicerGoesAnyWay) {
    const struct {
        const char* name;
        std::function<void(TPlot3Win&, TSliceDlg&)> end;
    } rows[] = {
        {"the inventory deletes the last surface",
         [](TPlot3Win& w, TSliceDlg&) {
             examples::TFnListDlg& inventory = *w.InventoryDialog();
             inventory.SetLineSelected(examples::invent::kList, 0, true);
             inventory.OnNotify(examples::invent::kList, platform::Notification::SelectionChanged);
             inventory.Press(examples::invent::kDelete);
             EXPECT_EQ(w.Inventory().Count(), 0);
         }},
        {"the tool dialogs closed", [](TPlot3Win& w, TSliceDlg&) { w.CloseToolDialogs(true); }},
        {"the window hidden", [](TPlot3Win& w, TSliceDlg&) { w.HideWindow(); }},
        {"the slicer deleted",
         [](TPlot3Win&, TSliceDlg& d) {
             ShowCounter shown;
             d.installEventFilter(&shown);
             delete &d;
             EXPECT_EQ(shown.shows, 0);  // not shown again on its way out
         }},
        {"the slicer closed", [](TPlot3Win&, TSliceDlg& d) { d.Press(platform::kIdCancel); }},
    };
    for (const auto& row : rows) {
        OtherWindow fresh;
        TPlot3Win& w = fresh.w;
        clipboard.SetText(QStringLiteral("EXPL3;x*y;0;2;-1;1;\r\n"));
        ASSERT_TRUE(w.SendCommand(cmd::kPasteScript)) << row.name;
        ASSERT_TRUE(w.SendCommand(cmd::kInventory)) << row.name;
        ASSERT_NE(w.InventoryDialog(), nullptr) << row.name;
        ASSERT_TRUE(w.SendCommand(cmd::kSlicer)) << row.name;
        const QPointer<TSliceDlg> d = w.SlicerDialog();
        ASSERT_TRUE(d) << row.name;
        w.SetDelay(70);
        const bool polling = w.Output().noPolling;
        d->Press(TSliceDlg::kAutoCycV);
        ASSERT_TRUE(w.IsPlaying()) << row.name;
        PressKey(&w, Qt::Key_S);  // the run's delay: 75
        row.end(w, *d);
        EXPECT_FALSE(w.IsPlaying()) << row.name;
        EXPECT_EQ(std::tuple(w.Output().noPolling, w.Delay()), std::tuple(polling, 75)) << row.name;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w.OnTimer(examples::kAnimationTimer);
        EXPECT_FALSE(w.IsPlaying()) << row.name;
        if (d) EXPECT_FALSE(d->Run().has_value()) << row.name;
        if (d) EXPECT_FALSE(d->isVisible()) << row.name;
        QWidget elsewhere;
        auto* typed = new QLineEdit(&elsewhere);
        PressKey(typed, Qt::Key_7);
        EXPECT_EQ(typed->text(), QStringLiteral("7")) << row.name;  // not routed to the window
    }
    EXPECT_TRUE(Errors().empty());
}

// A window that closes, or is deleted without closing, while its slicer runs: the run ends and
// the slicer goes with it, with nothing left to route keys or tick.
TEST_F(SliceDialogTest, AWindowClosedOrDeletedMidRunEndsItsRun) {
    for (const bool deleted : {false, true}) {
        auto w = std::make_unique<TPlot3Win>(QStringLiteral("noname3.qz3"));
        w->SizeChanged(287, 343);
        w->Create();
        TSliceDlg& d = Open(*w, "EXPL3;x*y;-2;1;0;3;\r\n");
        const QPointer<TSliceDlg> slicer(&d);
        d.Press(TSliceDlg::kAutoRevU);
        ASSERT_TRUE(w->IsPlaying()) << deleted;
        w->ClearModified();
        if (!deleted) {
            ASSERT_TRUE(w->CloseWindow()) << deleted;
            EXPECT_FALSE(w->IsPlaying());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(slicer.isNull());
            w->OnTimer(examples::kAnimationTimer);
        }
        w.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(slicer.isNull()) << deleted;
        QLineEdit typed;
        PressKey(&typed, Qt::Key_7);
        EXPECT_EQ(typed.text(), QStringLiteral("7")) << deleted;
    }
}

// A modal box opened while two values run (another window's command asks for a number, or a
// command of a running window itself) is answered first: what is typed into its edit, Q and
// blank too, goes there and steers no run, and both runs step on behind it. Closed, the keys
// steer the runs again.
TEST_F(SliceDialogTest, AModalBoxOpenDuringTwoRunsTakesTheKeysTypedIntoIt) {
    enum class Owner { None, FirstRunning, NewestRunning };
    const struct {
        const char* name;
        Owner owner;
    } rows[] = {{"a box of no window", Owner::None},
                {"a box of the first running window", Owner::FirstRunning},
                {"a box of the newest running window", Owner::NewestRunning}};
    for (const auto& row : rows) {
        OtherWindow other;
        TSliceDlg& a = Open("EXPL3;x*y;0;2;-1;1;\r\n");
        TSliceDlg& b = Open(other.w, "EXPL3;x+y;-3;1;-2;5;\r\n");
        a.Press(TSliceDlg::kAutoCycU);
        b.Press(TSliceDlg::kAutoRevV);
        QWidget* owner = row.owner == Owner::FirstRunning    ? static_cast<QWidget*>(&win)
                         : row.owner == Owner::NewestRunning ? &other.w
                                                             : nullptr;
        QDialog box(owner);
        box.setWindowModality(Qt::ApplicationModal);
        auto* edit = new QLineEdit(&box);
        box.show();
        for (const int key : {Qt::Key_7, Qt::Key_Space, Qt::Key_Q}) PressKey(edit, key);
        EXPECT_EQ(edit->text(), QStringLiteral("7 q")) << row.name;
        ASSERT_TRUE(a.Run().has_value()) << row.name;
        ASSERT_TRUE(b.Run().has_value()) << row.name;
        EXPECT_EQ(std::tuple(a.Run()->direction, b.Run()->direction), std::tuple(1, 1)) << row.name;
        const int aBefore = a.Run()->position;
        const int bBefore = b.Run()->position;
        win.OnTimer(examples::kAnimationTimer);
        other.w.OnTimer(examples::kAnimationTimer);
        EXPECT_EQ(std::tuple(a.Run()->position, b.Run()->position),
                  std::tuple(aBefore + 1, bBefore + 1))
            << row.name;
        box.hide();
        QWidget elsewhere;
        PressKey(&elsewhere, Qt::Key_Q);
        EXPECT_EQ(std::tuple(win.IsPlaying(), other.w.IsPlaying()), std::tuple(true, false))
            << row.name;
        PressKey(edit, Qt::Key_Q);
        EXPECT_FALSE(win.IsPlaying()) << row.name;
        EXPECT_EQ(edit->text(), QStringLiteral("7 q")) << row.name;
        EXPECT_TRUE(Errors().empty()) << row.name;
    }
}

}  // namespace
}  // namespace quorlin::plot3d
