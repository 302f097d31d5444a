#include "canvas/export_file.h"

namespace quorlin::canvas {

bool ExportFile::Open(const QString& path) {
    Close();
    failed_ = false;
    error_.clear();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Fail();
        return false;
    }
    return true;
}

void ExportFile::Write(std::string_view bytes) {
    if (!file_.isOpen() || failed_ || bytes.empty()) return;
    const auto size = static_cast<qint64>(bytes.size());
    if (file_.write(bytes.data(), size) != size) Fail();
}

bool ExportFile::Close() {
    if (!file_.isOpen()) return false;
    if (!failed_ && !file_.flush()) Fail();
    file_.close();
    if (!failed_ && file_.error() != QFileDevice::NoError) Fail();
    return !failed_;
}

void ExportFile::Fail() {
    if (!failed_) error_ = file_.errorString();
    failed_ = true;
}

}  // namespace quorlin::canvas
