#pragma once
// Where tests find their data files: the source tree's tests/ folder.
#include <QString>

namespace quorlin::testing {

// Absolute path of a file below tests/ in the source tree.
QString TestDataPath(const QString& relative);

}  // namespace quorlin::testing
