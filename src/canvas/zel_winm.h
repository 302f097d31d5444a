#pragma once
// TZELWinm: the metafile level of a graphing window.
//
// It renders the whole diagram into an enhanced metafile, for an ".emf" file or the clipboard
// (the metafile with SVG and PNG alternates), optionally at nine times the resolution; and it
// keeps the pictures the user pastes from the clipboard onto the diagram: pasted at a click
// and shrunk to fit the window, drawn under the texts, moved by dragging, edited in TMetaDlg
// (size, anchor, transparency, cut, copy, clear, fill the view), and stored in diagram files.
//
// The diagram is painted into the metafile through PaintHighRes, which the plot levels fill;
// they also switch the metafile commands on through CanMakeMetafile.
#include <QByteArray>

#include <optional>

#include "canvas/pasted_picture.h"
#include "canvas/zel_wint.h"

namespace quorlin::canvas {

inline constexpr int kStrMetafileFilter = 99;  // "Enhanced metafiles (*.EMF)|*.emf"
inline constexpr int kErrNoGraphics = 5;       // "no graphics on clipboard"
inline constexpr int kHighResolutionFactor = 9;

class TZELWinm : public TZELWint {
public:
    TZELWinm(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TZELWinm() override;

    // The "High resolution" check item; not stored in files.
    bool HighResolution() const { return highResolution_; }
    void SetHighResolution(bool on) { highResolution_ = on; }

    PictureList& Pictures() { return pictures_; }
    const PictureList& Pictures() const { return pictures_; }

    // --- slots ---
    // Paints the diagram into the metafile's context; nothing here.
    virtual void PaintHighRes(platform::DeviceContext& dc);
    // Whether this window makes metafiles (enables "Copy to clipboard", "Metafile (EMF) ..." and
    // "High resolution"); false here.
    virtual bool CanMakeMetafile() const;

    // --- metafiles ---
    // The diagram as metafile bytes. The frame is always the window's physical size; with
    // "High resolution" the surface has nine times the pixels at nine times the resolution.
    QByteArray RenderMetafile();
    // Asks for a file (and whether to replace it) and writes the metafile; false when nothing
    // was written (a failure is reported).
    bool MakeMetafileFile();
    // Puts the metafile on the clipboard.
    bool MakeMetafileClipboard();
    // The window's title with its extension replaced by ".emf".
    QString ProposedMetafileName() const;

    // --- pictures ---
    // Edits the picture under a client point, or pastes the clipboard's picture there.
    void PastePictureAt(QPoint point);
    struct PictureHit {
        std::size_t index = 0;
        QPoint offset;
        QSize size;
    };
    std::optional<PictureHit> HitPicture(QPoint point) const;
    void DrawPictures(platform::DeviceContext& dc);
    // Removes the picture with that serial number.
    void RemovePicture(int index);
    void FreePictures();
    // Takes pictures read from a diagram file.
    void InstallPictures(PictureList pictures);

    bool StartDragAt(QPoint point) override;
    int DrawPicture(platform::DeviceContext& dc) override;
    void EnableCommand(platform::CommandState& state) override;
    void UpdateMenuChecks(bool flag) override;

private:
    bool highResolution_ = false;
    void EditPicture(std::size_t index);
    // The picture with this serial number; null when there is none.
    TPastedPicture* FindPicture(int serial);
    void PasteNewPicture(QPoint point);
    TLDRect AbsoluteRect(const TPastedPicture& picture) const;

    PictureList pictures_;
};

}  // namespace quorlin::canvas
