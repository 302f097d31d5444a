#include "shell/text_win.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <array>

#include "core/errors.h"
#include "core/text_helpers.h"
#include "platform/boxes.h"
#include "platform/text_codec.h"
#include "resources/command_ids.h"
#include "resources/resources.h"
#include "shell/diagram_file.h"
#include "shell/print_job.h"

namespace quorlin {
namespace {

namespace cmd = resources::cmd;
using Kind = resources::MenuItemTemplate::Kind;

constexpr std::array kTextMenuItems = {
    resources::MenuItemTemplate{Kind::Popup, "&File", 0},
    resources::MenuItemTemplate{Kind::Command, "&New", cmd::kFileNew},
    resources::MenuItemTemplate{Kind::Command, "&Open ...\tCtrl+O", cmd::kFileOpen},
    resources::MenuItemTemplate{Kind::Command, "&Save\tCtrl+S", cmd::kFileSave},
    resources::MenuItemTemplate{Kind::Command, "Save &as ...", cmd::kFileSaveAs},
    resources::MenuItemTemplate{Kind::Separator, {}, 0},
    resources::MenuItemTemplate{Kind::Command, "&Print ...\tCtrl+P", cmd::kPrint},
    resources::MenuItemTemplate{Kind::Command, "&Format ...", cmd::kPrintFormat},
    resources::MenuItemTemplate{Kind::Command, "S&elect printer ...", cmd::kSelectPrinter},
    resources::MenuItemTemplate{Kind::Separator, {}, 0},
    resources::MenuItemTemplate{Kind::Command, "&Close", cmd::kClose},
    resources::MenuItemTemplate{Kind::Command, "E&xit", cmd::kFrameExit},
    resources::MenuItemTemplate{Kind::EndPopup, {}, 0},
    resources::MenuItemTemplate{Kind::Popup, "F&ont", 0},
    resources::MenuItemTemplate{Kind::Command, "&Text ...", cmd::kFontBase + kTextFontIndex},
    resources::MenuItemTemplate{Kind::EndPopup, {}, 0},
};
constexpr resources::MenuTemplate kTextMenu{"TEXTMENU", kTextMenuItems};

constexpr std::array kTextKeys = {
    resources::AcceleratorTemplate{"Ctrl+O", cmd::kFileOpen},
    resources::AcceleratorTemplate{"Ctrl+S", cmd::kFileSave},
    resources::AcceleratorTemplate{"Ctrl+P", cmd::kPrint},
};
constexpr resources::AcceleratorTable kTextAccelerators{"TEXTMENU", kTextKeys};

void TellTooLarge(QWidget* window) {
    platform::MsgBox(window, resources::LoadString(platform::kStrHmmCaption),
                     QStringLiteral("A text file holds at most %1 bytes.").arg(kMaxTextFileBytes),
                     platform::kMsgOk);
}

}  // namespace

std::optional<std::string> TextFileBytes(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToWindows1252(withCrLf);
}

QString TextOfFileBytes(std::string_view bytes) {
    QString text = FromWindows1252(UpToFirstZero(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// ---------------------------------------------------------------------------- TTextWin

TTextWin::TTextWin(QString fileName, QWidget* parent) : TPreTextWin(std::move(fileName), parent) {
    SetMenu(&kTextMenu);
    SetAccelerators(&kTextAccelerators);
}

QString TTextWin::FileFilter() const {
    return QStringLiteral("Text files (*.TXT)|*.txt");
}

QString TTextWin::DefaultExtension() const {
    return QStringLiteral("txt");
}

int TTextWin::ReadFile(const QString& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return kErrCannotOpenFile;
    const std::string_view view(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const std::string_view text = UpToFirstZero(view);
    if (text.size() > kMaxTextFileBytes) {
        TellTooLarge(this);
        return kErrAlreadyReported;
    }
    SetText(TextOfFileBytes(text));
    return kNoError;
}

int TTextWin::WriteFile(const QString& path, QString* reason) {
    auto bytes = TextFileBytes(Text());
    if (!bytes) {
        platform::MsgBox(this, resources::LoadString(platform::kStrHmmCaption),
                         QStringLiteral("The text holds characters a text file cannot store."),
                         platform::kMsgOk);
        return kErrAlreadyReported;
    }
    if (bytes->size() > kMaxTextFileBytes) {
        TellTooLarge(this);
        return kErrAlreadyReported;
    }
    bytes->push_back('\0');
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
    return SaveWholeFile(path, std::span(data, bytes->size()), reason);
}

bool TTextWin::PrintText(platform::Printer& printer) {
    QTextDocument document;
    document.setDefaultFont(Editor().font());
    document.setPlainText(Text());
    document.print(&printer.Device());
    return printer.Device().printerState() != QPrinter::Error;
}

void TTextWin::ResetWindow() {
    SetText(QString());
    TPreTextWin::ResetWindow();
}

void TTextWin::Print() {
    if (SharedPrinter().SelectPrinter(this) && !PrintText(SharedPrinter())) {
        platform::ErrorMsg(this, kErrCannotOpenFile);
    }
}

}  // namespace quorlin
