#include "shell/diagram_file.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/errors.h"

namespace quorlin {

namespace {

// Closes a file descriptor at the end of a scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const QString& path, std::int64_t maxBytes) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty()) return std::nullopt;
    // Without O_NONBLOCK, opening a FIFO that nobody writes to waits in open(2) for ever; the
    // type is checked on the opened descriptor, so nothing can be swapped in between.
    const FileDescriptor file(
        ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    if (status.st_size < 0 || status.st_size > maxBytes) return std::nullopt;
    // Read one byte more than the size said, to notice a file that grew meanwhile.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > static_cast<std::size_t>(status.st_size)) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

namespace {

FileWriteCall& InstalledWriteCall() {
    static FileWriteCall call;
    return call;
}

long WriteSome(int fd, const std::uint8_t* data, std::size_t size) {
    if (const FileWriteCall& call = InstalledWriteCall()) return call(fd, data, size);
    return ::write(fd, data, size);
}

// The bytes all written to fd, or false with the number of the error that stopped them. A write
// that takes nothing is a full disk.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes, int& error) {
    // Bounded writes: some file systems take no more than 2 GB in one call.
    constexpr std::size_t kMostAtOnce = 1 << 30;
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long n =
            WriteSome(fd, bytes.data() + done, std::min(bytes.size() - done, kMostAtOnce));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 && errno != 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file beside the target that is removed again unless it was renamed over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const QByteArray& target) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = target + '.' + QByteArray::number(::getpid()) + '-' +
                    QByteArray::number(counter++) + ".tmp";
            // Made with 0666 less the umask, as a new file of the program always is.
            fd_ =
                ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) error_ = errno;
        created_ = fd_ >= 0;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (created_ && !renamed_) ::unlink(name_.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Opened() const { return created_; }
    int Error() const { return error_; }
    int Descriptor() const { return fd_; }

    // Every byte written, on the disk, the size checked, closed: then renamed over target.
    bool Replace(const QByteArray& target, std::span<const std::uint8_t> bytes) {
        struct stat written {};
        if (!WriteAll(fd_, bytes, error_)) return false;
        if (::fsync(fd_) != 0 || ::fstat(fd_, &written) != 0) return Failed();
        if (written.st_size != static_cast<off_t>(bytes.size())) {
            error_ = ENOSPC;
            return false;
        }
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0) return Failed();
        if (::rename(name_.constData(), target.constData()) != 0) return Failed();
        renamed_ = true;
        return true;
    }

private:
    bool Failed() {
        error_ = errno != 0 ? errno : EIO;
        return false;
    }

    QByteArray name_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool renamed_ = false;
};

// The file a save replaces: a link's target, as the link should keep pointing at the new bytes.
QByteArray SaveTarget(const QString& path) {
    const QFileInfo info(path);
    return QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : path);
}

}  // namespace

ScopedFileWriteCall::ScopedFileWriteCall(FileWriteCall call)
    : previous_(std::exchange(InstalledWriteCall(), std::move(call))) {}

ScopedFileWriteCall::~ScopedFileWriteCall() {
    InstalledWriteCall() = std::move(previous_);
}

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, QString* error) {
    const auto fail = [error](int number) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(number));
        return false;
    };
    const QByteArray target = SaveTarget(path);
    if (target.isEmpty()) return fail(ENOENT);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    // A file that takes no writing is not replaced behind its back.
    if (exists && S_ISREG(old.st_mode) && ::access(target.constData(), W_OK) != 0)
        return fail(errno);
    TemporaryFile file(target);
    if (!file.Opened()) return fail(file.Error());
    // The new file keeps the permissions of the one it replaces.
    if (exists && S_ISREG(old.st_mode)) ::fchmod(file.Descriptor(), old.st_mode & 07777);
    if (!file.Replace(target, bytes)) return fail(file.Error());
    return true;
}

SaveTargetState SaveTargetStateOf(const QString& path) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    SaveTargetState state;
    state.folderExists = folder.isDir();
    state.folderWritable = folder.isWritable();
    state.targetIsFolder = target.isDir();
    state.targetExists = target.exists();
    state.targetWritable = !state.targetExists || target.isWritable();
    return state;
}

int SaveErrorNumber(const SaveTargetState& state) {
    if (!state.folderExists) return kErrCouldNotFind;
    if (state.targetIsFolder || !state.folderWritable || !state.targetWritable)
        return kErrCannotOpenFile;
    return kErrNoMoreRoom;
}

int DiagramReader::Open(const QString& path, int kind, int programVersion) {
    body_.reset();
    auto bytes = ReadWholeFile(path);
    if (!bytes) return kErrCannotOpenFile;
    bytes_ = std::move(*bytes);
    ByteReader reader(bytes_);
    TFileHead head;
    if (!head.Read(reader)) return kErrCannotOpenFile;
    head_ = head;
    if (const int error = CheckFileHead(head_, kind, programVersion)) return error;
    body_.emplace(reader);
    return kNoError;
}

DiagramWriter::DiagramWriter(int kind, int version) {
    TFileHead::Make(kind, version).Write(out_);
}

bool DiagramWriter::Save(const QString& path, QString* error) const {
    return WriteWholeFile(path, out_.Data(), error);
}

}  // namespace quorlin
