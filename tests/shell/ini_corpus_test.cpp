// The seed corpus of the ini fuzz target, replayed through the fuzz entry on every run: the
// files of the frame and of the 2D and 3D windows are read (each for its own kind), a cut one
// for none.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ini_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin {
namespace {

TEST(IniCorpus, EverySeedIsReadForItsKindAlone) {
    const std::map<std::string, int> expected = {
        {"frame.ini", 1}, {"qz2.ini", 1}, {"qz3.ini", 1}, {"short.ini", 0}};
    const auto files =
        quorlin::testing::FilesIn(quorlin::testing::TestDataPath("shell/ini_corpus"));
    ASSERT_GE(files.size(), expected.size());
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        const int kinds = RunIniFuzzInput(bytes.data(), bytes.size());
        const auto it = expected.find(path.filename().string());
        EXPECT_EQ(kinds, it != expected.end() ? it->second : kinds) << path;
    }
}

}  // namespace
}  // namespace quorlin
