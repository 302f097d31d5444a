// The slicer of the 3D window reached through its menu: typed values clamped with the bars
// following, "0.5@B" with "tangent plane", the tangent buttons by the inventory's room, and a
// running value stepped on the window's timer that ends when the dialog hides or Q is pressed.
#include "plot3d/slicer/slice_dialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "examples/levels/slide_dialog.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class SliceDialogTest : public quorlin::testing::Window3DTest {
protected:
    TSliceDlg& Open(const char* script) {
        Paste(script);
        EXPECT_TRUE(win.SendCommand(cmd::kSlicer));
        TSliceDlg* d = win.SlicerDialog();
        EXPECT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible());
        return *d;
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

}  // namespace
}  // namespace quorlin::plot3d
