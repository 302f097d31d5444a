#include "script_fuzz_entry.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "examples/records/script.h"
#include "script_window.h"

namespace quorlin {

namespace {

void Require(bool promise) {
    if (!promise) std::abort();
}

}  // namespace

int RunScriptFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1),
                                std::min(size - 1, examples::script::kMaxScriptChars));
    examples::PlainScriptWindow window((flags & 1) ? 3 : 2);
    if (flags & 2) Require(window.inventory.SetCapacity(1, true));
    const int result = examples::RunScript(text, window);
    namespace script = examples::script;
    Require(result == script::kDone || result == script::kCannotUnderstand ||
            result == script::kNoMoreRoom || result == script::kNothingToShow);
    Require(window.inventory.LastIndex() <= window.inventory.Capacity());
    if (result == script::kCannotUnderstand || result == script::kNothingToShow)
        Require(window.inventory.Empty());
    return result;
}

}  // namespace quorlin
