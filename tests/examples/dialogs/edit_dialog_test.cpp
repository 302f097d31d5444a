// The editing, family and web dialogs driven by control id on a fake window: what OK stores
// and reports, what a refusal shows and keeps, the switches that rearrange the controls, the
// colour roles and the palette.
#include "examples/dialogs/edit_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/errors.h"
#include "examples/operations/example_editor.h"
#include "platform/boxes.h"
#include "resources/resources.h"

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
    // Opens the editing dialog on a new example of the kind with texts 1, 2, ...
    TEditExmpDlg& Edit(int kindCode, std::vector<std::string> texts) {
        i = host.Add(kindCode, std::move(texts));
        dialog = std::make_unique<TEditExmpDlg>(host, nullptr, i, &mask);
        dialog->Create();
        return *dialog;
    }
    TExample& Example() { return host.inventory[i]; }

    FakeHost host;
    platform::ScriptedPrompter prompter;
    std::uint32_t mask = 99;
    int i = -1;
    std::unique_ptr<TEditExmpDlg> dialog;
};

// Every editing template against the editor's rules: each control the editor fills, checks,
// labels or hides is a control of that kind in the kind's template, and each edit field of the
// template that shows is filled. A slip of one id leaves a field blank or a value unread.
TEST(EditorTemplates, EveryTemplateHasTheControlsItsEditorUses) {
    using resources::ControlKind;
    std::vector<TExample> records;
    // The orbital system has a dialog of its own.
    for (int kindCode = 201; kindCode <= 403; ++kindCode) {
        TExample e;
        e.Init(kindCode, 4, 50);
        if (kindCode == kind::kRevolution) e.subKind = kind::kParametric;  // its profile
        if (kindCode != kind::kOrbital && resources::FindDialog(EditorTemplateName(e)))
            records.push_back(std::move(e));
    }
    TExample lagrange;
    lagrange.Init(kind::kExplicit, 4, 50);
    lagrange.LagrangeForm() = 1;
    records.push_back(std::move(lagrange));
    ASSERT_GE(records.size(), 33u);
    FormulaContext formulas;
    for (const TExample& e : records) {
        const std::string name = EditorTemplateName(e);
        SCOPED_TRACE(name + " for kind " + std::to_string(e.kind));
        const resources::DialogTemplate* t = resources::FindDialog(name);
        std::map<int, ControlKind> controls;
        for (const resources::ControlTemplate& c : t->controls)
            if (c.id > 0) controls.emplace(c.id, c.kind);
        const auto is = [&](int id, std::initializer_list<ControlKind> kinds) {
            const auto it = controls.find(id);
            return it != controls.end() && std::ranges::find(kinds, it->second) != kinds.end();
        };
        const TEditorForm form = TExampleEditor(e, 0, TEditorEnv{}, formulas).Load();
        for (const auto& [id, text] : form.edits)
            EXPECT_TRUE(is(id, {ControlKind::Edit, ControlKind::MultiEdit})) << "edit " << id;
        for (const int id : form.checked)
            EXPECT_TRUE(is(id, {ControlKind::CheckBox, ControlKind::Radio})) << "switch " << id;
        for (const auto& [id, text] : form.labels)
            EXPECT_TRUE(is(id, {ControlKind::Static, ControlKind::CheckBox, ControlKind::Radio,
                                ControlKind::GroupBox, ControlKind::Button}))
                << "label " << id;
        for (const int id : form.hidden) EXPECT_TRUE(controls.contains(id)) << "hidden " << id;
        for (const int id : form.disabled) EXPECT_TRUE(controls.contains(id)) << "disabled " << id;
        for (const auto& [id, kindOf] : controls)
            if (kindOf == ControlKind::Edit && !form.edits.contains(id) && form.IsShown(id))
                ADD_FAILURE() << "edit " << id << " of the template is not filled";
    }
}

TEST_F(EditDialogTest, OkStoresTheRecordAndReportsTheChange) {
    TEditExmpDlg& d = Edit(kind::kExplicit, {"", "x^2"});
    EXPECT_EQ(std::tuple(d.TemplateName(), d.GetText(212),
                         d.Control(212, ControlKind::Edit)->font().pointSize()),
              std::tuple("EQUA201", QStringLiteral("x^2"), 13));
    d.SetText(212, QStringLiteral("sin(x)"));
    d.SetText(227, QStringLiteral("2@"));
    EXPECT_EQ(d.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(std::tuple(Example().Text(2), Example().pen.width, host.newPenWidth, mask,
                         prompter.messages.size()),
              std::tuple("sin(x)", 2, 2, change::kCompile | change::kAny, 0u));
}

// Opened from the inventory, which is made busy meanwhile, the dialog sees the window system
// hand the activation on to the window it edits for: it takes the keyboard back, its formula
// focused and selected, so that typing replaces the formula instead of going nowhere.
TEST_F(EditDialogTest, TheDialogTakesTheKeyboardWithItsFirstTextSelected) {
    QWidget owner;
    owner.show();
    i = host.Add(kind::kExplicit, {"", "x^3-1"});
    TEditExmpDlg d(host, &owner, i, &mask);
    d.Create();
    d.show();
    QApplication::processEvents();
    owner.activateWindow();  // as the window system did
    for (int k = 0; k < 3; ++k) QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &d);
    auto* edit = qobject_cast<QLineEdit*>(d.Control(212, ControlKind::Edit));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("x^3-1"));
    // Typed where the keyboard goes now.
    for (const QChar c : QStringLiteral("x^2")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    EXPECT_EQ(d.GetText(212), QStringLiteral("x^2"));
}

TEST_F(EditDialogTest, RefusalShowsTheErrorAndKeepsTheRecord) {
    TEditExmpDlg& d = Edit(kind::kImplicit, {"", "", "", "", "x^2+y^2=1"});
    d.SetText(218, QStringLiteral("x^2+y^2"));
    EXPECT_EQ(d.Press(platform::kIdOk), 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(std::tuple(prompter.messages[0].error, prompter.messages[0].text, Example().Text(5)),
              std::tuple(true, QStringLiteral("missing ="), "x^2+y^2=1"));
    d.SetText(218, QStringLiteral("x^2 = 1 - y^2"));
    EXPECT_EQ(d.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(Example().Text(3), " 1 - y^2-(x^2 )");
}

TEST_F(EditDialogTest, CancelAfterAColourLeavesTheColourAndHidesThePalette) {
    host.roles[8] = 7;
    TEditExmpDlg& d = Edit(kind::kSegment, {"0", "0", "1", "1"});
    EXPECT_EQ(host.roles[8], Example().pen.colour);
    d.Press(208);
    EXPECT_EQ(host.chosen.back(), (std::pair<int, int>{8, 244}));  // "segment"
    host.roles[8] = 12;                                            // the user's choice
    EXPECT_EQ(d.Press(platform::kIdCancel), platform::kIdCancel);
    EXPECT_EQ(std::tuple(Example().pen.colour, host.paletteShown, mask), std::tuple(4, false, 99u));
}

TEST_F(EditDialogTest, ColourChosenWhileOpenIsStored) {
    TEditExmpDlg& d = Edit(kind::kSurface, {"", "", "x*y"});
    d.Press(206);
    EXPECT_EQ(host.shadingChosen, 1);
    host.roles[6] = 30;
    d.Press(210);
    host.picked(41);
    d.Press(354);
    EXPECT_EQ(host.help.back(), (std::pair<int, int>{kind::kSurface, 252}));
    EXPECT_EQ(d.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(std::tuple(Example().extraColour[0], Example().GridColour(), mask),
              std::tuple(30, 41, change::kAny));
}

TEST_F(EditDialogTest, LockIntervalShowsTheEndMarksAndTheRangeFormulas) {
    TEditExmpDlg& d = Edit(kind::kExplicit, {"", "x"});
    EXPECT_FALSE(d.IsControlShown(216));
    d.Press(271);
    EXPECT_TRUE(d.IsControlShown(216));
    d.SetText(221, QStringLiteral("-1@A"));
    d.SetText(223, QStringLiteral("2"));
    d.Press(272);  // periodic instead
    EXPECT_FALSE(d.IsChecked(271));
    EXPECT_EQ(d.Press(platform::kIdOk), platform::kIdOk);
    EXPECT_EQ(std::tuple(Example().Text(7), Example().periodic, host.formulas.Var(1)),
              std::tuple("A;2", 1, -1));
}

TEST_F(EditDialogTest, PolarSwitchRenamesTheParametricDialog) {
    TEditExmpDlg& d = Edit(kind::kParametric, {"cos(t)", "sin(t)", "", "", "", "", "0;1"});
    EXPECT_EQ(d.windowTitle(), QStringLiteral("x = f(t) , y = g(t)"));
    d.Press(276);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("r = f(t) , theta = g(t)"));
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
    // Defined, and watched: the steps keep the watch as their sign.
    EXPECT_TRUE(host.inventory[i].familyOn == 1 && host.inventory[i].familySteps < 0);

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
    EXPECT_EQ(std::tuple(e.WebOn(), e.subKind, e.extraColour[1]), std::tuple(1, 3, 9));
}

}  // namespace
}  // namespace quorlin::examples
