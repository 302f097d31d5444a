#include "shell/diagram_file.h"

#include <QFileInfo>

#include <utility>

#include "core/errors.h"

namespace quorlin {

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
