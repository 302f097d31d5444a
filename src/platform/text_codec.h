#pragma once
// Whole 8-bit texts of the program (Windows-1252) as QString and back, where they meet the
// user interface.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

// Windows-1252 bytes as Unicode; any byte string survives a round trip.
QString FromWindows1252(std::string_view bytes);

// The Windows-1252 bytes of text; nothing when some character has no 8-bit form (the caller
// reports it instead of storing a mangled text).
std::optional<std::string> ToWindows1252(const QString& text);

}  // namespace quorlin
