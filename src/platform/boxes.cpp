#include "platform/boxes.h"

#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QStringList>

#include <algorithm>

#include "resources/resources.h"

namespace quorlin::platform {

namespace {

Prompter*& Installed() {
    static Prompter* prompter = nullptr;
    return prompter;
}

QMessageBox::StandardButtons ButtonsOf(int kind) {
    switch (kind) {
        case kMsgYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case kMsgYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

int ResultOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return kIdYes;
        case QMessageBox::No:
            return kIdNo;
        case QMessageBox::Cancel:
            return kIdCancel;
        default:
            return kIdOk;
    }
}

}  // namespace

Prompter& CurrentPrompter() {
    static DefaultPrompter standard;
    return Installed() ? *Installed() : standard;
}

void SetPrompter(Prompter* prompter) {
    Installed() = prompter;
}

void FitCaption(QMessageBox& box) {
    // A short message such as "missing =" left the box so narrow that the title bar cut its
    // caption "hmm ..." to "h... .".
    const int wanted = CaptionWidth(box);
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    // QMessageBox sizes itself from its layout, so a spacer across the bottom row sets the floor.
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

namespace {

// Where a line may break without a visible mark.
constexpr QChar kBreakChance(0x200b);

QRect AvailableArea(const QWidget& box) {
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

// The width a line of a message box may take on the box's screen: a message box takes at least
// half the screen, up to 500 pixels, before it breaks lines; its icon and margins take the rest.
int MessageLineWidth(const QWidget& box) {
    return std::max(std::min(AvailableArea(box).width() / 2, 500) - 100, 100);
}

// How many lines of the box one line of a message may take: half the screen's height.
int MostLinesOfOne(const QWidget& box, const QFontMetrics& metrics) {
    return std::max(AvailableArea(box).height() / 2 / std::max(metrics.lineSpacing(), 1), 4);
}

// The line with a chance to break after each folder of a path and inside every run that would
// take more than a third of the box's width.
QString WithBreakChances(const QString& line, const QFontMetrics& metrics, int lineWidth) {
    QString out;
    int run = 0;  // the width since the last chance to break
    for (const QChar c : line) {
        const int advance = metrics.horizontalAdvance(c);
        if (run + advance > lineWidth / 3 && !c.isLowSurrogate()) {
            out += kBreakChance;
            run = 0;
        }
        out += c;
        run = c.isSpace() ? 0 : run + advance;
        if (c == QLatin1Char('/')) {
            out += kBreakChance;
            run = 0;
        }
    }
    return out;
}

}  // namespace

QString FitMessageText(const QString& text, const QFontMetrics& metrics, int lineWidth,
                       int mostLines) {
    // A message box breaks lines only between words and cuts off a word wider than itself (a
    // long path), and grows past the screen's edge for a text too long.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (metrics.horizontalAdvance(line) <= lineWidth) continue;
        line = metrics.elidedText(line, Qt::ElideMiddle, mostLines * lineWidth);
        line = WithBreakChances(line, metrics, lineWidth);
    }
    return lines.join(QLatin1Char('\n'));
}

void FitMessageText(QMessageBox& box, const QString& text) {
    const QFontMetrics metrics = box.fontMetrics();
    box.setText(FitMessageText(text, metrics, MessageLineWidth(box), MostLinesOfOne(box, metrics)));
}

int DefaultPrompter::Message(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(request.error            ? QMessageBox::Warning
                    : request.kind == kMsgOk ? QMessageBox::Information
                                             : QMessageBox::Question,
                    request.caption, {}, ButtonsOf(request.kind), parent);
    box.setTextFormat(Qt::PlainText);
    FitMessageText(box, request.text);
    FitCaption(box);
    box.setWindowModality(Qt::ApplicationModal);  // task-modal
    const int button = box.exec();
    // Closing a yes/no box without a Cancel button counts as No.
    if (request.kind == kMsgYesNo && button != QMessageBox::Yes) return kIdNo;
    return ResultOf(button);
}

int DefaultPrompter::Input(QWidget* parent, const InputRequest& request, QString* text) {
    QString buffer = request.text;
    TInpDlg dialog(parent, request.title, request.prompt, &buffer, request.maxLength);
    const int result = dialog.Execute();
    if (result == kIdOk && text) *text = buffer;
    return result;
}

ScriptedPrompter::ScriptedPrompter() : previous_(Installed()) {
    SetPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    SetPrompter(previous_);
}

int ScriptedPrompter::Message(QWidget*, const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty()) return request.kind == kMsgOk ? kIdOk : kIdYes;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

int ScriptedPrompter::Input(QWidget*, const InputRequest& request, QString* text) {
    inputs.push_back(request);
    if (inputAnswers.empty()) return kIdCancel;
    InputAnswer answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    if (answer.result == kIdOk && text) *text = answer.text;
    return answer.result;
}

int MsgBox(QWidget* window, const QString& line1, const QString& line2, int kind) {
    MessageRequest request;
    request.caption = line1;
    request.text = line2;
    request.kind = kind;
    return CurrentPrompter().Message(window, request);
}

namespace {

QString ErrorText(int n) {
    const QString text = ResourceString(kErrorStringBase + n);
    return text.isEmpty() ? QStringLiteral("error %1").arg(n) : text;
}

void ShowError(QWidget* window, int titleId, const QString& text) {
    MessageRequest request;
    request.caption = ResourceString(titleId != 0 ? titleId : kStrHmmCaption);
    if (request.caption.isEmpty()) request.caption = QStringLiteral("hmm ...");
    request.text = text;
    request.error = true;
    CurrentPrompter().Message(window, request);
}

}  // namespace

void ErrorMsg(QWidget* window, int n, int titleId) {
    ShowError(window, titleId, ErrorText(n));
}

void ErrorBox(QWidget* window, const QString& text) {
    ShowError(window, 0, text);
}

QString FileErrorText(int n, const QString& path, const QString& reason) {
    QString text = ErrorText(n) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    return text;
}

void FileErrorMsg(QWidget* window, int n, const QString& path, const QString& reason) {
    ErrorBox(window, FileErrorText(n, path, reason));
}

TInpDlg::TInpDlg(QWidget* parent, const QString& title, const QString& prompt, QString* buffer,
                 int maxLength)
    : Dialog(parent, "ONEINPUT"),
      title_(title),
      prompt_(prompt),
      buffer_(buffer),
      maxLength_(maxLength) {}

void TInpDlg::SetupWindow() {
    Dialog::SetupWindow();
    if (!title_.isEmpty()) setWindowTitle(title_);
    SetText(resources::kOneInputPromptId, ControlKind::Static, prompt_);
    if (maxLength_ > 0) SetMaxLength(resources::kOneInputEditId, maxLength_);
    SetText(resources::kOneInputEditId, ControlKind::Edit, buffer_ ? *buffer_ : QString());
    FocusControl(resources::kOneInputEditId, true);
}

bool TInpDlg::CanClose() {
    if (buffer_) {
        QString text = GetText(resources::kOneInputEditId, ControlKind::Edit);
        *buffer_ = maxLength_ > 0 ? text.left(maxLength_) : text;
    }
    return true;
}

TGenDlg::TGenDlg(QWidget* parent, std::string_view templateName, std::vector<EditBinding> fields)
    : Dialog(parent, templateName), fields_(std::move(fields)) {
    if (fields_.size() > kMaxFields) fields_.resize(kMaxFields);
}

TGenDlg::TGenDlg(QWidget* parent, const DialogTemplate& tmpl, std::vector<EditBinding> fields)
    : Dialog(parent, tmpl), fields_(std::move(fields)) {
    if (fields_.size() > kMaxFields) fields_.resize(kMaxFields);
}

void TGenDlg::SetupWindow() {
    Dialog::SetupWindow();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const int id = kFirstEditId + static_cast<int>(i);
        if (fields_[i].maxLength > 0) SetMaxLength(id, fields_[i].maxLength);
        if (fields_[i].text) SetText(id, ControlKind::Edit, *fields_[i].text);
    }
}

bool TGenDlg::CanClose() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!fields_[i].text) continue;
        const int id = kFirstEditId + static_cast<int>(i);
        const QString text = GetText(id, ControlKind::Edit);
        *fields_[i].text = fields_[i].maxLength > 0 ? text.left(fields_[i].maxLength) : text;
    }
    return true;
}

TGenBoolDlg::TGenBoolDlg(QWidget* parent, std::string_view templateName,
                         std::vector<EditBinding> fields, std::uint8_t* check1,
                         std::uint8_t* check2)
    : TGenDlg(parent, templateName, std::move(fields)), check1_(check1), check2_(check2) {}

TGenBoolDlg::TGenBoolDlg(QWidget* parent, const DialogTemplate& tmpl,
                         std::vector<EditBinding> fields, std::uint8_t* check1,
                         std::uint8_t* check2)
    : TGenDlg(parent, tmpl, std::move(fields)), check1_(check1), check2_(check2) {}

void TGenBoolDlg::SetupWindow() {
    TGenDlg::SetupWindow();
    if (check1_) SetChecked(kCheck1Id, *check1_ != 0);
    ShowControl(kCheck1Id, check1_ != nullptr);
    if (check2_) SetChecked(kCheck2Id, *check2_ != 0);
    ShowControl(kCheck2Id, check2_ != nullptr);
}

bool TGenBoolDlg::CanClose() {
    if (!TGenDlg::CanClose()) return false;
    if (check1_) *check1_ = IsChecked(kCheck1Id) ? 1 : 0;
    if (check2_) *check2_ = IsChecked(kCheck2Id) ? 1 : 0;
    return true;
}

int InputInt(QWidget* window, int titleId, int promptId, int minimum, int maximum, int* value,
             bool reportError) {
    InputRequest request;
    request.title = ResourceString(titleId);
    request.prompt = ResourceString(promptId);
    request.text = QString::number(value ? *value : 0);
    request.maxLength = 11;
    QString answer;
    if (CurrentPrompter().Input(window, request, &answer) != kIdOk) return kInputCancelled;
    bool ok = false;
    const qlonglong number = answer.trimmed().toLongLong(&ok);
    if (!ok || number < minimum || number > maximum) {
        if (reportError) ErrorMsg(window, kInputOutOfBounds);
        return kInputOutOfBounds;
    }
    if (value) *value = static_cast<int>(number);
    return 0;
}

int InputString(QWidget* window, int titleId, int promptId, QString* buffer, int maxLength) {
    InputRequest request;
    request.title = ResourceString(titleId);
    request.prompt = ResourceString(promptId);
    request.text = buffer ? *buffer : QString();
    request.maxLength = maxLength;
    QString answer;
    const int result = CurrentPrompter().Input(window, request, &answer);
    if (result == kIdOk && buffer) *buffer = maxLength > 0 ? answer.left(maxLength) : answer;
    return result;
}

}  // namespace quorlin::platform
