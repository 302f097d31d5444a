// The axes settings record: every field counts as a change, and restoring keeps the polar
// sectors.
#include "canvas/records/axes_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace quorlin::canvas {
namespace {

TEST(GridSettings, EveryFieldCountsAsAChangeAndRestoreKeepsThePolarSectors) {
    TAxesSettings now;
    EXPECT_FALSE(SettingsChanged(now, now));
    now.scaleFlags = 0;  // numbers off: their places and suffix still count
    for (const auto& change : std::initializer_list<std::function<void(TAxesSettings&)>>{
             [](TAxesSettings& a) { a.suffixChar = 39; }, [](TAxesSettings& a) { a.xPlaces = 3; },
             [](TAxesSettings& a) { a.yPi = true; },
             [](TAxesSettings& a) { a.polarSectors = 24; }}) {
        TAxesSettings next = now;
        change(next);
        EXPECT_TRUE(SettingsChanged(now, next));
    }

    TAxesSettings axes;
    axes.polarSectors = 36;
    axes.xInterval = 7;
    axes.gridFlags = kGridPolar;
    axes.ResetKeepingSectors();
    EXPECT_EQ(axes.polarSectors, 36);
    EXPECT_EQ(axes.xInterval, 1);
    EXPECT_EQ(axes.gridFlags, kGridQuadrants);
    EXPECT_EQ(axes.scaleFlags, kScaleX | kScaleY);
}

}  // namespace
}  // namespace quorlin::canvas
