// Dialog templates of the example level: example editing, inventory, sliders, tracing and the
// combo tool dialogs shared by 2D and 3D windows.
#include "resources/control_builders.h"
#include "resources/dialog_tables.h"

namespace quorlin::resources::detail {
namespace {

using namespace build;
using platform::DialogTemplate;

constexpr ControlTemplate kCalib[] = {
    Label("small steps", {0, 0}),
    Edit(211, {0, 1}),
    Label("medium steps", {1, 0}),
    Edit(212, {1, 1}),
    OkButton(2, 0),
    CancelButton(2, 1),
};

constexpr DialogTemplate kDialogs[] = {
    {"CALIB", "scrollbar clicks", kCalib},
};

}  // namespace

std::span<const DialogTemplate> ExampleDialogs() {
    return kDialogs;
}

}  // namespace quorlin::resources::detail
