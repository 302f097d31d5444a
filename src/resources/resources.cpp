#include "resources/resources.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "resources/dialog_tables.h"
#include "resources/menu_tables.h"
#include "resources/string_table.h"

namespace quorlin::resources {
namespace {

// One help text per menu, plus the frame's, the program's overview and the formula library.
// Each is held as help/<name>.txt in the resource file system.
constexpr std::array<std::string_view, 24> kHelpNames{
    "FRAMEH",   "LEVELH",  "PROGHELP", "QUOCPARS", "QUOPARS", "QZ2BTNSH", "QZ2EQUAH", "QZ2FILEH",
    "QZ2LAGH",  "QZ2MAPH", "QZ2MISCH", "QZ2ONEH",  "QZ2TWOH", "QZ2VIEWH", "QZ3BTNSH", "QZ3EQUAH",
    "QZ3FILEH", "QZ3MAPH", "QZ3MISCH", "QZ3ONEH",  "QZ3TWOH", "QZ3VIEWH", "QZANIMH",  "RDSH",
};

template <typename Range, typename Name>
auto FindByName(const Range& range, std::string_view name, Name nameOf) {
    const auto it = std::find_if(std::begin(range), std::end(range),
                                 [&](const auto& item) { return nameOf(item) == name; });
    return it == std::end(range) ? nullptr : &*it;
}

std::vector<const resources::DialogTemplate*> CollectDialogs() {
    std::vector<const resources::DialogTemplate*> all;
    for (const auto group :
         {detail::ShellDialogs(), detail::FormulaDialogs(), detail::CanvasDialogs(),
          detail::ExampleDialogs(), detail::ExampleEdit2dDialogs(), detail::ExampleEdit3dDialogs(),
          detail::Tools2dDialogs(), detail::DynamicsDialogs(), detail::Plot3dDialogs()}) {
        for (const auto& dialog : group) all.push_back(&dialog);
    }
    std::sort(all.begin(), all.end(),
              [](const auto* a, const auto* b) { return a->name < b->name; });
    return all;
}

}  // namespace

QString LoadString(int id) {
    const std::string_view text = FindString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const std::vector<const resources::DialogTemplate*>& AllDialogs() {
    static const std::vector<const resources::DialogTemplate*> all = CollectDialogs();
    return all;
}

const resources::DialogTemplate* FindDialog(std::string_view name) {
    const auto& all = AllDialogs();
    const auto it =
        std::lower_bound(all.begin(), all.end(), name,
                         [](const auto* d, std::string_view key) { return d->name < key; });
    return it != all.end() && (*it)->name == name ? *it : nullptr;
}

std::span<const resources::MenuTemplate> AllMenus() {
    return detail::Menus();
}

std::span<const resources::AcceleratorTable> AllAcceleratorTables() {
    return detail::AcceleratorTables();
}

const resources::MenuTemplate* FindMenu(std::string_view name) {
    return FindByName(detail::Menus(), name, [](const auto& m) { return m.name; });
}

const resources::AcceleratorTable* FindAccelerators(std::string_view name) {
    return FindByName(detail::AcceleratorTables(), name, [](const auto& t) { return t.name; });
}

std::span<const std::string_view> HelpTextNames() {
    return kHelpNames;
}

QString HelpText(std::string_view name) {
    if (std::find(kHelpNames.begin(), kHelpNames.end(), name) == kHelpNames.end()) return {};
    QFile file(QStringLiteral(":/help/%1.txt").arg(QString::fromUtf8(name.data(), name.size())));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace quorlin::resources
