#pragma once
// Whole files in memory: every file the program reads or writes goes through here.
//
// A file is read at once, and only when it is a regular file of bounded size. A file is written
// at once: the bytes go to a temporary file beside the target, every write's result and the
// written size are checked and the bytes are on the disk before the new file is renamed over
// the old one, so a failed write (a full disk) never destroys the previous file. A device or a
// pipe standing at the target is written to in place, never replaced by a file.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace quorlin::platform {

// Files above this size are not diagrams or ini files of this program.
inline constexpr std::int64_t kMaxFileBytes = 512LL * 1024 * 1024;

// The bytes of the file. Nothing when it cannot be read, is larger than maxBytes, or is not a
// regular file: a FIFO, a device or a socket given as a diagram or standing in for an ini file
// is refused at once instead of waiting for a writer.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const QString& path,
                                                       std::int64_t maxBytes = kMaxFileBytes);

// Why a write failed: the operating system's error number and its text for it.
struct WriteError {
    int number = 0;
    QString reason;
};

// Replaces the file at path by bytes. On failure returns false, leaves any previous file as it
// was and, when error is given, puts the operating system's reason there. A symbolic link at
// path stays a link: the file at the end of its chain of links takes the bytes (and is made,
// as an open(2) would make it, when the link points to nothing yet).
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, WriteError* error);
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes,
                    QString* reason = nullptr);

// The call a write goes through (the arguments and result of write(2)): the system's, unless a
// test installs one that fails or takes fewer bytes, for as long as the object lives.
using FileWriteCall = std::function<long(int fd, const void* data, std::size_t size)>;
class ScopedFileWriteCall {
public:
    explicit ScopedFileWriteCall(FileWriteCall call);
    ~ScopedFileWriteCall();
    ScopedFileWriteCall(const ScopedFileWriteCall&) = delete;
    ScopedFileWriteCall& operator=(const ScopedFileWriteCall&) = delete;

private:
    FileWriteCall previous_;
};

}  // namespace quorlin::platform
