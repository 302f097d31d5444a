#pragma once
// The program's icon: the SVG of the resources drawn at the sizes title bars, task bars and
// window switchers ask for. The application sets it once, so every window shows it; each size
// is drawn the first time something asks for it, not at start.
#include <QIcon>

namespace quorlin::platform {

// The icon from ":/icons/quorlin.svg"; a null icon when the resource is missing.
QIcon ProgramIcon();

}  // namespace quorlin::platform
