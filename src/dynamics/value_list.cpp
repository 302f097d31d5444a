#include "dynamics/value_list.h"

#include <algorithm>

#include "core/errors.h"

namespace quorlin::dynamics {

namespace {

bool IsBlank(std::string_view s) {
    return s.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

ValueList ParseValueList(FormulaContext& context, std::string_view text) {
    ValueList list;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find(';', begin), text.size());
        const std::string_view field = text.substr(begin, end - begin);
        const bool last = end == text.size();
        if (last && IsBlank(field) && !list.trees.empty()) break;
        if (static_cast<int>(list.trees.size()) == kMostInitialValues) {
            list.error = kErrOutOfBounds;
            break;
        }
        list.error = context.Parse(field);
        if (list.error != 0) break;
        list.trees.push_back(context.TakeParseResult());
        if (last) break;
        begin = end + 1;
    }
    if (list.error != 0) list.trees.clear();
    return list;
}

}  // namespace quorlin::dynamics
