// The seed corpus of the script fuzz target, replayed through the fuzz entry on every run: each
// seed ends with the result its script asks for.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "examples/records/script.h"
#include "script_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin::examples {
namespace {

TEST(ScriptCorpus, EverySeedRunsToTheResultItAsksFor) {
    const std::map<std::string, int> expected = {{"curves", script::kDone},
                                                 {"view_define", script::kDone},
                                                 {"trajectories", script::kDone},
                                                 {"space", script::kDone},
                                                 {"full", script::kNoMoreRoom},
                                                 {"heavy", script::kDone},
                                                 {"broken", script::kNothingToShow},
                                                 {"empty", script::kNothingToShow},
                                                 {"options", script::kDone},
                                                 {"refused", script::kCannotUnderstand}};
    const auto files =
        quorlin::testing::FilesIn(quorlin::testing::TestDataPath("examples/script_corpus"));
    ASSERT_GE(files.size(), expected.size());
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        const int result = RunScriptFuzzInput(bytes.data(), bytes.size());
        const auto it = expected.find(path.filename().string());
        if (it != expected.end())
            EXPECT_EQ(result, it->second) << path;
        else
            EXPECT_GE(result, 0) << path;  // a finding kept as a seed: it runs to some result
    }
}

}  // namespace
}  // namespace quorlin::examples
