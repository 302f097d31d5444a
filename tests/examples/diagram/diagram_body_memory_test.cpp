// What the examples of a diagram body take in memory: the arrays all records ask are weighed
// before any is given, each mesh sized by its own grid counts, and a file asking more than the
// reader allows is refused with "no more room" in 2D and 3D windows alike.
#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "core/errors.h"
#include "examples/body_file.h"
#include "examples/diagram/diagram_body.h"

namespace quorlin::examples {
namespace {

using testing::Group;
using testing::HandBody;

constexpr std::size_t kPointBytes = sizeof(Vec3) + sizeof(TPixelPoint) + 1;

// A body of count surfaces of the kind with the grid counts.
HandBody Surfaces(int count, int kindCode, int first, int second) {
    TExample e;
    e.Init(kindCode, 3, 50);
    e.divisions[0] = static_cast<std::int16_t>(first);
    e.divisions[1] = static_cast<std::int16_t>(second);
    HandBody hand;
    hand.groups.assign(static_cast<std::size_t>(count), Group(e));
    hand.equationLabels = testing::Bytes{0, 0};
    return hand;
}

std::size_t ArrayMemoryOf(const TDiagramBody& body) {
    const auto& entries = body.inventory.Entries();
    return std::accumulate(entries.begin(), entries.end(), std::size_t{0},
                           [](std::size_t sum, const TInventoryEntry& entry) {
                               return sum + entry.example.ArrayMemory();
                           });
}

TEST(DiagramBodyMemory, SurfacesAreWeighedBeforeTheirMeshesAreGiven) {
    struct Case {
        int count, kindCode, first, second, dimension;
        int error;
        std::size_t memory;
    };
    const Case cases[] = {
        // 4 000 surfaces of 10 x 12 points: 27 MB, each mesh as its counts make it.
        {4000, 301, 9, 11, 3, kNoError, 4000 * 120 * kPointBytes},
        {4000, 302, 9, 11, 2, kNoError, 4000 * 120 * kPointBytes},
        {2500, 316, 14, 5, 3, kNoError, 2500 * 90 * kPointBytes},
        // 4 000 at nearly the largest mesh (1.37 GB), and in a 2D window too.
        {4000, 303, 40, 145, 3, kErrNoMoreRoom, 0},
        {4000, 303, 40, 145, 2, kErrNoMoreRoom, 0},
        // Just past the bound: 1 570 meshes of 6 000 points, 537 MB.
        {1570, 315, 59, 99, 3, kErrNoMoreRoom, 0},
        // 32 000 surfaces of the default 37 x 37 points in a 19 MB file: 2.5 GB.
        {32000, 301, 36, 36, 2, kErrNoMoreRoom, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " of " + std::to_string(c.kindCode) + " in " +
                     std::to_string(c.dimension) + "D");
        TDiagramBody body;
        body.inventory.Append(TExample{});
        body.axisLabels[0] = "kept";
        const testing::Bytes bytes = Surfaces(c.count, c.kindCode, c.first, c.second).Body();
        ByteReader in(bytes);
        ASSERT_EQ(ReadDiagramBody(in, 41, body, {c.dimension, false}), c.error);
        if (c.error != kNoError) {
            EXPECT_EQ(std::tuple(body.inventory.Count(), body.axisLabels[0]),
                      std::tuple(1, "kept"));
            continue;
        }
        EXPECT_EQ(std::tuple(body.inventory.Count(), ArrayMemoryOf(body)),
                  std::tuple(c.count, c.memory));
    }
}

}  // namespace
}  // namespace quorlin::examples
