// Dialog templates of the formula level: the user-defined functions.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// List 295 shows the functions; edits 211 and 212 hold a name and a body, radios 251-253 its
// argument count; 790 defines or replaces, 52 deletes the selected one, 2 hides the dialog.
// The edits take any length, so that an over-long name or body is refused with a reason
// rather than cut short.
constexpr auto kFunctions = std::to_array<ControlTemplate>({
    List(295, {0, 0, 4}),
    Label("name (at most 9 letters)", {1, 0}),
    Edit(211, {1, 1, 3}),
    Label("body (at most 60 characters)", {2, 0}),
    Edit(212, {2, 1, 3}),
    Label("arguments", {3, 0}),
    Radio(251, "X", {3, 1}),
    Radio(252, "X,Y", {3, 2}),
    Radio(253, "X,Y,Z", {3, 3}),
    DefButton(790, "define", {4, 0}),
    Button(52, "delete", {4, 1}),
    Button(2, "close", {4, 3}),
});

constexpr DialogTemplate kDialogs[] = {
    {"FUNC", "user functions", kFunctions},
};

}  // namespace

std::span<const DialogTemplate> FormulaDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
