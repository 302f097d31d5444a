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
    : TFileMsgWin(kind, std::move(fileName), parent) {
    HandleCommands(resources::cmd::kFontBase, resources::cmd::kFontBase + WindowFonts::kFonts - 1,
                   [this](int id) { ChooseFont(*WindowFonts::FontOfCommand(id)); });
    HandleCommand(resources::cmd::kPrint, [this] { Print(); });
    HandleCommand(resources::cmd::kPrintFormat, [this] { SharedPrinter().SetUpPage(this); });
    HandleCommand(resources::cmd::kSelectPrinter, [this] { SharedPrinter().SelectPrinter(this); });
}

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

}  // namespace quorlin
