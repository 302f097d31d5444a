#include "shell/help_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "resources/resources.h"
#include "shell/pre_text_win.h"

namespace quorlin {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), text_(new QPlainTextEdit(this)), search_(new QLineEdit(this)) {
    setWindowTitle(tr("Help"));
    text_->setReadOnly(true);
    // The help texts line their tables up with blanks: they need every character equally wide.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    text_->setFont(fixed);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(tr("Find:"), this));
    searchRow->addWidget(search_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(text_);
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        // Enter again finds the next place.
        if (!text_->find(search_->text())) {
            text_->moveCursor(QTextCursor::Start);
            text_->find(search_->text());
        }
    });
    // Wide enough for the texts' lines of up to 82 characters, as far as the screen allows.
    resize(TextAreaSize(*text_, 82, 24).width() + 24, 480);
}

void HelpWindow::ShowHelp(const QString& helpName, const QString& topic) {
    if (helpName != name_ || text_->document()->isEmpty()) {
        name_ = helpName;
        QString text = resources::HelpText(helpName.toStdString());
        if (text.isEmpty()) text = tr("There is no help on this subject yet.");
        text_->setPlainText(text);
        setWindowTitle(tr("Help"));
    }
    text_->moveCursor(QTextCursor::Start);
    if (!topic.isEmpty()) FindTopic(topic);
    show();
    raise();
}

bool HelpWindow::FindTopic(const QString& topic) {
    if (text_->find(topic)) return true;
    text_->moveCursor(QTextCursor::Start);
    return false;
}

QFont HelpWindow::TextFont() const {
    return text_->font();
}

QString HelpWindow::Text() const {
    return text_->toPlainText();
}

int HelpWindow::CurrentLine() const {
    return text_->textCursor().block().blockNumber();
}

}  // namespace quorlin
