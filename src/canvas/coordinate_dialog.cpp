#include "canvas/coordinate_dialog.h"

#include <cmath>

#include "canvas/zel_wing.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/boxes.h"
#include "platform/strings.h"
#include "platform/text_codec.h"

namespace quorlin::canvas {

namespace {

constexpr int kStrCoordinates = 121;

}  // namespace

TEditCoorDlg::TEditCoorDlg(TZELWing& window, std::string_view templateName, WorldPoint& point,
                           TOptions options)
    : Dialog(&window, templateName), window_(window), point_(point), options_(options) {}

void TEditCoorDlg::SetupWindow() {
    Dialog::SetupWindow();
    const int places = window_.Format().places;
    for (const auto& [id, value] : {std::pair{kX, point_.x}, std::pair{kY, point_.y}}) {
        // A longer text would be cut where it is read: the field takes no more.
        SetMaxLength(id, kMaxFieldChars);
        SetText(id, QString::fromStdString(FormatLf(value, places + 2, places)));
    }
    ShowControl(kDelete, options_.deleteAllowed);
    setWindowTitle(platform::ResourceString(kStrCoordinates));
}

bool TEditCoorDlg::CanClose() {
    const auto read = [this](int id, long double& out) {
        const std::optional<std::string> text =
            ToWindows1252(GetText(id, resources::ControlKind::Edit));
        if (!text) return kErrCannotUnderstand;
        const int error = window_.ReadNumber(*text, out);
        if (error != kNoError) return error;
        return std::isfinite(out) ? kNoError : kErrCannotUnderstand;
    };
    WorldPoint p;
    int error = read(kX, p.x);
    if (error == kNoError) error = read(kY, p.y);
    if (error == kNoError && options_.mustLieInView && !window_.IsInView(p))
        error = kErrOutOfBounds;
    if (error != kNoError) {
        platform::ErrorMsg(this, error);
        return false;
    }
    point_ = p;
    return true;
}

void TEditCoorDlg::OnControl(int id) {
    if (id == kDelete && options_.deleteAllowed) {
        CloseWindow(kDeleted);
        return;
    }
    Dialog::OnControl(id);
}

}  // namespace quorlin::canvas
