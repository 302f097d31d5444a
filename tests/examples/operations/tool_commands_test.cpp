// The tool commands' questions to the inventory: the enabler matrix, the windows of an
// open-tools mask in the order they reopen, the data list and the sketch pen's widths.
#include "examples/operations/tool_commands.h"

#include <gtest/gtest.h>

#include "examples/records/trajectory_builders.h"
#include "resources/command_ids.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;

TInventory InventoryOf(std::initializer_list<int> kinds) {
    TInventory inventory;
    for (const int k : kinds) {
        TExample e;
        e.kind = static_cast<std::int16_t>(k);
        inventory.Append(std::move(e));
    }
    return inventory;
}

TEST(ToolCommandsTest, EnablersFollowTheInventory) {
    // Columns: Inventory, Plot a list, List, Arc length, Combinations, Line integral, Inspect,
    // Distance, Thickness, the trajectory windows.
    const int ids[] = {cmd::kInventory,      cmd::kPlotList,     cmd::kManyPoints,
                       cmd::kArcLength,      cmd::kCombinations, cmd::kLineIntegral,
                       cmd::kInspect,        cmd::kDistance,     cmd::kSketchThickness,
                       cmd::kTimeWindowFirst};
    struct Row {
        int dimension;
        std::initializer_list<int> kinds;
        const char* enabled;  // one mark per column: '+' enabled
    } const rows[] = {{2, {}, "--+-----++"},         {2, {201}, "+++++-+-++"},
                      {2, {210}, "+-+-+-+-++"},      {2, {210, 203}, "+++++++-++"},
                      {2, {209}, "+-+---+-++"},      {2, {209, 209}, "+-+---++++"},
                      {3, {210, 203}, "++++--+-++"}, {3, {310, 304}, "+++++++-++"},
                      {3, {301}, "+-+-+-+-++"},      {3, {309, 309}, "+-+---++++"}};
    for (const Row& row : rows) {
        const TInventory inventory = InventoryOf(row.kinds);
        std::string got;
        for (const int id : ids)
            got += ToolCommandEnabled(id, inventory, row.dimension) ? '+' : '-';
        EXPECT_EQ(got, row.enabled)
            << "dimension " << row.dimension << ", " << row.kinds.size() << " examples";
    }

    // A skipped curve does not count for the curve tools, but the inventory is not empty.
    TInventory skipped = InventoryOf({201});
    skipped[0].listing = -1;
    EXPECT_FALSE(ToolCommandEnabled(cmd::kArcLength, skipped, 2));
    EXPECT_TRUE(ToolCommandEnabled(cmd::kInspect, skipped, 2));
}

// Roulettes and evolutes need a curve of the plane; combinations a kind some combination
// builds from (the polar, parametric and spherical surfaces and planes combine with nothing).
TEST(ToolCommandsTest, DerivedExampleToolsFollowTheKinds) {
    const int ids[] = {cmd::kRoulettes, cmd::kEvolutes, cmd::kCombinations};
    struct Row {
        int dimension;
        std::initializer_list<int> kinds;
        const char* enabled;
    } const rows[] = {{2, {201}, "+++"}, {2, {202}, "+++"},      {2, {203}, "+++"},
                      {2, {210}, "--+"}, {2, {209, 205}, "---"}, {2, {402}, "--+"},
                      {2, {401}, "--+"}, {3, {304}, "--+"},      {3, {301}, "--+"},
                      {3, {312}, "--+"}, {3, {302, 303}, "---"}, {3, {315, 316}, "---"}};
    for (const Row& row : rows) {
        const TInventory inventory = InventoryOf(row.kinds);
        std::string got;
        for (const int id : ids)
            got += ToolCommandEnabled(id, inventory, row.dimension) ? '+' : '-';
        EXPECT_EQ(got, row.enabled) << row.dimension << " " << *row.kinds.begin();
    }
}

TEST(ToolCommandsTest, AMaskNamesItsWindowsInBitOrder) {
    using K = TToolWindow::Kind;
    const std::vector<TToolWindow> expected{{K::Time, 1},  {K::Ivp, 10},  {K::Ivp, 11},
                                            {K::Phase, 0}, {K::Phase, 2}, {K::Ivp, 20}};
    EXPECT_EQ(ToolWindowsOfMask(2 | 16 | 32 | 128 | 512 | 1024 | 0x8000), expected);
    EXPECT_TRUE(ToolWindowsOfMask(0).empty());
}

TEST(ToolCommandsTest, TheDataListShowsEachExampleWithItsEntries) {
    TInventory inventory = InventoryOf({201, 209});
    inventory[0].Text(2) = "X^2";
    inventory[1].Text(1) = "1";
    inventory[1].Text(2) = "2";
    AddMarkedPoint(inventory[0].markedPoints, 53, {0, 1, 1.4789428575446, 100}, 4, "arc length");
    AddMarkedPoint(inventory[0].markedPoints, 60, {0.5L, -2}, 2, "(x,y)");
    TTextSettings settings;
    EXPECT_EQ(DataListing(inventory, settings),
              "y = X^2\r\n"
              "  (x,y) = (0.5000,-2.0000)\r\n"
              "  arc length = (0.0000,1.0000,1.4789,100.0000)\r\n"
              "(x,y) = (1,2)\r\n");
}

TEST(ToolCommandsTest, TheSketchPenKeepsTheWidthsAFileHolds) {
    const std::pair<int, int> cases[] = {{-3, 1}, {0, 1}, {1, 1},    {4, 4},
                                         {6, 6},  {7, 6}, {32767, 6}};
    for (const auto& [typed, width] : cases) EXPECT_EQ(SketchThicknessOf(typed), width) << typed;
}

}  // namespace
}  // namespace quorlin::examples
