// Metafile pictures: SVG for real readers, images, nesting, files and clipboard data, and the
// validator against every damaged header, record and truncation.
#include "platform/emf_picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>

#include <unistd.h>

#include "emf_test_support.h"
#include "platform/emf_mime.h"
#include "platform/emf_paint_device.h"
#include "platform/whole_file.h"
#include "support/file_readers.h"

namespace quorlin::platform {
namespace {

using emf::FormatError;
using testing::PutWord;
using testing::RecordedScene;
using testing::RecordsOfType;
using testing::WordAt;

const QSize kPage = testing::kScenePage;

TEST(EmfPicture, ConvertsToWellFormedSvg) {
    const auto picture = EmfPicture::FromBytes(RecordedScene());
    ASSERT_TRUE(picture);
    const QByteArray svg = picture->ToSvg();
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(svg.contains(QString::fromUtf8("\u03b1 = 30\u00b0").toUtf8()));
    EXPECT_TRUE(svg.contains("turned"));
    EXPECT_TRUE(svg.contains("matrix(0.866025,-0.5,0.5,0.866025,")) << svg.constData();

    if (!quorlin::testing::HaveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(quorlin::testing::WriteAll(dir.filePath("diagram.svg"), svg.toStdString()));
    quorlin::testing::ExpectAccepted(
        quorlin::testing::RunReader(dir.path(), "xmllint", {"--noout", "diagram.svg"}), "xmllint");
}

TEST(EmfPicture, RendersTheShapesWhereTheyWereDrawnAlsoInsideAnotherMetafile) {
    const auto picture = EmfPicture::FromBytes(RecordedScene());
    ASSERT_TRUE(picture);
    // A pasted picture is part of the diagram when the diagram is written as a metafile.
    EmfPaintDevice device(kPage * 2, 96);
    {
        QPainter painter(&device);
        EXPECT_TRUE(picture->Render(painter, QRectF(QPointF(0, 0), QSizeF(kPage * 2))));
    }
    const auto nested = EmfPicture::FromBytes(device.Finish());
    ASSERT_TRUE(nested);
    EXPECT_FALSE(RecordsOfType(nested->Bytes(), 81).empty());  // the bitmap
    EXPECT_FALSE(RecordsOfType(nested->Bytes(), 84).empty());  // the texts
    for (const EmfPicture* drawn : {&*picture, &*nested}) {
        // Drawn at twice the size: the frame, not the drawn area, fills the target.
        const QImage image = drawn->ToImage(kPage * 2).convertToFormat(QImage::Format_RGB32);
        const auto at = [&](int x, int y) { return image.pixelColor(2 * x, 2 * y); };
        EXPECT_EQ(at(30, 25), QColor(255, 0, 0));
        EXPECT_EQ(at(140, 20), QColor(0, 160, 0));
        EXPECT_EQ(at(175, 25), QColor(255, 128, 0));
        EXPECT_EQ(at(195, 45), QColor(255, 255, 255)) << "the bitmap's transparent corner";
        EXPECT_EQ(at(30, 50), QColor(0, 0, 0));
    }
    const QImage unpainted = picture->ToImage(kPage * 2);  // nothing drawn: transparent
    EXPECT_EQ(qAlpha(unpainted.pixel(2 * 115, 2 * 40)) + qAlpha(unpainted.pixel(2 * 55, 2 * 30)),
              0);
    EXPECT_EQ(picture->PixelSizeAt(96), kPage);
    EXPECT_NEAR(picture->SizeMm().width(), 200 * 25.4 / 96, 0.01);
}

TEST(EmfPicture, KeepsItsBytesThroughFilesAndClipboardData) {
    const QByteArray bytes = RecordedScene();
    const auto picture = EmfPicture::FromBytes(bytes);
    ASSERT_TRUE(picture);
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.emf");
    ASSERT_TRUE(picture->SaveToFile(path));
    const auto loaded = EmfPicture::FromFile(path);
    EXPECT_TRUE(loaded && loaded->Bytes() == bytes);
    {  // a write that takes half of what it is given, then nothing: the saved file stays
        const ScopedFileWriteCall halfFull([](int fd, const void* data, std::size_t size) {
            return size > 1 ? ::write(fd, data, size / 2) : 0L;
        });
        EXPECT_FALSE(picture->SaveToFile(path));
    }
    EXPECT_EQ(quorlin::testing::ReadAll(path), bytes.toStdString());

    const auto data = PictureToMimeData(*picture);
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), kPage);
    const auto back = PictureFromMimeData(*data);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Bytes(), bytes);

    for (const char* type : {"image/emf", "application/x-emf"}) {  // other programs' names
        QMimeData other;
        other.setData(type, bytes);
        EXPECT_TRUE(PictureFromMimeData(other)) << type;
    }
    QMimeData garbage;
    garbage.setData("image/x-emf", "not a metafile");
    EXPECT_TRUE(MimeDataHasPicture(garbage) && !PictureFromMimeData(garbage));
    QMimeData text;
    text.setText("EXPL2;x^2;");
    EXPECT_FALSE(MimeDataHasPicture(text));
}

FormatError ErrorOf(const QByteArray& bytes) {
    FormatError error = FormatError::kNone;
    const auto picture = EmfPicture::FromBytes(bytes, &error);
    EXPECT_EQ(picture.has_value(), error == FormatError::kNone);
    return error;
}

// The validator's answer to the bytes with one word replaced.
FormatError ErrorWith(QByteArray bytes, qsizetype offset, std::uint32_t value) {
    PutWord(bytes, offset, value);
    return ErrorOf(bytes);
}

TEST(EmfValidation, RefusesEveryTruncation) {
    const QByteArray bytes = RecordedScene();
    ASSERT_EQ(ErrorOf(bytes), FormatError::kNone);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        EXPECT_NE(ErrorOf(bytes.left(n)), FormatError::kNone) << n;
    }
    // Truncated but with the header's byte count mended: the records no longer end in EOF.
    QByteArray cut = bytes.left(bytes.size() - 20);
    PutWord(cut, 48, static_cast<std::uint32_t>(cut.size()));
    EXPECT_EQ(ErrorOf(cut), FormatError::kNoEof);
}

TEST(EmfValidation, RefusesHeadersThatDisagreeAndRecordsWhoseContentLeavesThem) {
    using enum FormatError;
    const QByteArray good = RecordedScene();
    const auto first = [&](std::uint32_t type) {
        const auto records = RecordsOfType(good, type);
        EXPECT_FALSE(records.empty()) << type;
        return records.empty() ? qsizetype{0} : records.front().offset;
    };
    const qsizetype polygon = first(86), text = first(84), image = first(81), pen = first(95),
                    line = first(27), select = first(37), removal = first(40);
    const auto size = static_cast<std::uint32_t>(good.size());
    const std::uint32_t handles = WordAt(good, 56) & 0xffff;
    const struct {
        qsizetype offset;
        std::uint32_t value;
        FormatError error;
        const char* what;
    } cases[] = {
        {0, 2, kNotMetafile, "header type"},
        {40, 0x12345678, kNotMetafile, "signature"},
        {48, size + 4, kSizeMismatch, "byte count too large"},
        {48, size - 4, kSizeMismatch, "byte count too small"},
        {52, WordAt(good, 52) + 1, kCountMismatch, "record count"},
        {4, 0x7ffffff0, kBadHeader, "header past the end"},
        {4, 106, kBadHeader, "header size not a multiple of four"},
        {60, 0x40000000, kBadHeader, "description past the header"},
        {64, 0xfffffff0, kBadHeader, "description offset"},
        {polygon + 24, 1000, kBadRecord, "point count"},
        {polygon + 24, 0x40000001, kBadRecord, "point count that wraps when x 4"},
        {text + 44, 500, kBadRecord, "characters"},
        {text + 48, 0xfffffff0, kBadRecord, "string offset"},
        {text + 72, 0x10000, kBadRecord, "advances offset"},
        {image + 60, 4, kBadRecord, "bits too few"},
        {image + 80 + 8, 1000, kBadRecord, "bitmap rows"},
        {image + 80 + 14, 7, kBadRecord, "bits per pixel"},
        {image + 80 + 16, 1, kBadRecord, "run-length coded"},
        {pen + 48, 100, kBadRecord, "dash entries"},
        {line + 4, 8, kBadRecord, "record shorter than its fields"},
        {line + 4, 18, kBadRecord, "record size not a multiple of 4"},
        {line + 4, 0x7ffffff0, kBadRecord, "record past the end"},
        {line, 1, kBadRecord, "a second header"},
        {pen + 8, handles, kBadRecord, "object index past the handle table"},
        {pen + 8, 0, kBadRecord, "object slot 0, the metafile's"},
        {select + 8, 0x10000, kBadRecord, "selected index past the table"},
        {removal + 8, handles, kBadRecord, "deleted index past the table"},
        {select + 8, 0x80000005, kNone, "a stock object"},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorWith(good, c.offset, c.value), c.error) << c.what;
    EXPECT_EQ(ErrorOf(good + QByteArray(4, '\0')), kSizeMismatch) << "bytes after the end";
}

TEST(EmfValidation, AcceptsRecordsWithoutFields) {
    // Other programs' metafiles carry SaveDC (type 33), a bare 8-byte record, before drawing.
    QByteArray bytes = RecordedScene();
    bytes.insert(RecordsOfType(bytes, 14).front().offset, testing::Words({33, 8}));
    PutWord(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
    PutWord(bytes, 52, WordAt(bytes, 52) + 1);
    EXPECT_EQ(ErrorOf(bytes), FormatError::kNone);
}

TEST(EmfValidation, DamagedBytesNeverCrashTheReader) {
    // Whatever one damaged word does, the picture is refused or converted without harm.
    const QByteArray good = RecordedScene();
    int accepted = 0;
    for (qsizetype offset = 0; offset + 4 <= good.size(); offset += 4) {
        for (const std::uint32_t value : {0u, 0xffffffffu, 0x7fffu}) {
            QByteArray bytes = good;
            PutWord(bytes, offset, value);
            if (const auto picture = EmfPicture::FromBytes(bytes)) {
                ++accepted;
                (void)picture->ToImage(QSize(20, 10));
            }
        }
    }
    EXPECT_GT(accepted, 0);  // colours and coordinates may change freely
}

TEST(EmfPicture, ExtremeFrameAndBoundsGiveSizesWithoutOverflow) {
    // Corners at the two ends of the 32-bit range: a width that an int cannot hold.
    QByteArray bytes = RecordedScene();
    for (const qsizetype corner : {8, 24}) {  // bounds, then frame: left, top, right, bottom
        PutWord(bytes, corner, 0x80000000u);
        PutWord(bytes, corner + 4, 0x80000000u);
        PutWord(bytes, corner + 8, 0x7fffffffu);
        PutWord(bytes, corner + 12, 0x7fffffffu);
    }
    const auto picture = EmfPicture::FromBytes(bytes);
    ASSERT_TRUE(picture);
    const double side = 4294967295.0 / 100;  // hundredths of a millimetre
    EXPECT_DOUBLE_EQ(picture->SizeMm().width(), side);
    EXPECT_DOUBLE_EQ(picture->SizeMm().height(), side);
    (void)picture->ToImage(QSize(20, 10));
}

// A frame of 1.6 km at 96 dpi asks for an image of six million pixels by ninety: the images
// (and the PNG of Copy and Cut) are scaled down to what a screen or a page can use.
TEST(EmfPicture, ImagesAreClampedToWhatAScreenOrAPageCanUse) {
    const struct {
        QSize asked, made;
    } cases[] = {{{6024065, 90}, {8192, 1}},
                 {{90, 6024065}, {1, 8192}},
                 {{20000, 10000}, {8192, 4096}},
                 {{8192, 300}, {8192, 300}},
                 {{0, -5}, {1, 1}}};
    for (const auto& c : cases)
        EXPECT_EQ(EmfPicture::ClampedImageSize(c.asked), c.made) << c.asked.width();
    const auto picture = EmfPicture::FromBytes(RecordedScene());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->ToImage(QSize(6024065, 90)).size(), QSize(8192, 1));
    const QImage png = QImage::fromData(picture->ToPng(QSize(30000, 15000)));
    EXPECT_EQ(png.size(), QSize(8192, 4096));
}

}  // namespace
}  // namespace quorlin::platform
