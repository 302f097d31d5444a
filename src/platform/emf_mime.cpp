#include "platform/emf_mime.h"

#include <QMimeData>

namespace quorlin::platform {

namespace {
constexpr double kScreenDpi = 96.0;
}

QStringList AcceptedEmfMimeTypes() {
    return {kEmfMimeType, QStringLiteral("image/emf"), QStringLiteral("application/x-emf")};
}

std::unique_ptr<QMimeData> PictureToMimeData(const EmfPicture& picture, QSize pngSize) {
    auto data = std::make_unique<QMimeData>();
    data->setData(kEmfMimeType, picture.Bytes());
    const QByteArray svg = picture.ToSvg();
    if (!svg.isEmpty()) {
        data->setData(QStringLiteral("image/svg+xml"), svg);
        const QSize size = pngSize.isEmpty() ? picture.PixelSizeAt(kScreenDpi) : pngSize;
        data->setData(QStringLiteral("image/png"), picture.ToPng(size));
    }
    return data;
}

bool MimeDataHasPicture(const QMimeData& data) {
    const QStringList types = AcceptedEmfMimeTypes();
    return std::any_of(types.begin(), types.end(),
                       [&data](const QString& type) { return data.hasFormat(type); });
}

std::optional<EmfPicture> PictureFromMimeData(const QMimeData& data) {
    for (const QString& type : AcceptedEmfMimeTypes()) {
        if (!data.hasFormat(type)) continue;
        if (auto picture = EmfPicture::FromBytes(data.data(type))) return picture;
    }
    return std::nullopt;
}

}  // namespace quorlin::platform
