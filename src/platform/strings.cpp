#include "platform/strings.h"

#include "resources/resources.h"

namespace quorlin::platform {

namespace {

std::function<QString(int)>& Source() {
    static std::function<QString(int)> source;
    return source;
}

}  // namespace

QString ResourceString(int id) {
    if (const auto& source = Source()) {
        QString text = source(id);
        if (!text.isEmpty()) return text;
    }
    return resources::LoadString(id);
}

void SetStringSource(std::function<QString(int)> source) {
    Source() = std::move(source);
}

}  // namespace quorlin::platform
