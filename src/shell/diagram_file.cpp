#include "shell/diagram_file.h"

#include <QFileInfo>

#include <cerrno>
#include <utility>

#include "core/errors.h"

namespace quorlin {

SaveTargetState SaveTargetStateOf(const QString& path, int systemError) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    SaveTargetState state;
    state.folderExists = folder.isDir();
    state.folderWritable = folder.isWritable();
    state.targetIsFolder = target.isDir();
    state.targetExists = target.exists();
    state.targetWritable = !state.targetExists || target.isWritable();
    state.systemError = systemError;
    return state;
}

namespace {

bool IsOutOfRoom(int systemError) {
    return systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG;
}

}  // namespace

int SaveErrorNumber(const SaveTargetState& state) {
    // A folder on the way that is not there, or is a file, also at the end of a link.
    if (!state.folderExists || state.systemError == ENOENT || state.systemError == ENOTDIR)
        return kErrCouldNotFind;
    if (IsOutOfRoom(state.systemError)) return kErrNoMoreRoom;
    if (state.systemError != 0 || state.targetIsFolder || !state.folderWritable ||
        !state.targetWritable)
        return kErrCannotOpenFile;
    return kErrNoMoreRoom;
}

int SaveWholeFile(const QString& path, std::span<const std::uint8_t> bytes, QString* reason) {
    platform::WriteError error;
    if (WriteWholeFile(path, bytes, &error)) return kNoError;
    if (reason) *reason = error.reason;
    return SaveErrorNumber(SaveTargetStateOf(path, error.number));
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
