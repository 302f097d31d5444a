// The point dialog "LAGPT" on a graphing window whose fields read expressions: its fields as the
// window formats them, the hidden or working "delete", the view check, an expression stored as
// its value, and the fields that take no more than they are read with.
#include <gtest/gtest.h>

#include <numbers>

#include "canvas/coordinate_dialog.h"
#include "canvas/grid_win.h"
#include "formula/formula_context.h"
#include "platform/boxes.h"

namespace quorlin::canvas {
namespace {

using resources::ControlKind;

// A window whose number fields take expressions, as the formula level's do.
class ExpressionWin : public TGridWin {
public:
    ExpressionWin()
        : TGridWin(841, QStringLiteral("noname1.qz2"), QStringLiteral("coortest.ini")) {}
    int ReadNumber(std::string_view text, long double& out) override {
        return formulas.ReadNumber(text, out);
    }
    FormulaContext formulas;
};

class CoordinateDialogTest : public ::testing::Test {
protected:
    CoordinateDialogTest() {
        win.SizeChanged(401, 401);
        win.SetView(1, -2, 4, 4, false);  // x in [-3, 5], y in [-6, 2]
        win.Format().places = 3;
    }
    // Runs the dialog on the point: the fields typed (null: left as shown), then the button.
    int Run(TEditCoorDlg::TOptions options, const char* x, const char* y, int button) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
            shownX = d.GetText(TEditCoorDlg::kX, ControlKind::Edit);
            deleteShown = d.IsControlShown(TEditCoorDlg::kDelete);
            title = d.windowTitle();
            if (x) d.SetText(TEditCoorDlg::kX, ControlKind::Edit, QString::fromLatin1(x));
            if (y) d.SetText(TEditCoorDlg::kY, ControlKind::Edit, QString::fromLatin1(y));
            const int result = d.Press(button);
            stayedOpen = result == 0;
            return stayedOpen ? d.Press(platform::kIdCancel) : result;
        });
        TEditCoorDlg dialog(win, "LAGPT", point, options);
        return dialog.Execute();
    }

    platform::ScriptedPrompter prompter;
    ExpressionWin win;
    WorldPoint point{1.25L, -0.5L};
    QString shownX, title;
    bool deleteShown = false;
    bool stayedOpen = false;
};

TEST_F(CoordinateDialogTest, DeleteIsHiddenUnlessAllowedAndThenLeavesThePoint) {
    EXPECT_EQ(Run({}, nullptr, nullptr, platform::kIdOk), platform::kIdOk);
    EXPECT_FALSE(deleteShown);
    EXPECT_EQ(shownX, QStringLiteral("1.250"));
    EXPECT_EQ(title, QStringLiteral("coordinates"));
    EXPECT_EQ(Run({}, "7", "8", TEditCoorDlg::kDelete), platform::kIdCancel);  // not a button
    EXPECT_EQ(point.x, 1.25L);

    EXPECT_EQ(Run({.deleteAllowed = true}, "7", "8", TEditCoorDlg::kDelete),
              TEditCoorDlg::kDeleted);
    EXPECT_TRUE(deleteShown);
    EXPECT_EQ(point.x, 1.25L);
    EXPECT_EQ(point.y, -0.5L);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CoordinateDialogTest, ThePointIsReadCheckedAgainstTheViewAndWrittenAsATable) {
    const TLDRect view = win.View().Corners();
    ASSERT_EQ(view.xLow, -3);
    ASSERT_EQ(view.xHigh, 5);
    ASSERT_EQ(view.yLow, -6);
    ASSERT_EQ(view.yHigh, 2);
    const long double pi = std::numbers::pi_v<long double>;
    const struct {
        bool inView;
        const char *x, *y;
        const char* error;  // the message shown; null: the point is written
        long double wantX, wantY;
    } rows[] = {
        {true, "pi/2", "-2*2", nullptr, pi / 2, -4},
        {true, "5", "2", nullptr, 5, 2},               // the corner is in the view
        {true, "5.001", "0", "out of bounds", 0, 0},   // just right of the view
        {true, "0", "-6.001", "out of bounds", 0, 0},  // just below it
        {false, "5.001", "-7", nullptr, 5.001L, -7},   // no check: anywhere
        {true, "x+", "0", "operand missing", 0, 0},
        {true, "0", "1/0", "cannot understand", 0, 0},
    };
    for (const auto& row : rows) {
        point = {0.75L, -0.25L};
        prompter.messages.clear();
        const int result = Run({.mustLieInView = row.inView}, row.x, row.y, platform::kIdOk);
        if (!row.error) {
            EXPECT_EQ(result, platform::kIdOk) << row.x;
            EXPECT_FALSE(stayedOpen);
            EXPECT_EQ(point.x, row.wantX) << row.x;
            EXPECT_EQ(point.y, row.wantY) << row.y;
            EXPECT_TRUE(prompter.messages.empty());
            continue;
        }
        EXPECT_TRUE(stayedOpen) << row.x;
        EXPECT_EQ(result, platform::kIdCancel);
        EXPECT_EQ(point.x, 0.75L);
        EXPECT_EQ(point.y, -0.25L);
        ASSERT_EQ(prompter.messages.size(), 1u) << row.x;
        EXPECT_EQ(prompter.messages[0].text.toStdString(), row.error);
    }
}

TEST_F(CoordinateDialogTest, AFieldTakesNoMoreThanItIsReadWith) {
    // Read whole, 49 zeros and 12345 would be 12345; the field keeps 50 characters: 1.
    const std::string typed = std::string(49, '0') + "12345";
    platform::ScopedDialogRunner runner([&](platform::Dialog& d) {
        d.SetText(TEditCoorDlg::kX, ControlKind::Edit, QString::fromStdString(typed));
        shownX = d.GetText(TEditCoorDlg::kX, ControlKind::Edit);
        return d.Press(platform::kIdOk);
    });
    TEditCoorDlg dialog(win, "LAGPT", point, {});
    EXPECT_EQ(dialog.Execute(), platform::kIdOk);
    EXPECT_EQ(shownX.size(), TEditCoorDlg::kMaxFieldChars);
    EXPECT_EQ(point.x, 1);
}

}  // namespace
}  // namespace quorlin::canvas
