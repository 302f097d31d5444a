// Replays the fuzz seed corpus through the fuzz target's entry function, so that every build
// exercises it under the sanitizers even without clang's fuzzer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "formula_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin {
namespace {

TEST(FormulaFuzzCorpus, EverySeedRunsCleanly) {
    const QDir dir(testing::TestDataPath("formula/corpus"));
    const auto files = dir.entryInfoList(QDir::Files);
    ASSERT_GE(files.size(), 20);
    for (const auto& info : files) {
        QFile file(info.absoluteFilePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.fileName().toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(info.fileName().toStdString());
        EXPECT_EQ(RunFormulaFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      static_cast<std::size_t>(bytes.size())),
                  0);
    }
}

}  // namespace
}  // namespace quorlin
