#pragma once
// Whole files in memory, saved safely, and the head check of diagram files.
//
// A file is read into memory at once and parsed with a bounded ByteReader. Saving goes through
// the platform's WriteWholeFile, which renames a temporary file over the target only when every
// byte was written, so a failed save never destroys the previous file.
//
// DiagramReader and DiagramWriter are the window-independent part of opening a diagram:
// the reader checks the head against the window's kind and version and leaves its cursor at
// the first byte of the body; the writer starts the buffer with the head.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/binio.h"
#include "platform/whole_file.h"
#include "shell/records/file_head.h"

namespace quorlin {

// Files are read and written whole by the platform's checked reader and writer.
using platform::FileWriteCall;
using platform::kMaxFileBytes;
using platform::ReadWholeFile;
using platform::ScopedFileWriteCall;
using platform::WriteWholeFile;

// What a failed save found at its target and the system's error that stopped it, and the error
// number the user is shown: 2 "could not find" for a folder that is not there (also where the
// system says so of a folder on the way, ENOENT, or finds a file there, ENOTDIR); 4 "no more room"
// when the system says the room ran out (a full disk, the user's quota, the largest file the
// process may write), also on a device that needs no room in the folder; 11 "cannot open file"
// for any other error the system names (an input/output error, a name too long, no permission)
// and for a target that is a folder or a file or folder that takes no writing. Without an error
// of the system (0) a target in order that still did not take the bytes is a full disk.
struct SaveTargetState {
    bool folderExists = true;
    bool folderWritable = true;
    bool targetIsFolder = false;
    bool targetExists = false;
    bool targetWritable = true;
    int systemError = 0;
};
SaveTargetState SaveTargetStateOf(const QString& path, int systemError = 0);
int SaveErrorNumber(const SaveTargetState& state);

// Writes bytes whole over path: 0, or the error number of the failure (SaveErrorNumber) with
// the system's reason in *reason.
int SaveWholeFile(const QString& path, std::span<const std::uint8_t> bytes, QString* reason);

class DiagramReader {
public:
    DiagramReader() = default;
    // The body's cursor points into this reader's bytes; a copy would point into the original.
    DiagramReader(const DiagramReader&) = delete;
    DiagramReader& operator=(const DiagramReader&) = delete;

    // 0 when the file could be read and its head fits a window of the given kind;
    // kErrCannotOpenFile for an unreadable file, a short head, another kind or version 0;
    // kErrIncompatibleVersion for a version above programVersion.
    int Open(const QString& path, int kind, int programVersion = kProgramVersion);

    const TFileHead& Head() const { return head_; }
    int Version() const { return head_.Version(); }
    // The body, positioned after the head. Only valid after Open returned 0.
    ByteReader& Body() { return *body_; }

private:
    std::vector<std::uint8_t> bytes_;
    TFileHead head_;
    std::optional<ByteReader> body_;
};

class DiagramWriter {
public:
    explicit DiagramWriter(int kind, int version = kProgramVersion);

    ByteWriter& Body() { return out_; }
    const std::vector<std::uint8_t>& Bytes() const { return out_.Data(); }
    bool Save(const QString& path, QString* error = nullptr) const;

private:
    ByteWriter out_;
};

}  // namespace quorlin
