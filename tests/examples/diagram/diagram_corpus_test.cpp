// The seed corpus of the diagram fuzz target: diagram files the writer made, replayed through
// the fuzz entry on every run (each must be read, and written back to the same bytes). With
// QUORLIN_WRITE_DIAGRAM_CORPUS set the files are made anew from the bodies below.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "diagram_fuzz_entry.h"
#include "examples/sample_body.h"
#include "shell/records/file_head.h"
#include "support/test_paths.h"

namespace quorlin::examples {
namespace {

TDiagramBody SpaceBody() {
    TDiagramBody body;
    for (int k : {kind::kSurface, kind::kRevolution, kind::kSpacePoint, kind::kSpaceSystem}) {
        TExample e = testing::SampleExample(k, 5);
        if (k == kind::kSpaceSystem)
            e.trajectories.push_back(testing::SampleTrajectory(kind::kSpaceSystem, 0.1L, 0));
        body.inventory.Append(std::move(e));
        body.equationLabels.emplace_back().number = static_cast<std::uint16_t>(k);
    }
    body.settings.scene.cube = true;
    body.settings.scene.observer = {10, 20, 30};
    return body;
}

TDiagramBody MapBody() {
    TDiagramBody body;
    body.settings.complexMode = true;
    body.parameters.value[9] = {0, 1};
    body.inventory.Append(testing::SampleExample(kind::kComplexMap, 4));
    body.inventory[0].Text(2) = "t";
    body.equationLabels.resize(1);
    body.settings.view.logMode = 3;
    return body;
}

void WriteSeed(const std::string& name, int kind, int window, const TDiagramBody& body) {
    ByteWriter out;
    TFileHead head = TFileHead::Make(kind, kProgramVersion);
    head.fields[2] = window;
    head.Write(out);
    ASSERT_EQ(WriteDiagramBody(out, body), 0);
    std::ofstream file(quorlin::testing::TestDataPath("examples/corpus") / name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.Data().data()),
               static_cast<std::streamsize>(out.Size()));
}

TEST(DiagramCorpus, EverySeedIsReadAndWrittenBackToTheSameBytes) {
    if (std::getenv("QUORLIN_WRITE_DIAGRAM_CORPUS")) {
        WriteSeed("empty.qz2", kKind2D, 0, TDiagramBody{});
        WriteSeed("sample.qz2", kKind2D, 0, testing::SampleBody());
        WriteSeed("map.maz", kKind2D, 1, MapBody());
        WriteSeed("space.qz3", kKind3D, 2, SpaceBody());
    }
    const auto files = quorlin::testing::FilesIn(quorlin::testing::TestDataPath("examples/corpus"));
    ASSERT_GE(files.size(), 4u);
    for (const auto& path : files) {
        const auto bytes = quorlin::testing::ReadFileBytes(path);
        EXPECT_EQ(RunDiagramFuzzInput(bytes.data(), bytes.size()), 1) << path;
    }
}

}  // namespace
}  // namespace quorlin::examples
