// Dialog templates of the main frame: the tips shown at start-up.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using resources::DialogTemplate;

// Static 201 holds the tip; check box 271 keeps the tips coming at start-up; 92 shows the next.
constexpr auto kTips = std::to_array<ControlTemplate>({
    Label(201, "", {0, 0, 3}),
    Check(271, "show tips at start-up", {1, 0, 3}),
    Button(92, "next tip", {2, 0}),
    DefButton(2, "close", {2, 2}),
});

constexpr DialogTemplate kDialogs[] = {
    {"TIPS", "tip of the day", kTips},
};

}  // namespace

std::span<const DialogTemplate> ShellDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
