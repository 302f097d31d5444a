// The seed corpus of the metafile fuzz target, replayed through the fuzz entry on every run:
// each seed is a metafile the validator takes and the player plays. With
// QUORLIN_WRITE_METAFILE_CORPUS set, the recorded scene of the tests is added as a seed.
#include <gtest/gtest.h>

#include <QFile>

#include <cstdlib>

#include "emf_test_support.h"
#include "metafile_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin::platform {
namespace {

TEST(MetafileCorpus, EverySeedIsValidatedAndPlayed) {
    const auto folder = quorlin::testing::TestDataPath("platform/metafile_corpus");
    if (std::getenv("QUORLIN_WRITE_METAFILE_CORPUS")) {
        QFile file(QString::fromStdString((folder / "scene.emf").string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testing::RecordedScene());
    }
    const auto files = quorlin::testing::FilesIn(folder);
    ASSERT_GE(files.size(), 3u);
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        EXPECT_EQ(RunMetafileFuzzInput(bytes.data(), bytes.size()), 1) << path;
    }
}

}  // namespace
}  // namespace quorlin::platform
