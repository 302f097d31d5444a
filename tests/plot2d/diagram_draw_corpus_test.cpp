// The seed corpus of the diagram-drawing fuzz target, replayed through the fuzz entry on every
// run: each 2D diagram of the diagram corpus opens in a 2D window and is drawn (the others are
// refused by the window for their kind). With QUORLIN_WRITE_DIAGRAM_DRAW_CORPUS set, diagrams
// with extreme views are added: a half width the largest long double, and a view of +-1e300
// with a frame text and a slope trajectory that once traced until Q.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <limits>

#include "diagram_draw_fuzz_entry.h"
#include "examples/diagram/diagram_body.h"
#include "examples/sample_body.h"
#include "shell/records/file_head.h"
#include "support/test_paths.h"

namespace quorlin::examples {
namespace {

void WriteSeed(const std::string& name, const TDiagramBody& body) {
    ByteWriter out;
    TFileHead::Make(kKind2D, kProgramVersion).Write(out);
    ASSERT_EQ(WriteDiagramBody(out, body), 0);
    std::ofstream file(quorlin::testing::TestDataPath("examples/corpus") / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.Data().data()),
               static_cast<std::streamsize>(out.Size()));
}

void WriteExtremeSeeds() {
    TDiagramBody widest;
    widest.settings.view.halfWidth = std::numeric_limits<long double>::max();
    widest.inventory.Append(testing::SampleExample(kind::kExplicit, 3));
    widest.equationLabels.resize(1);
    WriteSeed("widest.qz2", widest);

    TDiagramBody huge;
    huge.settings.view.cornersFlag = true;
    huge.settings.view.left = huge.settings.view.down = -1e300L;
    huge.settings.view.right = huge.settings.view.up = 1e300L;
    TExample slope = testing::SampleExample(kind::kSlope, 4);
    slope.trajectories.push_back(testing::SampleTrajectory(kind::kSlope, 0.1L, 0));
    huge.inventory.Append(std::move(slope));
    huge.equationLabels.resize(1);
    canvas::TEquationLabel text;
    text.text = "on the frame";
    text.anchor = canvas::kAnchorFrame;
    huge.texts = {text};
    WriteSeed("huge_view.qz2", huge);
}

TEST(DiagramDrawCorpus, EveryTwoDimensionalSeedOpensAndDraws) {
    if (std::getenv("QUORLIN_WRITE_DIAGRAM_DRAW_CORPUS")) WriteExtremeSeeds();
    const auto files = quorlin::testing::FilesIn(quorlin::testing::TestDataPath("examples/corpus"));
    ASSERT_GE(files.size(), 4u);
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        const int expected = path.extension() == ".qz2" ? 1 : 0;
        EXPECT_EQ(RunDiagramDrawFuzzInput(bytes.data(), bytes.size()), expected) << path;
    }
}

}  // namespace
}  // namespace quorlin::examples
