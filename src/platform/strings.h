#pragma once
// The string table as the platform's boxes and dialogs read it, with a seam for tests.
#include <QString>
#include <functional>
#include <string_view>

namespace quorlin::platform {

// A string of the string table: what SetStringSource gives, else the program's resources.
QString ResourceString(int id);

// Test hook: a source asked first (an empty string from it falls back to the resources); an
// empty function removes it.
void SetStringSource(std::function<QString(int)> source);

// A text of the resource tables (UTF-8) as a QString.
inline QString FromResourceText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quorlin::platform
