#include "canvas/export_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace quorlin::canvas {

bool ExportFile::Open(const QString& path) {
    Close();
    failed_ = false;
    error_.clear();
    path_ = path;
    // A device or pipe is written as it is: putting a new file in its place would replace it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        file_ = std::make_unique<QFile>(path);
    } else {
        auto save = std::make_unique<QSaveFile>(path);
        // A folder that takes no temporary file is written directly.
        save->setDirectWriteFallback(true);
        file_ = std::move(save);
    }
    if (!file_->open(QIODevice::WriteOnly)) {
        Fail();
        file_.reset();
        return false;
    }
    return true;
}

void ExportFile::Write(std::string_view bytes) {
    if (!IsOpen() || failed_ || bytes.empty()) return;
    const auto size = static_cast<qint64>(bytes.size());
    if (file_->write(bytes.data(), size) != size) Fail();
}

bool ExportFile::Close() {
    if (!IsOpen()) return false;
    if (!failed_ && !file_->flush()) Fail();
    if (auto* save = qobject_cast<QSaveFile*>(file_.get())) {
        if (failed_) save->cancelWriting();
        if (!save->commit()) Fail();  // after a cancel it only drops the temporary file
    } else {
        file_->close();
        if (!failed_ && file_->error() != QFileDevice::NoError) Fail();
    }
    file_.reset();
    return !failed_;
}

void ExportFile::Fail() {
    if (!failed_) error_ = file_->errorString();
    failed_ = true;
}

}  // namespace quorlin::canvas
