#pragma once
// The one open export file, with every write checked.
//
// A writer appends whole elements with Write; the first failure is remembered and later writes
// are skipped, and Close reports whether the file reached the disk whole, so the export can
// say "saved" only when it was. The bytes go to a temporary file that takes the chosen name
// only when all of them were written: a failed export leaves the file it was to replace.
#include <QFileDevice>
#include <QString>

#include <memory>
#include <string_view>

namespace quorlin::canvas {

class ExportFile {
public:
    ExportFile() = default;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;
    ~ExportFile() { Close(); }

    // Starts a new file for binary writing; false when it cannot be opened.
    bool Open(const QString& path);
    bool IsOpen() const { return file_ && file_->isOpen(); }
    void Write(std::string_view bytes);
    // Puts the file in place; true when it was open and every byte was written. After a
    // failure the file is dropped.
    bool Close();
    bool Failed() const { return failed_; }
    // The operating system's text for the first failure.
    const QString& ErrorText() const { return error_; }
    const QString& Path() const { return path_; }

private:
    void Fail();

    std::unique_ptr<QFileDevice> file_;  // a QSaveFile, or a QFile for a device
    QString path_;
    bool failed_ = false;
    QString error_;
};

}  // namespace quorlin::canvas
