#pragma once
// The clipboard as the program uses it: plain text (the pasted script, tables), bitmaps, and
// content offered in several formats at once (a picture as a metafile with SVG and PNG
// alternates, made by emf_mime.h).
//
// Everything goes through the Clipboard interface; the real one speaks to QClipboard, tests
// install a MemoryClipboard with SetClipboard so nothing leaves the process.
#include <QByteArray>
#include <QImage>
#include <QMimeData>
#include <QString>
#include <memory>

namespace quorlin::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Replaces the clipboard's content with every format of data at once.
    virtual void SetMimeData(std::unique_ptr<QMimeData> data) = 0;
    // The clipboard's content, null when it is empty; valid until the content changes.
    virtual const QMimeData* MimeData() const = 0;

    QString Text() const;
    void SetText(const QString& text);
    // The bitmap on the clipboard (also one offered only as encoded bytes such as "image/png"),
    // a null image when there is none.
    QImage Image() const;
    void SetImage(const QImage& image);
    // The bytes held in one format, empty when the clipboard has none.
    QByteArray Data(const QString& mimeType) const;
    bool HasFormat(const QString& mimeType) const;
};

// The system clipboard through QClipboard.
class QtClipboard final : public Clipboard {
public:
    void SetMimeData(std::unique_ptr<QMimeData> data) override;
    const QMimeData* MimeData() const override;
};

// A clipboard kept in memory, for tests.
class MemoryClipboard final : public Clipboard {
public:
    void SetMimeData(std::unique_ptr<QMimeData> data) override { data_ = std::move(data); }
    const QMimeData* MimeData() const override { return data_.get(); }
    void Clear() { data_.reset(); }

private:
    std::unique_ptr<QMimeData> data_;
};

// The clipboard in use (the system's unless a test installed another).
Clipboard& CurrentClipboard();
// Installs a clipboard (not owned); null restores the system clipboard.
void SetClipboard(Clipboard* clipboard);

// Error number when the clipboard's text does not fit the caller's buffer ("too large").
inline constexpr int kClipboardTextTooLarge = 20;

// The clipboard's text for a buffer of bufferSize characters including its terminator: 0 and
// the text in *text when it fits, kClipboardTextTooLarge (and *text untouched) when it does not.
// A clipboard without text gives an empty text.
int GetClipboardText(const Clipboard& clipboard, QString* text, int bufferSize);

}  // namespace quorlin::platform
