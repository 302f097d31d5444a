#pragma once
// The one open export file, written whole when it is closed.
//
// A writer appends whole elements with Write; they are collected in memory (a picture is small)
// and Close hands them to the checked WriteWholeFile, which reports whether the file reached
// the disk whole, so the export can say "saved" only when it was. A failed export leaves the
// file it was to replace as it was.
#include <QString>

#include <string>
#include <string_view>

#include "platform/whole_file.h"

namespace quorlin::canvas {

class ExportFile {
public:
    ExportFile() = default;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;
    ~ExportFile() { Close(); }

    // Starts a new file; false when its folder is not there or the target is a folder.
    bool Open(const QString& path);
    bool IsOpen() const { return open_; }
    void Write(std::string_view bytes);
    // Writes the file; true when it was open and every byte reached the disk.
    bool Close();
    bool Failed() const { return failed_; }
    // The operating system's number and text for the failure.
    int ErrorNumber() const { return error_.number; }
    const QString& ErrorText() const { return error_.reason; }
    const QString& Path() const { return path_; }

private:
    bool Fail(int number);

    std::string bytes_;
    QString path_;
    bool open_ = false;
    bool failed_ = false;
    platform::WriteError error_;
};

}  // namespace quorlin::canvas
