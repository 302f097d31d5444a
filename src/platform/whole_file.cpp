#include "platform/whole_file.h"

#include <QFile>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

namespace quorlin::platform {

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
    int Release() { return std::exchange(fd_, -1); }

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

// The longest name a file may have in folder ("" for the working folder).
qsizetype LongestName(const QByteArray& folder) {
    const long longest = ::pathconf(folder.isEmpty() ? "." : folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<qsizetype>(longest) : NAME_MAX;
}

// A name for a temporary file beside target: the target's name, then the process and a number.
// The target's name is cut where the whole would be longer than the folder allows a name or
// the system a path, so that every name the system lets a file have can also be saved; the cut
// falls between two UTF-8 characters.
class TemporaryNames {
public:
    explicit TemporaryNames(const QByteArray& target) {
        const qsizetype slash = target.lastIndexOf('/');
        folder_ = target.left(slash + 1);
        name_ = target.mid(slash + 1);
        room_ = std::min<qsizetype>(LongestName(folder_), PATH_MAX - 1 - folder_.size());
    }

    QByteArray Next() const {
        static std::atomic<unsigned> counter{0};
        const QByteArray suffix =
            '.' + QByteArray::number(::getpid()) + '-' + QByteArray::number(counter++) + ".tmp";
        qsizetype kept = std::clamp<qsizetype>(room_ - suffix.size(), 0, name_.size());
        while (kept > 0 && kept < name_.size() && (name_[kept] & 0xc0) == 0x80) --kept;
        return folder_ + name_.left(kept) + suffix;
    }

private:
    QByteArray folder_;
    QByteArray name_;
    qsizetype room_ = NAME_MAX;
};

// A new file beside the target that is removed again unless it was renamed over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const QByteArray& target) {
        const TemporaryNames names(target);
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = names.Next();
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

// The bytes written to the device or pipe at target as they are, since a file put in its place
// would replace it; 0, or the number of the error that stopped them.
int WriteInPlace(const QByteArray& target, std::span<const std::uint8_t> bytes) {
    // A pipe nobody reads from refuses a non-blocking open instead of waiting for ever; the
    // bytes are then written with waiting, as a reader takes them.
    FileDescriptor out(::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (out.Get() < 0) return errno;
    const int flags = ::fcntl(out.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(out.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return errno;
    int error = 0;
    if (!WriteAll(out.Get(), bytes, error)) return error;
    return ::close(out.Release()) == 0 ? 0 : errno;
}

// The file a save replaces: the end of the chain of symbolic links at path, so that every
// link keeps pointing at the new bytes instead of being replaced by a file of its own. A link
// that points to nothing names the file to make; a link's relative target is taken from the
// link's own folder, as the system takes it. Empty, with the error, for a chain that does not
// end (ELOOP) or a link that cannot be read.
QByteArray SaveTarget(const QByteArray& path, int& error) {
    // The most links one name may pass through before the system gives up on it.
    constexpr int kMostLinks = 40;
    QByteArray current = path;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat status {};
        if (::lstat(current.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) return current;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), link.data(), link.size());
        if (n <= 0 || n >= link.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return {};
        }
        link.truncate(n);
        const qsizetype slash = current.lastIndexOf('/');
        current = link.startsWith('/') || slash < 0 ? link : current.left(slash + 1) + link;
    }
    error = ELOOP;
    return {};
}

}  // namespace

ScopedFileWriteCall::ScopedFileWriteCall(FileWriteCall call)
    : previous_(std::exchange(InstalledWriteCall(), std::move(call))) {}

ScopedFileWriteCall::~ScopedFileWriteCall() {
    InstalledWriteCall() = std::move(previous_);
}

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, WriteError* error) {
    const auto fail = [error](int number) {
        if (error) *error = {number, QString::fromLocal8Bit(std::strerror(number))};
        return false;
    };
    const QByteArray named = QFile::encodeName(path);
    if (named.isEmpty()) return fail(ENOENT);
    int linkError = 0;
    const QByteArray target = SaveTarget(named, linkError);
    if (target.isEmpty()) return fail(linkError);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    // A name the system cannot look up, or a folder, is refused before anything is written: on
    // a full disk the temporary file would fail first and hide the real reason.
    if (!exists && errno != ENOENT) return fail(errno);
    if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        const int number = WriteInPlace(target, bytes);
        return number == 0 || fail(number);
    }
    // A file that takes no writing is not replaced behind its back.
    if (exists && ::access(target.constData(), W_OK) != 0) return fail(errno);
    TemporaryFile file(target);
    if (!file.Opened()) return fail(file.Error());
    // The new file keeps the permissions of the one it replaces.
    if (exists) ::fchmod(file.Descriptor(), old.st_mode & 07777);
    if (!file.Replace(target, bytes)) return fail(file.Error());
    return true;
}

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, QString* reason) {
    WriteError error;
    if (WriteWholeFile(path, bytes, &error)) return true;
    if (reason) *reason = error.reason;
    return false;
}

}  // namespace quorlin::platform
