// The blank image: the metrics of an off-screen image of its size, a device context on it that
// measures and moves as on that image, and every drawing taken without a pixel or a complaint.
#include "platform/blank_image.h"

#include <QtGlobal>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/device_context.h"

namespace quorlin::platform {
namespace {

struct SizeRow {
    QSize asked;
    QSize image;  // the image it stands for
};

TEST(BlankImage, AnswersEveryMetricAsAnImageOfItsSize) {
    const SizeRow rows[] = {
        {{401, 301}, {401, 301}}, {{1200, 900}, {1200, 900}}, {{1, 7}, {1, 7}},
        {{0, 0}, {1, 1}},         {{-5, 40}, {1, 40}},
    };
    for (const SizeRow& row : rows) {
        const BlankImage blank(row.asked);
        const QImage image(row.image, QImage::Format_RGB32);
        const std::string at =
            std::to_string(row.asked.width()) + "x" + std::to_string(row.asked.height());
        EXPECT_EQ(blank.width(), image.width()) << at;
        EXPECT_EQ(blank.height(), image.height()) << at;
        EXPECT_EQ(blank.widthMM(), image.widthMM()) << at;
        EXPECT_EQ(blank.heightMM(), image.heightMM()) << at;
        EXPECT_EQ(blank.logicalDpiX(), image.logicalDpiX()) << at;
        EXPECT_EQ(blank.logicalDpiY(), image.logicalDpiY()) << at;
        EXPECT_EQ(blank.physicalDpiX(), image.physicalDpiX()) << at;
        EXPECT_EQ(blank.physicalDpiY(), image.physicalDpiY()) << at;
        EXPECT_EQ(blank.depth(), image.depth()) << at;
        EXPECT_EQ(blank.colorCount(), image.colorCount()) << at;
        EXPECT_EQ(blank.devicePixelRatio(), image.devicePixelRatio()) << at;
        EXPECT_EQ(MetricsOfDevice(blank), MetricsOfDevice(image)) << at;
    }
}

TEST(BlankImage, AContextOnItIsActiveButHasNoPixelsToRead) {
    BlankImage blank(QSize(120, 80));
    DeviceContext dc(blank);
    EXPECT_TRUE(dc.IsActive());
    EXPECT_EQ(dc.TargetImage(), nullptr);
    dc.FillSolidRect({0, 0, 120, 80}, Qt::red);
    EXPECT_FALSE(dc.GetPixel(10, 10).isValid());
    EXPECT_EQ(dc.Metrics(), ScreenMetrics());
}

// Texts are measured with the same font on both devices: what is compared is the device's part.
struct TextRow {
    FontSpec font;
    TextAlign align;
    QString text;
};

TEST(BlankImage, TextsMeasureAndMoveTheCurrentPositionAsOnAnImage) {
    using H = TextAlign::Horizontal;
    using V = TextAlign::Vertical;
    const TextRow rows[] = {
        {FontSpec{.height = -16}, {H::Left, V::Top, true}, QStringLiteral("x = 2.5")},
        {FontSpec{.height = 30, .weight = 700},
         {H::Right, V::Baseline, true},
         QStringLiteral("sin(x)")},
        {FontSpec{.height = -11, .italic = true, .escapement = 900},
         {H::Left, V::Bottom, true},
         QStringLiteral("y axis")},
        {FontSpec{.height = -23, .escapement = 450},
         {H::Center, V::Top, true},
         QStringLiteral("WWW")},
        {FontSpec{.height = 0, .escapement = 1800},
         {H::Right, V::Top, true},
         QStringLiteral("-12.75")},
    };
    QImage image(300, 200, QImage::Format_RGB32);
    BlankImage blank(QSize(300, 200));
    DeviceContext onImage(image);
    DeviceContext onBlank(blank);
    for (const TextRow& row : rows) {
        const std::string what = row.text.toStdString();
        for (DeviceContext* dc : {&onImage, &onBlank}) {
            dc->Select(row.font);
            dc->SetTextAlign(row.align);
            dc->MoveTo(137, 91);
            dc->TextOut(0, 0, row.text);
        }
        EXPECT_EQ(onBlank.TextExtent(row.text), onImage.TextExtent(row.text)) << what;
        const TextMetrics b = onBlank.GetTextMetrics(), i = onImage.GetTextMetrics();
        EXPECT_EQ(b.height, i.height) << what;
        EXPECT_EQ(b.ascent, i.ascent) << what;
        EXPECT_EQ(b.descent, i.descent) << what;
        EXPECT_EQ(b.averageCharWidth, i.averageCharWidth) << what;
        EXPECT_EQ(onBlank.CurrentPosition(), onImage.CurrentPosition()) << what;
        if (row.align.horizontal != H::Center)
            EXPECT_NE(onBlank.CurrentPosition(), QPoint(137, 91)) << what;
    }
}

std::vector<std::string>* messages = nullptr;

void Record(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (messages) messages->push_back(text.toStdString());
}

TEST(BlankImage, TakesEveryDrawingWithoutAComplaint) {
    std::vector<std::string> said;
    messages = &said;
    const QtMessageHandler previous = qInstallMessageHandler(Record);
    {
        BlankImage blank(QSize(200, 150));
        DeviceContext dc(blank);
        const SelectionGuard pen(dc, Pen::Solid(Qt::blue, 3));
        const SelectionGuard brush(dc, Brush::Solid(Qt::green));
        const QPoint points[] = {{10, 10}, {90, 30}, {40, 120}, {15, 60}};
        dc.SetClipRect({5, 5, 180, 140});
        dc.MoveTo(3, 4);
        dc.LineTo(150, 99);
        dc.Polyline(points);
        dc.Polygon(points);
        dc.Rectangle({20, 20, 60, 50});
        dc.RoundRect({20, 20, 60, 50}, 8, 6);
        dc.Ellipse({30, 30, 90, 70});
        dc.Arc({30, 30, 90, 70}, {90, 50}, {30, 50});
        dc.Pie({30, 30, 90, 70}, {60, 30}, {60, 70});
        dc.FillRect({0, 0, 200, 150}, Brush::Solid(Qt::yellow));
        dc.SetPixel(7, 8, Qt::red);
        dc.Select(FontSpec{.height = -14, .escapement = 300});
        dc.TextOut(50, 60, QStringLiteral("text"));
        const QImage picture(16, 16, QImage::Format_ARGB32);
        dc.CopyImage(picture, {10, 10, 26, 26}, {0, 0});
        dc.StretchImage(picture, {10, 10, 60, 60}, picture.rect());
        dc.ResetClip();
        EXPECT_EQ(dc.CurrentPosition(), QPoint(150, 99));
    }
    qInstallMessageHandler(previous);
    messages = nullptr;
    EXPECT_TRUE(said.empty()) << said.front();
}

}  // namespace
}  // namespace quorlin::platform
