#pragma once
// The help viewer: a read-only text window in a fixed-pitch font that shows a help text of the
// resources by name and scrolls to a topic. The main frame keeps one; each graphing window keeps
// its own of the same class, so that it hides together with its window.
#include <QFont>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QLineEdit;

namespace quorlin {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Loads the help text of that resource name (a missing one shows a short notice), finds the
    // topic in it (case-insensitive; the start when empty or not found) and shows the window.
    void ShowHelp(const QString& helpName, const QString& topic = {});

    QString CurrentName() const { return name_; }
    QString Text() const;
    QFont TextFont() const;
    // The line the topic search put the cursor on, from 0.
    int CurrentLine() const;

private:
    bool FindTopic(const QString& topic);

    QPlainTextEdit* text_;
    QLineEdit* search_;
    QString name_;
};

}  // namespace quorlin
