#include "platform/text_codec.h"

#include "core/text_helpers.h"

namespace quorlin {

QString FromWindows1252(std::string_view bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes) out.append(QChar(CharOfWindows1252(static_cast<unsigned char>(b))));
    return out;
}

std::optional<std::string> ToWindows1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const auto byte = Windows1252OfChar(c.unicode());
        if (!byte) return std::nullopt;
        out.push_back(static_cast<char>(*byte));
    }
    return out;
}

}  // namespace quorlin
