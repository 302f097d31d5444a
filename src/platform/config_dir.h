#pragma once
// Where Quorlin keeps its configuration files ("qz.ini", the window kinds' ini files, "qz.tip").
#include <QString>

namespace quorlin::platform {

// $QUORLIN_CONFIG_DIR when set, else $XDG_CONFIG_HOME/quorlin, else ~/.config/quorlin.
// The folder is created on first use.
QString ConfigDir();

// Full path of a configuration file in that folder.
QString ConfigFilePath(const QString& fileName);

}  // namespace quorlin::platform
