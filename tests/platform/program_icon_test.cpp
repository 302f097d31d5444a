// The program's icon comes from the resources and shows a drawing at every size.
#include "platform/program_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>

namespace quorlin::platform {
namespace {

TEST(ProgramIcon, TheResourceDrawsAtTheSizesTitleBarsAskFor) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull()) << "the SVG resource is missing or damaged";
    for (const int side : {16, 32, 64}) {
        const QImage image = icon.pixmap(side, side).toImage();
        ASSERT_EQ(image.size(), QSize(side, side));
        std::set<QRgb> colours;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 4u) << side << " pixels: not a drawing";
    }
}

}  // namespace
}  // namespace quorlin::platform
