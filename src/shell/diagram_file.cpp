#include "shell/diagram_file.h"

#include <QFile>
#include <QSaveFile>

#include "core/errors.h"

namespace quorlin {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = file.size();
    if (size < 0 || size > kMaxFileBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), size);
    if (got != size) return std::nullopt;
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
