#include "shell/document_host.h"

#include <QDir>
#include <QFileInfo>

namespace quorlin {

namespace {

QString Resolved(const QString& name) {
    const QFileInfo info(name);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

bool SameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && Resolved(a) == Resolved(b);
}

}  // namespace quorlin
