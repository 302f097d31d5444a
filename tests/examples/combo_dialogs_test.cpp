// The lists of the tool dialogs (accepted kinds, names, refills after deletions) and the
// interval dialogs (limits in the view, limits tied to parameters, the marked point).
#include "examples/combo_dialogs.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "platform/boxes.h"

namespace quorlin::examples {
namespace {

class FakeTools : public TIntervalHost {
public:
    TInventory& Inventory() override { return inventory; }
    std::string Description(int i) override { return "example " + std::to_string(i); }
    QFont ListFont() const override { return {}; }
    void SetColourRole(int role, std::int16_t index) override { roles[role] = index; }
    void HidePalette() override { ++paletteHidden; }
    void ToolClosed() override { ++closed; }
    FormulaContext& Formulas() override { return formulas; }
    std::string FormatNumber(long double v) const override { return std::to_string(v); }
    TToolInterval& Interval() override { return interval; }
    long double ViewLeft() const override { return -10; }
    long double ViewRight() const override { return 10; }
    void OpenParamDialog(int letter) override { opened.push_back(letter); }
    void AddMarkedPoint(int i, int kind, const std::array<long double, 4>& v, int,
                        const std::string& label) override {
        marks.push_back({i, kind, v[2], label});
    }

    int Add(int kindCode, std::uint16_t derivation = 0) {
        TExample e;
        e.Init(kindCode, kindCode % 50, 50);
        e.derivation = derivation;
        return inventory.Append(std::move(e));
    }

    struct Mark {
        int example;
        int kind;
        long double result;
        std::string label;
    };
    TInventory inventory;
    FormulaContext formulas;
    TToolInterval interval;
    std::map<int, int> roles;
    std::vector<int> opened;
    std::vector<Mark> marks;
    int paletteHidden = 0;
    int closed = 0;
};

class CountingCombo : public T2ComboDlg {
public:
    using T2ComboDlg::T2ComboDlg;
    int changes = 0;

protected:
    void SelectionChanged() override { ++changes; }
};

// A two-list dialog for the tests.
constexpr platform::ControlTemplate kTwoLists[] = {
    {platform::ControlKind::ComboBox, 295, "", 0, 0},
    {platform::ControlKind::ComboBox, 296, "", 1, 0},
    {platform::ControlKind::Button, 2, "close", 2, 0},
};
constexpr platform::DialogTemplate kTwoListsTemplate{"TWOLISTS", "two", kTwoLists};

class ComboTest : public ::testing::Test {
protected:
    void SetUp() override { platform::RegisterDialogTemplate(kTwoListsTemplate); }
    void TearDown() override { platform::UnregisterDialogTemplates(); }
    FakeTools host;
    platform::ScriptedPrompter prompter;
};

TEST_F(ComboTest, EmptyListSelectsNothing) {
    host.Add(kind::kPolar);
    CountingCombo dialog(host, nullptr, "TWOLISTS", {201, -1, 202}, {201});
    dialog.Create();
    EXPECT_EQ(dialog.ItemCount(295), 0);
    EXPECT_EQ(dialog.Selected(), -1);
    EXPECT_EQ(dialog.changes, 0);
}

TEST_F(ComboTest, ListsTheAcceptedExamplesByNameOrText) {
    host.Add(kind::kExplicit);
    host.Add(kind::kPolar);
    host.Add(kind::kExplicit, 111);  // derived
    host.Add(kind::kExplicit);
    host.inventory.Entry(3).name = "parabola";
    TExample lagrange;
    lagrange.Init(kind::kLagrange, 1, 50);
    host.inventory.Append(std::move(lagrange));
    CountingCombo dialog(host, nullptr, "TWOLISTS", {201, 999}, {201, 202});
    dialog.Create();
    ASSERT_EQ(dialog.ItemCount(295), 2);
    EXPECT_EQ(dialog.ItemText(295, 1), QStringLiteral("parabola"));
    EXPECT_EQ(dialog.Selected(), 0);
    EXPECT_EQ(dialog.changes, 1);
    EXPECT_EQ(host.roles[8], 201 % 50);
    EXPECT_EQ(dialog.Selected2(), 3);  // the newest of the second list
    EXPECT_EQ(dialog.ListIndexOf(3), 1);
    EXPECT_EQ(dialog.ListIndexOf(2), -1);

    dialog.allowDerived = true;
    dialog.allowLagrange = true;
    dialog.RefillLists();
    EXPECT_EQ(dialog.ItemCount(295), 4);
}

TEST_F(ComboTest, DeletingTheSelectedLastExampleRefillsBothLists) {
    for (int i = 0; i < 3; ++i) host.Add(kind::kExplicit);
    CountingCombo dialog(host, nullptr, "TWOLISTS", {201}, {201});
    dialog.Create();
    dialog.SetSelectedIndex(295, 2);
    dialog.OnNotify(295, platform::Notification::SelectionChanged);
    EXPECT_EQ(dialog.Selected(), 2);
    const int removed[] = {2};
    host.inventory.Remove(removed);
    dialog.RefillLists();
    EXPECT_EQ(dialog.Selected(), 0);   // the first remaining entry
    EXPECT_EQ(dialog.Selected2(), 1);  // the last remaining entry
}

TEST_F(ComboTest, CloseHidesAndRepaints) {
    host.Add(kind::kExplicit);
    CountingCombo dialog(host, nullptr, "TWOLISTS", {201}, {201});
    dialog.ShowDialog();
    dialog.paletteOpened = true;
    dialog.Press(2);
    EXPECT_TRUE(dialog.IsHidden());
    EXPECT_EQ(host.closed, 1);
    EXPECT_EQ(host.paletteHidden, 1);
}

// An interval dialog whose result is the length of the interval.
class LengthDialog : public TPreRiemDlg {
public:
    LengthDialog(TIntervalHost& host)
        : TPreRiemDlg(host, nullptr, "ARCLEN", {201}, 53, 176), host_(host) {}

protected:
    int ComputeResult() override {
        host_.Interval().result = host_.Interval().high - host_.Interval().low;
        host_.Interval().resultText = std::to_string(static_cast<double>(host_.Interval().result));
        return 0;
    }
    TIntervalHost& host_;
};

TEST_F(ComboTest, IntervalInTheViewAndTiedToParameters) {
    host.Add(kind::kExplicit);
    LengthDialog dialog(host);
    dialog.Create();
    dialog.SetText(211, QStringLiteral("-11"));
    dialog.Press(761);
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("out of bounds"));
    EXPECT_TRUE(host.marks.empty());

    dialog.SetText(211, QStringLiteral("1@A"));
    dialog.SetText(212, QStringLiteral("2@A"));  // the same letter does not tie
    dialog.Press(761);
    EXPECT_FALSE(dialog.IsTied());
    ASSERT_EQ(host.marks.size(), 1u);
    EXPECT_EQ(host.marks[0].label, "arc length");
    EXPECT_EQ(host.marks[0].kind, 53);

    dialog.SetText(212, QStringLiteral("3@B"));
    dialog.Press(761);
    EXPECT_TRUE(dialog.IsTied());
    EXPECT_EQ(host.opened, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.formulas.Var(2), 3);
    host.formulas.SetVar(2, 5);  // the slider moves
    dialog.SetText(212, QStringLiteral("0.5"));
    dialog.Press(761);  // "value" unties and reads the typed limits again
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("inconsistent data"));
    EXPECT_FALSE(dialog.IsTied());
}

TEST_F(ComboTest, TiedIntervalFollowsItsParameters) {
    host.Add(kind::kExplicit);
    struct Tied : LengthDialog {
        using LengthDialog::LengthDialog;
        void Apply() { ApplyInterval(); }
    } dialog(host);
    dialog.Create();
    dialog.SetText(211, QStringLiteral("1@A"));
    dialog.SetText(212, QStringLiteral("3@B"));
    dialog.Press(761);
    ASSERT_TRUE(dialog.IsTied());
    host.formulas.SetVar(2, 5);
    dialog.Apply();
    EXPECT_EQ(host.interval.high, 5);
    EXPECT_EQ(host.interval.result, 4);
    host.formulas.SetVar(2, 50);  // beyond the view: the stored limits stay
    dialog.Apply();
    EXPECT_EQ(host.interval.high, 5);
}

}  // namespace
}  // namespace quorlin::examples
