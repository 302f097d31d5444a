// The editing, family and web dialogs driven by control id on a fake window: what OK stores
// and reports, what a refusal shows and keeps, the switches that rearrange the controls, the
// colour roles and the palette.
#include "examples/edit_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "platform/boxes.h"

namespace quorlin::examples {
namespace {

using platform::ControlKind;

class FakeHost : public TExampleHost {
public:
    FormulaContext& Formulas() override { return formulas; }
    TInventory& Inventory() override { return inventory; }
    TEditorEnv EditorEnv() const override { return env; }
    NumberFormat Format() const override { return env.format; }
    std::string ShortText(const TExample& e) const override { return "y = " + e.Text(2); }
    QFont DialogFont() const override { return font; }
    std::int16_t ColourRole(int role) const override { return roles.at(role); }
    void SetColourRole(int role, std::int16_t index) override { roles.at(role) = index; }
    void ChooseColour(int role, int captionId) override {
        paletteShown = true;
        chosen.push_back({role, captionId});
    }
    void PickColour(int captionId, int, std::function<void(int)> target) override {
        paletteShown = true;
        chosen.push_back({-1, captionId});
        picked = std::move(target);
    }
    bool IsPaletteShown() const override { return paletteShown; }
    void HidePalette() override { paletteShown = false; }
    void ShowEditorHelp(int kind, int topic) override { help.push_back({kind, topic}); }
    void ShadingColourChosen() override { ++shadingChosen; }
    void SetNewExamplePenWidth(int width) override { newPenWidth = width; }
    void SetParamsFromExample(int index) override { paramsFrom = index; }

    int Add(int kindCode, std::vector<std::string> texts) {
        TExample e;
        e.Init(kindCode, 4, 50);
        for (std::size_t k = 0; k < texts.size(); ++k) e.texts[k] = texts[k];
        return inventory.Append(std::move(e));
    }

    FormulaContext formulas;
    TInventory inventory;
    TEditorEnv env;
    QFont font{"Sans", 13};
    std::array<std::int16_t, 15> roles{};
    bool paletteShown = false;
    std::vector<std::pair<int, int>> chosen;
    std::function<void(int)> picked;
    std::vector<std::pair<int, int>> help;
    int shadingChosen = 0;
    int newPenWidth = 0;
    int paramsFrom = -1;
};

class EditDialogTest : public ::testing::Test {
protected:
    FakeHost host;
    platform::ScriptedPrompter prompter;
};

TEST_F(EditDialogTest, OkStoresTheRecordAndReportsTheChange) {
    const int i = host.Add(kind::kExplicit, {"", "x^2"});
    std::uint32_t mask = 99;
    TEditExmpDlg dialog(host, nullptr, i, &mask);
    dialog.Create();
    EXPECT_EQ(dialog.TemplateName(), "EQUA201");
    EXPECT_EQ(dialog.GetText(212), QStringLiteral("x^2"));
    EXPECT_EQ(dialog.Control(212, ControlKind::Edit)->font().pointSize(), 13);
    dialog.SetText(212, QStringLiteral("sin(x)"));
    dialog.SetText(227, QStringLiteral("2@"));
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].Text(2), "sin(x)");
    EXPECT_EQ(host.inventory[i].pen.width, 2);
    EXPECT_EQ(host.newPenWidth, 2);
    EXPECT_EQ(mask, change::kCompile | change::kAny);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EditDialogTest, RefusalShowsTheErrorAndKeepsTheRecord) {
    const int i = host.Add(kind::kImplicit, {"", "", "", "", "x^2+y^2=1"});
    std::uint32_t mask = 0;
    TEditExmpDlg dialog(host, nullptr, i, &mask);
    dialog.Create();
    dialog.SetText(218, QStringLiteral("x^2+y^2"));
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("missing ="));
    EXPECT_EQ(host.inventory[i].Text(5), "x^2+y^2=1");
    dialog.SetText(218, QStringLiteral("x^2 = 1 - y^2"));
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].Text(3), " 1 - y^2-(x^2 )");
}

TEST_F(EditDialogTest, CancelAfterAColourLeavesTheColourAndHidesThePalette) {
    const int i = host.Add(kind::kSegment, {"0", "0", "1", "1"});
    host.inventory[i].pen.colour = 7;
    std::uint32_t mask = 0;
    TEditExmpDlg dialog(host, nullptr, i, &mask);
    dialog.Create();
    EXPECT_EQ(host.roles[8], 7);
    dialog.Press(208);
    EXPECT_EQ(host.chosen.back(), (std::pair<int, int>{8, 244}));  // "segment"
    host.roles[8] = 12;                                            // the user's choice
    EXPECT_EQ(dialog.Press(platform::kIdCancel), platform::kIdCancel);
    EXPECT_EQ(host.inventory[i].pen.colour, 7);
    EXPECT_FALSE(host.paletteShown);
    EXPECT_EQ(mask, 0u);
}

TEST_F(EditDialogTest, ColourChosenWhileOpenIsStored) {
    const int i = host.Add(kind::kSurface, {"", "", "x*y"});
    std::uint32_t mask = 0;
    TEditExmpDlg dialog(host, nullptr, i, &mask);
    dialog.Create();
    dialog.Press(206);
    EXPECT_EQ(host.shadingChosen, 1);
    host.roles[6] = 30;
    dialog.Press(210);
    host.picked(41);
    dialog.Press(354);
    EXPECT_EQ(host.help.back(), (std::pair<int, int>{kind::kSurface, 252}));
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].extraColour[0], 30);
    EXPECT_EQ(host.inventory[i].word34, 41);
    EXPECT_EQ(mask, change::kAny);
}

TEST_F(EditDialogTest, LockIntervalShowsTheEndMarksAndTheRangeFormulas) {
    const int i = host.Add(kind::kExplicit, {"", "x"});
    TEditExmpDlg dialog(host, nullptr, i, nullptr);
    dialog.Create();
    EXPECT_FALSE(dialog.IsControlShown(216));
    dialog.Press(271);
    EXPECT_TRUE(dialog.IsControlShown(216));
    dialog.SetText(221, QStringLiteral("-1@A"));
    dialog.SetText(223, QStringLiteral("2"));
    dialog.Press(272);  // periodic instead
    EXPECT_FALSE(dialog.IsChecked(271));
    EXPECT_EQ(dialog.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].Text(7), "A;2");
    EXPECT_EQ(host.inventory[i].periodic, 1);
    EXPECT_EQ(host.formulas.Var(1), -1);
}

TEST_F(EditDialogTest, PolarSwitchRenamesTheParametricDialog) {
    const int i = host.Add(kind::kParametric, {"cos(t)", "sin(t)", "", "", "", "", "0;1"});
    TEditExmpDlg dialog(host, nullptr, i, nullptr);
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("x = f(t) , y = g(t)"));
    dialog.Press(276);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("r = f(t) , theta = g(t)"));
}

TEST_F(EditDialogTest, FamilyDialogDefinesAndUndefines) {
    const int i = host.Add(kind::kExplicit, {"", "a*x"});
    TFamDlg dialog(host, nullptr, i);
    dialog.Create();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("family [y = a*x]"));
    dialog.SetText(214, QStringLiteral("r"));
    EXPECT_EQ(dialog.Press(91), 0);
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("out of bounds"));
    EXPECT_EQ(dialog.Press(platform::kIdOk), 0);  // Enter does nothing
    dialog.SetText(214, QStringLiteral("q"));
    dialog.Press(271);
    EXPECT_EQ(dialog.Press(91), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].familyOn, 1);

    TFamDlg again(host, nullptr, i);
    again.Create();
    EXPECT_EQ(again.GetText(214), QStringLiteral("q"));
    EXPECT_EQ(again.Press(52), platform::kIdOk);
    EXPECT_EQ(host.inventory[i].familyOn, 0);
}

TEST_F(EditDialogTest, WebDialogSeedsByParameter) {
    const int i = host.Add(kind::kExplicit, {"", "cos(x)"});
    TWebDlg dialog(host, nullptr, i);
    dialog.Create();
    EXPECT_EQ(dialog.ItemCount(295), 23);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("web [cos(x)]"));
    dialog.Press(252);
    dialog.SetSelectedIndex(295, 2);
    dialog.Press(212);
    host.picked(9);
    EXPECT_EQ(dialog.Press(91), platform::kIdOk);
    EXPECT_FALSE(host.paletteShown);
    const TExample& e = host.inventory[i];
    EXPECT_EQ(e.byte60, 1);
    EXPECT_EQ(e.subKind, 3);
    EXPECT_EQ(e.extraColour[1], 9);
}

}  // namespace
}  // namespace quorlin::examples
