// Clipboard text, images and multi-format pictures, in memory and through the system clipboard.
#include "platform/clipboard.h"

#include <gtest/gtest.h>

namespace quorlin::platform {
namespace {

QImage Checker() {
    QImage image(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) image.setPixel(x, y, (x + y) % 2 ? 0xff102030 : 0xffa0b0c0);
    }
    return image;
}

ClipboardPicture Picture() {
    return ClipboardPicture{QByteArray("\x01\x00\x00\x00emf bytes\x00\xff", 15),
                            QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"), Checker()};
}

// The same checks against both implementations: the fake must behave like the real one.
void ExpectPictureRoundTrip(Clipboard& clipboard) {
    const ClipboardPicture picture = Picture();
    clipboard.SetPicture(picture);
    EXPECT_EQ(clipboard.PictureEmf(), picture.emf);  // bytes unchanged, zeros included
    EXPECT_EQ(clipboard.Data(QString::fromLatin1(kSvgMimeType)), picture.svg);
    EXPECT_TRUE(clipboard.HasFormat(QString::fromLatin1(kPngMimeType)));
    const QImage png = QImage::fromData(clipboard.Data(QString::fromLatin1(kPngMimeType)), "PNG");
    EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32), picture.image);
    EXPECT_EQ(clipboard.Image().convertToFormat(QImage::Format_ARGB32), picture.image);

    clipboard.SetText(QStringLiteral("EXPL2;x^2;"));
    EXPECT_EQ(clipboard.Text(), QStringLiteral("EXPL2;x^2;"));
    EXPECT_FALSE(clipboard.HasFormat(QString::fromLatin1(kEmfMimeType)));
    EXPECT_TRUE(clipboard.PictureEmf().isEmpty());
}

TEST(ClipboardPictures, MemoryClipboardKeepsEveryFormat) {
    MemoryClipboard clipboard;
    ExpectPictureRoundTrip(clipboard);
    clipboard.SetImage(Checker());
    EXPECT_EQ(clipboard.Image(), Checker());
    EXPECT_TRUE(clipboard.Text().isEmpty());
    clipboard.Clear();
    EXPECT_TRUE(clipboard.Image().isNull());
}

TEST(ClipboardPictures, SystemClipboardKeepsEveryFormat) {
    QtClipboard clipboard;
    ExpectPictureRoundTrip(clipboard);
}

TEST(ClipboardPictures, PartsLeftEmptyAreNotOffered) {
    MemoryClipboard clipboard;
    clipboard.SetPicture(ClipboardPicture{QByteArray("emf"), {}, {}});
    EXPECT_TRUE(clipboard.HasFormat(QString::fromLatin1(kEmfMimeType)));
    EXPECT_FALSE(clipboard.HasFormat(QString::fromLatin1(kSvgMimeType)));
    EXPECT_FALSE(clipboard.HasFormat(QString::fromLatin1(kPngMimeType)));
    EXPECT_TRUE(clipboard.Image().isNull());
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

TEST(ClipboardSeam, AnInstalledClipboardReplacesTheSystemOne) {
    MemoryClipboard fake;
    SetClipboard(&fake);
    CurrentClipboard().SetText(QStringLiteral("inside"));
    EXPECT_EQ(fake.Text(), QStringLiteral("inside"));
    SetClipboard(nullptr);
    EXPECT_NE(&CurrentClipboard(), static_cast<Clipboard*>(&fake));
}

}  // namespace
}  // namespace quorlin::platform
