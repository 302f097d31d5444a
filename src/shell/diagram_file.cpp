#include "shell/diagram_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes, QString* error) {
    QSaveFile file(path);
    const auto fail = [&] {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return fail();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) return fail();
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
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
