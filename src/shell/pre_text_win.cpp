#include "shell/pre_text_win.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/drawing_tools.h"

namespace quorlin {

QSize TextAreaSize(const QPlainTextEdit& editor, int columns, int lines) {
    const QFontMetrics metrics(editor.font());
    const int scrollBar = editor.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int margins =
        2 * (editor.frameWidth() + 4 + static_cast<int>(editor.document()->documentMargin()));
    QSize size(metrics.horizontalAdvance(QString(columns, QLatin1Char('m'))) + scrollBar + margins,
               metrics.lineSpacing() * lines + scrollBar + margins);
    if (const QScreen* screen = editor.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 3 / 4);
    return size;
}

TPreTextWin::TPreTextWin(QString fileName, QWidget* parent)
    : TFontWin(0, std::move(fileName), parent), editor_(new QPlainTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(editor_->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!settingText_) MarkModified();
    });
    ApplyTextFont();
}

TPreTextWin::~TPreTextWin() {
    // The editor goes after this level; its last signals must not reach a window half gone.
    editor_->document()->disconnect(this);
}

QString TPreTextWin::Text() const {
    return editor_->toPlainText();
}

void TPreTextWin::SetText(const QString& text) {
    settingText_ = true;
    editor_->setPlainText(text);
    settingText_ = false;
}

bool TPreTextWin::IsReadOnly() const {
    return editor_->isReadOnly();
}

void TPreTextWin::SetReadOnly(bool on) {
    editor_->setReadOnly(on);
}

bool TPreTextWin::FindText(const QString& text) {
    if (text.isEmpty()) return false;
    if (editor_->find(text)) return true;
    QTextCursor start = editor_->textCursor();
    start.movePosition(QTextCursor::Start);
    editor_->setTextCursor(start);
    return editor_->find(text);
}

void TPreTextWin::ApplyTextFont() {
    ApplyTextFont(Fonts().Font(TextFontIndex()));
}

void TPreTextWin::ApplyTextFont(const FontRecord& font) {
    platform::FontSpec fontSpec = ToFontSpec(font);
    fontSpec.escapement = 0;  // text in an editor always runs horizontally
    editor_->setFont(platform::ToQFont(fontSpec));
}

void TPreTextWin::Notify(int code) {
    if (code == kNotifyFontChanged) ApplyTextFont();
    TFontWin::Notify(code);
}

QSize TPreTextWin::sizeHint() const {
    return TextAreaSize(*editor_, 72, 20);
}

bool TPreTextWin::CanClose() {
    if (!hideOnClose_) return TFontWin::CanClose();
    HideWindow();
    return false;
}

}  // namespace quorlin
