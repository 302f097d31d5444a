#pragma once
// Message, error, yes/no/cancel and one-line input boxes, and the generic edit dialogs.
//
// Every box goes through the Prompter seam: the default one shows a QMessageBox or runs the
// one-input dialog "ONEINPUT"; tests install a ScriptedPrompter that records each box and answers
// from a queue.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/dialog.h"
#include "platform/strings.h"

class QFontMetrics;
class QMessageBox;
class QWidget;

namespace quorlin::platform {

// Kinds of MsgBox.
inline constexpr int kMsgOk = 0;
inline constexpr int kMsgYesNo = 1;
inline constexpr int kMsgYesNoCancel = 2;

// String-table ids the boxes use.
inline constexpr int kStrHmmCaption = 62;     // "hmm ..."
inline constexpr int kErrorStringBase = 400;  // error n is string 400 + n

struct MessageRequest {
    QString caption;
    QString text;
    int kind = kMsgOk;   // kMsgOk, kMsgYesNo, kMsgYesNoCancel
    bool error = false;  // an error box (ErrorMsg)
};

struct InputRequest {
    QString title;
    QString prompt;
    QString text;  // the text offered
    int maxLength = 0;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a message box; returns kIdOk, kIdCancel, kIdYes or kIdNo.
    virtual int Message(QWidget* parent, const MessageRequest& request) = 0;
    // Asks for one line of text; on kIdOk *text holds the answer. Returns kIdOk or kIdCancel.
    virtual int Input(QWidget* parent, const InputRequest& request, QString* text) = 0;
};

// The prompter in use (the default one unless a test installed another).
Prompter& CurrentPrompter();
// Installs a prompter (not owned); null restores the default.
void SetPrompter(Prompter* prompter);

// Widens a message box until its caption fits the title bar beside the frame's icon and buttons.
void FitCaption(QMessageBox& box);
// The text of a message box whose lines may take lineWidth pixels, as the box shows it whole on
// the screen: a line wider (a file's long path) may break after each '/' and inside long runs,
// and a line that would still take more than mostLines lines loses its middle to an ellipsis.
// Lines that fit stay as they are.
QString FitMessageText(const QString& text, const QFontMetrics& metrics, int lineWidth,
                       int mostLines);
// Sets the text of a message box fitted to its screen: lines as wide as a message box takes
// there, and no line of the text taking more than half the screen's height.
void FitMessageText(QMessageBox& box, const QString& text);

// QMessageBox and the one-input dialog.
class DefaultPrompter : public Prompter {
public:
    int Message(QWidget* parent, const MessageRequest& request) override;
    int Input(QWidget* parent, const InputRequest& request, QString* text) override;
};

// For tests: records every box and answers from queues. An empty message queue answers kIdOk
// (or kIdYes for yes/no boxes); an empty input queue answers kIdCancel. Installs itself for its
// lifetime.
class ScriptedPrompter : public Prompter {
public:
    struct InputAnswer {
        int result = kIdOk;
        QString text;
    };
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    void AnswerMessage(int result) { messageAnswers.push_back(result); }
    void AnswerInput(QString text, int result = kIdOk) {
        inputAnswers.push_back({result, std::move(text)});
    }

    int Message(QWidget* parent, const MessageRequest& request) override;
    int Input(QWidget* parent, const InputRequest& request, QString* text) override;

    std::deque<int> messageAnswers;
    std::deque<InputAnswer> inputAnswers;
    std::vector<MessageRequest> messages;  // every message box shown, in order
    std::vector<InputRequest> inputs;      // every input box shown, in order

private:
    Prompter* previous_;
};

// Message box of kind kMsgOk, kMsgYesNo or kMsgYesNoCancel: line 1 is the caption, line 2 the
// text. Returns the button: kIdOk, kIdYes, kIdNo or kIdCancel.
int MsgBox(QWidget* window, const QString& line1, const QString& line2, int kind);

// Error box: string 400 + n under caption string 62 "hmm ..." (or string titleId when non-zero).
void ErrorMsg(QWidget* window, int n, int titleId = 0);

// Error box with a text of its own under caption string 62 "hmm ...".
void ErrorBox(QWidget* window, const QString& text);

// What an error about a file says: string 400 + n, the file on a line of its own and, when
// given, the operating system's reason for the failure on the next ("Permission denied").
QString FileErrorText(int n, const QString& path, const QString& reason = {});
// The error box of FileErrorText under caption string 62 "hmm ...".
void FileErrorMsg(QWidget* window, int n, const QString& path, const QString& reason = {});

// The one-input dialog on template "ONEINPUT" (a built-in one while the resources have none):
// the title as caption, the prompt in its static, the buffer in its edit (at most maxLength
// characters). OK copies the edit back to the buffer; Execute returns kIdOk or kIdCancel.
class TInpDlg : public Dialog {
    Q_OBJECT
public:
    TInpDlg(QWidget* parent, const QString& title, const QString& prompt, QString* buffer,
            int maxLength);
    void SetupWindow() override;
    bool CanClose() override;

private:
    QString title_;
    QString prompt_;
    QString* buffer_;
    int maxLength_;
};

// A text buffer bound to an edit field of a generic dialog.
struct EditBinding {
    QString* text;
    int maxLength;
};

// The generic dialog on any template: up to eight edit fields, bound in order to edits 211, 212,
// ... 218; set-up fills them from the buffers, OK copies them back.
class TGenDlg : public Dialog {
    Q_OBJECT
public:
    static constexpr int kFirstEditId = 211;
    static constexpr int kMaxFields = 8;
    TGenDlg(QWidget* parent, std::string_view templateName, std::vector<EditBinding> fields);
    TGenDlg(QWidget* parent, const DialogTemplate& tmpl, std::vector<EditBinding> fields);
    void SetupWindow() override;
    bool CanClose() override;

private:
    std::vector<EditBinding> fields_;
};

// TGenDlg plus check boxes 271 and 272 bound to bytes (the second may be null).
class TGenBoolDlg : public TGenDlg {
    Q_OBJECT
public:
    static constexpr int kCheck1Id = 271;
    static constexpr int kCheck2Id = 272;
    TGenBoolDlg(QWidget* parent, std::string_view templateName, std::vector<EditBinding> fields,
                std::uint8_t* check1, std::uint8_t* check2);
    TGenBoolDlg(QWidget* parent, const DialogTemplate& tmpl, std::vector<EditBinding> fields,
                std::uint8_t* check1, std::uint8_t* check2);
    void SetupWindow() override;
    bool CanClose() override;

private:
    std::uint8_t* check1_;
    std::uint8_t* check2_;
};

// Results of InputInt.
inline constexpr int kInputOutOfBounds = 17;
inline constexpr int kInputCancelled = -12;

// Asks for an integer in [minimum, maximum] in the one-line input box (title and prompt are
// string ids), offering *value. Returns 0 and sets *value on success, 17 when the answer is not
// an integer in bounds (shown with ErrorMsg when reportError), -12 when cancelled.
int InputInt(QWidget* window, int titleId, int promptId, int minimum, int maximum, int* value,
             bool reportError = false);

// Asks for a string in the one-line input box (title and prompt are string ids), offering
// *buffer; on OK *buffer takes the answer (at most maxLength characters). Returns the result
// (kIdOk or kIdCancel).
int InputString(QWidget* window, int titleId, int promptId, QString* buffer, int maxLength);

}  // namespace quorlin::platform
