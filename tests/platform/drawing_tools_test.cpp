// Pen style numberings, pen and brush conversion, font heights.
#include "platform/drawing_tools.h"

#include <gtest/gtest.h>

#include <QImage>
#include <limits>

#include "platform/device_context.h"

namespace quorlin::platform {
namespace {

TEST(PenStyles, ListIndexAndStoredCodeNameTheSameStyles) {
    // index in the style lists -> stored style code
    const int codeOfIndex[6] = {-1, 1, 2, 3, 4, 0};
    for (int index = 0; index < 6; ++index) {
        const PenStyle style = PenStyleFromIndex(index);
        EXPECT_EQ(PenStyleIndex(style), index);
        EXPECT_EQ(PenStyleCode(style), codeOfIndex[index]) << index;
        EXPECT_EQ(PenStyleFromCode(codeOfIndex[index]), style);
    }
    EXPECT_EQ(PenStyleFromIndex(0), PenStyle::Null);
    EXPECT_EQ(PenStyleFromIndex(5), PenStyle::Solid);
    // numbers from a damaged file draw solid
    for (int bad : {-2, 6, 100}) EXPECT_EQ(PenStyleFromIndex(bad), PenStyle::Solid) << bad;
    for (int bad : {-2, 5, 9}) EXPECT_EQ(PenStyleFromCode(bad), PenStyle::Solid) << bad;
}

TEST(FontHeights, PointsToPixelsRoundHalfAwayFromZero) {
    for (const auto& [points, dpi, height] :
         {std::tuple{10.0, 96, -13}, {12.0, 600, -100}, {7.5, 96, -10}, {3.0, 12, -1}})
        EXPECT_EQ(FontHeightForPoints(points, dpi), height) << points;  // 0.5 rounds away from 0
    EXPECT_DOUBLE_EQ(FontPointsForHeight(-100, 600), 12.0);
    EXPECT_DOUBLE_EQ(FontPointsForHeight(-13, 0), 0.0);
}

TEST(FontHeights, SpecsBecomeQtFontsAndBack) {
    FontSpec fontSpec{.faceName = QStringLiteral("Courier New"),
                      .height = -20,
                      .weight = 700,
                      .italic = true,
                      .underline = true};
    const QFont font = ToQFont(fontSpec);
    EXPECT_EQ(std::tuple(font.pixelSize(), font.weight(), font.italic(), font.underline()),
              std::tuple(20, QFont::Bold, true, true));
    EXPECT_EQ(FontSpecFromQFont(font, 96), fontSpec);

    fontSpec.height = 0;
    fontSpec.weight = 0;
    EXPECT_EQ(ToQFont(fontSpec).pixelSize(), kDefaultFontPixels);
    EXPECT_EQ(ToQFont(fontSpec).weight(), QFont::Normal);

    QFont points(QStringLiteral("Arial"));
    points.setPointSizeF(12);
    EXPECT_EQ(FontSpecFromQFont(points, 120).height, -20);
}

TEST(FontHeights, HeightsFromDamagedFilesGiveADrawableFont) {
    // A font record's height is any int32 a file holds; the smallest has no magnitude in an int.
    FontSpec fontSpec;
    for (const int height : {std::numeric_limits<int>::min(), -2000000000, 2000000000,
                             std::numeric_limits<int>::max()}) {
        fontSpec.height = height;
        const QFont font = ToQFont(fontSpec);
        EXPECT_GT(font.pixelSize(), 0) << height;
        EXPECT_LE(font.pixelSize(), kLargestFontPixels) << height;
        EXPECT_GT(FontPointsForHeight(height, 96), 1e6) << height;
    }
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceContext dc(image);
    dc.Select(fontSpec);  // a positive height: the cell, worked out from the face's metrics
    dc.TextOut(0, 0, QStringLiteral("x"));
    EXPECT_LE(dc.Painter().font().pixelSize(), kLargestFontPixels);
}

}  // namespace
}  // namespace quorlin::platform
