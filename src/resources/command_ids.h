#pragma once
// Command ids shared by the menus, the accelerator tables and the windows' command handlers.
namespace quorlin::resources::cmd {

// Standard dialog buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 91;

}  // namespace quorlin::resources::cmd
