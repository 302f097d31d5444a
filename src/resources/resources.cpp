#include "resources/resources.h"

namespace quorlin::resources {

QString LoadString(int) { return {}; }
const platform::DialogTemplate* FindDialog(std::string_view) { return nullptr; }
const platform::MenuTemplate* FindMenu(std::string_view) { return nullptr; }
const platform::AcceleratorTable* FindAccelerators(std::string_view) { return nullptr; }
QString HelpText(std::string_view) { return {}; }

}  // namespace quorlin::resources
