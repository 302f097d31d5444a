#include "canvas/pasted_picture.h"

#include <cmath>

namespace quorlin::canvas {

namespace {

TLDRect Shifted(TLDRect r, WorldPoint by) {
    r.xLow += by.x;
    r.xHigh += by.x;
    r.yLow += by.y;
    r.yHigh += by.y;
    return r;
}

}  // namespace

TLDRect PictureToAbsolute(const TPastedPicture& picture, WorldPoint origin) {
    return picture.anchor >= 0 ? Shifted(picture.rect, origin) : picture.rect;
}

TLDRect PictureToRelative(const TLDRect& absolute, int anchor, WorldPoint origin) {
    return anchor >= 0 ? Shifted(absolute, {-origin.x, -origin.y}) : absolute;
}

QSize FitPastedSize(QSize picture, QPoint p, QSize client) {
    long long w = picture.width(), h = picture.height();
    const long long aw = client.width() - p.x(), ah = client.height() - p.y();
    if (w <= 0 || h <= 0) return {};
    if (w > aw) {
        h = std::llround(static_cast<double>(aw) * static_cast<double>(h) / static_cast<double>(w));
        w = aw;
    }
    if (ah < h && h > 0) {
        w = std::llround(static_cast<double>(ah) * static_cast<double>(w) / static_cast<double>(h));
        h = ah;
    }
    return QSize(static_cast<int>(std::max(w, 0LL)), static_cast<int>(std::max(h, 0LL)));
}

std::optional<platform::EmfPicture> PictureOf(const TPastedPicture& picture) {
    const QByteArray bytes(reinterpret_cast<const char*>(picture.metafile.data()),
                           static_cast<qsizetype>(picture.metafile.size()));
    return platform::EmfPicture::FromBytes(bytes);
}

std::vector<std::uint8_t> MetafileBytes(const platform::EmfPicture& picture) {
    const QByteArray& bytes = picture.Bytes();
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size()};
}

}  // namespace quorlin::canvas
