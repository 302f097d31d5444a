#pragma once
// The texts of the tool dialogs: an edit as the readers take it (Windows-1252, cut to the length
// its field allows, "?" where it cannot be encoded, which no reader accepts), and the captions of
// their data entries.
#include <string>

#include "platform/dialog.h"

namespace quorlin::tools2d {

// The text of edit `id`.
std::string EditText(const platform::Dialog& dialog, int id, std::size_t most);

// The caption of a data entry from the string table, cut to the entry's length.
std::string EntryLabel(int stringId, std::size_t most);

}  // namespace quorlin::tools2d
