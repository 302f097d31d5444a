#pragma once
// Resource records held as data: dialog templates, menus and accelerator tables.
//
// src/resources/ defines the program's tables with these types; src/platform/ builds widgets,
// menu bars and shortcuts from them. A dialog template names its controls by kind and id, as the
// program's dialog code addresses them, and places them on a simple grid of rows and columns;
// the platform lays them out automatically.
#include <span>
#include <string_view>

namespace quorlin::resources {

enum class ControlKind {
    Static,     // a label; its text may come from the string table (textId)
    Edit,       // one-line edit field
    MultiEdit,  // multi-line edit field
    Button,     // push button; id 1 is OK, id 2 is Cancel/Close
    DefButton,  // default push button
    CheckBox,
    Radio,  // radio buttons with consecutive controls form a group until a GroupBox/Static
    ListBox,
    ComboBox,   // drop-down list
    ScrollBar,  // horizontal slider
    GroupBox,
};

struct ControlTemplate {
    ControlKind kind;
    int id;                 // -1 for controls the code never addresses
    std::string_view text;  // shown text; empty when textId names a string-table entry
    int row;                // grid row, from 0
    int column = 0;         // grid column, from 0
    int columnSpan = 1;
    int textId = 0;         // string-table id of the text, 0 when text is given
    bool hidden = false;    // laid out, but not shown until the dialog shows it
    bool multiple = false;  // a list box whose lines can be selected several at a time
};

struct DialogTemplate {
    std::string_view name;  // e.g. "ONEINPUT", "SETGRID"
    std::string_view caption;
    std::span<const ControlTemplate> controls;
};

struct MenuItemTemplate {
    enum class Kind { Command, Popup, Separator, EndPopup };
    Kind kind;
    std::string_view text;  // with '&' marking the mnemonic, '\t' before a shortcut text
    int id = 0;             // command id of a Command item
};

// A menu bar as a flat list: Popup opens a submenu, EndPopup closes it.
struct MenuTemplate {
    std::string_view name;
    std::span<const MenuItemTemplate> items;
};

struct AcceleratorTemplate {
    std::string_view keys;  // a QKeySequence portable text, e.g. "Ctrl+S", "F3"
    int id;                 // command id
};

struct AcceleratorTable {
    std::string_view name;
    std::span<const AcceleratorTemplate> entries;
};

}  // namespace quorlin::resources
