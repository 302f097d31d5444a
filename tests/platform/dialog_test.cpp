#include "platform/dialog.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <vector>

#include "core/random.h"
#include "platform/boxes.h"

namespace quorlin::platform {
namespace {

using K = ControlKind;

constexpr ControlTemplate kRangeControls[] = {
    {K::Static, 201, "value (1..10)", 0, 0},
    {K::Edit, 211, "", 0, 1},
    {K::Static, 211, "same id, other kind", 1, 0},  // a template may reuse an id
    {K::CheckBox, 271, "flag", 2, 0},
    {K::Radio, 251, "a", 3, 0},
    {K::Radio, 252, "b", 3, 1},
    {K::Static, -1, "next group", 4, 0},
    {K::Radio, 253, "c", 4, 1},
    {K::Radio, 254, "d", 4, 2},
    {K::ListBox, 301, "", 5, 0, 2},
    {K::ComboBox, 302, "", 6, 0},
    {K::ScrollBar, 303, "", 7, 0, 2},
    {K::Static, 205, "", 8, 0, 1, 3},  // text from the string table
    {K::DefButton, 1, "OK", 9, 0},
    {K::Button, 2, "Cancel", 9, 1},
    {K::Button, 91, "apply", 9, 2},
    {K::Edit, 219, "", 10, 0, 1, 0, true},  // starts hidden
};
constexpr DialogTemplate kRangeTemplate{"RANGETEST", "range", kRangeControls};

// A dialog as the program writes them: fills in set-up, validates in can-close.
class RangeDialog : public Dialog {
public:
    explicit RangeDialog(int* value) : Dialog(nullptr, kRangeTemplate), value_(value) {}
    void SetupWindow() override {
        Dialog::SetupWindow();
        ++setups;
        SetText(211, QString::number(*value_));
    }
    bool CanClose() override {
        bool ok = false;
        const int v = GetText(211).toInt(&ok);
        if (!ok || v < 1 || v > 10) {
            ErrorMsg(this, 17);
            return false;
        }
        *value_ = v;
        return true;
    }
    void OnControl(int id) override {
        controls.push_back(id);
        Dialog::OnControl(id);
    }
    void OnNotify(int id, Notification what) override { notes.push_back({id, what}); }

    int setups = 0;
    std::vector<int> controls;
    std::vector<std::pair<int, Notification>> notes;

private:
    int* value_;
};

// A range dialog on a value of 5, with every box it shows recorded.
class RangeDialogTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    int value = 5;
    RangeDialog dialog{&value};
};

TEST_F(RangeDialogTest, DrivenByControlIdWithoutExec) {
    SetStringSource([](int id) { return id == 3 ? QStringLiteral("from the table") : QString(); });
    dialog.Create();
    dialog.Create();
    SetStringSource({});
    EXPECT_EQ(dialog.setups, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.GetText(211), QStringLiteral("5"));  // the edit comes first
    EXPECT_EQ(dialog.GetText(211, K::Static), QStringLiteral("same id, other kind"));
    EXPECT_EQ(dialog.GetText(201), QStringLiteral("value (1..10)"));
    EXPECT_EQ(dialog.GetText(205), QStringLiteral("from the table"));

    dialog.SetText(211, QStringLiteral("42"));
    EXPECT_EQ(dialog.Press(1), 0);  // refused
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_TRUE(prompter.messages.at(0).error);
    EXPECT_EQ(value, 5);

    dialog.SetText(211, QStringLiteral("not a number"));
    EXPECT_EQ(dialog.Press(kIdCancel), kIdCancel) << "cancel skips the check";
    EXPECT_EQ(prompter.messages.size(), 1u);
    dialog.SetText(211, QStringLiteral("7"));
    EXPECT_EQ(dialog.Press(1), kIdOk);
    EXPECT_TRUE(dialog.HasEnded() && value == 7);
    EXPECT_EQ(dialog.controls, (std::vector<int>{1, 2, 1}));
}

TEST_F(RangeDialogTest, ControlsOfEveryKindAreDrivenByTheirIds) {
    dialog.Create();
    EXPECT_FALSE(dialog.IsControlShown(219)) << "a control marked hidden starts hidden";
    dialog.SetScrollRange(303, 0, 100);
    dialog.SetScrollPosition(303, 500);
    EXPECT_EQ(dialog.ScrollPosition(303), 100);
    dialog.ShowControl(211, false);  // both controls of id 211
    EXPECT_TRUE(!dialog.IsControlShown(211) && dialog.Control(211, K::Static)->isHidden());
    dialog.EnableControl(91, false);
    EXPECT_FALSE(dialog.IsControlEnabled(91));
    dialog.Press(91);   // a disabled button cannot be clicked
    dialog.Press(271);  // a click toggles a check box and reaches OnControl
    EXPECT_TRUE(dialog.IsChecked(271));
    EXPECT_EQ(dialog.controls, (std::vector<int>{271}));
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.Control(kIdOk))->isDefault());
    EXPECT_TRUE(dialog.Control(999) == nullptr && dialog.GetText(999).isEmpty());

    const auto radios = [&] {
        return std::vector{dialog.IsChecked(251), dialog.IsChecked(252), dialog.IsChecked(253),
                           dialog.IsChecked(254)};
    };
    dialog.SetChecked(251, true);
    dialog.SetChecked(253, true);
    dialog.Press(252);  // clears 251 of its group; the static started another for 253 and 254
    EXPECT_EQ(radios(), (std::vector{false, true, true, false}));
    dialog.SetChecked(254, true);
    EXPECT_EQ(radios(), (std::vector{false, true, false, true}));
    dialog.SetChecked(254, false);  // a radio can be cleared by the code
    EXPECT_EQ(radios(), (std::vector{false, true, false, false}));

    for (int id : {301, 302}) {
        EXPECT_EQ(dialog.AddString(id, "one"), 0);
        EXPECT_EQ(dialog.AddString(id, "two"), 1);
        dialog.InsertString(id, 0, "zero");
        EXPECT_EQ(dialog.ItemCount(id), 3);
        EXPECT_EQ(dialog.ItemText(id, 7), QString());
        dialog.SetSelectedIndex(id, 2);
        dialog.DeleteString(id, 0);
        EXPECT_EQ(dialog.ItemText(id, 0), QStringLiteral("one"));
        EXPECT_EQ(dialog.SelectedIndex(id), 1) << "the selection follows its item";
        dialog.ClearList(id);
        EXPECT_TRUE(dialog.ItemCount(id) == 0 && dialog.SelectedIndex(id) == -1);
    }
    EXPECT_TRUE(dialog.notes.empty());  // the code's own changes notify nobody
}

TEST(Dialog, ListOfSeveralSelectionsAndControlFonts) {
    ControlTemplate multi{K::ListBox, 301, "", 0, 0};
    multi.multiple = true;
    const ControlTemplate controls[] = {multi, {K::DefButton, 1, "OK", 1, 0}};
    const DialogTemplate tmpl{"MULTITEST", "multi", controls};
    struct Notes : Dialog {
        using Dialog::Dialog;
        void OnNotify(int id, Notification what) override { notes.push_back({id, what}); }
        std::vector<std::pair<int, Notification>> notes;
    } dialog(nullptr, tmpl);
    dialog.Create();
    for (const char* line : {"a", "b", "c", "d"}) dialog.AddString(301, line);
    dialog.SetLineSelected(301, 1, true);
    dialog.SetLineSelected(301, 3, true);
    EXPECT_EQ(dialog.SelectedLines(301), (std::vector<int>{1, 3}));
    dialog.SetSelectedIndex(301, 2);  // one line only
    EXPECT_EQ(dialog.SelectedLines(301), (std::vector<int>{2}));
    EXPECT_TRUE(dialog.notes.empty());

    auto* list = static_cast<QListWidget*>(dialog.Control(301));
    list->item(0)->setSelected(true);  // as a click of the user would
    EXPECT_EQ(dialog.SelectionCount(301), 2);
    EXPECT_EQ(dialog.notes.at(0).second, Notification::SelectionChanged);

    QFont font = dialog.font();
    font.setPointSize(font.pointSize() + 5);
    dialog.SetControlFont(301, font);
    EXPECT_EQ(list->font().pointSize(), font.pointSize());
}

TEST_F(RangeDialogTest, TheOfferedTextIsSelectedSoTypingReplacesItAndNotifies) {
    dialog.ShowDialog();
    auto* edit = qobject_cast<QLineEdit*>(dialog.Control(211, K::Edit));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(dialog.focusWidget(), edit);
    EXPECT_TRUE(dialog.notes.empty()) << "the code's own text notifies nobody";
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(dialog.GetText(211), "7");
    EXPECT_EQ(dialog.notes.at(0), std::make_pair(211, Notification::TextChanged));
}

// A text longer than its field shows from its start: the tail alone reads as another number.
TEST_F(RangeDialogTest, ALongTextShowsItsStart) {
    dialog.Create();
    dialog.SetText(211, QStringLiteral("-2.4153976311336717428"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.Control(211, K::Edit))->cursorPosition(), 0);
}

TEST(Dialog, RunnerAnswersModalExecuteAfterSetUpAndScopedRunnersNest) {
    int value = 2;
    {
        ScopedDialogRunner runner([&](Dialog& d) {
            EXPECT_EQ(d.TemplateName(), "RANGETEST");
            EXPECT_EQ(d.GetText(211), QStringLiteral("2"));
            d.SetText(211, "9");
            return d.Press(kIdOk);
        });
        {
            ScopedDialogRunner inner([](Dialog&) { return 6; });
            EXPECT_EQ(Dialog(nullptr, kRangeTemplate).Execute(), 6);
        }
        RangeDialog dialog(&value);
        EXPECT_EQ(dialog.Execute(), kIdOk);
        EXPECT_EQ(value, 9);
    }
    EXPECT_FALSE(Dialog::HasRunner());
}

TEST_F(RangeDialogTest, ModelessDialogHidesOnCloseShowsAgainAndItsPlaceIsRemembered) {
    Dialog::ForgetPositions();
    dialog.ShowDialog();
    EXPECT_FALSE(dialog.IsHidden());
    dialog.move(140, 90);
    const QPoint place = dialog.Place();
    dialog.Press(kIdCancel);
    EXPECT_TRUE(dialog.IsHidden());
    dialog.ShowDialog();
    EXPECT_EQ(dialog.setups, 1);               // created once
    QTest::keyClick(&dialog, Qt::Key_Escape);  // Escape is Cancel
    EXPECT_TRUE(dialog.IsHidden() && dialog.Result() == kIdCancel);

    RangeDialog second(&value);
    second.Create();
    EXPECT_EQ(second.Place(), place);
    Dialog::ForgetPositions();
}

TEST(Dialog, OpensAtARandomOffsetWhenNothingIsRemembered) {
    Dialog::ForgetPositions();
    SetRandomSource([] { return 1000 + 17; });  // 17 after the modulo of both offsets
    Dialog a(nullptr, kRangeTemplate);
    a.Create();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(a.pos(), screen.topLeft() + QPoint(30 + 1017 % 200, 30 + 1017 % 150));
    SetRandomSource({});
}

TEST(Dialog, TemplatesByNameAndOkAndCancelForAMissingOne) {
    ASSERT_NE(FindDialogTemplate("ONEINPUT"), nullptr);
    EXPECT_EQ(FindDialogTemplate("NO SUCH TEMPLATE"), nullptr);
    Dialog missing(nullptr, "NO SUCH TEMPLATE");
    missing.Create();
    EXPECT_NE(missing.Control(kIdCancel), nullptr);
    EXPECT_EQ(missing.Press(kIdOk), kIdOk);
    RegisterDialogTemplate(kRangeTemplate);
    EXPECT_EQ(FindDialogTemplate("RANGETEST"), &kRangeTemplate);
    Dialog byName(nullptr, "RANGETEST");
    byName.Create();
    EXPECT_NE(byName.Control(303, K::ScrollBar), nullptr);
    UnregisterDialogTemplates();
    EXPECT_EQ(FindDialogTemplate("RANGETEST"), nullptr);
}

}  // namespace
}  // namespace quorlin::platform
