#pragma once
// Clipboard formats of a metafile picture: the metafile itself as "image/x-emf", with SVG and
// PNG renderings for programs that do not read metafiles, and the way back from whatever
// metafile type another program offered.
#include <memory>
#include <optional>

#include <QSize>
#include <QString>
#include <QStringList>

#include "platform/emf_picture.h"

class QMimeData;

namespace quorlin::platform {

inline const QString kEmfMimeType = QStringLiteral("image/x-emf");

// The metafile types accepted from the clipboard, preferred first.
QStringList AcceptedEmfMimeTypes();

// Clipboard data for picture: the metafile bytes unchanged, "image/svg+xml" and "image/png"
// (drawn at pngSize, or at the picture's size on a 96 dpi screen when that is empty).
std::unique_ptr<QMimeData> PictureToMimeData(const EmfPicture& picture, QSize pngSize = {});

bool MimeDataHasPicture(const QMimeData& data);

// The first sound metafile among the accepted types, or nothing.
std::optional<EmfPicture> PictureFromMimeData(const QMimeData& data);

}  // namespace quorlin::platform
