#include "canvas/meta_dialog.h"

#include "canvas/zel_wint.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/boxes.h"
#include "platform/screen_metrics.h"

namespace quorlin::canvas {

using resources::ControlKind;
namespace id = metadlg;

namespace {

constexpr long double kCmPerInch = 2.54L;
constexpr long double kSmallestCm = 0.1L;

}  // namespace

TMetaDlg::TMetaDlg(TZELWint& window, TLDRect& rect, bool& transparent, int& anchor, int& result)
    : platform::Dialog(&window, "METADLG"),
      window_(window),
      rect_(rect),
      transparent_(transparent),
      anchor_(anchor),
      result_(result) {}

void TMetaDlg::SetupWindow() {
    platform::Dialog::SetupWindow();
    dpi_ = platform::ScreenMetrics().pixelsPerInchX;
    // Measured without the screen mapping's clamping, so a picture reaching past the window
    // still shows its real size.
    const TViewFrame& v = window_.View();
    const long double width = (rect_.xHigh - rect_.xLow) * v.PixelsPerUnitX() * kCmPerInch / dpi_;
    const long double height = (rect_.yHigh - rect_.yLow) * v.PixelsPerUnitY() * kCmPerInch / dpi_;
    SetText(id::kWidth, ControlKind::Edit, QString::fromStdString(FormatLf(width, 5, 2)));
    SetText(id::kHeight, ControlKind::Edit, QString::fromStdString(FormatLf(height, 5, 2)));
    SetMaxLength(id::kWidth, 20);
    SetMaxLength(id::kHeight, 20);
    SetChecked(id::kImageSize, false);
    SetChecked(id::kTransparent, transparent_);
    if (window_.SetupTieList(*this, id::kTieList, id::kAnchor, anchor_))
        SetChecked(id::kAnchor, anchor_ >= 0);
}

bool TMetaDlg::ReadDialog() {
    bool changed = false;
    const bool transparent = IsChecked(id::kTransparent);
    changed |= transparent != transparent_;

    TLDRect rect = rect_;
    if (IsChecked(id::kImageSize)) {
        long double width = 0, height = 0;
        const bool read =
            StrToLD(GetText(id::kWidth, ControlKind::Edit).trimmed().toStdString(), width) &&
            StrToLD(GetText(id::kHeight, ControlKind::Edit).trimmed().toStdString(), height);
        if (!read || width < kSmallestCm || height < kSmallestCm) return false;
        const TViewFrame& v = window_.View();
        // The top-left corner stays.
        rect.xHigh = rect.xLow + dpi_ * width / kCmPerInch * v.unitsPerPixelX;
        rect.yLow = rect.yHigh - dpi_ * height / kCmPerInch * v.unitsPerPixelY;
        if (rect.xHigh > v.right || rect.yLow < v.down) return false;
        changed = true;
    }

    // With tie targets offered, an unchecked "anchor" unties the picture.
    int anchor = window_.TieTargets().offered ? -1 : anchor_;
    if (window_.TieTargets().offered && IsChecked(id::kAnchor)) {
        anchor = window_.ChosenTieTarget(*this, id::kTieList).value_or(-1);
        changed = true;
    }
    if (changed) {
        transparent_ = transparent;
        rect_ = rect;
        anchor_ = anchor;
    }
    return true;
}

bool TMetaDlg::CanClose() {
    if (!ReadDialog()) {
        platform::ErrorMsg(this, kErrInconsistentData);
        return false;
    }
    result_ = platform::kIdOk;
    return true;
}

void TMetaDlg::OnControl(int controlId) {
    switch (controlId) {
        case id::kCut:
        case id::kCopy:
        case id::kClear:
            result_ = controlId;
            CloseWindow(platform::kIdOk);
            return;
        case id::kFill: {
            const TViewFrame& v = window_.View();
            transparent_ = IsChecked(id::kTransparent);
            rect_ = TLDRect{v.left, v.right, v.down, v.up};
            anchor_ = -1;
            result_ = platform::kIdOk;
            CloseWindow(platform::kIdOk);
            return;
        }
        default:
            platform::Dialog::OnControl(controlId);
    }
}

}  // namespace quorlin::canvas
