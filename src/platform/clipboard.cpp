#include "platform/clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "platform/service_slot.h"

namespace quorlin::platform {

namespace {

const QString kTextMimeType = QStringLiteral("text/plain");

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The formats a picture is offered in, by mime type.
std::map<QString, QByteArray> PictureFormats(const ClipboardPicture& picture) {
    std::map<QString, QByteArray> formats;
    if (!picture.emf.isEmpty()) formats[QString::fromLatin1(kEmfMimeType)] = picture.emf;
    if (!picture.svg.isEmpty()) formats[QString::fromLatin1(kSvgMimeType)] = picture.svg;
    if (!picture.image.isNull()) {
        formats[QString::fromLatin1(kPngMimeType)] = PngBytes(picture.image);
    }
    return formats;
}

QClipboard* System() {
    return QGuiApplication::clipboard();
}

ServiceSlot<Clipboard, QtClipboard>& Slot() {
    static ServiceSlot<Clipboard, QtClipboard> slot;
    return slot;
}

}  // namespace

// --- QtClipboard ---

QString QtClipboard::Text() const {
    return System()->text();
}

void QtClipboard::SetText(const QString& text) {
    System()->setText(text);
}

QImage QtClipboard::Image() const {
    return System()->image();
}

void QtClipboard::SetImage(const QImage& image) {
    System()->setImage(image);
}

void QtClipboard::SetPicture(const ClipboardPicture& picture) {
    auto data = std::make_unique<QMimeData>();
    for (const auto& [mimeType, bytes] : PictureFormats(picture)) data->setData(mimeType, bytes);
    if (!picture.image.isNull()) data->setImageData(picture.image);
    System()->setMimeData(data.release());  // the clipboard owns it from here
}

QByteArray QtClipboard::Data(const QString& mimeType) const {
    const QMimeData* data = System()->mimeData();
    return data ? data->data(mimeType) : QByteArray();
}

bool QtClipboard::HasFormat(const QString& mimeType) const {
    const QMimeData* data = System()->mimeData();
    return data && data->hasFormat(mimeType);
}

// --- MemoryClipboard ---

QString MemoryClipboard::Text() const {
    return QString::fromUtf8(Data(kTextMimeType));
}

void MemoryClipboard::SetText(const QString& text) {
    Clear();
    formats_[kTextMimeType] = text.toUtf8();
}

QImage MemoryClipboard::Image() const {
    if (!image_.isNull()) return image_;
    return QImage::fromData(Data(QString::fromLatin1(kPngMimeType)), "PNG");
}

void MemoryClipboard::SetImage(const QImage& image) {
    SetPicture(ClipboardPicture{{}, {}, image});
}

void MemoryClipboard::SetPicture(const ClipboardPicture& picture) {
    Clear();
    formats_ = PictureFormats(picture);
    image_ = picture.image;
}

QByteArray MemoryClipboard::Data(const QString& mimeType) const {
    const auto found = formats_.find(mimeType);
    return found == formats_.end() ? QByteArray() : found->second;
}

bool MemoryClipboard::HasFormat(const QString& mimeType) const {
    return formats_.contains(mimeType);
}

void MemoryClipboard::Clear() {
    formats_.clear();
    image_ = QImage();
}

// --- the slot and the program's text read ---

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
