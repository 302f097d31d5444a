#include "examples/records/variable_groups.h"

#include <array>
#include <cctype>

namespace quorlin::examples {

namespace {
constexpr std::array<char, 6> kLetters{'X', 'Y', 'Z', 'R', 'T', 'P'};
}

int EncodeVariableGroups(std::string_view text) {
    std::array<std::string, 3> groups;
    std::size_t group = 0;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '/' && group < 2) {
            ++group;
            continue;
        }
        groups[group] += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    int code = 0;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        int last = 0;
        for (std::size_t g = 0; g < groups.size(); ++g)
            if (groups[g].find(kLetters[k]) != std::string::npos) last = static_cast<int>(g) + 1;
        code |= last << (2 * k);
    }
    return code;
}

std::string DecodeVariableGroups(int code) {
    std::array<std::string, 3> groups;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        const int g = (code >> (2 * k)) & 3;
        if (g > 0) groups[static_cast<std::size_t>(g - 1)] += kLetters[k];
    }
    std::string out = groups[0];
    const std::string rest = groups[2].empty() ? std::string() : "/" + groups[2];
    if (!groups[1].empty() || !rest.empty()) out += "/" + groups[1] + rest;
    return out;
}

}  // namespace quorlin::examples
