// The program's icon comes from the resources and shows a drawing at every size.
#include "platform/program_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
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

// The icon as it would be with every size drawn at once: the SVG at seven sizes in a pixmap icon.
QIcon DrawnAtEverySize() {
    QSvgRenderer svg(QStringLiteral(":/icons/quorlin.svg"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

TEST(ProgramIcon, EachSizeDrawnOnDemandIsTheOneEverySizeDrawnAtOnceGives) {
    const QIcon expected = DrawnAtEverySize();
    QIcon icon = ProgramIcon();
    EXPECT_EQ(icon.availableSizes(), expected.availableSizes()) << "before anything was drawn";
    // Sizes between, below and above the drawn ones, and a size asked for twice.
    for (const QSize size : {QSize(20, 20), QSize(48, 48), QSize(12, 12), QSize(300, 300),
                             QSize(40, 30), QSize(20, 20)}) {
        EXPECT_EQ(icon.actualSize(size), expected.actualSize(size)) << size.width();
        const QImage got = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage want = expected.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(got, want) << size.width() << "x" << size.height();
    }
    const QImage disabled = icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.convertToFormat(QImage::Format_ARGB32),
              expected.pixmap(QSize(32, 32), QIcon::Disabled)
                  .toImage()
                  .convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
}  // namespace quorlin::platform
