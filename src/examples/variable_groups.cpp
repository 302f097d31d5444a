#include "examples/variable_groups.h"

#include <array>
#include <cctype>

namespace quorlin::examples {

namespace {

constexpr std::string_view kLetters = "XYZRTP";

}  // namespace

int EncodeVariableGroups(std::string_view text) {
    std::string plain;
    for (const char c : text)
        if (c != ' ')
            plain.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    std::array<std::string, 3> groups;
    const std::size_t first = plain.find('/');
    groups[0] = plain.substr(0, first);
    if (first != std::string::npos) {
        const std::size_t second = plain.find('/', first + 1);
        groups[1] =
            plain.substr(first + 1, second == std::string::npos ? second : second - first - 1);
        if (second != std::string::npos) groups[2] = plain.substr(second + 1);
    }
    int code = 0;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        int group = 0;
        for (int g = 0; g < 3; ++g)
            if (groups[g].find(kLetters[k]) != std::string::npos) group = g + 1;
        code |= group << (2 * k);
    }
    return code;
}

std::string DecodeVariableGroups(int code) {
    std::array<std::string, 3> groups;
    for (std::size_t k = 0; k < kLetters.size(); ++k) {
        const int group = (code >> (2 * k)) & 3;
        if (group > 0) groups[group - 1].push_back(kLetters[k]);
    }
    std::string text = groups[0];
    const std::string rest = groups[1] + (groups[2].empty() ? "" : "/" + groups[2]);
    if (!rest.empty()) text += "/" + rest;
    return text;
}

}  // namespace quorlin::examples
