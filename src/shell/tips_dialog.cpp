#include "shell/tips_dialog.h"

#include <QLabel>

#include <cstdint>
#include <span>

#include "core/random.h"
#include "platform/config_dir.h"
#include "platform/strings.h"
#include "shell/diagram_file.h"

namespace quorlin {

namespace {

constexpr int kTipText = 201;
constexpr int kShowAtStart = 271;
constexpr int kNextTip = 92;
constexpr int kClose = 2;

QString TipFilePath() {
    return platform::ConfigFilePath(QStringLiteral("qz.tip"));
}

}  // namespace

TipsDialog::TipsDialog(QWidget* parent) : Dialog(parent, "TIPS") {}

bool TipsDialog::TipsWanted() {
    const auto bytes = ReadWholeFile(TipFilePath(), 4096);
    return !bytes || bytes->empty() || bytes->front() != 0;
}

bool TipsDialog::SaveTipsWanted(bool wanted) {
    const std::uint8_t byte = wanted ? 1 : 0;
    return WriteWholeFile(TipFilePath(), std::span(&byte, 1));
}

void TipsDialog::SetupWindow() {
    Dialog::SetupWindow();
    constexpr int kTipCount = kLastTip - kFirstTip + 1;
    tip_ = kFirstTip + RandomInt() % kTipCount;
    // Tips are sentences of different lengths: wrap them in a steady width instead of letting
    // the dialog jump in size from one tip to the next.
    if (auto* label = qobject_cast<QLabel*>(Control(kTipText))) {
        label->setWordWrap(true);
        label->setMinimumSize(360, 3 * label->fontMetrics().lineSpacing());
    }
    SetChecked(kShowAtStart, TipsWanted());
    ShowTip();
}

void TipsDialog::ShowNextTip() {
    tip_ = tip_ >= kLastTip ? kFirstTip : tip_ + 1;
    ShowTip();
}

void TipsDialog::ShowTip() {
    SetText(kTipText, platform::ResourceString(tip_));
}

void TipsDialog::StoreChoice() {
    if (IsChecked(kShowAtStart) != TipsWanted()) SaveTipsWanted(IsChecked(kShowAtStart));
}

void TipsDialog::OnControl(int id) {
    switch (id) {
        case kNextTip:
            ShowNextTip();
            break;
        case kShowAtStart:
            StoreChoice();
            break;
        case kClose:
            StoreChoice();
            Dialog::OnControl(id);
            break;
        default:
            Dialog::OnControl(id);
    }
}

}  // namespace quorlin
