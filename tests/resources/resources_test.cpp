// Integrity of the resource tables: every text the code relies on is there under its id, and
// every template, menu and accelerator table is well formed, so that the widgets built from them
// behave.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "resources/resources.h"
#include "resources/string_table.h"

namespace quorlin::resources {
namespace {

using platform::ControlKind;
using platform::MenuItemTemplate;

TEST(StringTable, IsSortedWithoutDuplicates) {
    const auto table = StringTable();
    ASSERT_FALSE(table.empty());
    for (size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].id, table[i].id) << "after id " << table[i - 1].id;
    }
    for (const auto& entry : table) EXPECT_FALSE(entry.text.empty()) << entry.id;
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
}

TEST(StringTable, EveryParserErrorHasAMessageAndUnknownIdsAreEmpty) {
    for (int id = 501; id <= 519; ++id) EXPECT_FALSE(LoadString(id).isEmpty()) << id;
    EXPECT_TRUE(LoadString(0).isEmpty());
    EXPECT_TRUE(LoadString(-1).isEmpty());
    EXPECT_TRUE(LoadString(99999).isEmpty());
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

TEST(StringTable, TextsAreValidUtf8) {
    for (const auto& entry : StringTable()) {
        const QString decoded = LoadString(entry.id);
        EXPECT_EQ(decoded.toUtf8().toStdString(), std::string(entry.text)) << entry.id;
        EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter)) << entry.id;
    }
}

// Cells covered by a control: its row, columns column .. column + span - 1.
bool Overlaps(const platform::ControlTemplate& a, const platform::ControlTemplate& b) {
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

TEST(DialogTemplates, OneInputAndGridDialogsCarryTheIdsTheirCodeUses) {
    const auto has = [](const platform::DialogTemplate* d, ControlKind kind, int id) {
        return std::any_of(d->controls.begin(), d->controls.end(),
                           [&](const auto& c) { return c.kind == kind && c.id == id; });
    };
    const auto* input = FindDialog("ONEINPUT");
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(has(input, ControlKind::Static, kOneInputPromptId));
    EXPECT_TRUE(has(input, ControlKind::Edit, kOneInputEditId));
    EXPECT_TRUE(has(input, ControlKind::DefButton, 1));
    EXPECT_TRUE(has(input, ControlKind::Button, 2));

    const auto* grid = FindDialog("SETGRID");
    ASSERT_NE(grid, nullptr);
    for (int id = 211; id <= 218; ++id) EXPECT_TRUE(has(grid, ControlKind::Edit, id)) << id;
    for (int id = 271; id <= 286; ++id) EXPECT_TRUE(has(grid, ControlKind::CheckBox, id)) << id;
    for (int id = 251; id <= 256; ++id) EXPECT_TRUE(has(grid, ControlKind::Radio, id)) << id;
    // Statics hidden by id in logarithmic windows.
    for (int id : {4, 8, 38, 51, 231, 234, 235, 236})
        EXPECT_TRUE(has(grid, ControlKind::Static, id));
}

}  // namespace
}  // namespace quorlin::resources
