// A menu of the frame opened from the keyboard while two slicer runs step on: the menu takes
// the keys typed into it, also those it passes on to its menu bar (the arrows that move to the
// next menu, a letter it has no item for), and no run sees them; closed with Esc, the keys
// steer the runs again, Q ending the newest first.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <tuple>

#include "plot3d/plot3_fixture.h"
#include "plot3d/slicer/slice_dialog.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class SliceMenuKeysTest : public Plot3WindowTest {
protected:
    // A new 3D window of the frame (Window|3-dim) with the script pasted; null where a step
    // failed.
    TPlot3Win* OpenWindow(TPlotFrame& frame, const char* script) {
        if (!frame.DispatchCommand(cmd::kWindow3D)) return nullptr;
        TPlot3Win* w = Active(frame);
        clipboard.SetText(QString::fromLatin1(script));
        return w && w->SendCommand(cmd::kPasteScript) ? w : nullptr;
    }
    // The window's slicer running with the button pressed; null where it does not run.
    static const TSliceDlg* StartRun(TPlot3Win& w, int button) {
        if (!w.SendCommand(cmd::kSlicer) || !w.SlicerDialog()) return nullptr;
        w.SlicerDialog()->Press(button);
        return w.IsPlaying() ? w.SlicerDialog() : nullptr;
    }
    // The open menu, or null.
    static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    // Where the keyboard is: the open menu, else the focus widget, else the frame.
    static QWidget* Typed(QWidget& frame) {
        if (QWidget* popup = QApplication::activePopupWidget()) return popup;
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : &frame;
    }
    // A run's state as the keys change it.
    static std::tuple<bool, int, int> Steered(const TSliceDlg& d) {
        return d.Run() ? std::tuple(true, d.Run()->direction, d.Run()->delay)
                       : std::tuple(false, 0, 0);
    }
};

TEST_F(SliceMenuKeysTest, AMenuOpenedFromTheKeyboardDuringTwoRunsKeepsItsKeys) {
    TPlotFrame frame(registry, {});
    frame.Create();
    frame.show();
    TPlot3Win* aWin = OpenWindow(frame, "EXPL3;x*y;0;2;-1;1;\r\n");
    TPlot3Win* bWin = OpenWindow(frame, "EXPL3;x+y;-3;1;-2;5;\r\n");
    ASSERT_TRUE(aWin && bWin && aWin != bWin);
    const TSliceDlg* a = StartRun(*aWin, TSliceDlg::kAutoCycU);
    const TSliceDlg* b = StartRun(*bWin, TSliceDlg::kAutoRevV);
    ASSERT_TRUE(a && b);
    QApplication::setActiveWindow(&frame);
    const auto aBefore = Steered(*a);
    const auto bBefore = Steered(*b);
    const QList<QAction*> bar = frame.menuBar()->actions();
    ASSERT_GE(bar.size(), 2);
    QMenu* first = bar[0]->menu();
    QMenu* second = bar[1]->menu();
    ASSERT_TRUE(first && second);
    const QList<QAction*> items = first->actions();
    ASSERT_GE(items.size(), 2);

    // Alt and the first menu's letter open it, its first item marked.
    const QString title = bar[0]->text();
    const QChar letter = title.at(static_cast<int>(title.indexOf(QLatin1Char('&'))) + 1).toUpper();
    QTest::keyClick(Typed(frame), static_cast<Qt::Key>(letter.unicode()), Qt::AltModifier);
    ASSERT_EQ(OpenMenu(), first);
    ASSERT_EQ(first->activeAction(), items[0]);
    // Each key typed into the open menu, and the menu open after it with its item marked.
    const struct {
        const char* name;
        Qt::Key key;
        QMenu* open;
        QAction* marked;
    } rows[] = {
        {"Down: the second item", Qt::Key_Down, first, items[1]},
        {"Right: the next menu", Qt::Key_Right, second, nullptr},
        {"Left: back to the first menu", Qt::Key_Left, first, nullptr},
        {"Q, no item's letter: the menu stays", Qt::Key_Q, first, nullptr},
    };
    for (const auto& row : rows) {
        QTest::keyClick(Typed(frame), row.key);
        EXPECT_EQ(OpenMenu(), row.open) << row.name;
        if (row.marked && OpenMenu()) EXPECT_EQ(OpenMenu()->activeAction(), row.marked) << row.name;
        EXPECT_EQ(std::tuple(Steered(*a), Steered(*b)), std::tuple(aBefore, bBefore)) << row.name;
    }
    QTest::keyClick(Typed(frame), Qt::Key_Escape);
    EXPECT_EQ(OpenMenu(), nullptr);
    EXPECT_EQ(std::tuple(Steered(*a), Steered(*b)), std::tuple(aBefore, bBefore));

    // Closed, Q steers the runs again: the newest ends first.
    QTest::keyClick(Typed(frame), Qt::Key_Q);
    EXPECT_EQ(std::tuple(a->Run().has_value(), b->Run().has_value()), std::tuple(true, false));
    QTest::keyClick(Typed(frame), Qt::Key_Q);
    EXPECT_EQ(std::tuple(a->Run().has_value(), b->Run().has_value()), std::tuple(false, false));
    EXPECT_TRUE(prompter.messages.empty());
    CloseUnsaved(*bWin);
    CloseUnsaved(*aWin);
}

}  // namespace
}  // namespace quorlin::plot3d
