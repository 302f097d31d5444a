// Integrity of the resource tables: every text the code relies on is there under its id, and
// every dialog template is well formed, so that the widgets built from them behave. The menus
// and accelerators have their own test (menus_test.cpp), as reading shortcuts needs Qt Gui.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/command_ids.h"
#include "resources/resources.h"
#include "resources/string_table.h"

namespace quorlin::resources {
namespace {

using resources::ControlKind;
using resources::MenuItemTemplate;

TEST(StringTable, IsSortedWithoutDuplicatesAndHoldsValidUtf8) {
    const auto table = StringTable();
    ASSERT_FALSE(table.empty());
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& entry = table[i];
        if (i > 0) EXPECT_LT(table[i - 1].id, entry.id) << "after id " << table[i - 1].id;
        const QString decoded = LoadString(entry.id);
        EXPECT_FALSE(decoded.isEmpty()) << entry.id;
        EXPECT_EQ(decoded.toUtf8().toStdString(), std::string(entry.text)) << entry.id;
        EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter)) << entry.id;
    }
    EXPECT_TRUE(LoadString(0).isEmpty());
    EXPECT_TRUE(LoadString(-1).isEmpty());
    EXPECT_TRUE(LoadString(99999).isEmpty());
}

TEST(StringTable, HoldsTheTextsTheProgramQuotes) {
    const std::pair<int, const char*> quoted[] = {
        {2, "careful!"},
        {13, "overwrite existing file?"},
        {29, "noname"},
        {62, "hmm ..."},
        {86, "current value of x"},
        {88, "success"},
        {89, "TeX file saved"},
        {92, "SVG file saved"},
        {96, "EPS files (*.EPS)|*.eps"},
        {97, "SVG files (*.SVG)|*.svg"},
        {98, "TeX files (*.TEX)|*.tex"},
        {99, "Enhanced metafiles (*.EMF)|*.emf"},
        {158, "plug "},
        {168, "ivps "},
        {269, "Plot3D files (*.QZ3)|*.qz3"},
        {341, "f <-- g"},
        {401, "cannot understand"},
        {406, "inconsistent data"},
        {408, "incompatible versions!"},
        {411, "cannot open file"},
        {414, "positive value?"},
        {417, "out of bounds"},
        {420, "too large"},
        {509, "not enough examples"},
        {601, "press Q to quit"},
        {605, "Q=quit P=pause F=fast S=slow"},
        {607, "slide #"},
    };
    for (const auto& [id, text] : quoted) EXPECT_EQ(LoadString(id), QString::fromUtf8(text)) << id;
    for (int id = 501; id <= 519; ++id)
        EXPECT_FALSE(LoadString(id).isEmpty()) << "parser error " << id;
}

TEST(StringTable, HasOneTipPerIdOfTheTipRange) {
    std::set<QString> tips;
    for (int id = kFirstTipId; id <= kLastTipId; ++id) {
        const QString tip = LoadString(id);
        EXPECT_FALSE(tip.isEmpty()) << id;
        EXPECT_LE(tip.size(), 160) << "tip " << id << " too long for the tips box";
        tips.insert(tip);
    }
    EXPECT_EQ(tips.size(), size_t(kLastTipId - kFirstTipId + 1)) << "a tip is repeated";
    EXPECT_TRUE(LoadString(kLastTipId + 1).isEmpty());
}

// Cells covered by a control: its row, columns column .. column + span - 1.
bool Overlaps(const resources::ControlTemplate& a, const resources::ControlTemplate& b) {
    return a.row == b.row && a.column < b.column + b.columnSpan &&
           b.column < a.column + a.columnSpan;
}

bool IsButton(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::DefButton;
}

TEST(DialogTemplates, AreFoundByNameAndNamesAreUnique) {
    const auto& all = AllDialogs();
    ASSERT_FALSE(all.empty());
    std::set<std::string_view> names;
    for (const auto* dialog : all) {
        EXPECT_TRUE(names.insert(dialog->name).second) << dialog->name;
        EXPECT_EQ(FindDialog(dialog->name), dialog);
        EXPECT_FALSE(dialog->caption.empty()) << dialog->name;
    }
    EXPECT_EQ(FindDialog("NO SUCH DIALOG"), nullptr);
    EXPECT_EQ(FindDialog(""), nullptr);
}

TEST(DialogTemplates, ControlsAreAddressableAndLaidOutOnFreeCells) {
    for (const auto* dialog : AllDialogs()) {
        SCOPED_TRACE(std::string(dialog->name));
        const auto controls = dialog->controls;
        EXPECT_TRUE(std::any_of(controls.begin(), controls.end(), [](const auto& c) {
            return IsButton(c.kind);
        })) << "no button";
        std::set<std::pair<ControlKind, int>> seen;
        for (size_t i = 0; i < controls.size(); ++i) {
            const auto& c = controls[i];
            EXPECT_GE(c.row, 0);
            EXPECT_GE(c.column, 0);
            EXPECT_GE(c.columnSpan, 1);
            if (c.textId != 0) {
                EXPECT_TRUE(c.text.empty()) << "control " << c.id << " has two texts";
                EXPECT_FALSE(LoadString(c.textId).isEmpty()) << "string " << c.textId;
            }
            if (c.id != -1) {
                EXPECT_TRUE(seen.insert({c.kind, c.id}).second)
                    << "control id " << c.id << " twice";
            }
            for (size_t j = 0; j < i; ++j) {
                EXPECT_FALSE(Overlaps(c, controls[j]))
                    << "controls " << controls[j].id << " and " << c.id << " share row " << c.row;
            }
        }
    }
}

std::set<std::pair<ControlKind, int>> ControlsOf(const resources::DialogTemplate& dialog) {
    std::set<std::pair<ControlKind, int>> controls;
    for (const auto& c : dialog.controls) controls.insert({c.kind, c.id});
    return controls;
}

TEST(DialogTemplates, OneInputAndGridDialogsCarryTheIdsTheirCodeUses) {
    ASSERT_NE(FindDialog("ONEINPUT"), nullptr);
    ASSERT_NE(FindDialog("SETGRID"), nullptr);
    const auto input = ControlsOf(*FindDialog("ONEINPUT"));
    for (const std::pair<ControlKind, int> c : {std::pair{ControlKind::Static, kOneInputPromptId},
                                                {ControlKind::Edit, kOneInputEditId},
                                                {ControlKind::DefButton, 1},
                                                {ControlKind::Button, 2}}) {
        EXPECT_TRUE(input.contains(c)) << c.second;
    }
    const auto grid = ControlsOf(*FindDialog("SETGRID"));
    for (int id = 211; id <= 218; ++id) EXPECT_TRUE(grid.contains({ControlKind::Edit, id})) << id;
    for (int id = 271; id <= 286; ++id)
        EXPECT_TRUE(grid.contains({ControlKind::CheckBox, id})) << id;
    for (int id = 251; id <= 256; ++id) EXPECT_TRUE(grid.contains({ControlKind::Radio, id})) << id;
    // Statics hidden by id in logarithmic windows.
    for (int id : {4, 8, 38, 51, 231, 234, 235, 236})
        EXPECT_TRUE(grid.contains({ControlKind::Static, id})) << id;
}

TEST(DialogTemplates, ExampleEditorsKeepToTheEditorsIdBlocks) {
    // The example editor binds its controls by slot: edits 201-240, check boxes 271-282,
    // radio buttons 251-262, labels 281-292, plus a few fixed buttons and labels.
    int editors = 0;
    for (const auto* dialog : AllDialogs()) {
        // The orbital system and the surface chooser have dialogs of their own.
        if (!dialog->name.starts_with("EQUA") || dialog->name == "EQUA219" ||
            dialog->name == "EQUA317")
            continue;
        SCOPED_TRACE(std::string(dialog->name));
        ++editors;
        const auto controls = ControlsOf(*dialog);
        for (const auto& [kind, id] :
             std::initializer_list<std::pair<ControlKind, int>>{{ControlKind::DefButton, 1},
                                                                {ControlKind::Button, 2},
                                                                {ControlKind::Button, 208},
                                                                {ControlKind::Button, 354}}) {
            EXPECT_TRUE(controls.contains({kind, id})) << "button " << id;
        }
        for (const auto& [kind, id] : controls) {
            if (kind == ControlKind::Edit) {
                EXPECT_TRUE(id > 200 && id <= 240) << id;
            }
            if (kind == ControlKind::CheckBox) {
                EXPECT_TRUE(id >= 271 && id <= 282) << id;
            }
            if (kind == ControlKind::Radio) {
                EXPECT_TRUE(id >= 251 && id <= 262) << id;
            }
        }
    }
    EXPECT_GE(editors, 30);
}

TEST(DialogTemplates, EveryNewExampleCommandHasItsEditor) {
    // An example of kind k is made by command k + 700 and edited on EQUA<k>; points are all
    // edited on the point template.
    const std::pair<std::string_view, int> windows[] = {{"PLOT2MENU", 2}, {"PLOT3MENU", 3}};
    for (const auto& [name, dimension] : windows) {
        SCOPED_TRACE(std::string(name));
        const auto* menu = FindMenu(name);
        ASSERT_NE(menu, nullptr);
        const int first = 700 + 100 * dimension + 1;
        int commands = 0;
        for (const auto& item : menu->items) {
            if (item.kind != MenuItemTemplate::Kind::Command || item.id < first ||
                item.id > first + 24)
                continue;
            ++commands;
            const int kind = item.id - 700;
            const bool point = kind == 209 || kind == 309 || kind == 313 || kind == 314;
            const std::string editor = "EQUA" + std::to_string(point ? 309 : kind);
            EXPECT_NE(FindDialog(editor), nullptr) << "command " << item.id;
        }
        EXPECT_GE(commands, 14);
    }
}

// Radio buttons form one exclusive group until a label or a group box comes between them in
// the order of the template, as the dialog builder groups them.
std::map<int, int> RadioGroups(const resources::DialogTemplate& dialog) {
    std::map<int, int> groupOf;
    int group = 0;
    bool inGroup = false;
    for (const auto& c : dialog.controls) {
        if (c.kind == ControlKind::Static || c.kind == ControlKind::GroupBox) {
            if (inGroup) ++group;
            inGroup = false;
        } else if (c.kind == ControlKind::Radio) {
            groupOf[c.id] = group;
            inGroup = true;
        }
    }
    return groupOf;
}

TEST(DialogTemplates, RadioButtonsFormTheGroupsTheirDialogsRead) {
    // Each inner list is one exclusive choice; different lists must not exclude each other.
    const std::pair<std::string_view, std::vector<std::vector<int>>> expected[] = {
        {"VIEWALL", {{251, 252}}},
        {"SETGRID", {{251, 252, 253, 254}, {255, 256}}},
        {"PICTEX", {{251, 252, 253, 254}}},
        {"NEWTEXT1", {{251, 252, 253}}},
        {"MANYPTS", {{251, 252}, {253, 254, 255}, {256, 257}}},
        {"EQUA201", {{251, 252, 253}, {254, 255, 256}}},
        {"EQUA205", {{251, 252, 253}, {254, 255, 256, 257}}},
        {"WEB", {{251, 252}}},
        {"VOLTWO", {{251, 252}}},
    };
    for (const auto& [name, choices] : expected) {
        SCOPED_TRACE(std::string(name));
        const auto* dialog = FindDialog(name);
        ASSERT_NE(dialog, nullptr);
        const auto groupOf = RadioGroups(*dialog);
        std::set<int> groupsSeen;
        for (const auto& choice : choices) {
            ASSERT_TRUE(groupOf.contains(choice.front())) << choice.front();
            const int group = groupOf.at(choice.front());
            EXPECT_TRUE(groupsSeen.insert(group).second) << "two choices share a group";
            for (int id : choice) {
                ASSERT_TRUE(groupOf.contains(id)) << id;
                EXPECT_EQ(groupOf.at(id), group) << "radio " << id;
            }
        }
    }
}

TEST(HelpTexts, EveryNameLoadsAndUnknownNamesGiveNothing) {
    ASSERT_FALSE(HelpTextNames().empty());
    for (const auto name : HelpTextNames()) {
        EXPECT_GT(HelpText(name).size(), 100) << name;
    }
    // Every menu bar has a help text of its own besides the per-popup ones.
    EXPECT_EQ(HelpTextNames().size(), 24u);
    EXPECT_TRUE(HelpText("NOHELP").isEmpty());
    EXPECT_TRUE(HelpText("../help").isEmpty());
}

}  // namespace
}  // namespace quorlin::resources
