#pragma once
// The texts of the tool dialogs: an edit as the readers take it: Windows-1252, cut to the length
// its field allows ("?" where it cannot be encoded, which no reader accepts).
#include <string>

#include "platform/dialog.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::tools2d {

inline std::string EditText(const platform::Dialog& dialog, int id, std::size_t most) {
    std::string text = ToWindows1252(dialog.GetText(id)).value_or("?");
    if (text.size() > most) text.resize(most);
    return text;
}

// The caption of a data entry from the string table, cut to the entry's length.
inline std::string EntryLabel(int stringId, std::size_t most) {
    std::string label = ToWindows1252(platform::ResourceString(stringId)).value_or("");
    if (label.size() > most) label.resize(most);
    return label;
}

}  // namespace quorlin::tools2d
