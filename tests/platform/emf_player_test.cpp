// The metafile player against drawings whose pixels are known: what the recorder wrote comes
// back as the painter drew it, records other programs write land where they should, and
// hostile records neither crash nor hang, whatever surface they are played onto.
#include "platform/emf_player.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>

#include <QImage>
#include <QPainter>

#include "emf_test_support.h"
#include "platform/emf_paint_device.h"
#include "platform/emf_picture.h"
#include "support/test_paths.h"

namespace quorlin::platform {
namespace {

using testing::PutWord;
using testing::RecordsOfType;
using testing::WordAt;
using testing::Words;

const QSize kPage(200, 100);
constexpr std::uint32_t kRed = 0x0000ff, kBlue = 0xff0000;
constexpr std::uint32_t kNullPen = 0x80000008;

std::uint32_t Float(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

std::uint32_t Int(std::int32_t v) {
    return static_cast<std::uint32_t>(v);
}

// One record: its type, its size and the words that follow.
QByteArray Record(std::uint32_t type, std::initializer_list<std::uint32_t> words) {
    return Words({type, static_cast<std::uint32_t>(8 + 4 * words.size())}) + Words(words);
}

// A record whose size follows its words, for records built from parts.
QByteArray Record(std::uint32_t type, const QByteArray& words) {
    return Words({type, static_cast<std::uint32_t>(8 + words.size())}) + words;
}

// A blank picture of kPage at 96 dpi with records put before its end-of-file record, and the
// header's byte and record counts and handle table mended to match.
QByteArray WithRecords(const std::vector<QByteArray>& records) {
    EmfPaintDevice device(kPage, 96);
    { QPainter painter(&device); }
    QByteArray bytes = device.Finish();
    const auto eof = RecordsOfType(bytes, 14);
    QByteArray inserted;
    for (const QByteArray& r : records) inserted += r;
    bytes.insert(eof.front().offset, inserted);
    PutWord(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
    PutWord(bytes, 52, WordAt(bytes, 52) + static_cast<std::uint32_t>(records.size()));
    PutWord(bytes, 56, 16);  // sixteen object slots
    return bytes;
}

// A solid brush of that colour in slot 1, selected, with the null pen.
std::vector<QByteArray> RedFill() {
    return {Record(39, {1, 0, kRed, 0}), Record(37, {1}), Record(37, {kNullPen})};
}

std::vector<QByteArray> operator+(std::vector<QByteArray> a, const std::vector<QByteArray>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A logical font in slot 2, selected: em height, escapement and face.
QByteArray Font(std::int32_t height, std::int32_t escapement, const QString& face) {
    QByteArray words = Words({2, Int(height), 0, Int(escapement), Int(escapement), 400, 0, 0});
    QByteArray name(64, '\0');
    for (qsizetype i = 0; i < std::min<qsizetype>(face.size(), 31); ++i)
        name[2 * i] = static_cast<char>(face[i].unicode());
    return Record(82, words + name);
}

// EMR_EXTTEXTOUTW of text at (x, y), with the given advances (none: the font's own).
QByteArray TextOut(std::int32_t x, std::int32_t y, const QString& text,
                   const std::vector<std::int32_t>& advances = {}) {
    const auto chars = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringBytes = (2 * chars + 3) & ~3u;
    QByteArray words = Words({0, 0, 0, 0, 1, Float(1), Float(1), Int(x), Int(y), chars, 76, 0, 0, 0,
                              0, 0, advances.empty() ? 0 : 76 + stringBytes});
    QByteArray string(static_cast<qsizetype>(stringBytes), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        string[2 * i] = static_cast<char>(text[i].unicode() & 0xff);
        string[2 * i + 1] = static_cast<char>(text[i].unicode() >> 8);
    }
    words += string;
    for (const std::int32_t a : advances) words += Words({Int(a)});
    return Record(84, words);
}

QImage Played(const QByteArray& bytes, QSize size = kPage) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto picture = EmfPicture::FromBytes(bytes);
    EXPECT_TRUE(picture) << "refused by the validator";
    if (!picture) return image;
    QPainter painter(&image);
    EXPECT_TRUE(picture->Render(painter, QRectF(QPointF(0, 0), QSizeF(size))));
    return image;
}

int CountWhere(const QImage& image, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y));
    }
    return n;
}

TEST(EmfPlayer, TheRecordersPicturesComeBackAsThePainterDrewThem) {
    for (const double scale : {1.0, 2.0}) {
        const QSize size = (QSizeF(kPage) * scale).toSize();
        QImage drawn(size, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        {
            QPainter p(&drawn);
            p.scale(scale, scale);
            testing::DrawScene(p);
        }
        const QImage played = Played(testing::RecordedScene(), size);
        int differing = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y), b = played.pixelColor(x, y);
                differing += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                 std::abs(a.blue() - b.blue()) >
                             96;
            }
        }
        // Edges of text and curves may fall a pixel apart; nothing else may differ.
        EXPECT_LT(differing, size.width() * size.height() / 100) << scale;
        const auto at = [&](int x, int y) {
            return played.pixelColor((QPointF(x, y) * scale).toPoint());
        };
        EXPECT_EQ(at(30, 25), QColor(255, 0, 0)) << scale;
        EXPECT_EQ(at(115, 70), QColor(200, 0, 200)) << scale;  // inside the clip
        EXPECT_EQ(at(90, 70), QColor(Qt::white)) << scale;     // the disc outside it
        EXPECT_EQ(at(115, 55), QColor(Qt::white)) << scale;
    }
}

TEST(EmfPlayer, PlaysTheRecordsOtherProgramsWrite) {
    struct Case {
        const char* what;
        QPoint filled, blank;
        std::vector<QByteArray> records;
    };
    const QByteArray ellipse = Record(42, {0, 0, 200, 100});
    // clang-format off
    const Case cases[] = {
        {"y-up anisotropic mapping", {50, 75}, {150, 25},
         std::vector{Record(17, {8}), Record(9, {1000, 1000}), Record(11, {200, Int(-100)}),
                     Record(12, {0, 100})} + RedFill() + std::vector{Record(43, {0, 0, 500, 500})}},
        {"metric mapping (tenths of a millimetre)", {95, 45}, {110, 55},
         std::vector{Record(17, {2})} + RedFill() +
             std::vector{Record(43, {0, 0, 265, Int(-132)})}},
        {"world transform", {50, 50}, {25, 25},
         std::vector{Record(35, {Float(2), 0, 0, Float(2), Float(10), 0})} + RedFill() +
             std::vector{Record(43, {10, 10, 30, 30})}},
        {"saved clip restored", {175, 50}, {125, 50},
         RedFill() + std::vector{Record(33, {}), Record(30, {0, 0, 100, 100}), ellipse,
                                 Record(34, {Int(-1)}), Record(43, {150, 0, 200, 100})}},
        {"path filled", {100, 40}, {20, 80},
         RedFill() + std::vector{Record(59, {}), Record(27, {10, 10}), Record(54, {190, 10}),
                                 Record(54, {100, 90}), Record(61, {}), Record(60, {}),
                                 Record(62, {0, 0, 200, 100})}},
        {"clip region of two rectangles", {170, 50}, {100, 50},
         RedFill() + std::vector{Record(75, {64, 5, 32, 1, 2, 32, 0, 0, 200, 100,
                                             0, 0, 50, 100, 150, 0, 200, 100}), ellipse}},
        {"clip path, then the whole surface again", {105, 50}, {50, 50},
         RedFill() + std::vector{Record(59, {}), Record(43, {0, 0, 20, 20}), Record(60, {}),
                                 Record(67, {5}), Record(43, {0, 0, 200, 100}), Record(75, {0, 5}),
                                 Record(43, {100, 0, 110, 100})}},
        {"pie", {150, 30}, {50, 70},
         RedFill() + std::vector{Record(47, {0, 0, 200, 100, 200, 50, 100, 0})}},
        {"bitmap of eight bits through its colour table, rows bottom-up", {50, 75}, {150, 50},
         {Record(81, {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 48, 128, 8, 0, 0xCC0020, 100, 100, 40,
                      2, 2, 1 | (8 << 16), 0, 8, 0, 0, 2, 0,  // the header, then
                      0x00ff0000, 0x000000ff,                 // red and blue, then
                      0x00000000, 0x00000101})}},             // a red row, a blue row
        {"angle arc with a thick pen", {100, 12}, {100, 70},
         std::vector{Record(38, {3, 0, 10, 0, kRed}), Record(37, {3}), Record(27, {100, 50}),
                     Record(41, {100, 50, 40, Float(0), Float(90)})}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const QImage image = Played(WithRecords(c.records));
        EXPECT_EQ(image.pixelColor(c.filled), QColor(255, 0, 0)) << c.what;
        EXPECT_EQ(image.pixelColor(c.blank), QColor(Qt::white)) << c.what;
    }
}

TEST(EmfPlayer, TextTakesItsFontColourAlignmentAndAdvances) {
    const auto bluePixels = [](const std::vector<QByteArray>& records, QRect area) {
        return CountWhere(Played(WithRecords(records)).copy(area),
                          [](QColor c) { return c.blue() > 200 && c.red() < 100; });
    };
    const std::vector<QByteArray> font{Font(-40, 0, QStringLiteral("DejaVu Sans")), Record(37, {2}),
                                       Record(24, {kBlue}), Record(18, {1})};
    // Baseline alignment puts the letters above y = 80; top alignment below y = 20.
    const auto baseline = font + std::vector{Record(22, {24}), TextOut(20, 80, "HH")};
    const auto top = font + std::vector{Record(22, {0}), TextOut(20, 20, "HH")};
    EXPECT_GT(bluePixels(baseline, QRect(15, 45, 70, 35)), 50);
    EXPECT_EQ(bluePixels(baseline, QRect(0, 82, 200, 18)), 0);
    EXPECT_GT(bluePixels(top, QRect(15, 20, 70, 35)), 50);
    EXPECT_EQ(bluePixels(top, QRect(0, 0, 200, 18)), 0);
    // Advances the record gives win over the font's own: the second letter far to the right.
    const auto spread = font + std::vector{Record(22, {24}), TextOut(10, 80, "HH", {150, 30})};
    EXPECT_GT(bluePixels(spread, QRect(155, 45, 45, 35)), 20);
    EXPECT_EQ(bluePixels(spread, QRect(45, 40, 100, 60)), 0);
}

TEST(EmfPlayer, RefusesTargetsItCannotPlace) {
    const auto picture = EmfPicture::FromBytes(WithRecords(RedFill()));
    ASSERT_TRUE(picture);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(picture->Render(painter, QRectF()));
    EXPECT_FALSE(picture->Render(painter, QRectF(0, 0, kInf, 10)));
    EXPECT_FALSE(picture->Render(painter, QRectF(0, 0, 1e300, 1e300)));
    // Beyond what a screen or a page can use: no fonts or pens at that size are made.
    EXPECT_FALSE(picture->Render(painter, QRectF(0, 0, 2e6, 2e6)));
    EXPECT_FALSE(picture->Render(painter, QRectF(-1e5, 0, 10, 10)));
    EXPECT_TRUE(picture->Render(painter, QRectF(0, 0, 60000, 20000)));
    EXPECT_TRUE(picture->Render(painter, QRectF(0, 10, 10, -10)));  // turned round: normalised
}

// Plays the picture onto every kind of surface: an image, another metafile (whose recorder
// keeps integer device units) and an SVG document.
void PlayEverywhere(const QByteArray& bytes) {
    const auto picture = EmfPicture::FromBytes(bytes);
    ASSERT_TRUE(picture) << "refused by the validator";
    (void)picture->ToImage(QSize(40, 20));
    EmfPaintDevice device(kPage, 96);
    {
        QPainter painter(&device);
        picture->Render(painter, QRectF(QPointF(0, 0), QSizeF(kPage)));
    }
    EXPECT_TRUE(EmfPicture::FromBytes(device.Finish()));
    (void)picture->ToSvg();
}

TEST(EmfPlayer, HostileRecordsNeitherCrashNorHang) {
    constexpr std::uint32_t kLow = 0x80000000, kHigh = 0x7fffffff;
    const std::uint32_t kNaN = Float(std::numeric_limits<float>::quiet_NaN());
    const std::uint32_t kInf = Float(std::numeric_limits<float>::infinity());
    // Regions of one-pixel rectangles: united, and past the limit taken as their bounding box.
    const auto region = [](std::uint32_t count) {
        QByteArray words = Words({count * 16 + 32, 5, 32, 1, count, count * 16, 0, 0, 200, 100});
        for (std::uint32_t i = 0; i < count; ++i)
            words += Words({i % 200, i % 100, i % 200 + 1, i % 100 + 1});
        return Record(75, words);
    };
    std::vector<QByteArray> deepSaves(3000, Record(33, {}));
    deepSaves.push_back(Record(34, {Int(-100000)}));
    deepSaves.push_back(Record(34, {Int(std::numeric_limits<std::int32_t>::min())}));

    const std::vector<std::pair<const char*, std::vector<QByteArray>>> cases = {
        {"sweep of 1e30 degrees",
         {Record(27, {0, 0}), Record(41, {100, 50, 40, Float(0), Float(1e30f)})}},
        {"angle arc of NaN and infinity", {Record(41, {100, 50, kHigh, kNaN, kInf})}},
        {"pen as wide as the range",
         {Record(95, {3, 0, 0, 0, 0, 0x10000, kHigh, 0, kRed, 0, 0}), Record(37, {3}),
          Record(4, {0, 0, 0, 0, 3, kLow, kLow, 100, 50, kHigh, kHigh})}},
        {"user dashes of one unit on a line across the range",
         {Record(95, {3, 0, 0, 0, 0, 0x10007, 1, 0, kRed, 0, 2, 1, 1}), Record(37, {3}),
          Record(4, {0, 0, 0, 0, 2, kLow, kLow, kHigh, kHigh})}},
        {"fill reaching to the ends of the range",
         RedFill() + std::vector{Record(3, {0, 0, 0, 0, 3, kLow, kLow, kHigh, 0, 0, kHigh})}},
        {"mapping that multiplies by 2^31",
         RedFill() + std::vector{Record(17, {8}), Record(9, {1, 1}), Record(11, {kHigh, kHigh}),
                                 Record(42, {kLow, kLow, kHigh, kHigh}), Record(43, {0, 0, 1, 1})}},
        {"extents scaled without end", std::vector{Record(17, {8})} +
                                           std::vector(200, Record(31, {kHigh, 1, kHigh, 1})) +
                                           RedFill() + std::vector{Record(42, {0, 0, 100, 100})}},
        {"world transforms of NaN, infinity and 1e38",
         RedFill() + std::vector{Record(35, {kNaN, 0, 0, Float(1), 0, 0}),
                                 Record(36, {kInf, 0, 0, kInf, 0, 0, 2}),
                                 Record(35, {Float(1e38f), 0, 0, Float(1e38f), 0, 0}),
                                 Record(35, {0, 0, 0, 0, 0, 0}), Record(43, {0, 0, 100, 100})}},
        {"fonts of the largest heights",
         {Font(std::numeric_limits<std::int32_t>::min(), 0, QStringLiteral("D\x01")),
          Record(37, {2}), TextOut(10, 50, "huge"), Font(kHigh, 3300, QString()), Record(37, {2}),
          TextOut(10, 50, "huge",
                  {static_cast<std::int32_t>(kHigh), static_cast<std::int32_t>(kLow), 7, 7})}},
        {"text far outside", {TextOut(Int(kLow), Int(kHigh), "far", {1, 1, 1})}},
        {"regions of 16000 and 20000 rectangles",
         RedFill() + std::vector{region(16000), Record(42, {0, 0, 200, 100}), region(20000),
                                 Record(42, {0, 0, 200, 100})}},
        {"offset of the clip across the range",
         RedFill() + std::vector{Record(30, {0, 0, 50, 50}), Record(26, {kHigh, kLow}),
                                 Record(43, {0, 0, 200, 100})}},
        {"saves beyond counting, restores beyond them", deepSaves},
        {"bezier and polygon counts of zero and one",
         {Record(2, {0, 0, 0, 0, 0}), Record(3, {0, 0, 0, 0, 1, 5, 5}),
          Record(8, {0, 0, 0, 0, 2, 1, 0, 1, 7, 7})}},
    };
    for (const auto& [what, records] : cases) {
        SCOPED_TRACE(what);
        PlayEverywhere(WithRecords(records));
    }
}

TEST(EmfPlayer, FillsToTheRangesEndsCoverTheTarget) {
    // Cut at the margin round the target, a fill whose corners lie 2^31 units out still covers
    // every pixel it covered.
    constexpr std::uint32_t kLow = 0x80000000, kHigh = 0x7fffffff;
    const QImage image = Played(WithRecords(
        RedFill() + std::vector{Record(3, {0, 0, 0, 0, 3, kLow, kLow, kHigh, 0, 0, kHigh})}));
    EXPECT_EQ(CountWhere(image, [](QColor c) { return c == QColor(255, 0, 0); }),
              kPage.width() * kPage.height());
}

TEST(EmfPlayer, DamagedRecordsOfOtherProgramsNeverCrashThePlayer) {
    // A picture of the records other programs write, each word damaged in turn.
    const QByteArray good = WithRecords(
        std::vector{Record(17, {8}), Record(9, {1000, 1000}), Record(11, {200, Int(-100)}),
                    Record(12, {0, 100}), Record(33, {}), Record(30, {0, 0, 900, 900})} +
        RedFill() +
        std::vector{Record(43, {0, 0, 500, 500}), Record(34, {Int(-1)}),
                    Record(35, {Float(2), 0, 0, Float(2), Float(10), 0}), Record(59, {}),
                    Record(27, {10, 10}), Record(54, {190, 10}), Record(54, {100, 90}),
                    Record(61, {}), Record(60, {}), Record(62, {0, 0, 200, 100}),
                    Record(38, {3, 0, 10, 0, kRed}), Record(37, {3}),
                    Record(41, {100, 50, 40, Float(0), Float(90)}),
                    Record(47, {0, 0, 200, 100, 200, 50, 100, 0}),
                    Font(-40, 450, QStringLiteral("DejaVu Sans")), Record(37, {2}),
                    TextOut(20, 80, QStringLiteral("HH"), {20, 20}),
                    Record(75, {48, 5, 32, 1, 1, 16, 0, 0, 50, 100, 0, 0, 50, 100}),
                    Record(44, {0, 0, 100, 100, 30, 30})});
    const std::uint32_t kInf = Float(std::numeric_limits<float>::infinity());
    for (qsizetype offset = 108; offset + 4 <= good.size(); offset += 4) {
        for (const std::uint32_t value : {0u, 0xffffffffu, 0x80000000u, kInf}) {
            QByteArray bytes = good;
            PutWord(bytes, offset, value);
            if (EmfPicture::FromBytes(bytes)) PlayEverywhere(bytes);
        }
    }
}

TEST(EmfPlayer, TheFuzzedPairPlaysInOneProcess) {
    // Two pictures that once aborted the process when drawn one after the other.
    for (const char* name : {"platform/data/emf-1a.bin", "platform/data/emf-1b.bin"}) {
        const auto data = quorlin::testing::ReadFileBytes(quorlin::testing::TestDataPath(name));
        const QByteArray bytes(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
        ASSERT_TRUE(EmfPicture::FromBytes(bytes)) << name;
        PlayEverywhere(bytes);
        // Both are drawings of shapes and text.
        EXPECT_GT(
            CountWhere(Played(bytes, QSize(120, 90)), [](QColor c) { return c != Qt::white; }), 500)
            << name;
    }
}

}  // namespace
}  // namespace quorlin::platform
