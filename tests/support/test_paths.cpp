#include "test_paths.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace quorlin::testing {

std::filesystem::path TestDataPath(std::string_view relative) {
    const char* root = std::getenv("QUORLIN_SOURCE_DIR");
    const std::filesystem::path base = root && *root ? root : QUORLIN_SOURCE_DIR_DEFAULT;
    return base / "tests" / relative;
}

std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace quorlin::testing
