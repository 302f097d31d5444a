#pragma once
// The raw string table: every user-visible text that the program loads by number, held as UTF-8.
// Ranges: error messages 400 + n (parser errors 501-519), key hints 600 + kind, tips 800-845;
// the other ids are captions, prompts and words assembled into labels.
#include <span>
#include <string_view>

namespace quorlin::resources {

struct StringEntry {
    int id;
    std::string_view text;  // UTF-8
};

// The whole table, sorted by id.
std::span<const StringEntry> StringTable();

// The text of one id, empty when the table has no such entry.
std::string_view FindString(int id);

// First and last id of the tips of the day.
inline constexpr int kFirstTipId = 800;
inline constexpr int kLastTipId = 845;

}  // namespace quorlin::resources
