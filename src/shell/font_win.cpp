#include "shell/font_win.h"

#include <algorithm>
#include <cmath>

#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/print_job.h"

namespace quorlin {

TFontWin::TFontWin(int kind, QString fileName, QWidget* parent)
    : TFileMsgWin(kind, std::move(fileName), parent) {}

bool TFontWin::ChooseFont(int i) {
    if (i < 0 || i >= WindowFonts::kFonts) return false;
    const FontRecord& current = fonts_.Font(i);
    platform::FontChoice initial;
    initial.font = ToFontSpec(current);
    initial.pointSizeTenths = fonts_.PointSize(i) * 10;
    const int captionId = fonts_.CaptionId(i);
    const QString caption = captionId != 0 ? resources::LoadString(captionId) : QString();
    const auto choice = platform::CurrentCommonDialogs().ChooseFont(this, caption, initial);
    if (!choice) return false;
    const auto record = FontRecordFromSpec(choice->font, current);
    if (!record) return false;
    fonts_.Font(i) = *record;
    fonts_.SetPointSize(i,
                        std::max(1, static_cast<int>(std::lround(choice->pointSizeTenths / 10.0))));
    if (fontChangeMarksModified_) MarkModified();
    Notify(kNotifyFontChanged);
    return true;
}

void TFontWin::NumberFormatChanged() {
    format_.NumberFormatChanged();
}

void TFontWin::ReportTeXSaved() {
    platform::MsgBox(this, resources::LoadString(kStrSuccess), resources::LoadString(kStrTeXSaved),
                     platform::kMsgOk);
}

bool TFontWin::OnCommand(int id) {
    if (const auto font = WindowFonts::FontOfCommand(id)) {
        ChooseFont(*font);
        return true;
    }
    switch (id) {
        case resources::cmd::kPrint:
            Print();
            return true;
        case resources::cmd::kPrintFormat:
            SharedPrinter().SetUpPage(this);
            return true;
        case resources::cmd::kSelectPrinter:
            SharedPrinter().SelectPrinter(this);
            return true;
        default:
            return TFileMsgWin::OnCommand(id);
    }
}

}  // namespace quorlin
