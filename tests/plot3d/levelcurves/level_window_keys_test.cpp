// The keys of the level-curve window as a user presses them: the road through the frame (a 3D
// window from the Window menu, z = x^2 + y^2, the inventory's "levels" and "auto"), the level
// window active, and each key of its accelerator table pressed in it through Qt's key delivery.
// Each runs its command in the level window, also the keys its 3D window binds too, and none
// runs the 3D window's; the keypad's page keys as well. Keys typed into the level window's own
// dialogs stay there.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <map>
#include <numbers>
#include <tuple>

#include "canvas/grid_dialogs.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "platform/printing.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/plot3_fixture.h"
#include "resources/resources.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class LevelWindowKeysTest : public Plot3WindowTest {
protected:
    LevelWindowKeysTest() {
        QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini")));
        platform::SetPrintDialogs(&printing);
    }
    ~LevelWindowKeysTest() override { platform::SetPrintDialogs(nullptr); }

    // The user's road to the level window of the bowl: levels 1 to 4, four of them, "auto".
    TLevelWin* BowlLevels(TPlotFrame& frame) {
        TPlot3Win* parent =
            NewWindowWithScript(frame, QStringLiteral("EXPL3;x^2+y^2;-2;2;-2;2;\r\n"));
        if (!parent || !parent->InventoryDialog()) return nullptr;
        examples::TFnListDlg& inventory = *parent->InventoryDialog();
        inventory.SetSelectedIndex(examples::invent::kList, 0);
        inventory.Press(examples::invent::kDerive);
        TLevelDlg* levels = parent->LevelDialog();
        if (!levels) return nullptr;
        levels->SetText(TLevelDlg::kLow, QStringLiteral("1"));
        levels->SetText(TLevelDlg::kHigh, QStringLiteral("4"));
        levels->SetText(TLevelDlg::kCurrent, QStringLiteral("1"));
        levels->SetText(TLevelDlg::kCount, QStringLiteral("4"));
        levels->Press(TLevelDlg::kAuto);
        return parent->LevelWindow();
    }

    platform::ScriptedPrintDialogs printing;
};

// What a key did to the level window, and whether its 3D window stayed as it was.
struct Seen {
    long double halfWidth, halfHeight;
    bool axes;
    int printerAsks, formatAsks;
    bool gridShown;
    bool pictureOnClipboard;
};

TEST_F(LevelWindowKeysTest, EveryKeyOfItsTableRunsItsCommandInTheLevelWindow) {
    TPlotFrame frame(registry, {});
    TLevelWin* w = BowlLevels(frame);
    ASSERT_NE(w, nullptr);
    TPlotRWin& parent = w->Parent();
    frame.show();  // its menu bar, with the 3D window's keys, stands
    auto* host = dynamic_cast<platform::FrameWindow*>(w->window());
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(host->isVisible());
    printing.printerAnswers.assign(8, false);  // every print and format dialog cancelled
    printing.formatAnswers.assign(8, false);

    const auto seen = [&](canvas::TGridWin& win) {
        const QMimeData* data = clipboard.MimeData();
        return Seen{win.View().halfWidth,
                    win.View().halfHeight,
                    win.Axes().axesShown,
                    printing.printerAsks,
                    printing.formatAsks,
                    win.GridDialog() && !win.GridDialog()->IsHidden(),
                    data && data->hasFormat(QStringLiteral("image/png"))};
    };
    // What each command does to the level window: from what was seen before to what is now.
    const std::map<int, std::function<void(const Seen&, const Seen&)>> effects{
        {cmd::kAxes, [](const Seen& a, const Seen& b) { EXPECT_NE(b.axes, a.axes); }},
        {cmd::kZoomOut,
         [](const Seen& a, const Seen& b) {
             EXPECT_EQ(b.halfWidth, 2 * a.halfWidth);
             EXPECT_EQ(b.halfHeight, 2 * a.halfHeight);
         }},
        {cmd::kZoomIn,
         [](const Seen& a, const Seen& b) {
             EXPECT_EQ(b.halfWidth, a.halfWidth / 2);
             EXPECT_EQ(b.halfHeight, a.halfHeight / 2);
         }},
        {cmd::kPrint,
         [](const Seen& a, const Seen& b) { EXPECT_EQ(b.printerAsks, a.printerAsks + 1); }},
        {cmd::kPrintFormat,
         [](const Seen& a, const Seen& b) { EXPECT_EQ(b.formatAsks, a.formatAsks + 1); }},
        {cmd::kGridDialog, [](const Seen&, const Seen& b) { EXPECT_TRUE(b.gridShown); }},
        {cmd::kCopyToClipboard,
         [](const Seen&, const Seen& b) { EXPECT_TRUE(b.pictureOnClipboard); }},
    };
    const resources::AcceleratorTable* table = resources::FindAccelerators("LEVELMENU");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->entries.size(), effects.size());
    for (const resources::AcceleratorTemplate& entry : table->entries) {
        const std::string keys(entry.keys);
        ASSERT_TRUE(effects.contains(entry.id)) << keys;
        const QKeySequence sequence(QString::fromStdString(keys), QKeySequence::PortableText);
        ASSERT_EQ(sequence.count(), 1) << keys;
        const QKeyCombination combination = sequence[0];
        clipboard.SetText(QString());
        if (w->GridDialog()) w->GridDialog()->HideDialog();
        QApplication::setActiveWindow(host);
        w->setFocus();
        const Seen levelBefore = seen(*w);
        const Seen parentBefore = seen(parent);
        QTest::keyClick(w, combination.key(), combination.keyboardModifiers());
        effects.at(entry.id)(levelBefore, seen(*w));
        const Seen parentAfter = seen(parent);
        EXPECT_EQ(parentAfter.halfWidth, parentBefore.halfWidth) << keys;
        EXPECT_EQ(parentAfter.axes, parentBefore.axes) << keys;
        EXPECT_FALSE(parentAfter.gridShown) << keys;
        EXPECT_TRUE(prompter.messages.empty()) << keys;
    }
    EXPECT_EQ(printing.printerAsks, 1);
    EXPECT_EQ(printing.formatAsks, 1);
    CloseUnsaved(dynamic_cast<TPlot3Win&>(parent));
}

// The page keys of the keypad (Num Lock off) are the page keys: they zoom the level window, not
// its 3D window.
TEST_F(LevelWindowKeysTest, TheKeypadsPageKeysZoomTheLevelWindow) {
    TPlotFrame frame(registry, {});
    TLevelWin* w = BowlLevels(frame);
    ASSERT_NE(w, nullptr);
    TPlotRWin& parent = w->Parent();
    frame.show();
    const struct {
        Qt::Key key;
        long double factor;
    } rows[] = {{Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 0.5L}, {Qt::Key_PageUp, 0.5L}};
    for (const auto& row : rows) {
        QApplication::setActiveWindow(w->window());
        w->setFocus();
        const long double width = w->View().halfWidth;
        const long double height = w->View().halfHeight;
        const long double parentWidth = parent.View().halfWidth;
        QTest::keyClick(w, row.key, Qt::KeypadModifier);
        EXPECT_EQ(w->View().halfWidth, width * row.factor) << row.key;
        EXPECT_EQ(w->View().halfHeight, height * row.factor) << row.key;
        EXPECT_EQ(parent.View().halfWidth, parentWidth) << row.key;
    }
    EXPECT_TRUE(prompter.messages.empty());
    CloseUnsaved(dynamic_cast<TPlot3Win&>(parent));
}

// The direction dialog of the level window, its field focused: what is typed goes into it, the
// arrows move in it, Ctrl+A selects it and Ctrl+C copies it (the level window's keys for its axes
// and its picture), PgDn zooms nothing, and Enter takes the angle typed, pi/3.
TEST_F(LevelWindowKeysTest, KeysTypedIntoItsDirectionDialogStayThere) {
    TPlotFrame frame(registry, {});
    TLevelWin* w = BowlLevels(frame);
    ASSERT_NE(w, nullptr);
    TPlotRWin& parent = w->Parent();
    frame.show();
    auto& host = dynamic_cast<platform::FrameWindow&>(*w->window());
    ASSERT_TRUE(host.DispatchCommand(cmd::kMouseCursor));
    ASSERT_TRUE(host.DispatchCommand(cmd::kDirectionalDerivative));
    TPctDlg* direction = w->DirectionDialog();
    ASSERT_TRUE(direction && direction->isVisible());
    auto* field = qobject_cast<QLineEdit*>(direction->Control(TPctDlg::kValue));
    ASSERT_NE(field, nullptr);
    QApplication::setActiveWindow(direction);
    field->setFocus();
    field->clear();
    QApplication::clipboard()->clear();
    clipboard.SetText(QStringLiteral("kept"));
    const bool axes = w->Axes().axesShown;
    const long double width = w->View().halfWidth;
    const long double parentWidth = parent.View().halfWidth;

    QTest::keyClicks(field, "pi/3");
    EXPECT_EQ(field->text(), QStringLiteral("pi/3"));
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_EQ(field->cursorPosition(), 2);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), QStringLiteral("pi/3"));
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pi/3"));
    QTest::keyClick(field, Qt::Key_PageDown);
    EXPECT_EQ(std::tuple(w->Axes().axesShown, w->View().halfWidth, parent.View().halfWidth),
              std::tuple(axes, width, parentWidth));
    EXPECT_EQ(clipboard.Text(), QStringLiteral("kept"));  // no picture copied
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_NEAR(static_cast<double>(w->Angle()), std::numbers::pi / 3, 1e-15);
    EXPECT_EQ(field->text(), QStringLiteral("pi/3"));
    EXPECT_TRUE(prompter.messages.empty());
    CloseUnsaved(dynamic_cast<TPlot3Win&>(parent));
}

}  // namespace
}  // namespace quorlin::plot3d
