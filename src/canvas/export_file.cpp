#include "canvas/export_file.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>

namespace quorlin::canvas {

bool ExportFile::Open(const QString& path) {
    Close();
    failed_ = false;
    error_ = {};
    bytes_.clear();
    path_ = path;
    // Refused at once, before any frame is painted for nothing.
    const QFileInfo target(path);
    if (path.isEmpty() || !QFileInfo(target.absolutePath()).isDir()) return Fail(ENOENT);
    if (target.isDir()) return Fail(EISDIR);
    open_ = true;
    return true;
}

void ExportFile::Write(std::string_view bytes) {
    if (open_) bytes_.append(bytes);
}

bool ExportFile::Close() {
    if (!open_) return false;
    open_ = false;
    const std::span written(reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size());
    if (!platform::WriteWholeFile(path_, written, &error_)) failed_ = true;
    bytes_.clear();
    bytes_.shrink_to_fit();
    return !failed_;
}

bool ExportFile::Fail(int number) {
    error_ = {number, QString::fromLocal8Bit(std::strerror(number))};
    failed_ = true;
    return false;
}

}  // namespace quorlin::canvas
