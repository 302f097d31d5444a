#include "tools2d/dialog_text.h"

#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::tools2d {

std::string EditText(const platform::Dialog& dialog, int id, std::size_t most) {
    std::string text = ToWindows1252(dialog.GetText(id)).value_or("?");
    if (text.size() > most) text.resize(most);
    return text;
}

std::string EntryLabel(int stringId, std::size_t most) {
    std::string label = ToWindows1252(platform::ResourceString(stringId)).value_or("");
    if (label.size() > most) label.resize(most);
    return label;
}

}  // namespace quorlin::tools2d
