// The seed corpus of the overlay fuzz target, replayed through the fuzz entry on every run:
// each seed is a block of texts, evaluated texts or pictures that is read and written back to
// the same bytes. With QUORLIN_WRITE_OVERLAY_CORPUS set the seeds are made anew from the
// lists below (the picture from a metafile of the platform tests' data).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "canvas/pasted_picture.h"
#include "canvas/text_overlay.h"
#include "core/binio.h"
#include "overlay_fuzz_entry.h"
#include "support/test_paths.h"

namespace quorlin::canvas {
namespace {

void WriteSeed(const std::string& name, std::uint8_t block, const ByteWriter& out) {
    std::ofstream file(quorlin::testing::TestDataPath("canvas/overlay_corpus") / name,
                       std::ios::binary);
    file.put(static_cast<char>(block));
    file.write(reinterpret_cast<const char*>(out.Data().data()),
               static_cast<std::streamsize>(out.Size()));
}

void WriteSeeds() {
    TEquationLabel text;
    text.text = "a free text";
    TextList texts = {text, text};
    texts[1].anchor = kAnchorFrame;
    texts[1].left = 2;
    texts[1].shown = 0;
    ByteWriter plain;
    WriteTexts(plain, texts);
    WriteSeed("texts", 0, plain);
    WriteSeed("shown_texts", 1, plain);

    TEquationLabel eval;
    eval.text = "X";
    eval.evalIndex = kFirstEvalIndex;
    EvalTextTable table;
    TEvalText evalText;
    evalText.texts = {"A", "B", "0", "value"};
    table.Store(kFirstEvalIndex, evalText);
    ByteWriter evaluated;
    WriteEvalTexts(evaluated, std::vector{eval}, table);
    WriteSeed("eval_texts", 2, evaluated);

    const auto bytes =
        quorlin::testing::ReadFileBytes(quorlin::testing::TestDataPath("platform/data/emf-1a.bin"));
    const auto metafile = platform::EmfPicture::FromBytes(QByteArray(
        reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    ASSERT_TRUE(metafile);
    ByteWriter pictures;
    WritePictures(pictures, std::vector{TPastedPicture{MetafileBytes(*metafile), 0, -1, false, {-1, 1, -2, 2}}});
    WriteSeed("pictures", 3, pictures);
}

TEST(OverlayCorpus, EverySeedIsReadAndWrittenBackToTheSameBytes) {
    if (std::getenv("QUORLIN_WRITE_OVERLAY_CORPUS")) WriteSeeds();
    const auto files =
        quorlin::testing::FilesIn(quorlin::testing::TestDataPath("canvas/overlay_corpus"));
    ASSERT_GE(files.size(), 4u);
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        EXPECT_EQ(RunOverlayFuzzInput(bytes.data(), bytes.size()), 1) << path;
    }
}

}  // namespace
}  // namespace quorlin::canvas
