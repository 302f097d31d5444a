// Clipboard text, images and several formats at once, in memory and through the system clipboard.
#include "platform/clipboard.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace quorlin::platform {
namespace {

const QString kEmf = QStringLiteral("image/x-emf");
const QString kSvg = QStringLiteral("image/svg+xml");
const QString kPng = QStringLiteral("image/png");

QImage Checker() {
    QImage image(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) image.setPixel(x, y, (x + y) % 2 ? 0xff102030 : 0xffa0b0c0);
    }
    return image;
}

QByteArray PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const QByteArray kEmfBytes("\x01\x00\x00\x00 EMF\x00\xff\x7f", 12);
const QByteArray kSvgBytes("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");

std::unique_ptr<QMimeData> Picture() {
    auto data = std::make_unique<QMimeData>();
    data->setData(kEmf, kEmfBytes);
    data->setData(kSvg, kSvgBytes);
    data->setData(kPng, PngOf(Checker()));
    return data;
}

TEST(ClipboardFormats, MemoryClipboardKeepsEveryFormatAndOneReplacesAll) {
    MemoryClipboard clipboard;
    clipboard.SetMimeData(Picture());
    EXPECT_EQ(clipboard.Data(kEmf), kEmfBytes);  // bytes unchanged, zeros included
    EXPECT_EQ(clipboard.Data(kSvg), kSvgBytes);
    EXPECT_EQ(clipboard.Image().convertToFormat(QImage::Format_ARGB32), Checker());
    EXPECT_TRUE(clipboard.Text().isEmpty());

    clipboard.SetText(QStringLiteral("EXPL2;x^2;"));
    EXPECT_EQ(clipboard.Text(), QStringLiteral("EXPL2;x^2;"));
    EXPECT_FALSE(clipboard.HasFormat(kEmf));
    EXPECT_TRUE(clipboard.Image().isNull());

    clipboard.SetImage(Checker());
    EXPECT_EQ(clipboard.Image().convertToFormat(QImage::Format_ARGB32), Checker());
    EXPECT_FALSE(clipboard.HasFormat(QStringLiteral("text/plain")));
    clipboard.Clear();
    EXPECT_EQ(clipboard.MimeData(), nullptr);
}

// The memory clipboard stands in for the system's: both keep a picture's bytes as they were.
TEST(ClipboardFormats, SystemClipboardKeepsTheBytesOfAFormat) {
    QtClipboard clipboard;
    clipboard.SetMimeData(Picture());
    EXPECT_EQ(clipboard.Data(kEmf), kEmfBytes);
}

TEST(ClipboardText, TooLargeWhenTheTextAndItsTerminatorDoNotFit) {
    MemoryClipboard clipboard;
    clipboard.SetText(QStringLiteral("12345"));
    QString text = QStringLiteral("kept");
    EXPECT_EQ(GetClipboardText(clipboard, &text, 5), kClipboardTextTooLarge);
    EXPECT_EQ(text, QStringLiteral("kept"));
    EXPECT_EQ(GetClipboardText(clipboard, &text, 6), 0);
    EXPECT_EQ(text, QStringLiteral("12345"));

    clipboard.Clear();
    EXPECT_EQ(GetClipboardText(clipboard, &text, 1), 0);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(GetClipboardText(clipboard, &text, 0), kClipboardTextTooLarge);
}

}  // namespace
}  // namespace quorlin::platform
