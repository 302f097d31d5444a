#pragma once
// Where tests find their data files: the source tree's tests/ folder, and reading them whole.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::testing {

// Absolute path of a file or folder below tests/ in the source tree.
std::filesystem::path TestDataPath(std::string_view relative);

// The bytes of a file; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path);

// The regular files of a folder, sorted by name.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder);

}  // namespace quorlin::testing
