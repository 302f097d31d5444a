#include "examples/variable_groups.h"

#include <array>
#include <cctype>

namespace quorlin::examples {

namespace {

// The letters in the order of their two-bit codes, X in bits 0-1 up to P in bits 10-11.
constexpr std::array<char, 6> kLetters = {'X', 'Y', 'Z', 'R', 'T', 'P'};
constexpr int kGroups = 3;

}  // namespace

int EncodeVariableGroups(std::string_view text) {
    std::array<std::string, kGroups> groups;
    int group = 0;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '/' && group < kGroups - 1) {
            ++group;
            continue;
        }
        groups[static_cast<std::size_t>(group)] +=
            static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    int code = 0;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        int last = 0;
        for (int g = 0; g < kGroups; ++g)
            if (groups[static_cast<std::size_t>(g)].find(kLetters[k]) != std::string::npos)
                last = g + 1;
        code |= last << (2 * k);
    }
    return code;
}

std::string DecodeVariableGroups(int code) {
    std::array<std::string, kGroups> groups;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        const int g = (code >> (2 * k)) & 3;
        if (g > 0) groups[static_cast<std::size_t>(g - 1)] += kLetters[k];
    }
    std::string text = groups[0];
    if (!groups[1].empty() || !groups[2].empty()) text += "/" + groups[1];
    if (!groups[2].empty()) text += "/" + groups[2];
    return text;
}

}  // namespace quorlin::examples
