#include "metafile_fuzz_entry.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include "gui_app.h"
#include "platform/emf_picture.h"

namespace quorlin {

int RunMetafileFuzzInput(const std::uint8_t* data, std::size_t size) {
    EnsureGuiApplication();
    const auto picture = platform::EmfPicture::FromBytes(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!picture) return 0;
    QImage image(48, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        picture->Render(painter, QRectF(2, 2, 40, 28));
        // Far larger than the image: the player clips, or refuses a target beyond any page.
        picture->Render(painter, QRectF(-3000, -2000, 9000, 6000));
    }
    (void)picture->ToImage(QSize(24, 16));
    (void)picture->ToSvg();
    return 1;
}

}  // namespace quorlin
