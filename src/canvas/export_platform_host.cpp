#include "canvas/export_platform_host.h"

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "platform/boxes.h"
#include "platform/common_dialogs.h"
#include "platform/strings.h"

namespace quorlin::canvas {
namespace {

constexpr int kStrQuestionCaption = 2;
constexpr int kStrOverwrite = 13;

}  // namespace

QString PlatformExportHost::ChooseSaveFile(const QString& filter, const QString& defaultExtension,
                                           const QString& proposedName) {
    platform::FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    request.fileName = proposedName;
    return platform::CurrentCommonDialogs().SaveFileName(window_, request).value_or(QString());
}

bool PlatformExportHost::ConfirmOverwrite(const QString&) {
    return platform::MsgBox(window_, platform::ResourceString(kStrQuestionCaption),
                            platform::ResourceString(kStrOverwrite),
                            platform::kMsgYesNo) == platform::kIdYes;
}

bool PlatformExportHost::RunTeXDialog(TeXDialogValues& values) {
    TTeXDlg dialog(window_, values);
    return dialog.Execute() == platform::kIdOk;
}

bool PlatformExportHost::RunSvgDialog(SvgDialogValues& values) {
    TSVGDlg dialog(window_, values);
    return dialog.Execute() == platform::kIdOk;
}

std::optional<int> PlatformExportHost::InputInt(int titleId, int promptId, int minimum, int maximum,
                                                int proposal) {
    int value = proposal;
    if (platform::InputInt(window_, titleId, promptId, minimum, maximum, &value) != 0)
        return std::nullopt;
    return value;
}

std::optional<std::string> PlatformExportHost::InputString(int titleId, int promptId,
                                                           const std::string& proposal,
                                                           int maxLength) {
    QString text = QString::fromLatin1(proposal.c_str());
    if (platform::InputString(window_, titleId, promptId, &text, maxLength) != platform::kIdOk)
        return std::nullopt;
    return ToLatin1(text);
}

void PlatformExportHost::ShowError(const QString& text) {
    platform::MsgBox(window_, platform::ResourceString(platform::kStrHmmCaption), text,
                     platform::kMsgOk);
}

void PlatformExportHost::ShowReport(const ExportReport& report) {
    platform::MsgBox(window_, report.caption, report.text, platform::kMsgOk);
}

}  // namespace quorlin::canvas
