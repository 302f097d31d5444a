#include "canvas/export_platform_host.h"

#include <cmath>

#include "canvas/export_format.h"
#include "canvas/export_option_dialogs.h"
#include "core/errors.h"
#include "core/numbers.h"
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
    platform::InputRequest request;
    request.title = platform::ResourceString(titleId);
    request.prompt = platform::ResourceString(promptId);
    request.text = QString::number(proposal);
    request.maxLength = kMostCountChars;
    // A refused answer is shown with its error and asked for again, offered as typed, until a
    // count in bounds comes or the box is cancelled.
    for (;;) {
        QString answer;
        if (platform::CurrentPrompter().Input(window_, request, &answer) != platform::kIdOk)
            return std::nullopt;
        int value = 0;
        const int error = ReadCount(answer, minimum, maximum, value);
        if (error == 0) return value;
        platform::ErrorMsg(window_, error);
        request.text = answer;
    }
}

int PlatformExportHost::ReadInputNumber(std::string_view text, long double& out) {
    return StrToLD(text, out) ? kNoError : kErrCannotUnderstand;
}

int PlatformExportHost::ReadCount(const QString& text, int minimum, int maximum, int& out) {
    long double value = 0;
    if (const int error = ReadInputNumber(ToLatin1(text.trimmed()), value)) return error;
    if (!(value >= minimum && value <= maximum) || value != std::trunc(value))
        return platform::kInputOutOfBounds;
    out = static_cast<int>(value);
    return 0;
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
