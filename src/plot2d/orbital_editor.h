#pragma once
// The editor of an orbital system, as the planets window reaches it. The editing dialog belongs
// to the tools, which stand above the 2D levels, so the window knows it only as this function;
// the program installs it once (tools2d::InstallOrbitalEditor). Without it a system cannot be
// edited and a new one is not made.
#include <functional>

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::plot2d {

// Runs the editor modally on orbital example `index` of the window, changing the example in
// place: 1 after "draw", 2 after "cancel" (the caller restores the example).
using TOrbitalEditorRun = std::function<int(examples::TPlot11Win& window, int index)>;

void SetOrbitalEditor(TOrbitalEditorRun run);
const TOrbitalEditorRun& GetOrbitalEditor();

}  // namespace quorlin::plot2d
