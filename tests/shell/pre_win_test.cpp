#include "shell/pre_win.h"

#include <gtest/gtest.h>
#include <QPainter>

#include "test_diagram.h"

namespace quorlin {
namespace {

using testing::TestDiagram;

TEST(PictureLevel, PictureLayersRedrawOnlyWhatIsStale) {
    TestDiagram w("a.qz2");
    w.SizeChanged(123, 45);
    EXPECT_EQ(w.MaxTicksX(), 15);
    EXPECT_EQ(w.MaxTicksY(), 5);

    w.RenderImage(ImageLayer::Picture);
    EXPECT_EQ(w.Image(ImageLayer::Picture).size(), QSize(123, 45));

    QImage screen(123, 45, QImage::Format_RGB32);
    auto paint = [&] {
        QPainter painter(&screen);
        w.Paint(painter, screen.rect());
    };
    const auto calls = [&] { return std::pair(w.drawAllCalls, w.drawPictureCalls); };
    paint();
    EXPECT_EQ(calls(), std::pair(1, 1)) << "a current picture is only copied";
    w.InvalidateImage(ImageLayer::Picture);
    paint();
    EXPECT_EQ(calls(), std::pair(1, 2));
    w.InvalidateImage(ImageLayer::Background);
    paint();
    EXPECT_EQ(calls(), std::pair(2, 3));

    // The background colour of role 0 fills the layer; the test's red line crosses it.
    const QColor background = w.GetColor(w.Roles().Role(0));
    EXPECT_EQ(screen.pixelColor(120, 2), background);
    EXPECT_EQ(screen.pixelColor(0, 0), QColor(Qt::red));

    w.SizeChanged(60, 40);
    EXPECT_TRUE(w.UpdateImageSize());
    EXPECT_FALSE(w.UpdateImageSize());
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));
    EXPECT_EQ(w.MaxTicksX(), 7);
}

// A drawing that lets the window paint meanwhile (a key poll, a watched family): that paint
// shows the layers as far as they are drawn instead of drawing them a second time, and asks for
// a paint once they are done.
TEST(PictureLevel, APaintDuringTheDrawingShowsTheLayersAsTheyAre) {
    struct Polling : TestDiagram {
        using TestDiagram::TestDiagram;
        int DrawAll(platform::DeviceContext& dc) override {
            const int result = TestDiagram::DrawAll(dc);
            dc.FillSolidRect(platform::PixelRect{2, 3, 6, 8}, QColor(Qt::red));
            screen.fill(Qt::white);
            QPainter painter(&screen);
            Paint(painter, screen.rect());  // as a paint event delivered by a key poll
            return result;
        }
        QImage screen{20, 20, QImage::Format_RGB32};
    } w("b.qz2");
    w.SizeChanged(20, 20);
    w.RenderImage(ImageLayer::Picture);
    EXPECT_EQ(std::pair(w.drawAllCalls, w.drawPictureCalls), std::pair(1, 1));
    EXPECT_TRUE(w.IsImageCurrent(ImageLayer::Picture));
    EXPECT_EQ(w.screen.pixel(4, 5), QColor(Qt::red).rgb()) << "the part drawn so far shows";
}

}  // namespace
}  // namespace quorlin
