#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/service_slot.h"

namespace quorlin::platform {

namespace {

ServiceSlot<Clipboard, QtClipboard>& Slot() {
    static ServiceSlot<Clipboard, QtClipboard> slot;
    return slot;
}

// An image offered only as encoded bytes (a plain QMimeData does not decode them itself).
QImage DecodedImage(const QMimeData& data) {
    for (const QString& format : data.formats()) {
        if (!format.startsWith(QStringLiteral("image/"))) continue;
        const QImage image = QImage::fromData(data.data(format));
        if (!image.isNull()) return image;
    }
    return QImage();
}

}  // namespace

QString Clipboard::Text() const {
    const QMimeData* data = MimeData();
    return data ? data->text() : QString();
}

void Clipboard::SetText(const QString& text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    SetMimeData(std::move(data));
}

QImage Clipboard::Image() const {
    const QMimeData* data = MimeData();
    if (!data) return QImage();
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull()) return image;
    }
    return DecodedImage(*data);
}

void Clipboard::SetImage(const QImage& image) {
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    SetMimeData(std::move(data));
}

QByteArray Clipboard::Data(const QString& mimeType) const {
    const QMimeData* data = MimeData();
    return data ? data->data(mimeType) : QByteArray();
}

bool Clipboard::HasFormat(const QString& mimeType) const {
    const QMimeData* data = MimeData();
    return data && data->hasFormat(mimeType);
}

void QtClipboard::SetMimeData(std::unique_ptr<QMimeData> data) {
    QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it now
}

const QMimeData* QtClipboard::MimeData() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && !data->formats().isEmpty() ? data : nullptr;
}

Clipboard& CurrentClipboard() {
    return Slot().Current();
}

void SetClipboard(Clipboard* clipboard) {
    Slot().Replace(clipboard);
}

int GetClipboardText(const Clipboard& clipboard, QString* text, int bufferSize) {
    const QString content = clipboard.Text();
    if (content.size() + 1 > bufferSize) return kClipboardTextTooLarge;
    *text = content;
    return 0;
}

}  // namespace quorlin::platform
