#pragma once
// The clipboard as the program uses it: plain text (the pasted script, tables), bitmaps, and
// pictures that carry an enhanced metafile ("image/x-emf") with SVG and PNG alternates for
// programs that cannot read the metafile.
//
// Everything goes through the Clipboard interface; the real one speaks to QClipboard, tests
// install a MemoryClipboard with SetClipboard so nothing leaves the process.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <map>

namespace quorlin::platform {

inline constexpr char kEmfMimeType[] = "image/x-emf";
inline constexpr char kSvgMimeType[] = "image/svg+xml";
inline constexpr char kPngMimeType[] = "image/png";

// A picture for the clipboard; empty parts are left out.
struct ClipboardPicture {
    QByteArray emf;  // the bytes of an EMF file
    QByteArray svg;  // an SVG document of the same picture
    QImage image;    // a bitmap of the same picture (offered as PNG and as an image)
};

class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
    virtual QImage Image() const = 0;
    virtual void SetImage(const QImage& image) = 0;
    // Replaces the clipboard's content with every part of the picture at once.
    virtual void SetPicture(const ClipboardPicture& picture) = 0;
    // The bytes held in one format, empty when the clipboard has none.
    virtual QByteArray Data(const QString& mimeType) const = 0;
    virtual bool HasFormat(const QString& mimeType) const = 0;

    // The metafile bytes of a picture on the clipboard, empty when there is none.
    QByteArray PictureEmf() const { return Data(QString::fromLatin1(kEmfMimeType)); }
};

// The system clipboard through QClipboard.
class QtClipboard final : public Clipboard {
public:
    QString Text() const override;
    void SetText(const QString& text) override;
    QImage Image() const override;
    void SetImage(const QImage& image) override;
    void SetPicture(const ClipboardPicture& picture) override;
    QByteArray Data(const QString& mimeType) const override;
    bool HasFormat(const QString& mimeType) const override;
};

// A clipboard kept in memory, format by format, for tests.
class MemoryClipboard final : public Clipboard {
public:
    QString Text() const override;
    void SetText(const QString& text) override;
    QImage Image() const override;
    void SetImage(const QImage& image) override;
    void SetPicture(const ClipboardPicture& picture) override;
    QByteArray Data(const QString& mimeType) const override;
    bool HasFormat(const QString& mimeType) const override;
    void Clear();

private:
    std::map<QString, QByteArray> formats_;
    QImage image_;
};

// The clipboard in use (the system's unless a test installed another).
Clipboard& CurrentClipboard();
// Installs a clipboard (not owned); null restores the system clipboard.
void SetClipboard(Clipboard* clipboard);

// Error number when the clipboard's text does not fit the caller's buffer ("too large").
inline constexpr int kClipboardTextTooLarge = 20;

// The clipboard's text for a buffer of bufferSize characters including its terminator: 0 and
// the text in *text when it fits, kClipboardTextTooLarge (and *text untouched) when it does not. An
// empty clipboard gives an empty text.
int GetClipboardText(const Clipboard& clipboard, QString* text, int bufferSize);

}  // namespace quorlin::platform
