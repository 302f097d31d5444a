#pragma once
// Helpers shared by the metafile tests: a plain reader of record types and fields that does not
// go through the code under test, and a builder of little-endian bytes from 32-bit words.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include <QByteArray>

namespace quorlin::platform::testing {

inline std::uint32_t WordAt(const QByteArray& bytes, qsizetype offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return v;
}

// count words from offset on, to compare several fields of a record at once.
inline std::vector<std::uint32_t> WordsAt(const QByteArray& bytes, qsizetype offset, int count) {
    std::vector<std::uint32_t> words;
    for (int i = 0; i < count; ++i) words.push_back(WordAt(bytes, offset + 4 * i));
    return words;
}

inline void PutWord(QByteArray& bytes, qsizetype offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

inline QByteArray Words(std::initializer_list<std::uint32_t> words) {
    QByteArray bytes;
    for (const std::uint32_t w : words) {
        bytes.append(QByteArray(4, '\0'));
        PutWord(bytes, bytes.size() - 4, w);
    }
    return bytes;
}

struct RecordAt {
    std::uint32_t type;
    qsizetype offset;
    std::uint32_t size;
};

// The records of a well-formed metafile, in order (stops at a size that leaves the data).
inline std::vector<RecordAt> Records(const QByteArray& bytes) {
    std::vector<RecordAt> records;
    qsizetype offset = 0;
    while (offset + 8 <= bytes.size()) {
        const std::uint32_t size = WordAt(bytes, offset + 4);
        if (size < 8 || offset + size > bytes.size()) break;
        records.push_back({WordAt(bytes, offset), offset, size});
        offset += size;
    }
    return records;
}

inline std::vector<RecordAt> RecordsOfType(const QByteArray& bytes, std::uint32_t type) {
    std::vector<RecordAt> result;
    for (const RecordAt& r : Records(bytes)) {
        if (r.type == type) result.push_back(r);
    }
    return result;
}

}  // namespace quorlin::platform::testing
