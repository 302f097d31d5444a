#pragma once
// The one open export file, with every write checked.
//
// A writer appends whole elements with Write; the first failure is remembered and later writes
// are skipped, and Close reports whether the file reached the disk whole, so the export can
// say "saved" only when it was.
#include <QFile>
#include <QString>

#include <string_view>

namespace quorlin::canvas {

class ExportFile {
public:
    ExportFile() = default;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;
    ~ExportFile() { Close(); }

    // Creates or truncates the file for binary writing; false when it cannot be opened.
    bool Open(const QString& path);
    bool IsOpen() const { return file_.isOpen(); }
    void Write(std::string_view bytes);
    // Flushes and closes; true when the file was open and every byte was written.
    bool Close();
    bool Failed() const { return failed_; }
    // The operating system's text for the first failure.
    const QString& ErrorText() const { return error_; }
    QString Path() const { return file_.fileName(); }

private:
    void Fail();

    QFile file_;
    bool failed_ = false;
    QString error_;
};

}  // namespace quorlin::canvas
