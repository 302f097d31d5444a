#pragma once
// The solid windows of the plane windows' solid tools (examples/levels/solid_windows.h) as 3D
// windows owned by their plane window: a TPlotSWin in a frame of its own above its owner, made
// with the owner's choice of defaults and version, shown again after its "Close" hid it, and
// ended by the owner.
//
// InstallSolidWindows sets the maker the tools ask for them.
namespace quorlin::plot3d {

void InstallSolidWindows();

}  // namespace quorlin::plot3d
