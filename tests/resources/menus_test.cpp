// The menu bars and accelerator tables: popups open and close in pairs, every file menu reaches
// the frame's exit, and every accelerator and shortcut text names a command and parses.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <algorithm>
#include <set>
#include <string>

#include "resources/command_ids.h"
#include "resources/resources.h"

namespace quorlin::resources {
namespace {

using resources::MenuItemTemplate;

// Command ids of every menu bar, checking on the way that popups open and close in pairs.
std::set<int> CommandsOf(const resources::MenuTemplate& menu) {
    std::set<int> ids;
    int depth = 0;
    for (const auto& item : menu.items) {
        switch (item.kind) {
            case MenuItemTemplate::Kind::Popup:
                EXPECT_FALSE(item.text.empty()) << menu.name;
                ++depth;
                break;
            case MenuItemTemplate::Kind::EndPopup:
                --depth;
                EXPECT_GE(depth, 0) << menu.name << ": EndPopup without Popup";
                break;
            case MenuItemTemplate::Kind::Command:
                EXPECT_GT(item.id, 0) << menu.name << " " << std::string(item.text);
                EXPECT_FALSE(item.text.empty()) << menu.name << " " << item.id;
                ids.insert(item.id);
                break;
            case MenuItemTemplate::Kind::Separator:
                EXPECT_GT(depth, 0) << menu.name << ": separator on the menu bar";
                break;
        }
    }
    EXPECT_EQ(depth, 0) << menu.name << ": unclosed popup";
    return ids;
}

TEST(Menus, PopupsAreBalancedAndNamesUnique) {
    ASSERT_FALSE(AllMenus().empty());
    std::set<std::string_view> names;
    for (const auto& menu : AllMenus()) {
        EXPECT_TRUE(names.insert(menu.name).second) << menu.name;
        EXPECT_EQ(FindMenu(menu.name), &menu);
        EXPECT_FALSE(CommandsOf(menu).empty()) << menu.name;
    }
    EXPECT_EQ(FindMenu("NOMENU"), nullptr);
}

TEST(Menus, EveryFileMenuReachesTheFramesExit) {
    // Whichever window is active, its menu bar replaces the frame's: the program must still be
    // left from it.
    for (const auto& menu : AllMenus()) {
        std::set<int> fileCommands;
        int depth = 0;
        bool inFile = false;
        for (const auto& item : menu.items) {
            if (item.kind == MenuItemTemplate::Kind::Popup && depth++ == 0)
                inFile = item.text == "&File";
            if (item.kind == MenuItemTemplate::Kind::EndPopup && --depth == 0) inFile = false;
            if (inFile && item.kind == MenuItemTemplate::Kind::Command)
                fileCommands.insert(item.id);
        }
        EXPECT_TRUE(fileCommands.contains(cmd::kFrameExit)) << menu.name;
    }
}

TEST(Menus, AcceleratorsNameCommandsOfAMenuAndParse) {
    std::set<int> commands;
    for (const auto& menu : AllMenus()) commands.merge(CommandsOf(menu));
    ASSERT_FALSE(AllAcceleratorTables().empty());
    for (const auto& table : AllAcceleratorTables()) {
        SCOPED_TRACE(std::string(table.name));
        EXPECT_EQ(FindAccelerators(table.name), &table);
        std::set<QKeySequence> keys;
        for (const auto& entry : table.entries) {
            const QString text = QString::fromUtf8(entry.keys.data(), qsizetype(entry.keys.size()));
            const QKeySequence sequence =
                QKeySequence::fromString(text, QKeySequence::PortableText);
            EXPECT_FALSE(sequence.isEmpty()) << text.toStdString();
            EXPECT_EQ(sequence.toString(QKeySequence::PortableText), text) << "not portable text";
            EXPECT_TRUE(keys.insert(sequence).second) << text.toStdString() << " bound twice";
            EXPECT_TRUE(commands.contains(entry.id)) << "command " << entry.id << " in no menu";
        }
    }
}

TEST(Menus, ShortcutTextsShownInMenusMatchAnAccelerator) {
    // A menu item showing "\tCtrl+G" must be reachable with that key in the window's table.
    for (const auto& menu : AllMenus()) {
        const auto* table = FindAccelerators(menu.name);
        for (const auto& item : menu.items) {
            const auto tab = item.text.find('\t');
            if (item.kind != MenuItemTemplate::Kind::Command || tab == std::string_view::npos)
                continue;
            ASSERT_NE(table, nullptr) << menu.name << " shows shortcuts but has no table";
            const auto keys = item.text.substr(tab + 1);
            // Some items explain the mouse buttons after the tab ("Recenter RB").
            const QString keyText = QString::fromUtf8(keys.data(), qsizetype(keys.size()));
            if (QKeySequence::fromString(keyText, QKeySequence::PortableText)
                    .toString(QKeySequence::PortableText) != keyText)
                continue;
            const bool found =
                std::any_of(table->entries.begin(), table->entries.end(),
                            [&](const auto& e) { return e.keys == keys && e.id == item.id; });
            EXPECT_TRUE(found) << menu.name << ": " << std::string(item.text);
        }
    }
}

}  // namespace
}  // namespace quorlin::resources
