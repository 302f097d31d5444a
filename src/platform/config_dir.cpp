#include "platform/config_dir.h"

#include <QDir>

namespace quorlin::platform {

QString ConfigDir() {
    QString dir = qEnvironmentVariable("QUORLIN_CONFIG_DIR");
    if (dir.isEmpty()) {
        QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (base.isEmpty()) base = QDir::home().filePath(QStringLiteral(".config"));
        dir = QDir(base).filePath(QStringLiteral("quorlin"));
    }
    QDir().mkpath(dir);
    return dir;
}

QString ConfigFilePath(const QString& fileName) {
    return QDir(ConfigDir()).filePath(fileName);
}

}  // namespace quorlin::platform
