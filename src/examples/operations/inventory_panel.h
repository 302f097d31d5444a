#pragma once
// What the inventory dialog shows and allows, without the dialog: the line of each example
// ("$" for a family member, the hidden tag, the name, the equation text), the captions of its
// three buttons that change with the window and the selection, and which of its buttons a
// selection enables.
#include <span>
#include <string>

#include "examples/records/inventory.h"
#include "formula/expr_node.h"

namespace quorlin::examples {

// Buttons and the list of the inventory dialog "INVENT".
namespace invent {
inline constexpr int kList = 293;
inline constexpr int kEdit = 51;
inline constexpr int kDelete = 52;
inline constexpr int kDuplicate = 739;
inline constexpr int kClip = 95;
inline constexpr int kTable = 757;
inline constexpr int kFamily = 818;
inline constexpr int kGraph = 736;
inline constexpr int kEquation = 744;
inline constexpr int kName = 793;
inline constexpr int kDerive = 797;
inline constexpr int kWeb = 798;
inline constexpr int kClipEdit = 219;
}  // namespace invent

// The window as the inventory dialog sees it.
struct TInventoryMode {
    bool map = false;  // a map window that is not logarithmic
    bool threeD = false;
    bool logarithmic = false;
    bool absMode = false;       // button 798 offers "| f(x) |" rather than "web"
    bool derivatives = false;   // the window adds derivative examples of curves
    bool levelsDialog = false;  // a 3D window's "levels" opens the level-curve dialog
    bool boxDialog = false;     // a 3D window's "box" edits an example's box
};

// The list line of an example: "$" for a family member, the hidden tag "[hidden]" for a hidden
// example, its name, then ": " and the description (each part after a blank when something
// stands before it).
std::string InventoryLine(const TInventoryEntry& entry, const std::string& description);

// Captions of the buttons whose text changes: 797 by window and selection count, 798 by
// window and mode, 757 by the selected kind.
std::string DeriveCaption(const TInventoryMode& mode, int selected);
std::string WebCaption(const TInventoryMode& mode);
std::string TableCaption(int selectedKind);

// False when a node of the several-argument ARG lies in the tree.
bool CanDifferentiate(const TExprNode* tree);
// Whether the table lists values of the example: curves and surfaces, and the kinds drawn
// through trajectories once they have one.
bool HasTraceableRecord(const TExample& e);

// Whether a button of the dialog is enabled for the selected examples (inventory indices).
bool InventoryButtonEnabled(int id, const TInventory& inventory, std::span<const int> selected,
                            const TInventoryMode& mode);

}  // namespace quorlin::examples
