#include "test_paths.h"

#include <QDir>

namespace quorlin::testing {

QString TestDataPath(const QString& relative) {
    const QString root = qEnvironmentVariable("QUORLIN_SOURCE_DIR", QStringLiteral(QUORLIN_SOURCE_DIR_DEFAULT));
    return QDir(root).filePath(QStringLiteral("tests/") + relative);
}

}  // namespace quorlin::testing
