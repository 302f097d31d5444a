#include "canvas/zel_winm.h"

#include <QFileInfo>

#include <cstdint>
#include <span>

#include "canvas/meta_dialog.h"
#include "core/errors.h"
#include "platform/boxes.h"
#include "platform/clipboard.h"
#include "platform/common_dialogs.h"
#include "platform/emf_mime.h"
#include "platform/emf_paint_device.h"
#include "platform/strings.h"
#include "platform/whole_file.h"
#include "shell/diagram_file.h"

namespace quorlin::canvas {

namespace cmd = resources::cmd;

TZELWinm::TZELWinm(int kind, QString fileName, QString iniName, QWidget* parent)
    : TZELWint(kind, std::move(fileName), std::move(iniName), parent) {
    HandleMouseMode(cmd::kMousePaste, PressHandler([this](const platform::MouseEvent& e) {
                        if (e.button != platform::MouseButton::Right) return false;
                        PastePictureAt(e.point);
                        return true;
                    }));
    HandleCommand(cmd::kCopyToClipboard, [this] { MakeMetafileClipboard(); });
    HandleCommand(cmd::kMetafile, [this] { MakeMetafileFile(); });
    HandleCommand(cmd::kHighResolution, [this] {
        highResolution_ = !highResolution_;
        UpdateMenuChecks(false);
    });
}

TZELWinm::~TZELWinm() = default;

void TZELWinm::PaintHighRes(platform::DeviceContext&) {}

bool TZELWinm::CanMakeMetafile() const {
    return false;
}

// ------------------------------------------------------------------------------ metafiles

QByteArray TZELWinm::RenderMetafile() {
    const int factor = highResolution_ ? kHighResolutionFactor : 1;
    // High resolution keeps the frame at the window's physical size and gives the surface nine
    // times the pixels at nine times the resolution: the same picture with finer coordinates,
    // which other programs place at the size the diagram has on the screen.
    const QSize pixels(std::max(ClientWidth(), 1) * factor, std::max(ClientHeight(), 1) * factor);
    platform::EmfPaintDevice device(pixels, platform::EmfPaintDevice::ScreenDpi() * factor,
                                    QStringLiteral("Quorlin"), FileName());
    ScaleFontsBy(true, factor);
    {
        platform::DeviceContext dc(device);
        PaintHighRes(dc);
        DrawImageFrame(dc);
    }
    ScaleFontsBy(false, factor);
    return device.Finish();
}

QString TZELWinm::ProposedMetafileName() const {
    const QString title = Caption().isEmpty() ? FileName() : Caption();
    const qsizetype dot = title.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? title : title.left(dot)) + QStringLiteral(".emf");
}

bool TZELWinm::MakeMetafileFile() {
    platform::FileDialogRequest request;
    request.filter = platform::ResourceString(kStrMetafileFilter);
    request.defaultExtension = QStringLiteral("emf");
    request.fileName = ProposedMetafileName();
    const auto path = platform::CurrentCommonDialogs().SaveFileName(this, request);
    if (!path || !ConfirmOverwrite(*path)) return false;
    const QByteArray bytes = RenderMetafile();
    const std::span written(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                            static_cast<std::size_t>(bytes.size()));
    QString reason;
    const int error = SaveWholeFile(*path, written, &reason);
    // What a failed diagram save shows: the error, the file and the system's reason.
    if (error != kNoError) platform::FileErrorMsg(this, error, *path, reason);
    return error == kNoError;
}

bool TZELWinm::MakeMetafileClipboard() {
    const auto picture = platform::EmfPicture::FromBytes(RenderMetafile());
    if (!picture) {
        platform::ErrorMsg(this, kErrInconsistentData);
        return false;
    }
    platform::CurrentClipboard().SetMimeData(platform::PictureToMimeData(*picture));
    return true;
}

// ------------------------------------------------------------------------------ pictures

TLDRect TZELWinm::AbsoluteRect(const TPastedPicture& picture) const {
    return PictureToAbsolute(picture, AnchorOriginOf(picture.anchor));
}

std::optional<TZELWinm::PictureHit> TZELWinm::HitPicture(QPoint point) const {
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        const platform::PixelRect r = WorldRectToScreen(AbsoluteRect(pictures_[i]));
        const QPoint offset = point - QPoint(r.left, r.top);
        const QSize size(r.Width(), r.Height());
        if (offset.x() >= 0 && offset.y() >= 0 && size.width() > offset.x() &&
            size.height() > offset.y())
            return PictureHit{i, offset, size};
    }
    return std::nullopt;
}

void TZELWinm::PastePictureAt(QPoint point) {
    if (const auto hit = HitPicture(point))
        EditPicture(hit->index);
    else
        PasteNewPicture(point);
}

TPastedPicture* TZELWinm::FindPicture(int serial) {
    const auto it = std::find_if(pictures_.begin(), pictures_.end(),
                                 [serial](const TPastedPicture& p) { return p.index == serial; });
    return it == pictures_.end() ? nullptr : &*it;
}

void TZELWinm::EditPicture(std::size_t index) {
    const int serial = pictures_[index].index;
    TLDRect rect = AbsoluteRect(pictures_[index]);
    bool transparent = pictures_[index].transparent;
    int anchor = pictures_[index].anchor;
    int result = 0;
    TMetaDlg dlg(*this, rect, transparent, anchor, result);
    if (dlg.Execute() != platform::kIdOk) return;
    // The list may have changed while the dialog ran (a diagram read into the window).
    TPastedPicture* const found = FindPicture(serial);
    if (!found) return;
    TPastedPicture& picture = *found;
    if (result == metadlg::kCopy || result == metadlg::kCut) {
        if (const auto metafile = PictureOf(picture))
            platform::CurrentClipboard().SetMimeData(platform::PictureToMimeData(*metafile));
    }
    if (result == metadlg::kClear || result == metadlg::kCut) {
        RemovePicture(serial);
    } else {
        picture.transparent = transparent;
        picture.anchor = anchor;
        picture.rect = PictureToRelative(rect, anchor, AnchorOriginOf(anchor));
    }
    if (result != metadlg::kCopy) {
        MarkModified();
        PictureChanged();
    }
}

void TZELWinm::PasteNewPicture(QPoint point) {
    const QMimeData* data = platform::CurrentClipboard().MimeData();
    auto picture = data ? platform::PictureFromMimeData(*data) : std::nullopt;
    // A picture without extent cannot be placed.
    const QSize natural =
        picture ? picture->PixelSizeAt(platform::ScreenMetrics().pixelsPerInchX) : QSize();
    if (!picture || natural.isEmpty()) {
        platform::ErrorMsg(this, kErrNoGraphics);
        return;
    }
    const QSize size = FitPastedSize(natural, point, QSize(ClientWidth(), ClientHeight()));
    if (size.isEmpty()) {
        platform::ErrorMsg(this, kErrInconsistentData);
        return;
    }
    const TLDRect rect = ScreenRectToWorld(
        {point.x(), point.y(), point.x() + size.width(), point.y() + size.height()});
    pictures_.push_back(
        TPastedPicture{MetafileBytes(*picture), NextPictureIndex(pictures_), -1, true, rect});
    MarkModified();
    PictureChanged();
}

void TZELWinm::DrawPictures(platform::DeviceContext& dc) {
    const QColor background = RoleColour(0);
    const bool fill = !Output().highResolution || WithBackColor();
    for (const TPastedPicture& picture : pictures_) {
        const platform::PixelRect r = WorldRectToScreen(AbsoluteRect(picture));
        if (r.IsEmpty()) continue;
        if (!picture.transparent && fill) dc.FillSolidRect(r, background);
        if (const auto metafile = PictureOf(picture))
            metafile->Render(dc.Painter(), QRectF(r.ToQRect()));
    }
}

void TZELWinm::RemovePicture(int index) {
    std::erase_if(pictures_, [index](const TPastedPicture& p) { return p.index == index; });
}

void TZELWinm::FreePictures() {
    CancelDrag();
    pictures_.clear();
}

void TZELWinm::InstallPictures(PictureList pictures) {
    CancelDrag();
    pictures_ = std::move(pictures);
    PictureChanged();
}

bool TZELWinm::StartDragAt(QPoint point) {
    if (TZELWint::StartDragAt(point)) return true;
    const auto hit = HitPicture(point);
    if (!hit) return false;
    const int serial = pictures_[hit->index].index;
    StartDrag(point, hit->offset, hit->size, 0, [this, serial](QPoint c) {
        TPastedPicture* const it = FindPicture(serial);
        if (!it) return;
        TLDRect r = AbsoluteRect(*it);
        const long double w = r.xHigh - r.xLow, h = r.yHigh - r.yLow;
        r.xLow = ScreenToX(c.x());
        r.yHigh = ScreenToY(c.y());
        r.xHigh = r.xLow + w;
        r.yLow = r.yHigh - h;
        it->rect = PictureToRelative(r, it->anchor, AnchorOriginOf(it->anchor));
    });
    return true;
}

// ------------------------------------------------------------------------------ window

int TZELWinm::DrawPicture(platform::DeviceContext& dc) {
    DrawPictures(dc);
    return TZELWint::DrawPicture(dc);
}

void TZELWinm::EnableCommand(platform::CommandState& state) {
    if (state.id == cmd::kCopyToClipboard || state.id == cmd::kMetafile ||
        state.id == cmd::kHighResolution)
        state.enabled = CanMakeMetafile();
    if (state.id == cmd::kHighResolution) state.checked = highResolution_;
    TZELWint::EnableCommand(state);
}

void TZELWinm::UpdateMenuChecks(bool flag) {
    CheckMenu(cmd::kHighResolution, highResolution_);
    TZELWint::UpdateMenuChecks(flag);
}

}  // namespace quorlin::canvas
